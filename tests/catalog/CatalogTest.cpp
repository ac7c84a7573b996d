#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "support/ScriptedHost.h"

namespace {

Specimen MakeSpecimen(std::vector<std::wstring> categories, std::wstring tag = L"", std::wstring colour = L"") {
    Specimen specimen;
    specimen.categories = std::move(categories);
    specimen.tag = std::move(tag);
    specimen.colour = std::move(colour);
    return specimen;
}

std::vector<std::wstring> Tags(const Catalog& catalog) {
    std::vector<std::wstring> tags;
    for (const Specimen& specimen : catalog.Specimens())
        tags.push_back(specimen.tag);
    return tags;
}

using Names = std::vector<std::wstring>;

class CatalogTest : public ::testing::Test {
protected:
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
};

TEST_F(CatalogTest, AddingSpecimensFilesTheirNewCategoriesInOrderOnce) {
    catalog.AddCategory(L"Minerals");
    catalog.AddSpecimen(MakeSpecimen({L"Shells", L"Fossils"}, L"1"));
    catalog.AddSpecimen(MakeSpecimen({L"Fossils", L"Minerals"}, L"2"));
    catalog.AddSpecimen(MakeSpecimen({L"shells"}, L"3"));  // case makes a different category
    catalog.AddCategory(L"Shells");
    catalog.AddCategory(L"<All>");
    catalog.AddCategory(L"");
    EXPECT_EQ(catalog.Categories(), (Names{L"Minerals", L"Shells", L"Fossils", L"shells"}));
    EXPECT_EQ(Tags(catalog), (Names{L"1", L"2", L"3"}));
}

TEST_F(CatalogTest, IdsAreHandedOutInOrderAndNeverReused) {
    EXPECT_EQ(catalog.AddSpecimen(MakeSpecimen({L"A"})), 1);
    EXPECT_EQ(catalog.AddSpecimen(MakeSpecimen({L"A"})), 2);
    EXPECT_EQ(catalog.Specimens()[1].id, 2);
    EXPECT_TRUE(catalog.RemoveSpecimen(2));
    EXPECT_EQ(catalog.AddSpecimen(MakeSpecimen({L"A"})), 3);

    settings.nextTagNumber = 40;
    catalog.AddColour(L"Red");
    catalog.SetFilePath(L"C:\\cat.xml");
    catalog.Clear();
    EXPECT_TRUE(catalog.Categories().empty());
    EXPECT_TRUE(catalog.Specimens().empty());
    EXPECT_EQ(settings.nextTagNumber, 0u);
    EXPECT_EQ(catalog.Colours().count(L"Red"), 1u);
    EXPECT_EQ(catalog.FilePath(), L"C:\\cat.xml");
    EXPECT_EQ(catalog.AddSpecimen(MakeSpecimen({L"A"})), 4);
}

TEST_F(CatalogTest, ColoursAreKeptSortedByCodeUnitWithoutDuplicates) {
    catalog.AddSpecimen(MakeSpecimen({L"A"}, L"1", L"red"));
    catalog.AddSpecimen(MakeSpecimen({L"A"}, L"2", L"Blue"));
    catalog.AddSpecimen(MakeSpecimen({L"A"}, L"3", L"red"));
    catalog.AddSpecimen(MakeSpecimen({L"A"}, L"4", L""));
    catalog.AddColour(L"Amber");
    EXPECT_EQ(Names(catalog.Colours().begin(), catalog.Colours().end()), (Names{L"", L"Amber", L"Blue", L"red"}));
}

TEST_F(CatalogTest, FindReplaceAndRemoveWorkByIdAndIgnoreUnknownIds) {
    catalog.AddSpecimen(MakeSpecimen({L"A"}, L"1"));
    std::int32_t id = catalog.AddSpecimen(MakeSpecimen({L"A"}, L"2"));
    ASSERT_NE(catalog.FindSpecimen(id), nullptr);
    EXPECT_EQ(catalog.FindSpecimen(id)->tag, L"2");
    EXPECT_EQ(catalog.FindSpecimen(99), nullptr);

    Specimen edited = *catalog.FindSpecimen(id);
    edited.tag = L"2b";
    edited.price = 3;
    catalog.ReplaceSpecimen(id, edited);
    catalog.ReplaceSpecimen(99, edited);
    EXPECT_EQ(Tags(catalog), (Names{L"1", L"2b"}));
    EXPECT_EQ(catalog.FindSpecimen(id)->price, 3);

    catalog.SetSpecimenCategories(id, {L"B", L"C"});
    EXPECT_EQ(catalog.FindSpecimen(id)->categories, (Names{L"B", L"C"}));
    EXPECT_FALSE(catalog.RemoveSpecimen(99));
    EXPECT_TRUE(catalog.RemoveSpecimen(id));
    EXPECT_EQ(Tags(catalog), (Names{L"1"}));
}

TEST_F(CatalogTest, ManySpecimensAreRemovedOrMovedInOnePass) {
    for (const wchar_t* tag : {L"1", L"2", L"3", L"4", L"5"})
        catalog.AddSpecimen(MakeSpecimen({L"A", L"B"}, tag));
    catalog.SetSpecimensCategories({2, 4, 99}, {L"C", L"D"});
    EXPECT_EQ(catalog.FindSpecimen(2)->categories, (Names{L"C", L"D"}));
    EXPECT_EQ(catalog.FindSpecimen(4)->categories, (Names{L"C", L"D"}));
    EXPECT_EQ(catalog.FindSpecimen(3)->categories, (Names{L"A", L"B"}));
    EXPECT_EQ(catalog.RemoveSpecimens({5, 1, 99, 1}), 2u);
    EXPECT_EQ(Tags(catalog), (Names{L"2", L"3", L"4"}));
    EXPECT_EQ(catalog.RemoveSpecimens({}), 0u);
}

TEST_F(CatalogTest, RenamingACategoryRenamesItEverywhere) {
    catalog.AddSpecimen(MakeSpecimen({L"Shells", L"Beach"}, L"1"));
    catalog.AddSpecimen(MakeSpecimen({L"Beach"}, L"2"));
    catalog.AddSpecimen(MakeSpecimen({L"beach"}, L"3"));
    catalog.RenameCategory(catalog.Categories()[1], L"Coast");
    EXPECT_EQ(catalog.Categories(), (Names{L"Shells", L"Coast", L"beach"}));
    EXPECT_EQ(catalog.Specimens()[0].categories, (Names{L"Shells", L"Coast"}));
    EXPECT_EQ(catalog.Specimens()[1].categories, (Names{L"Coast"}));
    EXPECT_EQ(catalog.Specimens()[2].categories, (Names{L"beach"}));
}

TEST_F(CatalogTest, RenamingOntoAnExistingNameMergesTheTwo) {
    catalog.AddSpecimen(MakeSpecimen({L"Shells", L"Beach"}, L"1"));
    catalog.AddSpecimen(MakeSpecimen({L"Beach"}, L"2"));
    catalog.AddCategory(L"Fossils");
    catalog.RenameCategory(L"Beach", L"Shells");
    EXPECT_EQ(catalog.Categories(), (Names{L"Shells", L"Fossils"}));
    EXPECT_EQ(catalog.Specimens()[0].categories, (Names{L"Shells"}));
    EXPECT_EQ(catalog.Specimens()[1].categories, (Names{L"Shells"}));
}

// Categories are looked up in an index; whatever changes the list must leave it right.
TEST_F(CatalogTest, ANameIsListedOnceWhateverChangedTheListBefore) {
    const std::pair<const char*, std::function<void(Catalog&)>> changes[] = {
            {"rename", [](Catalog& c) { c.RenameCategory(L"Beach", L"Coast"); }},
            {"delete", [](Catalog& c) { c.DeleteCategory(L"Beach"); }},
            {"clear", [](Catalog& c) { c.Clear(); }},
            {"move", [](Catalog& c) { c.MoveCategory(L"Beach", false); }},
    };
    for (const auto& [name, change] : changes) {
        ScriptedHost answers;
        Settings options;
        Catalog listed(answers, options);
        listed.AddCategory(L"Shells");
        listed.AddSpecimen(MakeSpecimen({L"Beach", L"Shells"}));
        change(listed);
        for (const wchar_t* category : {L"Beach", L"Coast", L"Shells", L"beach", L"Beach", L"Coast"})
            listed.AddSpecimen(MakeSpecimen({category}));
        Names sorted = listed.Categories();
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (Names{L"Beach", L"Coast", L"Shells", L"beach"})) << name;
    }
}

