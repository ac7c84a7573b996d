#include <gtest/gtest.h>

#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "frame/CategoryTabs.h"
#include "support/ScriptedHost.h"

namespace {

using Names = std::vector<std::wstring>;

TEST(CategoryTabs, AllComesLastAndCategoriesNamedOnlyBySpecimensReappear) {
    ScriptedHost host;
    Settings settings;
    Catalog catalog(host, settings);
    catalog.AddCategory(L"Shells");
    catalog.AddCategory(L"shells");
    Specimen specimen;
    specimen.categories = {L"Fossils", L"<All>"};
    catalog.AddSpecimen(specimen);
    // A specimen renamed behind the list's back names a category the list lacks.
    catalog.Specimens()[0].categories.push_back(L"Minerals");

    TabPlan plan = PlanTabs(catalog, L"shells");
    EXPECT_EQ(plan.names, (Names{L"Shells", L"shells", L"Fossils", L"Minerals", L"<All>"}));
    EXPECT_EQ(plan.selected, 1);
    EXPECT_EQ(catalog.Categories(), (Names{L"Shells", L"shells", L"Fossils", L"Minerals"}));

    EXPECT_EQ(PlanTabs(catalog, L"Gone").selected, 4);
    EXPECT_EQ(PlanTabs(catalog, L"<All>").selected, 4);
    Catalog empty(host, settings);
    EXPECT_EQ(PlanTabs(empty, L"").names, (Names{L"<All>"}));
}

TEST(CategoryTabs, NextCategoryWrapsToTheFirst) {
    const Names categories = {L"A", L"B", L"C"};
    EXPECT_EQ(NextTabIndex(categories, L"A"), 1);
    EXPECT_EQ(NextTabIndex(categories, L"B"), 2);
    EXPECT_EQ(NextTabIndex(categories, L"C"), 0);
    EXPECT_EQ(NextTabIndex(categories, L"<All>"), 0);
    EXPECT_EQ(NextTabIndex({}, L"<All>"), 0);
}

TEST(CategoryTabs, TheStatusBarCountsTheCategory) {
    EXPECT_EQ(CategoryCountText(L"Shells", 12), L"Shells: 12");
    EXPECT_EQ(CategoryCountText(L"<All>", 0), L"<All>: 0");
    EXPECT_EQ(CategoryCountText(L"Shells", 1204, 12), L"Shells: 12 of 1204");
}

}  // namespace

TEST(CategoryTabs, TheListShowsAllTheNamedCategoryOrElseTheFirst) {
    ScriptedHost host;
    Settings settings;
    Catalog catalog(host, settings);
    // Without categories a name stays as it is, and shows nothing.
    EXPECT_EQ(ListedCategory(catalog, L"Gone"), L"Gone");
    catalog.AddCategory(L"Shells");
    catalog.AddCategory(L"Fossils");
    EXPECT_EQ(ListedCategory(catalog, L"<All>"), L"<All>");
    EXPECT_EQ(ListedCategory(catalog, L"Fossils"), L"Fossils");
    EXPECT_EQ(ListedCategory(catalog, L"Gone"), L"Shells");
    // "<All>" is recognised exactly: another spelling is just a name that is not a category.
    EXPECT_EQ(ListedCategory(catalog, L"<all>"), L"Shells");
}
