#include "catalog/PictureFiles.h"

#include "catalog/DataFile.h"
#include "catalog/StringTable.h"
#include "catalog/TextCompare.h"
#include "resources/resource.h"

namespace {

bool IsReservedDeviceName(std::wstring_view name) {
    // Windows takes these names as devices whatever the extension: "nul.jpg" is NUL.
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.remove_suffix(1);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (SameTextIgnoringCase(stem, device))
            return true;
    }
    if (stem.size() == 4 &&
        (SameTextIgnoringCase(stem.substr(0, 3), L"COM") || SameTextIgnoringCase(stem.substr(0, 3), L"LPT"))) {
        wchar_t digit = stem[3];
        // COM1 to COM9 and LPT1 to LPT9, and the superscript digits Windows also reserves.
        return (digit >= L'1' && digit <= L'9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

}  // namespace

bool RawPictureFileWriter::WritePicture(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    return WriteFileReplacing(path, [&bytes](DataFile& file) { return file.Write(bytes.data(), bytes.size()); });
}

std::wstring SafePictureFileName(std::wstring_view name) {
    size_t separator = name.find_last_of(L"\\/:");
    std::wstring_view last = separator == std::wstring_view::npos ? name : name.substr(separator + 1);
    // Trailing dots and spaces are dropped by Windows, so "..." and ". ." are ".." in disguise.
    std::wstring_view trimmed = last;
    while (!trimmed.empty() && (trimmed.back() == L'.' || trimmed.back() == L' '))
        trimmed.remove_suffix(1);
    if (trimmed.empty() || IsReservedDeviceName(trimmed))
        return {};
    for (wchar_t c : last) {
        // Control characters and the characters Windows forbids in names.
        if (c < 0x20 || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*')
            return {};
    }
    return std::wstring(last);
}

std::wstring PictureFolderOf(std::wstring_view catalogPath) {
    return FolderOf(catalogPath) + LoadText(IDS_PICTURE_FOLDER);
}
