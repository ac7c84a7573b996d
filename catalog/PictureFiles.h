#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
