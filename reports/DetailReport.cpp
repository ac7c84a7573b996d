#include "reports/DetailReport.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "base/NumberFormat.h"
#include "base/StringTable.h"
#include "catalog/Catalog.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "reports/DrawingSurface.h"
#include "resources/resource.h"
#include "specimens/PictureFit.h"

namespace {

constexpr unsigned kFooterFlags = kTextRight | kTextBottom | kTextSingleLine;
// The labels are measured over every field name and the one after them.
constexpr unsigned kLastMeasuredName = IDS_FIELD_CAPTION_FIRST + 23;

std::wstring FieldName(int field) {
    return field == kFieldCategory ? LoadText(IDS_CATEGORY)
                                   : LoadText(IDS_FIELD_CAPTION_FIRST + static_cast<unsigned>(field));
}

int ScaledPixels(int pixels, double scale) {
    const double scaled = pixels * scale;
    return scaled >= INT_MAX ? INT_MAX : static_cast<int>(scaled);
}

double Scale(int printerDpi, int screenDpi) {
    return screenDpi > 0 ? static_cast<double>(printerDpi) / screenDpi : 1.0;
}

// A value drawn without wrapping takes the width of its widest line.
int WidestLine(DrawingSurface& surface, const std::wstring& text) {
    int widest = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == L'\r')
            --lineEnd;
        widest = std::max(widest, surface.TextWidth(std::wstring_view(text).substr(start, lineEnd - start)));
        start = end + 1;
    }
    return widest;
}

class DetailDrawing {
public:
    DetailDrawing(DrawingSurface& surface, const Settings& settings)
        : surface_(surface), pages_(surface), groups_(DetailRowGroups(settings)) {
        device_ = surface.Metrics();
        page_ = PortraitPage(device_.dpiX, device_.dpiY);
        lineHeight_ = surface.UseFont({settings.reportFont, (device_.vertRes - 2 * device_.dpiY) / 55}).lineHeight;
        // Measured as drawn, with the colon and the user's own captions: the widest label would
        // otherwise lose its first letters at the page's left edge.
        for (unsigned id = IDS_FIELD_CAPTION_FIRST; id <= kLastMeasuredName; ++id)
            labelWidth_ = std::max(labelWidth_,
                                   surface.TextWidth(FieldName(static_cast<int>(id - IDS_FIELD_CAPTION_FIRST)) + L":"));
        for (const auto& group : groups_) {
            for (const auto& row : group)
                labelWidth_ = std::max(labelWidth_, surface.TextWidth(row.label + L":"));
        }
    }

    ReportOutcome Draw(const ReportSpecimens& specimens, const std::wstring& pictureFolder);

private:
    void DrawSpecimen(const Specimen& specimen, const std::wstring& pictureFolder);
    void DrawPicture(const Specimen& specimen, const std::wstring& pictureFolder, int valueWidth, int valuesBottom);

    DrawingSurface& surface_;
    PageSequence pages_;
    std::vector<std::vector<DetailRow>> groups_;
    DeviceMetrics device_;
    Rect page_;
    int lineHeight_ = 0;
    int labelWidth_ = 0;
};

ReportOutcome DetailDrawing::Draw(const ReportSpecimens& specimens, const std::wstring& pictureFolder) {
    const std::wstring pageText = LoadText(IDS_REPORT_PAGE);
    const std::wstring ofCount = LoadText(IDS_REPORT_PAGE_OF) + FormatInteger(static_cast<long long>(specimens.size()));
    for (size_t i = 0; i < specimens.size(); ++i) {
        if (!pages_.EnsurePage())
            break;
        DrawSpecimen(*specimens[i], pictureFolder);
        surface_.DrawTextInBox(pageText + FormatInteger(static_cast<long long>(i + 1)) + ofCount, page_, kFooterFlags);
        if (!pages_.EndPage())
            break;
    }
    pages_.Finish();
    return OutcomeOf(pages_);
}

void DetailDrawing::DrawSpecimen(const Specimen& specimen, const std::wstring& pictureFolder) {
    surface_.DrawTextInBox(specimen.commonName + L" (" + specimen.latinName + L")", page_, kTextCentre);
    const int valueLeft = page_.left + labelWidth_ + page_.left / 4;
    int y = page_.top + lineHeight_;
    int valueWidth = 0;
    int valuesBottom = y;
    for (size_t g = 0; g < groups_.size(); ++g) {
        if (g > 0)
            y += lineHeight_;
        for (const DetailRow& row : groups_[g]) {
            y += lineHeight_;
            surface_.DrawTextInBox(row.label + L":", {page_.left, y, page_.left + labelWidth_, page_.bottom},
                                   kTextRight);
            const std::wstring value = Catalog::FieldText(specimen, row.field);
            const int drawn = surface_.DrawTextInBox(value, {valueLeft, y, page_.right, page_.bottom}, kTextLeft);
            valueWidth = std::max(valueWidth, WidestLine(surface_, value));
            valuesBottom = std::max(valuesBottom, y + std::max(drawn, lineHeight_));
        }
    }
    DrawPicture(specimen, pictureFolder, valueWidth, valuesBottom);
}

