#include <gtest/gtest.h>

#include "base/DataFile.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/SaveFaultSweep.h"
#include "support/ScriptedHost.h"
#include "support/SpecimenSamples.h"
#include "support/TestFolder.h"

namespace {

// Leaves the injected faults cleared whatever the test does.
class FaultsCleared {
public:
    FaultsCleared() { FileFaultsForTesting().Reset(); }
    ~FaultsCleared() { FileFaultsForTesting().Reset(); }
};

class SafeSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalog.SetFilePath(path);
        settings.storeImages = true;
        // Large enough to be written in several pieces.
        for (int i = 0; i < 400; ++i)
            catalog.AddSpecimen(SampleSpecimen(i));
        ASSERT_TRUE(Save());
        original = ReadFileBytes(path);
        ASSERT_GT(original.size(), 200000u);
        catalog.AddSpecimen(SampleSpecimen(1000));
    }

    bool Save() { return WriteCatalog(catalog, path, L"", pictures, nullptr); }

    void ExpectOriginalKept(const std::string& what) {
        EXPECT_EQ(ReadFileBytes(path), original) << what;
        EXPECT_FALSE(FileExists(path + L".saving")) << what;
    }

    FaultsCleared faults;
    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    RecordingPictureWriter pictures;
    std::vector<std::uint8_t> original;
};

TEST_F(SafeSaveTest, AFailedWriteAtAnyPointLeavesTheOldFileAsItWas) {
    for (long writes : {0L, 1L, 2L, 5L}) {
        FileFaultsForTesting().FailFrom(writes + 1, FileCall::Write);
        EXPECT_FALSE(Save()) << writes;
        FileFaultsForTesting().Reset();
        ExpectOriginalKept("after " + std::to_string(writes) + " writes");
    }
    FileFaultsForTesting().FailFrom(1, FileCall::Flush);
    EXPECT_FALSE(Save());
    FileFaultsForTesting().Reset();
    ExpectOriginalKept("flush");

    FileFaultsForTesting().FailFrom(1, FileCall::Move);
    EXPECT_FALSE(Save());
    FileFaultsForTesting().Reset();
    ExpectOriginalKept("replace");

    // Once the disk is well again the next save goes through.
    ASSERT_TRUE(Save());
    EXPECT_GT(ReadFileBytes(path).size(), original.size());
}

TEST_F(SafeSaveTest, AReadOnlyCatalogIsNeitherWrittenNorReplaced) {
    ASSERT_TRUE(MakeReadOnly(path));
    EXPECT_TRUE(IsReadOnlyFile(path));
    EXPECT_FALSE(Save());
    ExpectOriginalKept("read-only");
    ASSERT_TRUE(MakeWritable(path));
    EXPECT_TRUE(Save());
}

TEST_F(SafeSaveTest, SavingIntoAMissingFolderFailsWithoutLeftovers) {
    std::wstring elsewhere = folder.File(L"gone\\catalog.xml");
    EXPECT_FALSE(WriteCatalog(catalog, elsewhere, L"", pictures, nullptr));
    EXPECT_FALSE(FileExists(elsewhere));
    EXPECT_FALSE(FileExists(elsewhere + L".saving"));
}

TEST_F(SafeSaveTest, AnEmptyWriteStillReplacesTheFile) {
    EXPECT_TRUE(WriteFileReplacing(path, [](DataFile&) { return true; }));
    EXPECT_TRUE(ReadFileBytes(path).empty());
    EXPECT_FALSE(WriteFileReplacing(path, [](DataFile&) { return false; }));
    EXPECT_FALSE(FileExists(path + L".saving"));
}

TEST(SaveSweep, NoFailedFileCallLosesTheCatalogOrLeavesATemporaryFile) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows suite sweeps a smaller catalog (SafeSaveWindows)";
#endif
    FaultsCleared faults;
    TestFolder folder;
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    catalog.SetFilePath(folder.File(L"catalog.xml"));
    // Eleven pictures: enough kinds of call, and few enough that each of the many saves is quick.
    ASSERT_TRUE(SaveThenChange(catalog, 1000, 100));
    const FaultSweep sweep = SweepSaveFaults(catalog, true);
    EXPECT_EQ(sweep.saves, 2 * sweep.calls);
    ReportSweep(sweep);
}

}  // namespace
