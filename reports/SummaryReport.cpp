#include "reports/SummaryReport.h"

#include <algorithm>
#include <numeric>

#include "base/NumberFormat.h"
#include "base/StringTable.h"
#include "catalog/Catalog.h"
#include "catalog/Settings.h"
#include "reports/DrawingSurface.h"
#include "resources/resource.h"

namespace {

constexpr int kPenWidth = 2;
constexpr unsigned kCellFlags = kTextWordBreak | kTextWordEllipsis;
constexpr unsigned kFooterFlags = kTextRight | kTextBottom | kTextSingleLine;

// The state of the table while it is drawn.
class SummaryDrawing {
public:
    SummaryDrawing(DrawingSurface& surface, const Settings& settings)
        : surface_(surface), pages_(surface), columns_(settings.columns.begin(), settings.columns.end()) {
        const DeviceMetrics device = surface.Metrics();
        dpiX_ = device.dpiX;
        dpiY_ = device.dpiY;
        page_ = LandscapePage(device.dpiX, device.dpiY);
        lineHeight_ = surface.UseFont({settings.reportFont, (device.horzRes - 2 * device.dpiX) / 55}).lineHeight;
    }

    void MeasureColumns(const ReportSpecimens& specimens);
    ReportOutcome Draw(const ReportSpecimens& specimens);

private:
    void DrawHeading();
    int RowHeight(const std::vector<std::wstring>& cells);
    void DrawRow(const std::vector<std::wstring>& cells);
    void EndFullPage();
    void EndLastPage();
    void DrawFooter();
    Rect CellBox(size_t column, int x) const {
        return {x, y_, std::max(x, x + widths_[column] - page_.left / 8), page_.bottom};
    }

    DrawingSurface& surface_;
    PageSequence pages_;
    std::vector<int> columns_;
    std::vector<int> widths_;
    Rect page_;
    int dpiX_ = 0;
    int dpiY_ = 0;
    int lineHeight_ = 0;
    int y_ = 0;
    int tableTop_ = 0;
    int pageNumber_ = 1;
    bool headingDue_ = true;
};

void SummaryDrawing::MeasureColumns(const ReportSpecimens& specimens) {
    const int padding = dpiX_ / 8;
    for (int field : columns_)
        widths_.push_back(surface_.TextWidth(SummaryHeading(field)) + padding);
    for (const Specimen* specimen : specimens) {
        for (size_t i = 0; i < columns_.size(); ++i)
            widths_[i] = std::max(widths_[i], surface_.TextWidth(Catalog::FieldText(*specimen, columns_[i])) + padding);
    }
    NarrowColumns(widths_, page_.Width());
}

ReportOutcome SummaryDrawing::Draw(const ReportSpecimens& specimens) {
    y_ = page_.top;
    for (const Specimen* specimen : specimens) {
        std::vector<std::wstring> cells;
        for (int field : columns_)
            cells.push_back(Catalog::FieldText(*specimen, field));
        if (!pages_.EnsurePage())
            break;
        if (headingDue_)
            DrawHeading();
        DrawRow(cells);
        if (pages_.Stopped())
            break;
    }
    if (!pages_.Stopped() && pages_.PageOpen())
        EndLastPage();
    return OutcomeOf(pages_);
}

void SummaryDrawing::DrawHeading() {
    surface_.DrawTextInBox(LoadText(IDS_SUMMARY_TITLE), page_, kTextCentre);
    y_ += 2 * lineHeight_;
    tableTop_ = y_;
    int x = page_.left;
    for (size_t i = 0; i < columns_.size(); ++i) {
        surface_.DrawTextInBox(SummaryHeading(columns_[i]), {x, y_, page_.right, page_.bottom}, kTextLeft);
        x += widths_[i];
    }
    surface_.DrawLine(page_.left, y_ + lineHeight_, page_.right, y_ + lineHeight_, kPenWidth);
    y_ += 2 * lineHeight_;
    headingDue_ = false;
}

// A row is as high as its tallest wrapped cell and a sixteenth of an inch, or one line.
int SummaryDrawing::RowHeight(const std::vector<std::wstring>& cells) {
    int height = lineHeight_;
    int x = page_.left;
    for (size_t i = 0; i < cells.size(); ++i) {
        const Rect box = CellBox(i, x);
        const int drawn = surface_.TextHeight(cells[i], box.Width(), kCellFlags);
        if (drawn > height)
            height = drawn + dpiY_ / 16;
        x += widths_[i];
    }
    return height;
}

void SummaryDrawing::DrawRow(const std::vector<std::wstring>& cells) {
    const int height = RowHeight(cells);
    // A row that would run into the footer goes to the next page, unless it starts a page
    // already: then nothing would be gained.
    if (y_ > tableTop_ + 2 * lineHeight_ && y_ + height > page_.bottom - lineHeight_) {
        EndFullPage();
        if (!pages_.EnsurePage())
            return;
        DrawHeading();
    }
    int x = page_.left;
    for (size_t i = 0; i < cells.size(); ++i) {
        surface_.DrawTextInBox(cells[i], CellBox(i, x), kCellFlags);
        x += widths_[i];
    }
    y_ += height;
    if (y_ + 2 * lineHeight_ >= page_.bottom)
        EndFullPage();
}

// A full page closes the table with a line right of every column, the last one included.
void SummaryDrawing::EndFullPage() {
    int x = page_.left;
    for (int width : widths_) {
        x += width;
        surface_.DrawLine(x, tableTop_, x, y_, kPenWidth);
    }
    DrawFooter();
    pages_.EndPage();
    y_ = page_.top;
    headingDue_ = true;
}

// The last page separates the columns only, a little left of each boundary.
void SummaryDrawing::EndLastPage() {
    if (!headingDue_) {
        int x = page_.left;
        for (size_t i = 0; i + 1 < widths_.size(); ++i) {
            x += widths_[i];
            surface_.DrawLine(x - dpiX_ / 16, tableTop_, x - dpiX_ / 16, y_, kPenWidth);
        }
    }
    DrawFooter();
    pages_.EndPage();
}

void SummaryDrawing::DrawFooter() {
    surface_.DrawTextInBox(LoadText(IDS_REPORT_PAGE) + FormatInteger(pageNumber_), page_, kFooterFlags);
    ++pageNumber_;
}

}  // namespace

std::wstring SummaryHeading(int field) {
    if (field == kFieldCategory)
        return LoadText(IDS_CATEGORY);
    if (field < 0 || field >= kFieldCount)
        return {};
    return LoadText(IDS_FIELD_CAPTION_FIRST + static_cast<unsigned>(field));
}

void NarrowColumns(std::vector<int>& widths, int pageWidth) {
    long long sum = std::accumulate(widths.begin(), widths.end(), 0LL);
    if (sum <= pageWidth)
        return;
    const int third = pageWidth / 3;
    for (int& width : widths) {
        if (sum <= pageWidth)
            break;
        if (width <= third)
            continue;
        const long long others = sum - width;
        width = third + others > pageWidth ? third : static_cast<int>(pageWidth - others);
        sum = others + width;
    }
    if (sum >= pageWidth && sum > 0) {
        for (int& width : widths)
            width = static_cast<int>(width * static_cast<long long>(pageWidth) / sum);
    }
}

ReportOutcome PrintSummaryReport(DrawingSurface& surface, const Settings& settings, const ReportSpecimens& specimens) {
    SummaryDrawing drawing(surface, settings);
    drawing.MeasureColumns(specimens);
    return drawing.Draw(specimens);
}
