#include <gtest/gtest.h>

#include "base/DataFile.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/PictureFiles.h"
#include "catalog/PictureNames.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/ScriptedHost.h"
#include "support/TestFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::wstring>;

const Bytes kX = {0xFF, 0xD8, 1};
const Bytes kY = {0xFF, 0xD8, 2};
const Bytes kZ = {0xFF, 0xD8, 3};

Specimen WithPicture(const std::wstring& name, const Bytes& bytes) {
    Specimen specimen;
    specimen.pictureName = name;
    specimen.pictureData = bytes;
    return specimen;
}

class PictureFilesTest : public ::testing::Test {
protected:
    bool Save() { return WriteCatalog(catalog, path, L"", pictures, nullptr); }
    Names PictureNames() const {
        Names names;
        for (const Specimen& specimen : catalog.Specimens())
            names.push_back(specimen.pictureName);
        return names;
    }
    void PutPicture(const std::wstring& name, const Bytes& bytes) {
        ASSERT_TRUE(CreateFolderPath(images, false));
        ASSERT_TRUE(WriteFileBytes(images + name, bytes));
    }

    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
    std::wstring images = folder.File(L"Images\\");
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    RecordingPictureWriter pictures;

    void SetUp() override { catalog.SetFilePath(path); }
};

TEST_F(PictureFilesTest, AChosenPictureBringsItsBytesAndItsNameWithoutTheFolder) {
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Quartz.JPG"), kX));
    const struct {
        std::wstring path;
        std::wstring name;
        Bytes bytes;
    } cases[] = {
            {folder.File(L"Quartz.JPG"), L"Quartz.JPG", kX},
            {folder.File(L"gone.png"), L"gone.png", {}},  // unreadable: the name is still set
            {L"", L"", {}},                               // removing the picture
    };
    for (const auto& c : cases) {
        Specimen specimen = WithPicture(L"old.jpg", kZ);
        LoadPictureBytes(specimen, c.path);
        EXPECT_EQ(specimen.pictureName, c.name) << c.path;
        EXPECT_EQ(specimen.pictureData, c.bytes) << c.path;
    }
}

