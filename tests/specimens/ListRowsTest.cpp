#include <gtest/gtest.h>

#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "specimens/ListRows.h"
#include "specimens/SpecimenFind.h"
#include "support/ScriptedHost.h"

namespace {

using Ids = std::vector<std::int32_t>;

class ListRowsTest : public ::testing::Test {
protected:
    // Specimens get ids 1, 2, 3 ... in this order.
    void Add(const std::wstring& latinName, std::vector<std::wstring> categories) {
        Specimen specimen;
        specimen.latinName = latinName;
        specimen.categories = std::move(categories);
        catalog.AddSpecimen(specimen);
    }
    Ids RowIds() const {
        Ids ids;
        for (size_t row = 0; row < rows.Count(); ++row)
            ids.push_back(rows.IdAt(row));
        return ids;
    }

    // Types the text into the find, one row looked at a time, and shows what it found.
    void Find(const std::wstring& text) {
        rows.StartFind(FindWords(text));
        while (!rows.FindStep(catalog, 1)) {
        }
        rows.ShowFound();
    }

    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    ListRows rows;
};

TEST_F(ListRowsTest, TabsListTheirSpecimensNewestFirstAndSortsKeepEqualRowsInThatOrder) {
    Add(L"cherry", {L"Shells"});
    Add(L"Apple", {L"Shells", L"Fossils"});
    Add(L"banana", {});
    Add(L"apple", {L"Fossils"});
    const struct {
        const wchar_t* filter;
        Ids filled;
        Ids ascending;
        Ids descending;
    } cases[] = {
            {L"<All>", {4, 3, 2, 1}, {4, 2, 3, 1}, {1, 3, 4, 2}},
            {L"Shells", {2, 1}, {2, 1}, {1, 2}},
            {L"Fossils", {4, 2}, {4, 2}, {4, 2}},  // equal texts ignoring case: fill order stays
            {L"Gone", {}, {}, {}},
    };
    for (const auto& c : cases) {
        rows.Fill(catalog, c.filter);
        EXPECT_EQ(RowIds(), c.filled) << c.filter;
        rows.Sort(catalog, kFieldLatinName, false, OrderKeyIgnoringCase);
        EXPECT_EQ(RowIds(), c.ascending) << c.filter;
        rows.Fill(catalog, c.filter);
        rows.Sort(catalog, kFieldLatinName, true, OrderKeyIgnoringCase);
        EXPECT_EQ(RowIds(), c.descending) << c.filter;
    }
    EXPECT_EQ(rows.IdAt(rows.Count()), 0);
    EXPECT_EQ(rows.SpecimenAt(catalog, rows.Count()), nullptr);
}

TEST_F(ListRowsTest, RowsFollowTheirSpecimenWhenTheCatalogChangesUnderThem) {
    for (const wchar_t* name : {L"a", L"b", L"c"})
        Add(name, {L"Shells"});
    rows.Fill(catalog, L"<All>");
    ASSERT_EQ(RowIds(), (Ids{3, 2, 1}));
    // Removing a specimen moves the others in the catalog: rows still find theirs by id.
    ASSERT_TRUE(catalog.RemoveSpecimen(1));
    EXPECT_EQ(rows.Text(catalog, 0, kFieldLatinName), L"c");
    EXPECT_EQ(rows.Text(catalog, 1, kFieldLatinName), L"b");
    EXPECT_EQ(rows.SpecimenAt(catalog, 2), nullptr);  // gone: no specimen, no text
    EXPECT_EQ(rows.Text(catalog, 2, kFieldLatinName), L"");

    Add(L"d", {L"Shells"});
    rows.AddFirst(catalog, 4);
    EXPECT_EQ(RowIds(), (Ids{4, 3, 2, 1}));
    EXPECT_EQ(rows.Text(catalog, 0, kFieldLatinName), L"d");
    EXPECT_EQ(rows.RowOf(2), 2);
    EXPECT_EQ(rows.RowOf(9), -1);

    // Deleted specimens' rows go; the others keep their order and still find their texts.
    rows.Remove({4, 1, 9});
    EXPECT_EQ(RowIds(), (Ids{3, 2}));
    EXPECT_EQ(rows.Text(catalog, 1, kFieldLatinName), L"b");
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0u);
}

