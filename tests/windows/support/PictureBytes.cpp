#include "windows/support/PictureBytes.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "base/GdiplusSession.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace Flat = Gdiplus::DllExports;

TQLibrary::StreamHandle StreamOf(const Bytes& bytes) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return {};
    TQLibrary::StreamHandle owned(stream);
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    return owned;
}

}  // namespace

Bytes BmpFile(int width, int height, const std::function<std::uint32_t(int, int)>& colour) {
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const auto pixelBytes = static_cast<DWORD>(rowSize * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfSize = 54 + pixelBytes;
    file.bfOffBits = 54;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = pixelBytes;
    Bytes bytes(54 + pixelBytes);
    std::memcpy(bytes.data(), &file, 14);
    std::memcpy(bytes.data() + 14, &info, 40);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bytes.data() + 54 + static_cast<size_t>(height - 1 - y) * rowSize;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colour(x, y);
            row[x * 3] = static_cast<std::uint8_t>(c);
            row[x * 3 + 1] = static_cast<std::uint8_t>(c >> 8);
            row[x * 3 + 2] = static_cast<std::uint8_t>(c >> 16);
        }
    }
    return bytes;
}

Bytes PlainBmp(int width, int height) {
    return BmpFile(width, height, [](int x, int y) { return static_cast<std::uint32_t>((x * 7 + y * 13) & 0xFF); });
}

Bytes Encoded(const Bytes& bmp, const wchar_t* mimeType) {
    TQLibrary::StreamHandle in = StreamOf(bmp);
    Gdiplus::GpImage* loaded = nullptr;
    if (!in || Flat::GdipLoadImageFromStream(in.Get(), &loaded) != Gdiplus::Ok)
        return {};
    TQLibrary::GdiplusImage image(loaded);
    UINT count = 0;
    UINT size = 0;
    Flat::GdipGetImageEncodersSize(&count, &size);
    std::vector<std::uint8_t> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Flat::GdipGetImageEncoders(count, size, encoders) != Gdiplus::Ok)
        return {};
    TQLibrary::StreamHandle out = StreamOf({});
    for (UINT i = 0; i < count; ++i) {
        if (std::wcscmp(encoders[i].MimeType, mimeType) != 0)
            continue;
        if (Flat::GdipSaveImageToStream(image.Get(), out.Get(), &encoders[i].Clsid, nullptr) != Gdiplus::Ok)
            return {};
        ULARGE_INTEGER end{};
        out.Get()->Seek({}, STREAM_SEEK_END, &end);
        out.Get()->Seek({}, STREAM_SEEK_SET, nullptr);
        Bytes bytes(static_cast<size_t>(end.QuadPart));
        ULONG read = 0;
        out.Get()->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
        return bytes;
    }
    return {};
}
