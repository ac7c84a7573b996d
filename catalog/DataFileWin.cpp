// File primitives on Windows.
#include "catalog/DataFile.h"
#include "catalog/EveryoneSecurity.h"
#include "catalog/TextCompare.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace {

HANDLE Native(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Reads and writes go in pieces that a DWORD count can describe.
constexpr size_t kMaxChunk = 1u << 30;

bool SomethingAt(const std::wstring& prefix) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((prefix + L"\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

}  // namespace

void DataFile::RememberError() {
    lastError_ = GetLastError();
}

void DataFile::Close() {
    if (handle_ != kNoHandle)
        CloseHandle(Native(handle_));
    handle_ = kNoHandle;
}

bool DataFile::OpenForReading() {
    if (handle_ != kNoHandle && forReading_)
        return true;
    Close();
    HANDLE file = CreateFileW(name_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        RememberError();
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    forReading_ = true;
    return true;
}

bool DataFile::OpenForWriting() {
    if (handle_ != kNoHandle && !forReading_)
        return true;
    Close();
    // Windows refuses to overwrite a read-only file; Wine running as root does not, so the
    // attribute is checked here as well.
    if (IsReadOnlyFile(name_)) {
        lastError_ = ERROR_ACCESS_DENIED;
        return false;
    }
    HANDLE file = CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        RememberError();
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    forReading_ = false;
    return true;
}

std::uint32_t DataFile::Size() {
    if (!OpenForReading())
        return 0;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(Native(handle_), &size)) {
        RememberError();
        return 0;
    }
    return static_cast<std::uint32_t>(size.QuadPart & 0xFFFFFFFF);
}

bool DataFile::Read(void* buffer, size_t count, size_t& read) {
    read = 0;
    if (!OpenForReading())
        return false;
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (read < count) {
        DWORD asked = static_cast<DWORD>(std::min(count - read, kMaxChunk));
        DWORD got = 0;
        if (!ReadFile(Native(handle_), bytes + read, asked, &got, nullptr)) {
            RememberError();
            return false;
        }
        read += got;
        if (got < asked)
            break;
    }
    return true;
}

bool DataFile::WriteUnchecked(const void* data, size_t count) {
    if (!OpenForWriting())
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    size_t written = 0;
    while (written < count) {
        DWORD asked = static_cast<DWORD>(std::min(count - written, kMaxChunk));
        DWORD put = 0;
        if (!WriteFile(Native(handle_), bytes + written, asked, &put, nullptr) || put == 0) {
            RememberError();
            return false;
        }
        written += put;
    }
    return true;
}

bool DataFile::FlushUnchecked() {
    if (handle_ == kNoHandle || forReading_)
        return true;
    if (!FlushFileBuffers(Native(handle_))) {
        RememberError();
        return false;
    }
    return true;
}

bool DataFile::RenameTo(const std::wstring& path) {
    Close();
    if (!MoveFileReplacing(name_, path)) {
        RememberError();
        return false;
    }
    name_ = path;
    return true;
}

bool FileExists(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool IsReadOnlyFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool ReplaceWithFile(const std::wstring& from, const std::wstring& to) {
    // Not ReplaceFileW: Wine implements it as two moves that remove the original first.
    constexpr int kAttempts = 20;
    constexpr DWORD kPauseMilliseconds = 100;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
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
    return DeleteFileW(path.c_str()) != FALSE;
}

bool CopyFileReplacing(const std::wstring& from, const std::wstring& to) {
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
    if (!SameTextIgnoringCase(from, to)) {
        // Replace in one step: deleting the target first would lose it if the move then failed.
        SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
    }
    std::wstring temporary = to + L".rename";
    if (!MoveFileW(from.c_str(), temporary.c_str()))
        return false;
    if (MoveFileW(temporary.c_str(), to.c_str()))
        return true;
    DWORD error = GetLastError();
    MoveFileW(temporary.c_str(), from.c_str());
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
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}