void DetailDrawing::DrawPicture(const Specimen& specimen, const std::wstring& pictureFolder, int valueWidth,
                                int valuesBottom) {
    // Nothing to fetch: no request is kept.
    if (specimen.pictureData.empty() && (pictureFolder.empty() || specimen.pictureName.empty()))
        return;
    PicturePlacementInput input;
    input.page = page_;
    input.besideX = page_.left * 5 / 4 + labelWidth_ + valueWidth + device_.dpiX / 8;
    input.top = page_.top + 2 * lineHeight_;
    input.belowTop = valuesBottom + lineHeight_;
    input.footerHeight = lineHeight_;
    input.dpiX = device_.dpiX;
    input.scaleX = Scale(device_.dpiX, device_.screenDpiX);
    input.scaleY = Scale(device_.dpiY, device_.screenDpiY);
    // The specimens outlive the pages laid out from them; the folder is kept with the request.
    const Specimen* shown = &specimen;
    surface_.DrawRequestedPicture({[shown, pictureFolder] { return PictureBytesForPrinting(*shown, pictureFolder); },
                                   [input](PictureSize size) {
                                       PicturePlacementInput sized = input;
                                       sized.pictureWidth = size.width;
                                       sized.pictureHeight = size.height;
                                       return PlacePicture(sized);
                                   }});
}

}  // namespace

std::vector<std::vector<DetailRow>> DetailRowGroups(const Settings& settings) {
    auto named = [](int field) { return DetailRow{FieldName(field), field}; };
    return {
            {named(kFieldCategory), named(kFieldTag), named(kFieldCommonName), named(kFieldLatinName)},
            {named(kFieldColour), named(kFieldQuality), named(kFieldSize), named(kFieldDimensions),
             named(kFieldAbundance)},
            {named(kFieldCollector), named(kFieldDateCollected), named(kFieldLocation)},
            {named(kFieldPrice), named(kFieldValue)},
            {{settings.captions[0], kFieldUser1},
             {settings.captions[1], kFieldUser2},
             {settings.captions[2], kFieldUser3},
             {settings.captions[3], kFieldUser4},
             {settings.captions[4], kFieldUser5},
             named(kFieldRemarks)},
    };
}

std::optional<Rect> PlacePicture(const PicturePlacementInput& input) {
    const int width = ScaledPixels(input.pictureWidth, input.scaleX);
    const int height = ScaledPixels(input.pictureHeight, input.scaleY);
    if (width <= 0 || height <= 0)
        return std::nullopt;
    const int space = input.page.right - input.besideX;
    if (width <= space)
        return Rect{input.besideX, input.top, input.besideX + width, input.top + height};
    if (space >= input.dpiX && space > 0) {
        const auto narrowed = static_cast<int>(std::int64_t{height} * space / width);
        if (narrowed <= 0)
            return std::nullopt;
        return Rect{input.besideX, input.top, input.besideX + space, input.top + narrowed};
    }
    const int boxWidth = input.page.Width();
    const int boxHeight = input.page.bottom - input.footerHeight - input.belowTop;
    if (boxWidth <= 0 || boxHeight <= 0)
        return std::nullopt;
    const Rect box = FitPicture(input.page.left, input.belowTop, boxWidth, boxHeight, width, height);
    if (box.Width() <= 0 || box.Height() <= 0)
        return std::nullopt;
    return box;
}

std::vector<std::uint8_t> PictureBytesForPrinting(const Specimen& specimen, const std::wstring& pictureFolder) {
    if (!specimen.pictureData.empty())
        return specimen.pictureData;
    if (pictureFolder.empty() || specimen.pictureName.empty())
        return {};
    return ReadPictureFile(pictureFolder, specimen.pictureName);
}

ReportOutcome PrintDetailReport(DrawingSurface& surface, const Settings& settings, const ReportSpecimens& specimens,
                                const std::wstring& pictureFolder) {
    DetailDrawing drawing(surface, settings);
    return drawing.Draw(specimens, pictureFolder);
}
