#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "base/DataFile.h"
#include "base/Handles.h"
#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "support/SaveFaultSweep.h"
#include "support/ScriptedHost.h"
#include "support/TestFolder.h"

namespace {

// Another program holding the file open for reading without letting it be replaced.
class FileHeldOpen {
public:
    explicit FileHeldOpen(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    bool Held() const { return static_cast<bool>(handle_); }
    void Release() { handle_.Reset(); }

private:
    TQLibrary::FileHandle handle_;
};

bool WriteBytes(const std::wstring& path, std::vector<std::uint8_t> bytes) {
    return WriteFileReplacing(path, [&bytes](DataFile& file) { return file.Write(bytes.data(), bytes.size()); });
}

TEST(SafeSaveWindows, ALockedCatalogStaysAsItWasAndTheSaveFails) {
    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
    ASSERT_TRUE(WriteBytes(path, {1, 2, 3}));
    FileHeldOpen other(path);
    ASSERT_TRUE(other.Held());
    EXPECT_FALSE(WriteBytes(path, {4, 5}));
    other.Release();
    EXPECT_EQ(ReadFileBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(FileExists(path + L".saving"));
}

TEST(SafeSaveWindows, ASaveWaitsForABriefLockToPass) {
    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
    ASSERT_TRUE(WriteBytes(path, {1, 2, 3}));
    FileHeldOpen scanner(path);
    ASSERT_TRUE(scanner.Held());
    std::thread release([&scanner] {
        Sleep(300);
        scanner.Release();
    });
    EXPECT_TRUE(WriteBytes(path, {4, 5}));
    release.join();
    EXPECT_EQ(ReadFileBytes(path), (std::vector<std::uint8_t>{4, 5}));
}

TEST(SafeSaveWindows, AReadOnlyCatalogIsNotReplaced) {
    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
    ASSERT_TRUE(WriteBytes(path, {1}));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteBytes(path, {2}));
    EXPECT_EQ(ReadFileBytes(path), (std::vector<std::uint8_t>{1}));
    EXPECT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
}

TEST(SafeSaveWindows, NoFailedFileCallLosesTheCatalogOrLeavesATemporaryFile) {
    FileFaultsForTesting().Reset();
    TestFolder folder;
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    catalog.SetFilePath(folder.File(L"catalog.xml"));
    ASSERT_TRUE(SaveThenChange(catalog, 50, 10));
    const FaultSweep sweep = SweepSaveFaults(catalog, true);
    EXPECT_EQ(sweep.saves, 2 * sweep.calls);
    ReportSweep(sweep);
}

}  // namespace
