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

bool DataFile::Flush() {
    if (FileFaultsForTesting().failFlush) {
        lastError_ = kInjectedError;
        return false;
    }
    return FlushUnchecked();
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
