#include <gtest/gtest.h>

#include <atomic>

#include "base/DataFile.h"
#include "base/Paths.h"
#include "base/Progress.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/CommaSeparated.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/ScriptedHost.h"
#include "support/TestFolder.h"

namespace {

using Names = std::vector<std::wstring>;
using Bytes = std::vector<std::uint8_t>;

// Presses Cancel as the progress reaches the given report.
class CancellingProgress : public ProgressSink {
public:
    explicit CancellingProgress(int atReport) : atReport_(atReport) {}
    void ReportProgress(int) override {
        if (++reports_ == atReport_)
            cancelled = true;
    }
    std::atomic<bool> cancelled{false};

private:
    int atReport_;
    int reports_ = 0;
};

// Both exports over a catalog kept beside its picture files in a folder of its own.
class ExportTest : public ::testing::Test {
protected:
    ExportTest() {
        catalog.SetFilePath(source.File(L"catalog.xml"));
        EXPECT_TRUE(CreateFolderPath(source.File(L"Images"), false));
        EXPECT_TRUE(WriteFileBytes(source.File(L"Images\\a.png"), {1, 2, 3}));
        EXPECT_TRUE(WriteFileBytes(source.File(L"Images\\b.png"), {4}));
        for (const wchar_t* name : {L"a.png", L"", L"b.png"}) {
            Specimen specimen;
            specimen.tag = L"T";
            specimen.pictureName = name;
            specimen.categories = {L"Shells"};
            catalog.AddSpecimen(specimen);
        }
    }

    bool Export(bool commaSeparated, const std::wstring& path, bool pictureFiles, ProgressSink* progress = nullptr,
                const std::atomic<bool>* cancelled = nullptr) {
        if (commaSeparated)
            return ExportCommaSeparated(catalog, path, L"<All>", true, true, pictures, progress, pictureFiles,
                                        cancelled);
        return ExportCatalog(catalog, path, L"<All>", pictureFiles, pictures, progress, cancelled);
    }

    TestFolder source;
    TestFolder folder;
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    RecordingPictureWriter pictures;
};

TEST_F(ExportTest, ACancelledExportLeavesTheEarlierFileAsItWasAndNothingBeside) {
    for (bool commaSeparated : {true, false}) {
        TestFolder target;
        const std::wstring path = target.File(commaSeparated ? L"export.csv" : L"export.xml");
        ASSERT_TRUE(WriteFileBytes(path, {7, 7}));
        CancellingProgress progress(1);
        EXPECT_FALSE(Export(commaSeparated, path, true, &progress, &progress.cancelled)) << path;
        EXPECT_EQ(ReadFileBytes(path), (Bytes{7, 7})) << path;
        EXPECT_EQ(NamesIn(target.Path()), Names{FileNameOf(path)}) << path;  // no temporary file, no pictures

        // Cancelled among the pictures: the file is whole, the copying stops.
        CancellingProgress late(4);
        EXPECT_FALSE(Export(commaSeparated, path, true, &late, &late.cancelled)) << path;
        EXPECT_NE(ReadFileBytes(path), (Bytes{7, 7})) << path;
        EXPECT_EQ(NamesIn(target.Path()), (Names{L"Images", FileNameOf(path)})) << path;
        EXPECT_EQ(NamesIn(target.File(L"Images")), Names{L"a.png"}) << path;
    }
}

TEST_F(ExportTest, PicturesGoBesideTheExportOnlyWhenAskedAndTheCatalogsOwnFilesStayAlone) {
    for (bool commaSeparated : {true, false}) {
        for (bool pictureFiles : {true, false}) {
            TestFolder target;
            const std::wstring path = target.File(commaSeparated ? L"export.csv" : L"export.xml");
            ASSERT_TRUE(Export(commaSeparated, path, pictureFiles)) << path;
            const Names expected = pictureFiles ? Names{L"Images", FileNameOf(path)} : Names{FileNameOf(path)};
            EXPECT_EQ(NamesIn(target.Path()), expected) << path << pictureFiles;
            EXPECT_EQ(ReadFileBytes(target.File(L"Images\\a.png")), pictureFiles ? (Bytes{1, 2, 3}) : Bytes{});
            EXPECT_EQ(NamesIn(source.Path()), Names{L"Images"});  // no catalog file written
            EXPECT_EQ(NamesIn(source.File(L"Images")), (Names{L"a.png", L"b.png"}));
        }
    }

    // A markup export reads back with its pictures beside it.
    const std::wstring path = folder.File(L"export.xml");
    ASSERT_TRUE(Export(false, path, true));
    Settings readSettings;
    Catalog read{host, readSettings};
    FixedScreen screen;
    CatalogReadOutcome outcome;
    ASSERT_TRUE(ReadCatalog(read, path, false, screen, nullptr, outcome));
    ASSERT_EQ(read.Specimens().size(), 3u);
    EXPECT_EQ(read.Specimens()[0].pictureName, L"a.png");
    EXPECT_EQ(ReadPictureFile(PictureFolderOf(path), read.Specimens()[0].pictureName), (Bytes{1, 2, 3}));
}

TEST_F(ExportTest, PicturesKeptInTheCatalogFileTravelInsideAMarkupExport) {
    settings.storeImages = true;
    catalog.Specimens()[0].pictureData = {5, 6};
    const std::wstring path = folder.File(L"export.xml");
    ASSERT_TRUE(Export(false, path, false));
    EXPECT_EQ(NamesIn(folder.Path()), Names{L"export.xml"});
    Settings readSettings;
    Catalog read{host, readSettings};
    FixedScreen screen;
    CatalogReadOutcome outcome;
    ASSERT_TRUE(ReadCatalog(read, path, false, screen, nullptr, outcome));
    EXPECT_EQ(read.Specimens()[0].pictureData, (Bytes{5, 6}));
    EXPECT_EQ(read.Specimens()[2].pictureData, Bytes{4});  // read from the catalog's folder
}

}  // namespace