TEST_F(ListRowsTest, FindShowsTheMatchingRowsInTheirOrderAsTheTextGrowsAndShrinks) {
    Add(L"Murex", {L"Shells"});
    Add(L"Murexia", {L"Shells"});
    Add(L"Conus", {L"Shells"});
    Add(L"Muricidae", {L"Fossils"});
    rows.Fill(catalog, L"Shells");
    rows.Sort(catalog, kFieldLatinName, false, OrderKeyIgnoringCase);
    const struct {
        const wchar_t* typed;
        Ids shown;
    } steps[] = {
            {L"m", {1, 2}},                           // Conus has no m; Muricidae is in another tab
            {L"mu", {1, 2}},                          // narrows what "m" found
            {L"murexi", {2}},    {L"murex", {1, 2}},  // a letter taken back looks at every row again
            {L"ex mur", {1, 2}},                      // words in any order
            {L"zz", {}},         {L"", {3, 1, 2}},    // an empty box shows the whole tab
    };
    for (const auto& step : steps) {
        Find(step.typed);
        EXPECT_EQ(RowIds(), step.shown) << step.typed;
        EXPECT_EQ(rows.HasFindWords(), *step.typed != L'\0') << step.typed;
        EXPECT_EQ(rows.Total(), 3u);
    }
    // Another tab, a new sort and a refill keep the words.
    Find(L"mu");
    rows.Fill(catalog, L"<All>");
    EXPECT_EQ(RowIds(), (Ids{4, 2, 1}));
    rows.Sort(catalog, kFieldLatinName, true, OrderKeyIgnoringCase);
    EXPECT_EQ(RowIds(), (Ids{4, 2, 1}));
    rows.Sort(catalog, kFieldLatinName, false, OrderKeyIgnoringCase);
    EXPECT_EQ(RowIds(), (Ids{1, 2, 4}));
}

TEST_F(ListRowsTest, ALetterTypedWhileAFindRunsSupersedesItAndChangedRowsStayUntilTheTextChanges) {
    for (const wchar_t* name : {L"Murex", L"Conus", L"Cypraea", L"Oliva"})
        Add(name, {L"Shells"});
    rows.Fill(catalog, L"Shells");
    // The rows shown stay until the find has looked at every row.
    rows.StartFind(FindWords(L"c"));
    EXPECT_FALSE(rows.FindStep(catalog, 1));
    EXPECT_EQ(RowIds(), (Ids{4, 3, 2, 1}));
    // A new text mid-way starts over: what "c" found so far must not narrow it.
    rows.StartFind(FindWords(L"o"));
    EXPECT_TRUE(rows.FindStep(catalog, 100));
    rows.ShowFound();
    EXPECT_EQ(RowIds(), (Ids{4, 2}));

    // An edited specimen that no longer matches stays shown, as does a new one, until the
    // words change; what a specimen is found by follows its edit once told.
    catalog.FindSpecimen(2)->latinName = L"Strombus";
    rows.ForgetText(2);
    rows.KeepShown(2);
    Add(L"Haliotis", {L"Shells"});
    rows.AddFirst(catalog, 5);
    rows.Sort(catalog, kFieldLatinName, false, OrderKeyIgnoringCase);
    EXPECT_EQ(RowIds(), (Ids{5, 4, 2}));
    Find(L"ol");
    EXPECT_EQ(RowIds(), (Ids{4}));
    Find(L"strom");
    EXPECT_EQ(RowIds(), (Ids{2}));

    // Rows taken out while a find runs are not brought back by it.
    rows.StartFind(FindWords(L"y"));
    rows.FindStep(catalog, 1);
    rows.Remove({3});
    Find(L"y");
    EXPECT_EQ(RowIds(), (Ids{}));
    catalog.FindSpecimen(5)->latinName = L"Turbo";
    rows.ForgetAllTexts();
    // Texts made ahead of the find, a few at a time, are today's.
    EXPECT_FALSE(rows.PrepareTexts(catalog, 1));
    EXPECT_TRUE(rows.PrepareTexts(catalog, 10));
    Find(L"tu");
    EXPECT_EQ(RowIds(), (Ids{5}));
}

}  // namespace
