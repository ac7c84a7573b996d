#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>

#include "base/DataFile.h"
#include "base/EveryoneSecurity.h"
#include "base/MarkupDocument.h"
#include "support/TestFolder.h"

namespace {

bool IsReadOnly(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Whether the access list grants Everyone every right.
bool EveryoneHasFullAccess(PACL dacl) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    bool found = false;
    for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount && !found; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace))
            continue;
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        found = allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && allowed->Mask == 0x1FFFFF &&
                allowed->Header.AceFlags == 0 && EqualSid(reinterpret_cast<PSID>(&allowed->SidStart), everyone);
    }
    FreeSid(everyone);
    return found;
}

TEST(FilePrimitivesWindows, ReadOnlyFilesAreDeletedAndReplaced) {
    TestFolder folder;
    std::wstring target = folder.File(L"target.xml");
    ASSERT_TRUE(WriteFileBytes(target, {1}));
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(IsReadOnly(target));

    std::wstring source = folder.File(L"source.xml");
    ASSERT_TRUE(WriteFileBytes(source, {2, 2}));
    EXPECT_TRUE(MoveFileReplacing(source, target));
    EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{2, 2}));

    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(DeleteFileForce(target));
    EXPECT_FALSE(FileExists(target));
}

TEST(FilePrimitivesWindows, WritingAReadOnlyFileFailsWithAccessDenied) {
    TestFolder folder;
    std::wstring path = folder.File(L"locked.xml");
    ASSERT_TRUE(WriteFileBytes(path, {1, 2, 3}));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    MarkupDocument document;
    document.WriteEmpty(L"A");
    EXPECT_FALSE(document.SaveToFile(path));
    DataFile file(path);
    std::uint8_t byte = 0;
    EXPECT_FALSE(file.Write(&byte, 1));
    EXPECT_EQ(file.LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadFileBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FilePrimitivesWindows, AFileOpenForWritingCannotBeReadMeanwhile) {
    TestFolder folder;
    DataFile writer(folder.File(L"busy.bin"));
    const std::uint8_t data[] = {1};
    ASSERT_TRUE(writer.Write(data, 1));
    DataFile reader(folder.File(L"busy.bin"));
    EXPECT_EQ(reader.Size(), 0u);
    EXPECT_EQ(reader.LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    writer.Close();
    EXPECT_EQ(reader.Size(), 1u);
}

TEST(FilePrimitivesWindows, SharedFolderSecurityGrantsEveryoneFullAccess) {
    EveryoneSecurity security;
    SECURITY_ATTRIBUTES* attributes = security.Attributes();
    EXPECT_EQ(attributes->nLength, sizeof(SECURITY_ATTRIBUTES));
    EXPECT_FALSE(attributes->bInheritHandle);
    ASSERT_NE(attributes->lpSecurityDescriptor, nullptr);
    BOOL present = FALSE;
    BOOL defaulted = TRUE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(attributes->lpSecurityDescriptor, &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    EXPECT_TRUE(EveryoneHasFullAccess(dacl));

    // The folders themselves are made either way.
    TestFolder folder;
    EXPECT_TRUE(CreateFolderPath(folder.File(L"shared\\inner"), true));
    EXPECT_TRUE(CreateFolderPath(folder.File(L"plain"), false));
    EXPECT_TRUE(WriteFileBytes(folder.File(L"shared\\inner\\x.txt"), {1}));
}

}  // namespace
