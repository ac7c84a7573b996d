#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace TQLibrary {

// A module's version resource, copied once and then read by name.
class VersionBlock {
public:
    // No version block: every read fails.
    VersionBlock() = default;
    // The block of the program's own file.
    static VersionBlock OfProgram();
    static VersionBlock OfFile(const std::wstring& path);

    bool Empty() const { return bytes_.empty(); }
    // The value \StringFileInfo\<language><code page>\<name> of the first translation.
    std::optional<std::wstring> String(const std::wstring& name) const;
    // The four numbers of the fixed file version, joined by dots ("1.2.3.4").
    std::optional<std::wstring> FileVersion() const;

private:
    // The value at the path, with its size in bytes; none when the block has no such value.
    const void* Value(const std::wstring& path, UINT& size) const;

    std::vector<std::uint8_t> bytes_;
};

}  // namespace TQLibrary