TEST_F(PictureFilesTest, PictureFilesAreReadFromInsideThePictureFolderOnly) {
    PutPicture(L"inside.jpg", kX);
    ASSERT_TRUE(WriteFileBytes(folder.File(L"outside.jpg"), kY));
    const struct {
        std::wstring name;
        Bytes bytes;
    } cases[] = {
            {L"inside.jpg", kX},
            {L"..\\inside.jpg", kX},  // the folder part is dropped
            {L"..\\outside.jpg", {}},
            {folder.File(L"outside.jpg"), {}},
            {L"\\\\server\\share\\outside.jpg", {}},
            {L"a:outside.jpg", {}},
            {L"outside.jpg.", {}},
            {L"..", {}},
            {L"...", {}},
            {L"con", {}},
            {L"nul.jpg", {}},
            {L"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadPictureFile(images, c.name), c.bytes) << c.name;
    EXPECT_TRUE(ReadPictureFile(L"", L"inside.jpg").empty());
}

TEST_F(PictureFilesTest, ASaveWritesOnlyThePictureFilesThatAreMissingOrChanged) {
    catalog.AddSpecimen(WithPicture(L"a.jpg", kX));
    catalog.AddSpecimen(WithPicture(L"b.jpg", kY));
    ASSERT_TRUE(Save());
    EXPECT_EQ(pictures.paths, (Names{images + L"a.jpg", images + L"b.jpg"}));

    pictures.paths.clear();
    ASSERT_TRUE(Save());
    EXPECT_TRUE(pictures.paths.empty());

    catalog.Specimens()[0].pictureData = kZ;
    ASSERT_TRUE(DeleteFileForce(images + L"b.jpg"));
    ASSERT_TRUE(Save());
    EXPECT_EQ(pictures.paths, (Names{images + L"a.jpg", images + L"b.jpg"}));
    EXPECT_EQ(ReadFileBytes(images + L"a.jpg"), kZ);
    EXPECT_EQ(ReadFileBytes(images + L"b.jpg"), kY);
}

// A catalog not yet given a file keeps its pictures beside the file it is written to, never in
// whatever folder the program was started from.
TEST_F(PictureFilesTest, PictureFilesGoBesideTheFileWrittenWhenTheCatalogHasNoFileYet) {
    catalog.SetFilePath(L"");
    catalog.AddSpecimen(WithPicture(L"a.jpg", kX));
    ASSERT_TRUE(Save());
    EXPECT_EQ(pictures.paths, Names{images + L"a.jpg"});
    EXPECT_EQ(ReadFileBytes(images + L"a.jpg"), kX);
}

TEST_F(PictureFilesTest, KeepingPicturesInTheFileTakesThoseNeverReadFromThePictureFolder) {
    PutPicture(L"shell.jpg", kX);
    ASSERT_TRUE(WriteFileBytes(folder.File(L"secret.jpg"), kY));
    settings.storeImages = true;
    catalog.AddSpecimen(WithPicture(L"shell.jpg", {}));
    catalog.AddSpecimen(WithPicture(L"..\\secret.jpg", {}));
    catalog.AddSpecimen(WithPicture(L"missing.jpg", {}));
    catalog.AddSpecimen(WithPicture(L"held.jpg", kZ));
    ASSERT_TRUE(Save());
    EXPECT_TRUE(catalog.Specimens()[0].pictureData.empty());  // the catalog itself is not changed
    EXPECT_TRUE(pictures.paths.empty());

    ScriptedHost otherHost;
    Settings otherSettings;
    Catalog copy{otherHost, otherSettings};
    FixedScreen screen;
    CatalogReadOutcome outcome;
    ASSERT_TRUE(ReadCatalog(copy, path, false, screen, nullptr, outcome));
    ASSERT_EQ(copy.Specimens().size(), 4u);
    const Bytes expected[] = {kX, {}, {}, kZ};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(copy.Specimens()[i].pictureData, expected[i]) << i;
        EXPECT_EQ(copy.Specimens()[i].pictureName, catalog.Specimens()[i].pictureName) << i;
    }
}

TEST_F(PictureFilesTest, DifferentPicturesUnderOneNameGetNamesOfTheirOwnBeforeASave) {
    PutPicture(L"shell.png", kX);      // shown by a specimen that never read it
    PutPicture(L"shell (2).png", kZ);  // a file no specimen shows
    catalog.AddSpecimen(WithPicture(L"IMG_0001.JPG", kX));
    catalog.AddSpecimen(WithPicture(L"IMG_0001.JPG", kY));
    catalog.AddSpecimen(WithPicture(L"img_0001.jpg", kX));  // the same picture: shares the file
    catalog.AddSpecimen(WithPicture(L"IMG_0001.JPG", kY));  // the second camera's again
    catalog.AddSpecimen(WithPicture(L"IMG_0001 (2).JPG", kZ));
    catalog.AddSpecimen(WithPicture(L"shell.png", {}));
    catalog.AddSpecimen(WithPicture(L"shell.png", kY));
    catalog.AddSpecimen(WithPicture(L"..\\evil.jpg", kY));  // never written: left alone
    EXPECT_EQ(SeparateClashingPictures(catalog, images), 3);
    EXPECT_EQ(PictureNames(), (Names{L"IMG_0001.JPG", L"IMG_0001 (3).JPG", L"img_0001.jpg", L"IMG_0001 (3).JPG",
                                     L"IMG_0001 (2).JPG", L"shell.png", L"shell (3).png", L"..\\evil.jpg"}));
    ASSERT_TRUE(Save());
    const std::pair<const wchar_t*, Bytes> files[] = {{L"IMG_0001.JPG", kX},     {L"IMG_0001 (2).JPG", kZ},
                                                      {L"IMG_0001 (3).JPG", kY}, {L"shell.png", kX},
                                                      {L"shell (2).png", kZ},    {L"shell (3).png", kY}};
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(ReadFileBytes(images + name), bytes) << name;
    EXPECT_EQ(SeparateClashingPictures(catalog, images), 0);
}

// A catalog imported from another folder brings the bytes of its picture files, so a picture of
// the same name in this catalog's folder is neither shown in its place nor replaced by it.
TEST_F(PictureFilesTest, ACatalogReadFromAnotherFolderBringsItsPictureFiles) {
    PutPicture(L"IMG_0001.JPG", kY);
    catalog.AddSpecimen(WithPicture(L"own.jpg", {}));
    ScriptedHost otherHost;
    Settings otherSettings;
    Catalog other{otherHost, otherSettings};
    const std::wstring otherPath = folder.File(L"trip\\trip.xml");
    other.SetFilePath(otherPath);
    ASSERT_TRUE(CreateFolderPath(folder.File(L"trip"), false));
    other.AddSpecimen(WithPicture(L"IMG_0001.JPG", kX));
    other.AddSpecimen(WithPicture(L"lost.jpg", kZ));
    ASSERT_TRUE(WriteCatalog(other, otherPath, L"", pictures, nullptr));
    ASSERT_TRUE(DeleteFileForce(folder.File(L"trip\\Images\\lost.jpg")));

    for (bool addMode : {true, false}) {
        FixedScreen screen;
        CatalogReadOutcome outcome;
        ASSERT_TRUE(ReadCatalog(catalog, otherPath, addMode, screen, nullptr, outcome));
        EXPECT_EQ(outcome.picturesTaken, 1u);
        const std::vector<Specimen>& read = catalog.Specimens();
        ASSERT_EQ(read.size(), addMode ? 3u : 2u);
        EXPECT_EQ(read[read.size() - 2].pictureData, kX);
        EXPECT_EQ(read[read.size() - 2].pictureName, L"IMG_0001 (2).JPG");
        EXPECT_EQ(read.back().pictureName, L"lost.jpg");  // missing: a name, as before
        EXPECT_TRUE(read.back().pictureData.empty());
        if (addMode) {
            EXPECT_TRUE(read.front().pictureData.empty());  // its own picture is not read
        }
    }
    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadFileBytes(images + L"IMG_0001.JPG"), kY);
    EXPECT_EQ(ReadFileBytes(images + L"IMG_0001 (2).JPG"), kX);

    // The catalog's own file, or another in its folder, brings nothing.
    FixedScreen screen;
    CatalogReadOutcome outcome;
    ASSERT_TRUE(ReadCatalog(catalog, path, false, screen, nullptr, outcome));
    EXPECT_EQ(outcome.picturesTaken, 0u);
}

