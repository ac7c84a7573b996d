#include "catalog/PictureExport.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "base/DataFile.h"
#include "base/Progress.h"
#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"

namespace {

void ExportPicture(const Catalog& catalog, const Specimen& specimen, const std::wstring& imagesFolder,
                   PictureFileWriter& pictures) {
    const std::wstring name = SafePictureFileName(specimen.pictureName);
    if (name.empty())
        return;
    const std::wstring target = imagesFolder + name;
    if (catalog.CurrentSettings().storeImages && !specimen.pictureData.empty()) {
        if (CreateFolderPath(imagesFolder, false))
            pictures.WritePicture(target, specimen.pictureData);
        return;
    }
    // A catalog that was never saved has no picture folder.
    if (catalog.FilePath().empty())
        return;
    const std::wstring source = PictureFolderOf(catalog.FilePath()) + name;
    if (!SameTextIgnoringCase(source, target) && CreateFolderPath(imagesFolder, false))
        CopyFileReplacing(source, target);
}

// Which specimens' pictures a later specimen puts into the same file the same way, so that
// each picture shown on many specimens is written once, with the same files in the end.
std::vector<bool> RepeatedLater(const Catalog& catalog, const std::vector<const Specimen*>& chosen) {
    std::vector<bool> repeated(chosen.size());
    // Per file name, the bytes later specimens write (null: copied from the catalog's folder).
    std::unordered_map<std::wstring, std::vector<const std::vector<std::uint8_t>*>> later;
    for (size_t i = chosen.size(); i-- > 0;) {
        const Specimen& specimen = *chosen[i];
        if (specimen.pictureName.empty())
            continue;
        const bool writesBytes = catalog.CurrentSettings().storeImages && !specimen.pictureData.empty();
        const std::vector<std::uint8_t>* bytes = writesBytes ? &specimen.pictureData : nullptr;
        auto& seen = later[SafePictureFileName(specimen.pictureName)];
        repeated[i] = std::any_of(seen.begin(), seen.end(), [bytes](const std::vector<std::uint8_t>* other) {
            return other == nullptr || bytes == nullptr ? other == bytes : *other == *bytes;
        });
        if (!repeated[i])
            seen.push_back(bytes);
    }
    return repeated;
}

}  // namespace

void ExportPictureFiles(const Catalog& catalog, const std::vector<const Specimen*>& specimens,
                        const std::wstring& imagesFolder, PictureFileWriter& pictures, ProgressThrottle& reporter,
                        int base, int span, const std::atomic<bool>* cancelled) {
    const std::vector<bool> repeated = RepeatedLater(catalog, specimens);
    const auto count = static_cast<long long>(specimens.size()) + 1;
    for (size_t i = 0; i < specimens.size() && !IsCancelled(cancelled); ++i) {
        if (!specimens[i]->pictureName.empty() && !repeated[i])
            ExportPicture(catalog, *specimens[i], imagesFolder, pictures);
        reporter.Report(static_cast<long long>(i) + 1, count, base, span);
    }
}
