#include "app/online/VersionBlock.h"

#include <cwchar>

#include "app/main/ProgramIdentity.h"
#include "online/VersionFile.h"

namespace TQLibrary {

VersionBlock VersionBlock::OfProgram() {
    const std::wstring path = ProgramPath();
    return path.empty() ? VersionBlock() : OfFile(path);
}

VersionBlock VersionBlock::OfFile(const std::wstring& path) {
    VersionBlock block;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return block;
    block.bytes_.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.bytes_.data()))
        block.bytes_.clear();
    return block;
}

const void* VersionBlock::Value(const std::wstring& path, UINT& size) const {
    if (bytes_.empty())
        return nullptr;
    void* value = nullptr;
    size = 0;
    // VerQueryValueW only reads the block, whatever its parameter type says.
    if (!VerQueryValueW(bytes_.data(), path.c_str(), &value, &size) || value == nullptr)
        return nullptr;
    return value;
}

std::optional<std::wstring> VersionBlock::String(const std::wstring& name) const {
    UINT size = 0;
    const auto* translation = static_cast<const WORD*>(Value(L"\\VarFileInfo\\Translation", size));
    if (translation == nullptr || size < 2 * sizeof(WORD))
        return std::nullopt;
    wchar_t key[64];
    std::swprintf(key, 64, L"\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
    const auto* text = static_cast<const wchar_t*>(Value(key + name, size));
    if (text == nullptr)
        return std::nullopt;
    // The size counts characters here, the closing NUL among them when there is one.
    return std::wstring(text, wcsnlen(text, size));
}

std::optional<std::wstring> VersionBlock::FileVersion() const {
    UINT size = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Value(L"\\", size));
    if (fixed == nullptr || size < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return FileVersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

}  // namespace TQLibrary
