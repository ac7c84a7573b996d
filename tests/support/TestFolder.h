#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder for one test, removed with everything in it afterwards. Paths use "\" as
// the program does; the native build maps them.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder with its trailing separator.
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

// The names of the entries in a folder, sorted; none when there is no such folder.
std::vector<std::wstring> NamesIn(const std::wstring& folder);
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text);
std::vector<std::uint8_t> AsciiBytes(const std::string& text);
// Sets or clears the file's read-only mark (attribute on Windows, write permission elsewhere).
bool MakeReadOnly(const std::wstring& path);
bool MakeWritable(const std::wstring& path);
