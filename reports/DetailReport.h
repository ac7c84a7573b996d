#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "reports/ReportPages.h"
#include "reports/ReportSelection.h"

class DrawingSurface;
struct Settings;
struct Specimen;

// The detail report: one page per specimen with every field under its label, and its picture.

struct DetailRow {
    std::wstring label;
    int field = 0;
};

// The rows in their groups: identity, appearance, collection, money, the user fields under the
// user's captions, then Remarks (last, so that its extra lines push nothing down).
std::vector<std::vector<DetailRow>> DetailRowGroups(const Settings& settings);

// Where the picture goes. Beside the values it starts at besideX and top and keeps its printed
// size (pixels enlarged by the printer's resolution over the screen's), narrowed to the page's
// right edge with its proportions kept; when less than an inch is left beside the values it
// goes below them (from belowTop) fitted into the page. Nothing when the picture or its space
// has no size.
struct PicturePlacementInput {
    Rect page;
    int besideX = 0;
    int top = 0;
    int belowTop = 0;
    int footerHeight = 0;
    int dpiX = 0;
    double scaleX = 1;
    double scaleY = 1;
    int pictureWidth = 0;
    int pictureHeight = 0;
};
std::optional<Rect> PlacePicture(const PicturePlacementInput& input);

// The picture bytes to print: the specimen's own, else those of its file in the picture folder
// (read for this page only). Empty when it has none.
std::vector<std::uint8_t> PictureBytesForPrinting(const Specimen& specimen, const std::wstring& pictureFolder);

// Draws every page, ending each, on a surface whose first page has been begun. pictureFolder
// is where pictures kept as files live ("" when they are all in the catalog).
ReportOutcome PrintDetailReport(DrawingSurface& surface, const Settings& settings, const ReportSpecimens& specimens,
                                const std::wstring& pictureFolder);
