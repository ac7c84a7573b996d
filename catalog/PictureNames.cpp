#include "catalog/PictureNames.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/DataFile.h"
#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/PictureFiles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// "<stem> (number)<extension>": the number goes before the extension so the file keeps its type.
std::wstring NumberedName(const std::wstring& name, int number) {
    const size_t dot = name.rfind(L'.');
    const size_t stemEnd = dot == std::wstring::npos ? name.size() : dot;
    return name.substr(0, stemEnd) + L" (" + std::to_wstring(number) + L")" + name.substr(stemEnd);
}

// A file in the folder that another picture owns: there, and not holding these bytes.
bool FolderHoldsOther(const std::wstring& pictureFolder, const std::wstring& name, const Bytes& bytes) {
    if (pictureFolder.empty())
        return false;
    const std::wstring path = pictureFolder + name;
    return FileIsPresent(path) && !FileHoldsBytes(path, bytes);
}

// What one picture name stands for among the specimens of a save.
struct NameUse {
    const Bytes* first = nullptr;  // the bytes of the first specimen that has them in memory
    bool inFolderOnly = false;     // some specimen shows the name's file, never read
    std::optional<Bytes> folderBytes;
    std::vector<std::pair<const Bytes*, std::wstring>> moved;  // other bytes met, and their new names
};

class PictureNameTable {
public:
    PictureNameTable(const Catalog& catalog, std::wstring pictureFolder) : pictureFolder_(std::move(pictureFolder)) {
        for (const Specimen& specimen : catalog.Specimens()) {
            const std::wstring name = SafePictureFileName(specimen.pictureName);
            if (name.empty())
                continue;
            NameUse& use = uses_[OrderKeyIgnoringCase(name)];
            if (specimen.pictureData.empty())
                use.inFolderOnly = true;
        }
    }

    // The name the specimen's picture keeps or gets; the specimen has bytes and a safe name.
    std::wstring NameFor(const Specimen& specimen, const std::wstring& name) {
        NameUse& use = uses_[OrderKeyIgnoringCase(name)];
        const Bytes* reference = ReferenceBytes(use, name);
        if (reference == nullptr) {
            use.first = &specimen.pictureData;
            return name;
        }
        if (*reference == specimen.pictureData)
            return name;
        for (const auto& [bytes, newName] : use.moved) {
            if (*bytes == specimen.pictureData)
                return newName;
        }
        std::wstring newName = FreeName(name, specimen.pictureData);
        use.moved.emplace_back(&specimen.pictureData, newName);
        return newName;
    }

private:
    // The bytes the name stands for so far: its file when a specimen shows it unread, else the
    // first bytes met under it; none when nothing has claimed it yet.
    const Bytes* ReferenceBytes(NameUse& use, const std::wstring& name) {
        if (use.inFolderOnly) {
            if (!use.folderBytes)
                use.folderBytes = ReadPictureFile(pictureFolder_, name);
            if (!use.folderBytes->empty())
                return &*use.folderBytes;
        }
        return use.first;
    }

    std::wstring FreeName(const std::wstring& name, const Bytes& bytes) {
        for (int number = 2;; ++number) {
            std::wstring candidate = NumberedName(name, number);
            const std::string key = OrderKeyIgnoringCase(candidate);
            if (uses_.count(key) != 0 || FolderHoldsOther(pictureFolder_, candidate, bytes))
                continue;
            uses_[key].first = &bytes;
            return candidate;
        }
    }

    std::wstring pictureFolder_;
    // References into it stay valid as it grows.
    std::unordered_map<std::string, NameUse> uses_;
};

}  // namespace

std::wstring FreePictureName(const Catalog& catalog, const Specimen& specimen, const std::wstring& pictureFolder) {
    const std::wstring name = SafePictureFileName(specimen.pictureName);
    if (name.empty() || specimen.pictureData.empty())
        return specimen.pictureName;
    const Specimen* stored = specimen.id != 0 ? catalog.FindSpecimen(specimen.id) : nullptr;
    auto heldByOther = [&](const std::wstring& candidate) {
        for (const Specimen& other : catalog.Specimens()) {
            if (other.pictureName.empty() || &other == stored)
                continue;
            if (!SameTextIgnoringCase(SafePictureFileName(other.pictureName), candidate))
                continue;
            const Bytes& bytes = other.pictureData.empty() ? ReadPictureFile(pictureFolder, other.pictureName)
                                                           : other.pictureData;
            if (bytes != specimen.pictureData)
                return true;
        }
        // The specimen's own file is replaced by its new picture.
        const bool ownFile = stored != nullptr &&
                             SameTextIgnoringCase(SafePictureFileName(stored->pictureName), candidate);
        return !ownFile && FolderHoldsOther(pictureFolder, candidate, specimen.pictureData);
    };
    if (!heldByOther(name))
        return specimen.pictureName;
    for (int number = 2;; ++number) {
        std::wstring candidate = NumberedName(name, number);
        if (!heldByOther(candidate))
            return candidate;
    }
}

std::wstring NameFreeInFolder(const std::wstring& name, const std::vector<std::uint8_t>& bytes,
                              const std::wstring& pictureFolder) {
    const std::wstring fileName = SafePictureFileName(name);
    if (fileName.empty() || !FolderHoldsOther(pictureFolder, fileName, bytes))
        return name;
    for (int number = 2;; ++number) {
        std::wstring candidate = NumberedName(fileName, number);
        if (!FolderHoldsOther(pictureFolder, candidate, bytes))
            return candidate;
    }
}

int SeparateClashingPictures(Catalog& catalog, const std::wstring& pictureFolder) {
    PictureNameTable table(catalog, pictureFolder);
    int renamed = 0;
    for (Specimen& specimen : catalog.Specimens()) {
        if (specimen.pictureData.empty())
            continue;
        const std::wstring name = SafePictureFileName(specimen.pictureName);
        if (name.empty())
            continue;
        std::wstring kept = table.NameFor(specimen, name);
        if (kept != name) {
            specimen.pictureName = std::move(kept);
            ++renamed;
        }
    }
    return renamed;
}
