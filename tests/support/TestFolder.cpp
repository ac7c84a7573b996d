#include "support/TestFolder.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <random>

#include "base/DataFile.h"
#include "base/MarkupDocument.h"
#include "base/Paths.h"

namespace {

std::filesystem::path NativePath(const std::wstring& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    std::wstring forward = path;
    for (wchar_t& c : forward) {
        if (c == L'\\')
            c = L'/';
    }
    return std::filesystem::path(forward);
#endif
}

std::wstring ProgramPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    std::wstring text = path.wstring();
    for (wchar_t& c : text) {
        if (c == L'/')
            c = L'\\';
    }
    return text;
#endif
}

}  // namespace

TestFolder::TestFolder() {
    static std::atomic<int> counter{0};
    std::random_device random;
    auto folder = std::filesystem::temp_directory_path() /
                  ("orvelle-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    path_ = ProgramPath(folder);
    EnsureTrailing(path_, L'\\');
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    auto folder = NativePath(path_);
    // Read-only files left by a test must not keep the folder alive.
    for (auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder, ignored);
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(NativePath(folder), error))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
    DataFile file(path);
    std::vector<std::uint8_t> bytes;
    file.ReadAll(bytes);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    DataFile file(path);
    return file.Write(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    AppendUtf16Le(text, bytes);
    return bytes;
}

std::vector<std::uint8_t> AsciiBytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

bool MakeReadOnly(const std::wstring& path) {
    std::error_code error;
    std::filesystem::permissions(NativePath(path),
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove, error);
    return !error;
}

bool MakeWritable(const std::wstring& path) {
    std::error_code error;
    std::filesystem::permissions(NativePath(path), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, error);
    return !error;
}
