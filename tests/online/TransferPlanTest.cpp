#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/DataFile.h"
#include "online/TransferPlan.h"
#include "support/TestFolder.h"

namespace {

using Names = std::vector<std::wstring>;

TEST(TransferPlan, ProgramCatalogAndPictureFolderGoIntoTheChosenFolder) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* program;
        bool picturesInCatalog;
        FileCopy expectedProgram;
        const wchar_t* expectedPictures;
    };
    const Case cases[] = {
            {L"E:\\stick",
             L"C:\\Apps\\orvelle.exe",
             false,
             {L"C:\\Apps\\orvelle.exe", L"E:\\stick\\orvelle.exe"},
             L"E:\\stick\\Images\\"},
            {L"E:\\stick\\",
             L"C:\\Apps\\orvelle.exe",
             true,
             {L"C:\\Apps\\orvelle.exe", L"E:\\stick\\orvelle.exe"},
             L""},
            // Without the program's own path only the catalog and its pictures go.
            {L"E:\\", L"", false, {L"", L""}, L"E:\\Images\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.folder << " " << c.picturesInCatalog);
        const TransferPlan plan = PlanTransfer(c.folder, c.program, L"D:\\Shells\\cat.xml", c.picturesInCatalog);
        const std::wstring folder = std::wstring(c.folder).back() == L'\\' ? c.folder : c.folder + std::wstring(L"\\");
        EXPECT_EQ(plan.folder, folder);
        EXPECT_EQ(plan.program.from, c.expectedProgram.from);
        EXPECT_EQ(plan.program.to, c.expectedProgram.to);
        EXPECT_EQ(plan.catalog.from, L"D:\\Shells\\cat.xml");
        EXPECT_EQ(plan.catalog.to, folder + L"cat.xml");
        EXPECT_EQ(plan.pictureDestination, c.expectedPictures);
        EXPECT_EQ(plan.pictureSource, c.picturesInCatalog ? L"" : L"D:\\Shells\\Images\\");
    }
}

class TransferCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateFolderPath(source.File(L"Images\\"), false));
        for (const wchar_t* name : {L"orvelle.exe", L"cat.xml", L"Images\\a.jpg", L"Images\\b.png"})
            ASSERT_TRUE(WriteFileBytes(source.File(name), AsciiBytes("bytes")));
    }

    // Copies as the command does once the question is answered.
    TransferOutcome Transfer(const TransferPlan& plan, const Names& pictures = {L"a.jpg", L"b.png"}) {
        TransferOutcome outcome;
        CopyNoting(plan.program, outcome);
        CopyPictures(plan, pictures, outcome);
        CopyNoting(plan.catalog, outcome);
        return outcome;
    }

    TestFolder source;
    TestFolder destination;
};

TEST_F(TransferCopyTest, EverythingIsCopiedAndTheReportListsIt) {
    const TransferPlan plan = PlanTransfer(destination.Path(), source.File(L"orvelle.exe"), source.File(L"cat.xml"),
                                           false);
    const TransferOutcome outcome = Transfer(plan);
    EXPECT_EQ(outcome.copied, (Names{L"orvelle.exe", L"cat.xml"}));
    EXPECT_EQ(outcome.picturesCopied, 2);
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_EQ(NamesIn(destination.File(L"Images\\")), (Names{L"a.jpg", L"b.png"}));
    EXPECT_EQ(ReadFileBytes(destination.File(L"cat.xml")), AsciiBytes("bytes"));
    EXPECT_EQ(TransferReport(plan, outcome),
              L"Orvelle copied these files to " + destination.Path() +
                      L"\r\n    orvelle.exe\r\n    cat.xml\r\n    Images\\ (2 pictures)");
}

TEST_F(TransferCopyTest, ThePictureFolderIsCreatedWithItsParents) {
    // The chosen folder has gone since it was chosen (a disk taken out and put back empty).
    const TransferPlan plan = PlanTransfer(destination.File(L"new\\deeper"), L"", source.File(L"cat.xml"), false);
    const TransferOutcome outcome = Transfer(plan);
    EXPECT_EQ(outcome.picturesCopied, 2);
    EXPECT_EQ(NamesIn(destination.File(L"new\\deeper\\Images\\")), (Names{L"a.jpg", L"b.png"}));
    EXPECT_EQ(outcome.copied, Names{L"cat.xml"});

    // Pictures kept as files, but none yet: the folder is there for the first one.
    const TransferPlan empty = PlanTransfer(destination.File(L"empty"), L"", source.File(L"cat.xml"), false);
    const TransferOutcome none = Transfer(empty, {});
    EXPECT_TRUE(none.failed.empty());
    EXPECT_EQ(NamesIn(destination.File(L"empty\\")), (Names{L"Images", L"cat.xml"}));
}

TEST_F(TransferCopyTest, PicturesKeptInTheCatalogMakeNoPictureFolder) {
    const TransferPlan plan = PlanTransfer(destination.Path(), source.File(L"orvelle.exe"), source.File(L"cat.xml"),
                                           true);
    const TransferOutcome outcome = Transfer(plan);
    EXPECT_EQ(outcome.picturesCopied, 0);
    EXPECT_EQ(NamesIn(destination.Path()), (Names{L"cat.xml", L"orvelle.exe"}));
}

TEST_F(TransferCopyTest, CopiesOntoThemselvesAreSkippedAndFailuresAreReported) {
    // The catalog's own folder: nothing needs copying, and nothing is said to have failed.
    const TransferPlan own = PlanTransfer(source.Path(), source.File(L"orvelle.exe"), source.File(L"cat.xml"), false);
    const TransferOutcome nothing = Transfer(own);
    EXPECT_TRUE(nothing.copied.empty());
    EXPECT_TRUE(nothing.failed.empty());
    EXPECT_EQ(TransferReport(own, nothing), L"Nothing was copied to " + source.Path());

    // A file where the picture folder should be, and a program file that has gone.
    ASSERT_TRUE(WriteFileBytes(destination.File(L"Images"), AsciiBytes("in the way")));
    const TransferPlan blocked = PlanTransfer(destination.Path(), source.File(L"gone.exe"), source.File(L"cat.xml"),
                                              false);
    const TransferOutcome outcome = Transfer(blocked);
    EXPECT_EQ(outcome.copied, Names{L"cat.xml"});
    EXPECT_EQ(outcome.failed, (Names{destination.File(L"gone.exe"), destination.File(L"Images\\")}));
    EXPECT_EQ(TransferReport(blocked, outcome),
              L"Orvelle copied these files to " + destination.Path() +
                      L"\r\n    cat.xml\r\n\r\nThese could not be copied; the disk may be full, write-protected or the "
                      L"file in use:\r\n    " +
                      destination.File(L"gone.exe") + L"\r\n    " + destination.File(L"Images\\"));
}

}  // namespace
