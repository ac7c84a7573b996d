#include <gtest/gtest.h>

#include "specimens/BatchEdit.h"

namespace {

using Names = std::vector<std::wstring>;

Specimen Made(std::wstring latin, double price, Names categories, std::wstring remarks = L"") {
    Specimen specimen;
    specimen.latinName = std::move(latin);
    specimen.price = price;
    specimen.categories = std::move(categories);
    specimen.remarks = std::move(remarks);
    specimen.userFields[3] = L"drawer 4";
    return specimen;
}

TEST(BatchEditTest, AFieldShowsWhatAllShareAndNothingWhenTheyDiffer) {
    const Specimen a = Made(L"Conus", 12.345, {L"Shells"});
    const Specimen b = Made(L"Conus", 12.345, {L"Shells", L"Fossils"}, L"chipped");
    const Specimen c = Made(L"Oliva", 12.35, {L"Shells", L"Shells"});
    const std::vector<const Specimen*> ab{&a, &b}, abc{&a, &b, &c};

    EXPECT_EQ(SharedFieldText(ab, kFieldLatinName, L"$"), L"Conus");
    EXPECT_EQ(SharedFieldText(abc, kFieldLatinName, L"$"), std::nullopt);
    EXPECT_EQ(SharedFieldText(ab, kFieldRemarks, L"$"), std::nullopt);
    EXPECT_EQ(SharedFieldText(abc, kFieldUser4, L"$"), L"drawer 4");
    EXPECT_EQ(SharedFieldText(abc, kFieldUser3, L"$"), L"");
    EXPECT_EQ(SharedFieldText(ab, kFieldPrice, L"$"), L"$12.35");
    // Shown alike, but not the same number.
    EXPECT_EQ(SharedFieldText(abc, kFieldPrice, L"$"), std::nullopt);
    EXPECT_EQ(SharedFieldText(abc, kFieldOrder, L"$"), L"");

    const Names listed{L"Fossils", L"Minerals", L"Shells"};
    EXPECT_EQ(CategoryTicks(listed, abc), (std::vector<Tick>{Tick::Mixed, Tick::Unchecked, Tick::Checked}));
}

TEST(BatchEditTest, TheBoxesCycleThroughMixedOnlyWhenTheyStartedMixed) {
    EXPECT_EQ(NextTick(Tick::Mixed, true), Tick::Checked);
    EXPECT_EQ(NextTick(Tick::Checked, true), Tick::Unchecked);
    EXPECT_EQ(NextTick(Tick::Unchecked, true), Tick::Mixed);
    EXPECT_EQ(NextTick(Tick::Unchecked, false), Tick::Checked);
}

TEST(BatchEditTest, OkChangesOnlyWhatTheUserChangedInEverySpecimen) {
    const Names listed{L"Fossils", L"Minerals", L"Shells"};
    BatchEdit edit;
    ReadCategoryTicks(listed, {Tick::Mixed, Tick::Unchecked, Tick::Checked},
                      {Tick::Mixed, Tick::Checked, Tick::Unchecked}, edit);
    EXPECT_EQ(edit.categoriesAdded, Names{L"Minerals"});
    EXPECT_EQ(edit.categoriesRemoved, Names{L"Shells"});
    EXPECT_TRUE(BatchEdit().ChangesNothing());

    edit.fields = {{kFieldRemarks, L""}, {kFieldUser1, L"Box 9"}, {kFieldValue, L"$7.5"}, {kFieldOrder, L"3"}};
    edit.mask = true;
    Specimen a = Made(L"Conus", 12.345, {L"Shells", L"Fossils"}, L"chipped");
    Specimen b = Made(L"Oliva", 2, {L"Shells"});
    b.pictureName = L"b.jpg";
    b.pictureData = {1, 2};
    ApplyBatchEdit(edit, a);
    ApplyBatchEdit(edit, b);
    EXPECT_EQ(a.latinName, L"Conus");
    EXPECT_EQ(a.price, 12.345);
    EXPECT_EQ(a.remarks, L"");
    EXPECT_EQ(a.userFields[0], L"Box 9");
    EXPECT_EQ(a.userFields[3], L"drawer 4");
    EXPECT_EQ(a.value, 7.5);
    EXPECT_EQ(a.order, 3);
    EXPECT_TRUE(a.mask);
    EXPECT_EQ(a.categories, (Names{L"Fossils", L"Minerals"}));
    EXPECT_EQ(b.categories, Names{L"Minerals"});
    EXPECT_EQ(b.pictureName, L"b.jpg");
    // Taking away its last category leaves a specimen its own.
    BatchEdit removal;
    removal.categoriesRemoved = {L"Minerals"};
    ApplyBatchEdit(removal, b);
    EXPECT_EQ(b.categories, Names{L"Minerals"});

    BatchEdit picture;
    picture.picture = BatchEdit::Picture::Set;
    picture.pictureName = L"new.png";
    picture.pictureData = {9};
    ApplyBatchEdit(picture, a);
    EXPECT_EQ(a.pictureName, L"new.png");
    EXPECT_EQ(a.pictureData, std::vector<std::uint8_t>{9});
    picture.picture = BatchEdit::Picture::Cleared;
    ApplyBatchEdit(picture, b);
    EXPECT_TRUE(b.pictureName.empty() && b.pictureData.empty());
}

}  // namespace
