#include "base/StringTable.h"

#include <algorithm>
#include <iterator>

namespace {

struct TextEntry {
    unsigned id;
    const wchar_t* text;
};

#define TEXT_ENTRY(id, text) {id, text},
constexpr TextEntry kTexts[] = {
#include "resources/strings.inc"
};
#undef TEXT_ENTRY

constexpr bool IsSortedById() {
    for (size_t i = 1; i < std::size(kTexts); ++i) {
        if (kTexts[i - 1].id >= kTexts[i].id)
            return false;
    }
    return true;
}
static_assert(IsSortedById(), "string table entries must be sorted by identifier without duplicates");

}  // namespace

std::wstring LoadText(unsigned id) {
    auto found = std::lower_bound(std::begin(kTexts), std::end(kTexts), id,
                                  [](const TextEntry& entry, unsigned key) { return entry.id < key; });
    if (found == std::end(kTexts) || found->id != id)
        return {};
    return found->text;
}
