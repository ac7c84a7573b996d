#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalog/Settings.h"
#include "catalog/Specimen.h"
#include "reports/ReportSelection.h"

namespace {

std::wstring TagsOf(const ReportSpecimens& list) {
    std::wstring tags;
    for (const Specimen* specimen : list)
        tags += specimen->tag;
    return tags;
}

// Specimens tagged "a", "b", "c", ... in catalog order, each set up by the case.
std::vector<Specimen> Tagged(size_t count, const std::function<void(Specimen&, size_t)>& setUp) {
    std::vector<Specimen> specimens(count);
    for (size_t i = 0; i < count; ++i) {
        specimens[i].tag = std::wstring(1, static_cast<wchar_t>(L'a' + i));
        specimens[i].id = static_cast<std::int32_t>(i + 1);
        setUp(specimens[i], i);
    }
    return specimens;
}

// Every kind of field at once: the texts give Common Name, Quality and the categories (split
// at ","), the numbers Price, Value, Size, Order and Mask (not 0 is Yes).
std::vector<Specimen> SortSamples(const std::array<std::wstring, 4>& texts, const std::array<double, 4>& numbers) {
    return Tagged(4, [&](Specimen& s, size_t i) {
        s.commonName = s.quality = texts[i];
        for (size_t start = 0; start < s.commonName.size();) {
            const size_t comma = std::min(s.commonName.find(L',', start), s.commonName.size());
            s.categories.push_back(s.commonName.substr(start, comma - start));
            start = comma + 1;
        }
        s.price = s.value = s.size = numbers[i];
        s.order = static_cast<std::int32_t>(numbers[i]);
        s.mask = numbers[i] != 0;
    });
}

TEST(ReportSelection, EachKindOfFieldSortsAscendingAndKeepsEqualSpecimensInOrder) {
    const struct {
        int field;
        std::array<std::wstring, 4> texts;
        std::array<double, 4> numbers;
        const wchar_t* order;
    } cases[] = {
            {kFieldCommonName, {L"b", L"A", L"a", L"B"}, {}, L"bcad"},
            {kFieldQuality, {L"Poor", L"Gem", L"", L"gem"}, {}, L"cbda"},
            {kFieldCategory, {L"Z", L"a,z", L"A", L""}, {}, L"dcba"},
            {kFieldPrice, {}, {10, 9, 0, 9}, L"cbda"},  // "$10.00" after "$9.00", no price first
            {kFieldValue, {}, {-1, 2.5, 2.25, 0}, L"adcb"},
            {kFieldSize, {}, {100, 20, 3, 20}, L"cbda"},
            {kFieldOrder, {}, {-1, 5, 0, 5}, L"cbda"},  // unsigned: -1 is the largest
            {kFieldMask, {}, {1, 0, 1, 0}, L"bdac"},    // No before Yes
            {kFieldNone, {L"d", L"c", L"b", L"a"}, {4, 3, 2, 1}, L"abcd"},
    };
    for (const auto& c : cases) {
        const std::vector<Specimen> specimens = SortSamples(c.texts, c.numbers);
        ReportSpecimens list = SpecimensInCategory(specimens, L"");
        SortReportSpecimens(list, c.field);
        EXPECT_EQ(TagsOf(list), c.order) << c.field;
    }
}

TEST(ReportSelection, CategoryFiltersMatchCategoriesExactly) {
    const std::vector<Specimen> specimens = Tagged(4, [](Specimen& s, size_t i) {
        s.categories = std::vector<std::vector<std::wstring>>{{L"Shells"}, {L"shells"}, {L"Fossils", L"Shells"}, {}}[i];
    });
    const struct {
        const wchar_t* filter;
        const wchar_t* tags;
    } cases[] = {{L"", L"abcd"}, {L"<All>", L"abcd"}, {L"Shells", L"ac"}, {L"shells", L"b"}, {L"Minerals", L""}};
    for (const auto& c : cases)
        EXPECT_EQ(TagsOf(SpecimensInCategory(specimens, c.filter)), c.tags) << c.filter;
}

TEST(ReportSelection, SelectedRowsPrintInListOrderWhateverTheirCategory) {
    const std::vector<Specimen> specimens = Tagged(4, [](Specimen&, size_t) {});
    const struct {
        std::vector<std::int32_t> ids;
        const wchar_t* tags;
    } cases[] = {{{}, L""}, {{3, 1}, L"ca"}, {{4, 99, 2}, L"db"}};
    for (const auto& c : cases)
        EXPECT_EQ(TagsOf(SpecimensWithIds(specimens, c.ids)), c.tags);
}

TEST(ReportSelection, ThePrintCommandTakesAllOrTheSelectedAndSortsThem) {
    std::vector<Specimen> specimens = Tagged(3, [](Specimen& s, size_t i) {
        s.commonName = std::vector<std::wstring>{L"Zircon", L"Agate", L"Mica"}[i];
        s.categories = {i == 1 ? L"Other" : L"Minerals"};
    });
    Settings settings;  // sorted by Common Name
    const std::vector<std::int32_t> selected{2, 1};
    settings.reportSpecimens = true;
    EXPECT_EQ(TagsOf(CollectReportSpecimens(specimens, settings, L"Minerals", selected)), L"ca");
    settings.reportSpecimens = false;
    EXPECT_EQ(TagsOf(CollectReportSpecimens(specimens, settings, L"Minerals", selected)), L"ba");
    settings.reportSort = 23;
    EXPECT_EQ(TagsOf(CollectReportSpecimens(specimens, settings, L"Minerals", {})), L"");
    settings.reportSpecimens = true;
    EXPECT_EQ(TagsOf(CollectReportSpecimens(specimens, settings, L"<All>", selected)), L"abc");
}

// The report keeps its own copies in print order: a save that renames a catalog picture while
// the report is printed on another thread does not reach it.
TEST(ReportSelection, AReportPrintsFromCopiesThatLaterChangesDoNotReach) {
    std::vector<Specimen> specimens = Tagged(3, [](Specimen& s, size_t) { s.pictureName = L"IMG_0001.JPG"; });
    Settings settings;
    settings.reportSpecimens = true;
    settings.reportSort = 23;
    const ReportCopy report(CollectReportSpecimens(specimens, settings, L"", {}));
    for (Specimen& specimen : specimens)
        specimen.pictureName = L"IMG_0001 (2).JPG";
    ASSERT_EQ(TagsOf(report.Specimens()), L"abc");
    for (const Specimen* specimen : report.Specimens())
        EXPECT_EQ(specimen->pictureName, L"IMG_0001.JPG");
}

}  // namespace
