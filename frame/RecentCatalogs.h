#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The catalogs opened last, the newest first, as the File menu lists them.
class RecentCatalogs {
public:
    static constexpr size_t kMax = 4;

    // From what was stored: empty names and repeats are dropped, and the list is cut to kMax.
    explicit RecentCatalogs(const std::vector<std::wstring>& stored = {});

    // The path goes to the top, once (file names compare ignoring case).
    void Opened(const std::wstring& path);
    void Remove(const std::wstring& path);
    const std::vector<std::wstring>& Paths() const { return paths_; }

    // The menu item of the path at index: "&1 Shells.xml", the file's name with any "&" doubled
    // so that it shows as itself.
    static std::wstring MenuText(size_t index, const std::wstring& path);

private:
    std::vector<std::wstring> paths_;
};
