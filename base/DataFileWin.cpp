// File primitives on Windows.
#include "base/DataFile.h"
#include "base/EveryoneSecurity.h"
#include "base/Handles.h"
#include "base/TextCompare.h"

#include <windows.h>

#include <algorithm>
#include <utility>

using TQLibrary::FileHandle;
using TQLibrary::FindHandle;

namespace {

HANDLE Native(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Reads and writes go in pieces that a DWORD count can describe.
constexpr size_t kMaxChunk = 1u << 30;

// True when FindFirstFile finds anything for the pattern.
bool FindsAnything(const std::wstring& pattern) {
    WIN32_FIND_DATAW found;
    return static_cast<bool>(FindHandle(FindFirstFileW(pattern.c_str(), &found)));
}

bool SomethingAt(const std::wstring& prefix) {
    return FindsAnything(prefix + L"\\*.*");
}

// A folder, not a file, of that name: a file where a folder should go is no folder.
bool FolderAt(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(path.c_str(), &found));
    return search && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Every move goes through here, so that tests can make any of them fail.
bool MoveCounted(const std::wstring& from, const std::wstring& to, DWORD flags) {
    return !InjectedFailure(FileCall::Move) && MoveFileExW(from.c_str(), to.c_str(), flags) != FALSE;
}

}  // namespace

void SetSystemError(std::uint32_t code) {
    SetLastError(code);
}

void DataFile::RememberError() {
    lastError_ = GetLastError();
}

void DataFile::Close() {
    FileHandle(Native(std::exchange(handle_, kNoHandle))).Reset();
}

std::intptr_t DataFile::OpenNative(bool forReading) {
    // Windows refuses to overwrite a read-only file; Wine running as root does not, so the
    // attribute is checked here as well.
    if (!forReading && IsReadOnlyFile(name_)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return kNoHandle;
    }
    HANDLE file = forReading ? CreateFileW(name_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr)
                             : CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? kNoHandle : reinterpret_cast<std::intptr_t>(file);
}

bool DataFile::NativeSize(std::uint64_t& size) {
    LARGE_INTEGER answer;
    if (!GetFileSizeEx(Native(handle_), &answer))
        return false;
    size = static_cast<std::uint64_t>(answer.QuadPart);
    return true;
}

bool DataFile::ReadSome(unsigned char* bytes, size_t count, size_t& got) {
    DWORD done = 0;
    if (!ReadFile(Native(handle_), bytes, static_cast<DWORD>(std::min(count, kMaxChunk)), &done, nullptr))
        return false;
    got = done;
    return true;
}

bool DataFile::WriteSome(const unsigned char* bytes, size_t count, size_t& put) {
    DWORD done = 0;
    if (!WriteFile(Native(handle_), bytes, static_cast<DWORD>(std::min(count, kMaxChunk)), &done, nullptr))
        return false;
    put = done;
    return true;
}

bool DataFile::SyncToDisk() {
    return FlushFileBuffers(Native(handle_)) != FALSE;
}

bool IsReadOnlyFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool FileIsPresent(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ReplaceWithFile(const std::wstring& from, const std::wstring& to) {
    // Not ReplaceFileW: Wine implements it as two moves that remove the original first.
    constexpr int kAttempts = 20;
    constexpr DWORD kPauseMilliseconds = 100;
    for (int attempt = 1;; ++attempt) {
        if (MoveCounted(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        DWORD error = GetLastError();
        bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                    (error == ERROR_ACCESS_DENIED && !IsReadOnlyFile(to));
        if (!busy || attempt == kAttempts)
            return false;
        Sleep(kPauseMilliseconds);
    }
}

bool DeleteFileForce(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return !InjectedFailure(FileCall::Delete) && DeleteFileW(path.c_str()) != FALSE;
}

bool CopyFileReplacing(const std::wstring& from, const std::wstring& to) {
    if (InjectedFailure(FileCall::Create) || !CopyFileW(from.c_str(), to.c_str(), FALSE))
        return false;
    // A copy is the program's own file: it never keeps the source's read-only mark, or a backup
    // of a read-only catalog could never be replaced, nor a restored catalog saved.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesW(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return true;
}

bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
    if (!SameTextIgnoringCase(from, to)) {
        // Replace in one step: deleting the target first would lose it if the move then failed.
        SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        return MoveCounted(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    }
    std::wstring temporary = to + L".rename";
    // MoveFileW is MoveFileExW with MOVEFILE_COPY_ALLOWED.
    if (!MoveCounted(from, temporary, MOVEFILE_COPY_ALLOWED))
        return false;
    if (MoveCounted(temporary, to, MOVEFILE_COPY_ALLOWED))
        return true;
    DWORD error = GetLastError();
    MoveCounted(temporary, from, MOVEFILE_COPY_ALLOWED);
    SetLastError(error);
    return false;
}

bool CreateFolderPath(const std::wstring& requested, bool everyone) {
    std::wstring path = requested;
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    EveryoneSecurity security;
    SECURITY_ATTRIBUTES* attributes = everyone ? security.Attributes() : nullptr;
    auto create = [&](const std::wstring& folder) {
        if (!folder.empty() && !SomethingAt(folder))
            CreateDirectoryW(folder.c_str(), attributes);
    };
    for (size_t separator = path.find_first_of(L"\\/"); separator != std::wstring::npos;
         separator = path.find_first_of(L"\\/", separator + 1)) {
        create(path.substr(0, separator));
    }
    create(path);
    // A drive's root ("C:") is found by nothing but its entries.
    return FolderAt(path) || SomethingAt(path);
}
