#include "base/DataFile.h"

namespace {

// The error code of a failure made on purpose: ERROR_DISK_FULL, on both platforms alike.
constexpr std::uint32_t kInjectedError = 112;

}  // namespace

void InjectedFileFaults::Reset() {
    failAt_ = 0;
    for (size_t i = 0; i < kKinds; ++i) {
        calls_[i] = 0;
        failures_[i] = 0;
    }
}

void InjectedFileFaults::Fail(long number, FileCall kind, bool onward) {
    Reset();
    failKind_ = kind;
    onward_ = onward;
    failAt_ = number;
}

void InjectedFileFaults::FailOnce(long number, FileCall kind) {
    Fail(number, kind, false);
}

void InjectedFileFaults::FailFrom(long number, FileCall kind) {
    Fail(number, kind, true);
}

bool InjectedFileFaults::Fails(FileCall call) {
    const long all = ++calls_[Index(FileCall::Any)];
    const long ofKind = ++calls_[Index(call)];
    const long failAt = failAt_;
    if (failAt <= 0)
        return false;
    const FileCall kind = failKind_;
    if (kind != FileCall::Any && kind != call)
        return false;
    const long number = kind == FileCall::Any ? all : ofKind;
    if (number != failAt && !(onward_ && number > failAt))
        return false;
    ++failures_[Index(FileCall::Any)];
    ++failures_[Index(call)];
    return true;
}

InjectedFileFaults& FileFaultsForTesting() {
    static InjectedFileFaults faults;
    return faults;
}

bool InjectedFailure(FileCall call) {
    if (!FileFaultsForTesting().Fails(call))
        return false;
    SetSystemError(kInjectedError);
    return true;
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
    std::intptr_t handle = !forReading && InjectedFailure(FileCall::Create) ? kNoHandle : OpenNative(forReading);
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
    if (!OpenForWriting())
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    size_t written = 0;
    while (written < count) {
        size_t put = 0;
        if (InjectedFailure(FileCall::Write) || !WriteSome(bytes + written, count - written, put) || put == 0) {
            RememberError();
            return false;
        }
        written += put;
    }
    return true;
}

bool DataFile::Flush() {
    // Nothing written since it was opened.
    if (handle_ == kNoHandle || forReading_)
        return true;
    if (InjectedFailure(FileCall::Flush) || !SyncToDisk()) {
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
    if (written && ReplaceWithFile(temporary, path))
        return true;
    DeleteFileForce(temporary);
    return false;
}