TEST_F(CatalogTest, DeletingAnEmptyCategoryAsksNothing) {
    catalog.AddCategory(L"Empty");
    catalog.AddSpecimen(MakeSpecimen({L"Full"}));
    EXPECT_TRUE(catalog.DeleteCategory(L"Empty"));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(catalog.Categories(), (Names{L"Full"}));
}

TEST_F(CatalogTest, DeletingANonEmptyCategoryNeedsTheUsersYes) {
    catalog.AddSpecimen(MakeSpecimen({L"Shells"}, L"only shells"));
    catalog.AddSpecimen(MakeSpecimen({L"Shells", L"Beach"}, L"shared"));
    catalog.AddSpecimen(MakeSpecimen({L"Beach"}, L"only beach"));

    host.answer = false;
    EXPECT_FALSE(catalog.DeleteCategory(L"Shells"));
    EXPECT_EQ(host.questions, (std::vector<unsigned>{3204}));
    EXPECT_EQ(Tags(catalog), (Names{L"only shells", L"shared", L"only beach"}));
    EXPECT_EQ(catalog.Categories(), (Names{L"Shells", L"Beach"}));

    host.answer = true;
    EXPECT_TRUE(catalog.DeleteCategory(L"Shells"));
    EXPECT_EQ(Tags(catalog), (Names{L"shared", L"only beach"}));
    EXPECT_EQ(catalog.Specimens()[0].categories, (Names{L"Beach"}));
    EXPECT_EQ(catalog.Categories(), (Names{L"Beach"}));
}

