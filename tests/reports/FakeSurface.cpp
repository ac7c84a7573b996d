#include "reports/FakeSurface.h"

#include <cstdlib>

FakeSurface::FakeSurface(bool landscape) {
    metrics = landscape ? DeviceMetrics{100, 100, 1100, 850, 100, 100} : DeviceMetrics{100, 100, 850, 1100, 100, 100};
}

FontMetrics FakeSurface::UseFont(const FontSpec& font) {
    fontHeight_ = std::abs(font.height);
    return {fontHeight_, CharWidth()};
}

int FakeSurface::TextWidth(std::wstring_view text) {
    return static_cast<int>(text.size()) * CharWidth();
}

// Lines of a paragraph wrapped between words; a word alone on a line is never broken.
int FakeSurface::LineCount(std::wstring_view text, int width, unsigned flags) const {
    if (flags & kTextSingleLine)
        return 1;
    int lines = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos)
            end = text.size();
        std::wstring_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == L'\r')
            paragraph.remove_suffix(1);
        ++lines;
        if (flags & kTextWordBreak) {
            int lineWidth = 0;
            size_t wordStart = 0;
            while (wordStart < paragraph.size()) {
                size_t wordEnd = paragraph.find(L' ', wordStart);
                if (wordEnd == std::wstring_view::npos)
                    wordEnd = paragraph.size();
                const int wordWidth = static_cast<int>(wordEnd - wordStart) * CharWidth();
                if (lineWidth > 0 && lineWidth + CharWidth() + wordWidth > width) {
                    ++lines;
                    lineWidth = wordWidth;
                } else {
                    lineWidth += (lineWidth > 0 ? CharWidth() : 0) + wordWidth;
                }
                wordStart = wordEnd + 1;
            }
        }
        start = end + 1;
    }
    return lines;
}

int FakeSurface::TextHeight(std::wstring_view text, int width, unsigned flags) {
    return LineCount(text, width, flags) * fontHeight_;
}

int FakeSurface::DrawTextInBox(std::wstring_view text, const Rect& box, unsigned flags) {
    Current().texts.push_back({std::wstring(text), box, flags, fontHeight_});
    return TextHeight(text, box.Width(), flags);
}

void FakeSurface::DrawLine(int x0, int y0, int x1, int y1, int penWidth) {
    Current().lines.push_back({x0, y0, x1, y1, penWidth});
}

PictureSize FakeSurface::MeasurePicture(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4)
        return {};
    return {bytes[0] | bytes[1] << 8, bytes[2] | bytes[3] << 8};
}

void FakeSurface::DrawPicture(std::span<const std::uint8_t>, const Rect& box) {
    Current().pictures.push_back(box);
}

bool FakeSurface::StartPage() {
    if (open_)
        ++misuses;
    open_ = true;
    pages.emplace_back();
    return true;
}

bool FakeSurface::EndPage() {
    if (!open_)
        ++misuses;
    open_ = false;
    if (endPageCalls_++ == refuseEndPageAt)
        return false;
    ++endedPages;
    return true;
}

FakeSurface::Page& FakeSurface::Current() {
    if (!open_)
        ++misuses;
    return pages.back();
}

std::vector<std::wstring> FakeSurface::TextsOf(size_t page) const {
    std::vector<std::wstring> texts;
    for (const Text& text : pages.at(page).texts)
        texts.push_back(text.text);
    return texts;
}

const FakeSurface::Text* FakeSurface::Find(size_t page, std::wstring_view text) const {
    for (const Text& drawn : pages.at(page).texts) {
        if (drawn.text == text)
            return &drawn;
    }
    return nullptr;
}

std::vector<std::uint8_t> FakePicture(int width, int height) {
    return {static_cast<std::uint8_t>(width & 0xFF), static_cast<std::uint8_t>(width >> 8 & 0xFF),
            static_cast<std::uint8_t>(height & 0xFF), static_cast<std::uint8_t>(height >> 8 & 0xFF)};
}
