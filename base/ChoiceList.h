#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Choice.h"

// The entries of a choice box: texts with a 32-bit item data each, no two texts equal ignoring
// case (or, for names such as categories where letter case matters, no two equal texts),
// optionally kept in ascending order of their texts.

// Orders two texts ignoring case: negative, zero or positive as a is less than, equal to or
// greater than b.
using TextOrder = int (*)(std::wstring_view a, std::wstring_view b);

// Whether a text that differs from an entry's only in letter case is a choice of its own.
enum class CaseTwins { Dropped, Kept };

class ChoiceList {
public:
    ChoiceList(bool sorted, TextOrder orderIgnoringCase, CaseTwins twins = CaseTwins::Dropped);

    // The new entry's index among the entries (in sorted order when sorted, else the last), or
    // none when an entry with an equal text is there already and nothing was added. A kept case
    // twin goes after the twins already there.
    std::optional<std::size_t> Add(std::wstring text, std::int32_t data);

    // The text of the first entry with the item data, or none.
    std::optional<std::wstring> TextOfData(std::int32_t data) const;

    const std::vector<Choice>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    bool Sorted() const { return sorted_; }

private:
    std::vector<Choice> entries_;
    bool sorted_;
    TextOrder order_;
    CaseTwins twins_;
};
