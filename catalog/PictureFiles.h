#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/Specimen.h"

struct Settings;

// Picture files kept beside a catalog, in its "Images\" folder.

// Writes a picture's bytes as a file, encoded by the name's extension (JPEG for ".jpg", PNG
// for ".png", BMP otherwise). The Windows program encodes through GDI+; the plain writer
// stores the bytes as they are.
class PictureFileWriter {
public:
    virtual bool WritePicture(const std::wstring& path, const std::vector<std::uint8_t>& bytes) = 0;

protected:
    ~PictureFileWriter() = default;
};

class RawPictureFileWriter : public PictureFileWriter {
public:
    bool WritePicture(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override;
};

// Picture names come from files we did not write. This gives the plain file name to join to
// a folder: the last component of the name when it is safe (not empty, not "." or "..", no
// reserved device name such as "CON" or "lpt1.jpg"), otherwise the empty text, meaning the
// picture file is skipped.
std::wstring SafePictureFileName(std::wstring_view name);

// The picture folder of a catalog file: its folder followed by "Images\".
std::wstring PictureFolderOf(std::wstring_view catalogPath);

// The bytes of the file of that picture name in the picture folder; none when the name is not
// safe (SafePictureFileName) or the file cannot be read. Never reads outside the folder.
std::vector<std::uint8_t> ReadPictureFile(const std::wstring& pictureFolder, std::wstring_view pictureName);

// Whether the file is there and holds exactly these bytes: a picture file that does is not
// written again.
bool FileHoldsBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

// Whether the specimen's picture is still only in the picture folder: it has a name but its
// bytes were never read, and pictures are not kept in the catalog file.
bool PictureOnlyInFolder(const Specimen& specimen, const Settings& settings);

// A picture chosen from a file: the specimen takes the file's bytes (none when it cannot be
// read) and its name without the folder. The empty path removes the picture.
void LoadPictureBytes(Specimen& specimen, const std::wstring& path);
