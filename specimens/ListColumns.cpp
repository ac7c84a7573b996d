#include "specimens/ListColumns.h"

#include "base/StringTable.h"
#include "catalog/Catalog.h"
#include "catalog/Specimen.h"
#include "resources/resource.h"

namespace {

constexpr int kWheelNotch = 120;
constexpr int kPixelsPerNotch = 14;

bool IsRecordedWidth(int width) {
    return width >= 0 && width <= kMaximumColumnWidth;
}

// Which of the five user captions names a field, or -1.
int UserCaptionIndex(int field) {
    switch (field) {
        case kFieldUser1:
            return 0;
        case kFieldUser2:
            return 1;
        case kFieldUser3:
            return 2;
        case kFieldUser4:
            return 3;
        case kFieldUser5:
            return 4;
        default:
            return -1;
    }
}

}  // namespace

std::vector<int> ColumnWidths(std::vector<int>& widths, std::span<const std::uint8_t> displayed, int clientWidth) {
    std::vector<int> shown;
    if (displayed.empty())
        return shown;
    const int count = static_cast<int>(displayed.size());
    const int share = (clientWidth - count) / count;
    for (std::uint8_t field : displayed) {
        if (static_cast<size_t>(field) >= widths.size()) {
            shown.push_back(share);
            continue;
        }
        if (!IsRecordedWidth(widths[field]))
            widths[field] = share;
        shown.push_back(widths[field]);
    }
    return shown;
}

void SaveColumnWidths(std::vector<int>& widths, std::span<const std::uint8_t> displayed, bool track,
                      std::span<const int> shownWidths) {
    for (size_t position = 0; position < displayed.size(); ++position) {
        const std::uint8_t field = displayed[position];
        if (static_cast<size_t>(field) >= widths.size())
            continue;
        if (!track)
            widths[field] = -1;
        else if (position < shownWidths.size())
            widths[field] = shownWidths[position];
    }
}

std::wstring ColumnCaption(int field, const std::array<std::wstring, 5>& userCaptions, std::wstring_view sizeUnits) {
    const int user = UserCaptionIndex(field);
    if (user >= 0)
        return userCaptions[static_cast<size_t>(user)];
    std::wstring caption = LoadText(IDS_FIELD_CAPTION_FIRST + static_cast<unsigned>(field));
    if (field == kFieldSize && !sizeUnits.empty())
        caption += L" (" + std::wstring(sizeUnits) + L")";
    return caption;
}

std::vector<std::wstring> RowTexts(const Specimen& specimen, std::span<const std::uint8_t> displayed) {
    std::vector<std::wstring> texts;
    texts.reserve(displayed.size());
    for (std::uint8_t field : displayed)
        texts.push_back(field < kFieldCount ? Catalog::FieldText(specimen, field) : std::wstring());
    return texts;
}

SortChoice SortAfterHeaderClick(SortChoice current, int clicked) {
    if (clicked == current.column)
        return {clicked, !current.descending};
    return {clicked, false};
}

int WheelScrollPixels(int& accumulator, int delta) {
    accumulator += delta;
    if (accumulator > -kWheelNotch && accumulator < kWheelNotch)
        return 0;
    const int pixels = accumulator / kWheelNotch * -kPixelsPerNotch;
    accumulator %= kWheelNotch;
    return pixels;
}
