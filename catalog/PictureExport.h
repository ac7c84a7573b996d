#pragma once

#include <atomic>
#include <string>
#include <vector>

class Catalog;
class PictureFileWriter;
class ProgressThrottle;
struct Specimen;

// Puts the pictures of the specimens into an export's picture folder (ending with a
// separator): their bytes when the catalog keeps pictures inside its file, otherwise copies of
// the catalog's own picture files. Each file is written once, as the last specimen showing it
// leaves it. A picture that cannot be written is passed over. Reports span percent from base
// over the specimens, and stops early once cancelled is set.
void ExportPictureFiles(const Catalog& catalog, const std::vector<const Specimen*>& specimens,
                        const std::wstring& imagesFolder, PictureFileWriter& pictures, ProgressThrottle& reporter,
                        int base, int span, const std::atomic<bool>* cancelled);

// Whether the cancel flag is given and set.
inline bool IsCancelled(const std::atomic<bool>* cancelled) {
    return cancelled != nullptr && cancelled->load();
}
