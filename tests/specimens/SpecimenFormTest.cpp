#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/Settings.h"
#include "catalog/Specimen.h"
#include "specimens/SpecimenForm.h"

namespace {

TEST(SpecimenForm, ProposedTagsFillEveryRunOfHashes) {
    const struct {
        const wchar_t* format;
        std::uint32_t next;
        const wchar_t* tag;
    } cases[] = {
            {L"A-####", 12, L"A-0012"},
            {L"##/##", 7, L"07/07"},
            {L"#", 123, L"123"},
            {L"NO-TAG", 5, L"NO-TAG"},
            {L"", 5, L""},
            {L"S###", 5, L"S005"},
            {L"##", 12345, L"12345"},
            {L"#-#x", 0, L"0-0x"},
            // The whole range the Options dialog takes, past the signed one.
            {L"#", 2147483648, L"2147483648"},
            {L"A-#", 4294967295, L"A-4294967295"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProposeTag(c.format, c.next), c.tag) << c.format << " " << c.next;
}

TEST(SpecimenForm, TagNumbersCountUpThroughTheWholeRangeAndStartAgainAtOne) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
            {0, 1},          {1, 2}, {2147483647, 2147483648}, {2147483648, 2147483649}, {4294967294, 4294967295},
            {4294967295, 1},
    };
    for (const auto& [number, next] : cases)
        EXPECT_EQ(TagNumberAfter(number), next) << number;
}

TEST(SpecimenForm, NumbersShowAsTheDialogWritesThemAndZeroShowsNothing) {
    EXPECT_EQ(AmountText(12.5, L"$"), L"$12.50");
    EXPECT_EQ(AmountText(-3, L"$"), L"$-3.00");
    EXPECT_EQ(AmountText(0, L"$"), L"");
    EXPECT_EQ(SizeText(0.125), L"0.125");
    EXPECT_EQ(SizeText(1234.5678), L"1234.57");
    EXPECT_EQ(SizeText(0), L"");
    EXPECT_EQ(OrderText(42), L"42");
    EXPECT_EQ(OrderText(0), L"");
}

TEST(SpecimenForm, AnUntouchedNumberKeepsItsValueAndATypedOneIsReadLeniently) {
    const struct {
        double original;
        const wchar_t* typed;
        double stored;
    } cases[] = {
            {12.345, L"$12.35", 12.345},  // shown rounded, not touched
            {12.5, L"$12.50", 12.5},     {0, L"", 0},       {12.5, L"$-3", -3},
            {12.5, L"1,234.50", 1},      {12.5, L"abc", 0}, {12.5, L"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberAfterEdit(c.original, AmountText(c.original, L"$"), c.typed), c.stored) << c.typed;
    EXPECT_EQ(NumberAfterEdit(0.1234567, SizeText(0.1234567), L"0.123457"), 0.1234567);
    EXPECT_EQ(OrderAfterEdit(7, L"7", L"7"), 7);
    EXPECT_EQ(OrderAfterEdit(7, L"7", L"x12"), 12);
    EXPECT_EQ(OrderAfterEdit(7, L"7", L""), 0);
}

TEST(SpecimenForm, PictureBoxFollowsTheScreenResolution) {
    EXPECT_EQ(PictureBoxFor(96), (Rect{143, 42, 441, 284}));
    EXPECT_EQ(PictureBoxFor(120), (Rect{190, 50, 590, 350}));
    EXPECT_EQ(PictureBoxFor(192), (Rect{286, 84, 882, 568}));
}

TEST(SpecimenForm, CategoriesAreFoundByExactName) {
    const std::vector<std::wstring> listed{L"Shells", L"shells", L"Minerals", L"Fossils"};
    EXPECT_EQ(PlacesOfCategories(listed, {L"shells"}), std::vector<int>{1});
    EXPECT_EQ(PlacesOfCategories(listed, {L"Fossils", L"Shells"}), (std::vector<int>{3, 0}));
    EXPECT_EQ(PlacesOfCategories(listed, {L"<All>", L"SHELLS", L""}), std::vector<int>{});
}

TEST(SpecimenForm, ANewSpecimenStartsWithTheRememberedValues) {
    Settings settings;
    settings.currentCategory = L"Shells";
    settings.lastDate = L"03/05/2008";
    settings.lastCollector = L"A. N. Other";
    settings.lastAbundance = L"Rare";
    settings.lastLocation = L"Sanibel";
    Specimen specimen;
    PrefillNewSpecimen(specimen, settings);
    EXPECT_EQ(specimen.categories, std::vector<std::wstring>{L"Shells"});
    EXPECT_EQ(specimen.dateCollected, L"03/05/2008");
    EXPECT_EQ(specimen.collector, L"A. N. Other");
    EXPECT_EQ(specimen.abundance, L"Rare");
    EXPECT_EQ(specimen.location, L"");
}

}  // namespace
