#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

struct Specimen;

// Which specimens a category filter takes, as Catalog::IsInFilter decides, for going through
// many specimens: "<All>" (or nothing) is recognised once, and each distinct category text is
// compared with the filter once, since the comparison is a costly linguistic one on Windows.
class CategoryFilter {
public:
    explicit CategoryFilter(std::wstring_view filter);

    bool Takes(const Specimen& specimen);

private:
    bool Matches(const std::wstring& category);

    std::wstring filter_;
    bool all_ = false;
    std::unordered_map<std::wstring, bool> answers_;
};
