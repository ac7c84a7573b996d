#include "reports/SpecimenLabels.h"

#include <array>

#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "reports/DrawingSurface.h"
#include "reports/ReportSettings.h"

namespace {

class LabelDrawing {
public:
    LabelDrawing(DrawingSurface& surface, const Settings& settings)
        : surface_(surface), pages_(surface), lines_(LabelLines(settings)) {
        const DeviceMetrics device = surface.Metrics();
        page_ = PortraitPage(device.dpiX, device.dpiY);
        for (size_t i = 0; i < lines_.size(); ++i) {
            fonts_[i] = {settings.reportFont, lines_[i].pointSize * device.dpiY / 72};
            heights_[i] = surface.UseFont(fonts_[i]).lineHeight;
            if (lines_[i].InUse())
                blockHeight_ += heights_[i];
        }
    }

    ReportOutcome Draw(const ReportSpecimens& specimens);

private:
    // Draws one label from (left, y) and returns the y below its last line.
    int DrawLabel(const Specimen& specimen, int left, int y);

    DrawingSurface& surface_;
    PageSequence pages_;
    std::array<LabelLine, kLabelLineCount> lines_;
    std::array<FontSpec, kLabelLineCount> fonts_;
    std::array<int, kLabelLineCount> heights_{};
    Rect page_;
    int blockHeight_ = 0;
};

ReportOutcome LabelDrawing::Draw(const ReportSpecimens& specimens) {
    if (blockHeight_ > 0) {
        const int middle = page_.left + page_.Width() / 2;
        int y = page_.top;
        for (size_t i = 0; i < specimens.size(); i += 2) {
            if (!pages_.EnsurePage())
                break;
            const int top = y;
            y = DrawLabel(*specimens[i], page_.left, top);
            if (i + 1 == specimens.size())
                break;
            y = DrawLabel(*specimens[i + 1], middle, top) + heights_[0];
            if (y + blockHeight_ >= page_.bottom) {
                if (!pages_.EndPage())
                    break;
                y = page_.top;
            }
        }
    }
    pages_.Finish();
    return OutcomeOf(pages_);
}

int LabelDrawing::DrawLabel(const Specimen& specimen, int left, int y) {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!lines_[i].InUse())
            continue;
        surface_.UseFont(fonts_[i]);
        // The box reaches the page's right edge, so a long left-hand text is not cut at the middle.
        surface_.DrawTextInBox(Catalog::FieldText(specimen, lines_[i].field), {left, y, page_.right, page_.bottom},
                               kTextLeft);
        y += heights_[i];
    }
    return y;
}

}  // namespace

ReportOutcome PrintSpecimenLabels(DrawingSurface& surface, const Settings& settings, const ReportSpecimens& specimens) {
    LabelDrawing drawing(surface, settings);
    return drawing.Draw(specimens);
}
