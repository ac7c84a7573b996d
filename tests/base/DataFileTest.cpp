#include <gtest/gtest.h>

#include "base/DataFile.h"
#include "base/Paths.h"
#include "support/TestFolder.h"

namespace {

TEST(Paths, FolderAndFileNameSplitAtTheLastSeparator) {
    EXPECT_EQ(FolderOf(L"C:\\data\\cat.xml"), L"C:\\data\\");
    EXPECT_EQ(FolderOf(L"cat.xml"), L"");
    EXPECT_EQ(FolderOf(L""), L"");
    EXPECT_EQ(FolderOf(L"C:/x/y.png"), L"C:/x\\");
    EXPECT_EQ(FolderOf(L"C:\\a/b\\c"), L"C:\\a/b\\");
    EXPECT_EQ(FileNameOf(L"C:/x/y.png"), L"y.png");
    EXPECT_EQ(FileNameOf(L"C:\\x\\y.png"), L"y.png");
    EXPECT_EQ(FileNameOf(L"y.png"), L"y.png");
    EXPECT_EQ(FileNameOf(L"C:\\x\\"), L"");

    std::wstring text = L"C:\\data";
    EnsureTrailing(text, L'\\');
    EXPECT_EQ(text, L"C:\\data\\");
    EnsureTrailing(text, L'\\');
    EXPECT_EQ(text, L"C:\\data\\");
    std::wstring empty;
    EnsureTrailing(empty, L'\\');
    EXPECT_EQ(empty, L"");
}

TEST(DataFile, WritesReadsAndSwitchesMode) {
    TestFolder folder;
    DataFile file(folder.File(L"a.bin"));
    EXPECT_EQ(DataFile().Name(), L"filename.txt");
    const std::uint8_t data[] = {1, 2, 3, 4, 5};
    ASSERT_TRUE(file.Write(data, 3));
    ASSERT_TRUE(file.Write(data + 3, 2));
    EXPECT_EQ(file.Size(), 5u);  // reopens for reading
    std::uint8_t buffer[8] = {};
    size_t read = 0;
    ASSERT_TRUE(file.Read(buffer, 8, read));
    EXPECT_EQ(read, 5u);
    EXPECT_EQ(buffer[4], 5);
    ASSERT_TRUE(file.Write(data, 1));  // reopening for writing truncates
    file.Close();
    EXPECT_EQ(ReadFileBytes(folder.File(L"a.bin")), (std::vector<std::uint8_t>{1}));
    EXPECT_TRUE(FileIsPresent(folder.File(L"a.bin")));
}

TEST(DataFile, MissingFilesFailWithAnErrorCode) {
    TestFolder folder;
    DataFile missing(folder.File(L"none.bin"));
    EXPECT_EQ(missing.Size(), 0u);
    EXPECT_NE(missing.LastError(), 0u);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(missing.ReadAll(bytes));
    EXPECT_FALSE(FileExists(folder.File(L"none.bin")));
    EXPECT_FALSE(FileIsPresent(folder.File(L"none.bin")));
    EXPECT_FALSE(FileIsPresent(folder.Path()));  // a folder is no file

    DataFile inMissingFolder(folder.File(L"no\\such\\file.bin"));
    std::uint8_t byte = 0;
    EXPECT_FALSE(inMissingFolder.Write(&byte, 1));
    EXPECT_NE(inMissingFolder.LastError(), 0u);
}

TEST(DataFile, RenameMovesTheFileAndTakesTheNewName) {
    TestFolder folder;
    DataFile file(folder.File(L"a.bin"));
    const std::uint8_t data[] = {7};
    ASSERT_TRUE(file.Write(data, 1));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"b.bin"), {1, 2, 3}));
    ASSERT_TRUE(file.RenameTo(folder.File(L"b.bin")));
    EXPECT_EQ(file.Name(), folder.File(L"b.bin"));
    EXPECT_FALSE(FileExists(folder.File(L"a.bin")));
    EXPECT_EQ(ReadFileBytes(folder.File(L"b.bin")), (std::vector<std::uint8_t>{7}));

    DataFile missing(folder.File(L"gone.bin"));
    EXPECT_FALSE(missing.RenameTo(folder.File(L"c.bin")));
    EXPECT_EQ(missing.Name(), folder.File(L"gone.bin"));
}

TEST(FilePrimitives, CopyMoveAndDeleteReplaceWhatIsThere) {
    TestFolder folder;
    std::wstring a = folder.File(L"a.txt");
    std::wstring b = folder.File(L"b.txt");
    ASSERT_TRUE(WriteFileBytes(a, {1, 2}));
    ASSERT_TRUE(WriteFileBytes(b, {9, 9, 9}));
    EXPECT_TRUE(CopyFileReplacing(a, b));
    EXPECT_EQ(ReadFileBytes(b), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_FALSE(CopyFileReplacing(folder.File(L"missing"), b));
    EXPECT_EQ(ReadFileBytes(b), (std::vector<std::uint8_t>{1, 2}));

    ASSERT_TRUE(WriteFileBytes(a, {3}));
    EXPECT_TRUE(MoveFileReplacing(a, b));
    EXPECT_FALSE(FileExists(a));
    EXPECT_EQ(ReadFileBytes(b), (std::vector<std::uint8_t>{3}));

    // A failed move keeps the target.
    EXPECT_FALSE(MoveFileReplacing(folder.File(L"missing"), b));
    EXPECT_EQ(ReadFileBytes(b), (std::vector<std::uint8_t>{3}));

    EXPECT_TRUE(DeleteFileForce(b));
    EXPECT_FALSE(FileExists(b));
    EXPECT_FALSE(DeleteFileForce(b));
}

TEST(FilePrimitives, ChangingOnlyTheLetterCaseOfANameKeepsTheFile) {
    TestFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"catalog.xml"), {5}));
    EXPECT_TRUE(MoveFileReplacing(folder.File(L"catalog.xml"), folder.File(L"Catalog.XML")));
    EXPECT_EQ(ReadFileBytes(folder.File(L"Catalog.XML")), (std::vector<std::uint8_t>{5}));
    EXPECT_FALSE(FileExists(folder.File(L"Catalog.XML.rename")));
}

TEST(FilePrimitives, CreateFolderPathBuildsEveryMissingFolder) {
    TestFolder folder;
    std::wstring deep = folder.File(L"one\\two\\three");
    EXPECT_TRUE(CreateFolderPath(deep, false));
    ASSERT_TRUE(WriteFileBytes(deep + L"\\x.txt", {1}));
    EXPECT_TRUE(CreateFolderPath(deep, false));  // all there: nothing to do
    EXPECT_TRUE(CreateFolderPath(folder.File(L"four\\"), true));
    EXPECT_TRUE(WriteFileBytes(folder.File(L"four\\y.txt"), {1}));
    EXPECT_EQ(ReadFileBytes(deep + L"\\x.txt"), (std::vector<std::uint8_t>{1}));
}

}  // namespace
