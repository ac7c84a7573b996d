#include <gtest/gtest.h>

#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "specimens/ListRows.h"
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

}  // namespace