TEST_F(CatalogTest, DeletingACategoryRemovesOnlySpecimensItWasTheLastCategoryOf) {
    struct Case {
        std::wstring name;
        bool deleted;
        Names tags;
        Names categories;
        size_t questions;
    };
    const Case cases[] = {
            {L"Shells", true, {L"never filed", L"shared"}, {L"Beach"}, 1},
            {L"Nowhere", false, {L"only shells", L"never filed", L"shared"}, {L"Shells", L"Beach"}, 0},
            {L"", false, {L"only shells", L"never filed", L"shared"}, {L"Shells", L"Beach"}, 0},
            {L"<All>", false, {L"only shells", L"never filed", L"shared"}, {L"Shells", L"Beach"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedHost fresh;
        Settings freshSettings;
        Catalog subject(fresh, freshSettings);
        subject.AddSpecimen(MakeSpecimen({L"Shells"}, L"only shells"));
        subject.AddSpecimen(MakeSpecimen({}, L"never filed"));  // as an import without a Category column
        subject.AddSpecimen(MakeSpecimen({L"Shells", L"Beach"}, L"shared"));
        EXPECT_EQ(subject.DeleteCategory(c.name), c.deleted);
        EXPECT_EQ(Tags(subject), c.tags);
        EXPECT_EQ(subject.Categories(), c.categories);
        EXPECT_EQ(fresh.questions.size(), c.questions);
    }
}

TEST_F(CatalogTest, DeletingByAReferenceIntoTheListStillWorks) {
    catalog.AddSpecimen(MakeSpecimen({L"A"}));
    catalog.AddSpecimen(MakeSpecimen({L"B"}));
    EXPECT_TRUE(catalog.DeleteCategory(catalog.Categories()[0]));
    EXPECT_EQ(catalog.Categories(), (Names{L"B"}));
    EXPECT_EQ(catalog.Specimens().size(), 1u);
}

TEST_F(CatalogTest, MovingCategoriesStopsAtTheEnds) {
    for (const wchar_t* name : {L"A", L"B", L"C"})
        catalog.AddCategory(name);
    EXPECT_FALSE(catalog.MoveCategory(L"A", false));
    EXPECT_FALSE(catalog.MoveCategory(L"C", true));
    EXPECT_FALSE(catalog.MoveCategory(L"Z", true));
    EXPECT_EQ(catalog.Categories(), (Names{L"A", L"B", L"C"}));
    EXPECT_TRUE(catalog.MoveCategory(L"A", true));
    EXPECT_EQ(catalog.Categories(), (Names{L"B", L"A", L"C"}));
    EXPECT_TRUE(catalog.MoveCategory(L"C", false));
    EXPECT_EQ(catalog.Categories(), (Names{L"B", L"C", L"A"}));
}

TEST_F(CatalogTest, TheFilterTakesEverySpecimenForAllOrEmpty) {
    catalog.AddSpecimen(MakeSpecimen({L"Shells"}));
    catalog.AddSpecimen(MakeSpecimen({L"Shells", L"Beach"}));
    catalog.AddSpecimen(MakeSpecimen({}));
    EXPECT_EQ(catalog.CountInFilter(L""), 3);
    EXPECT_EQ(catalog.CountInFilter(L"<All>"), 3);
    EXPECT_EQ(catalog.CountInFilter(L"Shells"), 2);
    EXPECT_EQ(catalog.CountInFilter(L"Beach"), 1);
    EXPECT_EQ(catalog.CountInFilter(L"shells"), 0);
    EXPECT_EQ(catalog.CountInFilter(L"<all>"), 0);
}

TEST_F(CatalogTest, RemovingACategoryFromASpecimenTellsWhenNoneIsLeft) {
    Specimen specimen = MakeSpecimen({L"A", L"B", L"A"});
    EXPECT_FALSE(Catalog::RemoveCategoryFromSpecimen(specimen, L"A"));
    EXPECT_EQ(specimen.categories, (Names{L"B", L"A"}));
    EXPECT_FALSE(Catalog::RemoveCategoryFromSpecimen(specimen, L"Z"));
    EXPECT_FALSE(Catalog::RemoveCategoryFromSpecimen(specimen, L"B"));
    EXPECT_TRUE(Catalog::RemoveCategoryFromSpecimen(specimen, L"A"));
}

TEST_F(CatalogTest, SettingTheFilePathTellsTheHost) {
    catalog.SetFilePath(L"D:\\My Shells.xml");
    EXPECT_EQ(catalog.FilePath(), L"D:\\My Shells.xml");
    EXPECT_EQ(host.paths, (Names{L"D:\\My Shells.xml"}));
}

TEST(FieldText, EveryFieldHasItsTextForm) {
    Specimen s;
    s.categories = {L"Shells", L"Beach Finds"};
    s.collector = L"Ann";
    s.colour = L"Red";
    s.commonName = L"Cowrie";
    s.dateCollected = L"3/4/2001";
    s.dimensions = L"2 x 3";
    s.latinName = L"Cypraea tigris";
    s.location = L"Reef";
    s.pictureName = L"cowrie.jpg";
    s.remarks = L"Fine";
    s.tag = L"S-1";
    s.userFields = {L"u1", L"u2", L"u3", L"u4", L"u5"};
    s.price = 12.5;
    s.value = 1234.567;
    s.abundance = L"Rare";
    s.quality = L"Gem";
    s.size = 2.5;
    s.order = 17;
    s.mask = true;
    const wchar_t* expected[] = {L"Shells,Beach Finds",
                                 L"Ann",
                                 L"Red",
                                 L"Cowrie",
                                 L"3/4/2001",
                                 L"2 x 3",
                                 L"Cypraea tigris",
                                 L"Reef",
                                 L"cowrie.jpg",
                                 L"Fine",
                                 L"S-1",
                                 L"u1",
                                 L"u2",
                                 L"$12.50",
                                 L"$1234.57",
                                 L"Rare",
                                 L"Gem",
                                 L"2.5",
                                 L"17",
                                 L"Yes",
                                 L"u3",
                                 L"u4",
                                 L"u5"};
    for (int field = 0; field < kFieldCount; ++field)
        EXPECT_EQ(Catalog::FieldText(s, field), expected[field]) << field;
    EXPECT_EQ(Catalog::FieldText(s, 23), L"");
    EXPECT_EQ(Catalog::FieldText(s, -1), L"");
}

TEST(FieldText, ZeroAndNegativeNumbers) {
    Specimen s;
    EXPECT_EQ(Catalog::FieldText(s, kFieldPrice), L"");
    EXPECT_EQ(Catalog::FieldText(s, kFieldValue), L"");
    EXPECT_EQ(Catalog::FieldText(s, kFieldSize), L"0");
    EXPECT_EQ(Catalog::FieldText(s, kFieldOrder), L"0");
    EXPECT_EQ(Catalog::FieldText(s, kFieldMask), L"No");
    EXPECT_EQ(Catalog::FieldText(s, kFieldCategory), L"");
    s.price = -4;
    s.value = 0.004;
    s.size = 1234567;
    s.order = -2;
    EXPECT_EQ(Catalog::FieldText(s, kFieldPrice), L"");
    EXPECT_EQ(Catalog::FieldText(s, kFieldValue), L"$0.00");
    EXPECT_EQ(Catalog::FieldText(s, kFieldSize), L"1.23457e+06");
    EXPECT_EQ(Catalog::FieldText(s, kFieldOrder), L"-2");
}

}  // namespace
