// File primitives on POSIX systems, for the native build. Paths are UTF-16 texts as on
// Windows; "\" separators are taken as "/".
#include "base/DataFile.h"
#include "base/TextCompare.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ToNativePath(std::wstring_view path) {
    std::string utf8;
    for (size_t i = 0; i < path.size(); ++i) {
        auto unit = static_cast<std::uint32_t>(path[i]) & 0xFFFF;
        std::uint32_t code = unit;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < path.size()) {
            auto low = static_cast<std::uint32_t>(path[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (code == '\\')
            code = '/';
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (code >> 18));
            utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

int Descriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

// A read or write that a signal cut short before it moved anything is made again.
template <typename Call>
ssize_t Uninterrupted(Call call) {
    ssize_t done = 0;
    do {
        done = call();
    } while (done < 0 && errno == EINTR);
    return done;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Rename(const std::string& from, const std::string& to) {
    return !InjectedFailure(FileCall::Move) && rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

void SetSystemError(std::uint32_t code) {
    errno = static_cast<int>(code);
}

void DataFile::RememberError() {
    lastError_ = static_cast<std::uint32_t>(errno);
}

void DataFile::Close() {
    if (handle_ != kNoHandle)
        close(Descriptor(handle_));
    handle_ = kNoHandle;
}

std::intptr_t DataFile::OpenNative(bool forReading) {
    std::string path = ToNativePath(name_);
    // A folder opens for reading here but not on Windows.
    if (forReading && IsDirectory(path)) {
        errno = EISDIR;
        return kNoHandle;
    }
    int fd = forReading ? open(path.c_str(), O_RDONLY | O_CLOEXEC)
                        : open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd < 0 ? kNoHandle : fd;
}

bool DataFile::NativeSize(std::uint64_t& size) {
    struct stat info {};
    if (fstat(Descriptor(handle_), &info) != 0)
        return false;
    size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool DataFile::ReadSome(unsigned char* bytes, size_t count, size_t& got) {
    ssize_t done = Uninterrupted([&] { return ::read(Descriptor(handle_), bytes, count); });
    if (done < 0)
        return false;
    got = static_cast<size_t>(done);
    return true;
}

bool DataFile::WriteSome(const unsigned char* bytes, size_t count, size_t& put) {
    ssize_t done = Uninterrupted([&] { return ::write(Descriptor(handle_), bytes, count); });
    if (done < 0)
        return false;
    put = static_cast<size_t>(done);
    return true;
}

bool DataFile::SyncToDisk() {
    return fsync(Descriptor(handle_)) == 0;
}

bool IsReadOnlyFile(const std::wstring& path) {
    struct stat info {};
    return stat(ToNativePath(path).c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

bool FileIsPresent(const std::wstring& path) {
    struct stat info {};
    return stat(ToNativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool ReplaceWithFile(const std::wstring& from, const std::wstring& to) {
    std::string target = ToNativePath(to);
    if (!Rename(ToNativePath(from), target))
        return false;
    // Make the new directory entry itself durable (part of the move, as MOVEFILE_WRITE_THROUGH
    // is on Windows).
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
}

bool DeleteFileForce(const std::wstring& path) {
    std::string native = ToNativePath(path);
    chmod(native.c_str(), 0644);
    return !InjectedFailure(FileCall::Delete) && unlink(native.c_str()) == 0;
}

bool CopyFileReplacing(const std::wstring& from, const std::wstring& to) {
    DataFile source(from);
    std::vector<std::uint8_t> bytes;
    if (!source.ReadAll(bytes))
        return false;
    DataFile target(to);
    return target.Write(bytes.data(), bytes.size()) && target.Flush();
}

bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
    std::string source = ToNativePath(from);
    std::string target = ToNativePath(to);
    if (!SameTextIgnoringCase(from, to))
        return Rename(source, target);
    // A change of letter case only: go through a temporary name so that file systems that
    // ignore case still see the new name.
    std::string temporary = target + ".rename";
    if (!Rename(source, temporary))
        return false;
    if (Rename(temporary, target))
        return true;
    Rename(temporary, source);
    return false;
}

bool CreateFolderPath(const std::wstring& path, bool /*everyone*/) {
    std::string native = ToNativePath(path);
    while (native.size() > 1 && native.back() == '/')
        native.pop_back();
    for (size_t slash = native.find('/', 1); slash != std::string::npos; slash = native.find('/', slash + 1)) {
        std::string prefix = native.substr(0, slash);
        if (!IsDirectory(prefix))
            mkdir(prefix.c_str(), 0755);
    }
    if (!native.empty() && !IsDirectory(native))
        mkdir(native.c_str(), 0755);
    return IsDirectory(native);
}
