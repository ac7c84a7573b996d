#include "catalog/DataFile.h"

namespace {

// The error code of a failure made on purpose (ERROR_DISK_FULL on Windows).
constexpr std::uint32_t kInjectedError = 112;

bool InjectWriteFault() {
    InjectedFileFaults& faults = FileFaultsForTesting();
    long remaining = faults.writesBeforeFailure.load();
    while (remaining >= 0) {
        if (remaining == 0)
            return true;
        if (faults.writesBeforeFailure.compare_exchange_weak(remaining, remaining - 1))
            return false;
    }
    return false;
}

}  // namespace

InjectedFileFaults& FileFaultsForTesting() {
    static InjectedFileFaults faults;
    return faults;
}

bool DataFile::OpenForReading() {
    return OpenInMode(true);
}

bool DataFile::OpenForWriting() {
    return OpenInMode(false);
}

bool DataFile::OpenInMode(bool forReading) {
    if (handle_ != kNoHandle && forReading_ == forReading)
        return true;
    Close();
    std::intptr_t handle = OpenNative(forReading);
    if (handle == kNoHandle) {
        RememberError();
        return false;
    }
    handle_ = handle;
    forReading_ = forReading;
    return true;
}

std::uint32_t DataFile::Size() {
    if (!OpenForReading())
        return 0;
    std::uint64_t size = 0;
    if (!NativeSize(size)) {
        RememberError();
        return 0;
    }
    return static_cast<std::uint32_t>(size & 0xFFFFFFFF);
}

bool DataFile::Read(void* buffer, size_t count, size_t& read) {
    read = 0;
    if (!OpenForReading())
        return false;
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (read < count) {
        size_t got = 0;
        if (!ReadSome(bytes + read, count - read, got)) {
            RememberError();
            return false;
        }
        if (got == 0)
            break;
        read += got;
    }
    return true;
}

bool DataFile::ReadAll(std::vector<std::uint8_t>& bytes) {
    std::uint32_t size = Size();
    if (handle_ == kNoHandle)
        return false;
    bytes.resize(size);
    size_t read = 0;
    if (!Read(bytes.data(), bytes.size(), read))
        return false;
    bytes.resize(read);
    return true;
}

bool DataFile::Write(const void* data, size_t count) {
    if (count > 0 && InjectWriteFault()) {
        lastError_ = kInjectedError;
        return false;
    }
    return WriteUnchecked(data, count);
}

bool DataFile::WriteUnchecked(const void* data, size_t count) {
    if (!OpenForWriting())
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    size_t written = 0;
    while (written < count) {
        size_t put = 0;
        if (!WriteSome(bytes + written, count - written, put) || put == 0) {
            RememberError();
            return false;
        }
        written += put;
    }
    return true;
}

bool DataFile::Flush() {
    if (FileFaultsForTesting().failFlush) {
        lastError_ = kInjectedError;
        return false;
    }
    return FlushUnchecked();
}

bool DataFile::FlushUnchecked() {
    // Nothing written since it was opened.
    if (handle_ == kNoHandle || forReading_)
        return true;
    if (!SyncToDisk()) {
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
    DataFile file(path);
    std::uint8_t probe = 0;
    size_t read = 0;
    return file.Read(&probe, 0, read);
}

bool WriteFileReplacing(const std::wstring& path, const std::function<bool(DataFile& file)>& write) {
    if (IsReadOnlyFile(path))
        return false;
    const std::wstring temporary = path + L".saving";
    bool written = false;
    {
        DataFile file(temporary);
        // An empty write creates the file, so that even empty content replaces the old file.
        written = file.Write(nullptr, 0) && write(file) && file.Flush();
    }
    if (written && !FileFaultsForTesting().failReplace && ReplaceWithFile(temporary, path))
        return true;
    DeleteFileForce(temporary);
    return false;
}
