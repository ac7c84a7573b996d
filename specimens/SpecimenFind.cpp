#include "specimens/SpecimenFind.h"

#include "base/TextCompare.h"
#include "base/Utf8.h"
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

std::vector<std::string> FindWords(std::wstring_view text) {
    std::vector<std::string> words;
    const std::string folded = EncodeUtf8(FoldForFinding(text));
    size_t start = 0;
    while (start < folded.size()) {
        size_t end = folded.find(' ', start);
        if (end == std::string::npos)
            end = folded.size();
        if (end > start)
            words.push_back(folded.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::string FindableText(const Specimen& specimen) {
    std::wstring text;
    for (int field : kFindableFields) {
        text += Catalog::FieldText(specimen, field);
        text += L'\n';
    }
    return EncodeUtf8(FoldForFinding(text));
}

bool MatchesAllWords(std::string_view findable, const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (findable.find(word) == std::string_view::npos)
            return false;
    }
    return true;
}

bool NarrowsFind(const std::vector<std::string>& earlier, const std::vector<std::string>& later) {
    for (const std::string& old : earlier) {
        bool within = false;
        for (const std::string& word : later)
            within = within || word.find(old) != std::string::npos;
        if (!within)
            return false;
    }
    return true;
}

const std::string& FindableTexts::Of(const Specimen& specimen) {
    auto [place, added] = texts_.try_emplace(specimen.id);
    if (added)
        place->second = FindableText(specimen);
    return place->second;
}
