#include "base/ChoiceList.h"

#include <utility>

ChoiceList::ChoiceList(bool sorted, TextOrder orderIgnoringCase, CaseTwins twins)
    : sorted_(sorted), order_(orderIgnoringCase), twins_(twins) {}

std::optional<std::size_t> ChoiceList::Add(std::wstring text, std::int32_t data) {
    auto firstGreater = entries_.end();
    std::size_t lessCount = 0;
    for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
        int order = order_(text, entry->text);
        if (order == 0 && (twins_ == CaseTwins::Dropped || text == entry->text))
            return std::nullopt;
        if (order < 0 && firstGreater == entries_.end())
            firstGreater = entry;
        else if (order >= 0)
            ++lessCount;
    }
    if (!sorted_) {
        entries_.push_back({std::move(text), data});
        return entries_.size() - 1;
    }
    entries_.insert(firstGreater, {std::move(text), data});
    return lessCount;
}

std::optional<std::wstring> ChoiceList::TextOfData(std::int32_t data) const {
    for (const Choice& entry : entries_) {
        if (entry.data == data)
            return entry.text;
    }
    return std::nullopt;
}