TEST_F(PictureFilesTest, APictureChosenForASpecimenGetsANameNoOtherPictureHolds) {
    const std::int32_t first = catalog.AddSpecimen(WithPicture(L"IMG_0001.JPG", kX));
    const std::int32_t second = catalog.AddSpecimen(WithPicture(L"shell.png", {}));
    PutPicture(L"shell.png", kY);
    PutPicture(L"IMG_0001 (2).JPG", kZ);
    ASSERT_TRUE(Save());
    const struct {
        std::int32_t id;  // 0: a new specimen
        std::wstring name;
        Bytes bytes;
        std::wstring expected;
    } cases[] = {
            {0, L"IMG_0001.JPG", kX, L"IMG_0001.JPG"},      // the same picture again
            {0, L"img_0001.jpg", kX, L"img_0001.jpg"},      // letter case aside, the same name
            {0, L"IMG_0001.JPG", kY, L"IMG_0001 (3).JPG"},  // (2) is another picture's file
            {0, L"IMG_0001 (2).JPG", kZ, L"IMG_0001 (2).JPG"},
            {first, L"IMG_0001.JPG", kY, L"IMG_0001.JPG"},  // a new picture replaces its own file
            {second, L"IMG_0001.JPG", kY, L"IMG_0001 (3).JPG"},
            {0, L"shell.png", kY, L"shell.png"},  // the file of a picture never read
            {0, L"shell.png", kX, L"shell (2).png"},
            {0, L"new.jpg", {}, L"new.jpg"},  // no bytes, no file to clash
            {0, L"..\\IMG_0001.JPG", {}, L"..\\IMG_0001.JPG"},
    };
    for (const auto& c : cases) {
        Specimen specimen = WithPicture(c.name, c.bytes);
        specimen.id = c.id;
        EXPECT_EQ(FreePictureName(catalog, specimen, images), c.expected) << c.id << L" " << c.name;
    }
}

}  // namespace
