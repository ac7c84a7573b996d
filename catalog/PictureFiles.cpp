#include "catalog/PictureFiles.h"

#include "base/DataFile.h"
#include "base/Paths.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "catalog/Settings.h"
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

std::vector<std::uint8_t> ReadPictureFile(const std::wstring& pictureFolder, std::wstring_view pictureName) {
    std::vector<std::uint8_t> bytes;
    const std::wstring fileName = SafePictureFileName(pictureName);
    if (pictureFolder.empty() || fileName.empty())
        return bytes;
    DataFile file(pictureFolder + fileName);
    if (!file.ReadAll(bytes))
        bytes.clear();
    return bytes;
}

bool FileHoldsBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    DataFile file(path);
    // The size first: a changed picture is rarely the same size, and then nothing is read.
    if (file.Size() != bytes.size())
        return false;
    std::vector<std::uint8_t> held;
    return file.ReadAll(held) && held == bytes;
}

bool PictureOnlyInFolder(const Specimen& specimen, const Settings& settings) {
    return specimen.pictureData.empty() && !specimen.pictureName.empty() && !settings.storeImages;
}

void LoadPictureBytes(Specimen& specimen, const std::wstring& path) {
    specimen.pictureData.clear();
    specimen.pictureName = path;
    if (path.empty())
        return;
    DataFile file(path);
    if (!file.ReadAll(specimen.pictureData))
        specimen.pictureData.clear();
    const size_t separator = path.rfind(L'\\');
    if (separator != std::wstring::npos)
        specimen.pictureName = path.substr(separator + 1);
}
