#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Picture files made in memory for tests and screenshots.

// A 24-bit BMP file whose pixel (x, y) has the colour 0xRRGGBB that colour gives.
std::vector<std::uint8_t> BmpFile(int width, int height, const std::function<std::uint32_t(int, int)>& colour);

// A BMP of a plain pattern.
std::vector<std::uint8_t> PlainBmp(int width, int height);

// The picture encoded again by GDI+ as mimeType ("image/png", "image/jpeg"); empty when it
// cannot be. GDI+ must be running.
std::vector<std::uint8_t> Encoded(const std::vector<std::uint8_t>& picture, const wchar_t* mimeType);
