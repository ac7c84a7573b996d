#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Window-free rules of the specimen list: column widths and captions, sorting and the mouse
// wheel.

// The largest recorded column width taken as it is; wider ones, and negative ones, are computed.
inline constexpr int kMaximumColumnWidth = 4000;

// The width of each displayed column, left to right, for a list client area clientWidth wide.
// A recorded width below 0 or above 4000 is replaced, in widths too, by an equal share
// (clientWidth - n) / n of the n columns; 0 stays 0 (a collapsed column). widths is indexed by
// field identifier.
std::vector<int> ColumnWidths(std::vector<int>& widths, std::span<const std::uint8_t> displayed, int clientWidth);

// At program close: with track set, each displayed field keeps the width its column has now
// (shownWidths, by position); otherwise each displayed field goes back to -1 (computed).
void SaveColumnWidths(std::vector<int>& widths, std::span<const std::uint8_t> displayed, bool track,
                      std::span<const int> shownWidths);

// A column's header: the field's caption from the string table, or the user's caption for the
// five user fields; the Size field shows its units as "Size (mm)" when units are set.
std::wstring ColumnCaption(int field, const std::array<std::wstring, 5>& userCaptions, std::wstring_view sizeUnits);

struct Specimen;

// The cells of a specimen's row: the display text of each displayed field, left to right; an
// identifier that names no field gives an empty cell.
std::vector<std::wstring> RowTexts(const Specimen& specimen, std::span<const std::uint8_t> displayed);

struct SortChoice {
    int column = 0;
    bool descending = false;

    bool operator==(const SortChoice&) const = default;
};

// A click on column header c: the same column again reverses the order, another column sorts
// ascending.
SortChoice SortAfterHeaderClick(SortChoice current, int clicked);

// Adds a wheel rotation (120 per notch, positive away from the user) to the accumulator and
// returns the vertical scroll in pixels: 0 until a whole notch has gathered, then -14 per notch
// (a turn away scrolls up); the accumulator keeps the remainder.
int WheelScrollPixels(int& accumulator, int delta);
