#include "specimens/SpecimenFind.h"

#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/Specimen.h"

namespace {

// The fields a user can see and so search for; the picture's file name and its mask are not.
constexpr int kFindableFields[] = {
        kFieldTag,        kFieldLatinName, kFieldCommonName, kFieldAbundance,     kFieldQuality,  kFieldColour,
        kFieldDimensions, kFieldLocation,  kFieldCollector,  kFieldDateCollected, kFieldRemarks,  kFieldUser1,
        kFieldUser2,      kFieldUser3,     kFieldUser4,      kFieldUser5,         kFieldCategory, kFieldPrice,
        kFieldValue,      kFieldSize,      kFieldOrder,
};

}  // namespace

std::vector<std::wstring> FindWords(std::wstring_view text) {
    std::vector<std::wstring> words;
    const std::wstring folded = FoldForFinding(text);
    size_t start = 0;
    while (start < folded.size()) {
        size_t end = folded.find(L' ', start);
        if (end == std::wstring::npos)
            end = folded.size();
        if (end > start)
            words.push_back(folded.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::wstring FindableText(const Specimen& specimen) {
    std::wstring text;
    for (int field : kFindableFields) {
        text += Catalog::FieldText(specimen, field);
        text += L'\n';
    }
    return FoldForFinding(text);
}

bool MatchesAllWords(std::wstring_view findable, const std::vector<std::wstring>& words) {
    for (const std::wstring& word : words) {
        if (findable.find(word) == std::wstring_view::npos)
            return false;
    }
    return true;
}

bool NarrowsFind(const std::vector<std::wstring>& earlier, const std::vector<std::wstring>& later) {
    for (const std::wstring& old : earlier) {
        bool within = false;
        for (const std::wstring& word : later)
            within = within || word.find(old) != std::wstring::npos;
        if (!within)
            return false;
    }
    return true;
}

const std::wstring& FindableTexts::Of(const Specimen& specimen) {
    auto [place, added] = texts_.try_emplace(specimen.id);
    if (added)
        place->second = FindableText(specimen);
    return place->second;
}
