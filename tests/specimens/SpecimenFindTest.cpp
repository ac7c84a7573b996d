#include <gtest/gtest.h>

#include "catalog/Specimen.h"
#include "specimens/SpecimenFind.h"

namespace {

Specimen Urchin() {
    Specimen specimen;
    specimen.tag = L"SH-004";
    specimen.latinName = L"Echinoidea";
    specimen.commonName = L"Sea urchin";
    specimen.abundance = L"Common";
    specimen.quality = L"Fine";
    specimen.colour = L"Purple";
    specimen.dimensions = L"40 x 35";
    specimen.location = L"São Paulo";
    specimen.collector = L"H. Müller";
    specimen.dateCollected = L"5/6/1975";
    specimen.remarks = L"Spines intact";
    specimen.userFields = {L"Drawer 7", L"Box B", L"Ex coll. Ruiz", L"Field trip", L"Gift"};
    specimen.categories = {L"Shells", L"Echinoderms"};
    specimen.pictureName = L"urchin.jpg";
    specimen.price = 12.5;
    specimen.value = 1234.5;
    specimen.size = 42.25;
    specimen.order = 17;
    return specimen;
}

TEST(SpecimenFind, EveryWordMustStandInOneFieldIgnoringCaseAndAccents) {
    const std::string findable = FindableText(Urchin());
    const struct {
        const wchar_t* typed;
        bool found;
    } cases[] = {
            {L"", true},  // a blank text shows everything
            {L"   ", true},
            {L"sh-004", true},
            {L"ECHINOIDEA", true},
            {L"urchin sea", true},  // any order
            {L"  sea   urchin ", true},
            {L"sea whale", false},  // every word
            {L"sao paulo", true},
            {L"SÃO", true},
            {L"muller", true},
            {L"müller", true},
            {L"common fine purple", true},
            {L"40 x 35", true},
            {L"5/6/1975", true},
            {L"intact", true},
            {L"drawer box ruiz trip gift", true},
            {L"echinoderms", true},
            {L"$12.50", true},  // the numbers as the row shows them
            {L"1234.50", true},
            {L"42.25", true},
            {L"17", true},
            {L"urchin.jpg", false},  // the picture's file name is not shown
            {L"purplefine", false},  // never across two fields
            {L"shells,echinoderms", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesAllWords(findable, FindWords(c.typed)), c.found) << c.typed;
}

TEST(SpecimenFind, AnEmptySpecimenIsFoundOnlyByWhatItShows) {
    const std::string findable = FindableText(Specimen{});
    EXPECT_TRUE(MatchesAllWords(findable, FindWords(L"")));
    EXPECT_FALSE(MatchesAllWords(findable, FindWords(L"$")));
    EXPECT_FALSE(MatchesAllWords(findable, FindWords(L"a")));
}

}  // namespace
