#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Progress.h"
#include "catalog/Settings.h"
#include "catalog/Specimen.h"
#include "reports/DrawReport.h"
#include "reports/FakeSurface.h"
#include "reports/PageRecording.h"
#include "reports/ReportSettings.h"

namespace {

// Counts the pictures measured, that is decoded on a real device.
class CountingSurface final : public FakeSurface {
public:
    using FakeSurface::FakeSurface;
    PictureSize MeasurePicture(std::span<const std::uint8_t> bytes) override {
        ++measured;
        return FakeSurface::MeasurePicture(bytes);
    }
    int measured = 0;
};

// The same sheet at three times the resolution.
void TripleResolution(FakeSurface& surface) {
    DeviceMetrics& metrics = surface.metrics;
    metrics.dpiX *= 3;
    metrics.dpiY *= 3;
    metrics.horzRes *= 3;
    metrics.vertRes *= 3;
}

Rect Tripled(const Rect& box) {
    return {3 * box.left, 3 * box.top, 3 * box.right, 3 * box.bottom};
}

// Each report laid out once and drawn from the recording at another resolution: the same
// pages, texts and lines as drawn directly, scaled; and laying out reads no picture.
TEST(PageRecording, EachReportDrawsFromItsLayoutThePagesItDrawsDirectlyScaled) {
    std::vector<Specimen> specimens(45);
    ReportSpecimens list;
    for (size_t i = 0; i < specimens.size(); ++i) {
        specimens[i].tag = L"T" + std::to_wstring(i + 1);
        specimens[i].commonName = L"Cowrie number " + std::to_wstring(i + 1);
        specimens[i].pictureData = FakePicture(120, 90);
        list.push_back(&specimens[i]);
    }
    for (std::uint32_t type : {kSummaryReport, kDetailReport, kSpecimenLabels}) {
        SCOPED_TRACE(type);
        const bool landscape = type == kSummaryReport;
        Settings settings;
        settings.reportType = type;
        FakeSurface direct(landscape);
        DrawReport(direct, settings, list, L"");

        CountingSurface layout(landscape);
        PageRecording recording(layout);
        DrawReport(recording, settings, list, L"");
        EXPECT_EQ(layout.measured, 0);
        ASSERT_EQ(recording.PageCount(), direct.endedPages);
        ASSERT_GT(recording.PageCount(), 1);

        CountingSurface printer(landscape);
        TripleResolution(printer);
        const ReportOutcome printed = PrintRecordedPages(recording, printer, nullptr);
        EXPECT_EQ(printed.pages, direct.endedPages);
        EXPECT_FALSE(printed.stopped);
        EXPECT_EQ(printer.misuses, 0);
        ASSERT_EQ(printer.pages.size(), direct.pages.size());
        for (size_t page = 0; page < direct.pages.size(); ++page) {
            const FakeSurface::Page& want = direct.pages[page];
            const FakeSurface::Page& got = printer.pages[page];
            ASSERT_EQ(got.texts.size(), want.texts.size()) << page;
            for (size_t i = 0; i < want.texts.size(); ++i) {
                EXPECT_EQ(got.texts[i].text, want.texts[i].text);
                EXPECT_EQ(got.texts[i].box, Tripled(want.texts[i].box));
                EXPECT_EQ(got.texts[i].fontHeight, 3 * want.texts[i].fontHeight);
            }
            ASSERT_EQ(got.lines.size(), want.lines.size());
            for (size_t i = 0; i < want.lines.size(); ++i) {
                EXPECT_EQ(got.lines[i].x1, 3 * want.lines[i].x1);
                EXPECT_EQ(got.lines[i].y1, 3 * want.lines[i].y1);
                EXPECT_EQ(got.lines[i].width, 3 * want.lines[i].width);
            }
            ASSERT_EQ(got.pictures.size(), want.pictures.size());
            for (size_t i = 0; i < want.pictures.size(); ++i)
                EXPECT_EQ(got.pictures[i], Tripled(want.pictures[i]));
        }
        // Each picture is fetched for its own page only.
        EXPECT_EQ(printer.measured, type == kDetailReport ? static_cast<int>(specimens.size()) : 0);
    }
}

class Percentages final : public ProgressSink {
public:
    void ReportProgress(int percent) override { seen.push_back(percent); }
    std::vector<int> seen;
};

// Printing moves the bar after every page, and stops at a page the device refuses.
TEST(PageRecording, PrintingReportsEachPageAndStopsWhereTheDeviceRefuses) {
    std::vector<Specimen> specimens(8);
    ReportSpecimens list;
    for (Specimen& specimen : specimens)
        list.push_back(&specimen);
    Settings settings;
    settings.reportType = kDetailReport;
    FakeSurface layout;
    PageRecording recording(layout);
    DrawReport(recording, settings, list, L"");
    ASSERT_EQ(recording.PageCount(), 8);

    struct Case {
        int refuseAt;
        ReportOutcome outcome;
        std::vector<int> progress;
    };
    for (const Case& c : {Case{-1, {8, false}, {12, 25, 37, 50, 62, 75, 87, 100}}, Case{2, {2, true}, {12, 25}}}) {
        FakeSurface printer;
        printer.refuseEndPageAt = c.refuseAt;
        Percentages bar;
        const ReportOutcome outcome = PrintRecordedPages(recording, printer, &bar);
        EXPECT_EQ(outcome.pages, c.outcome.pages);
        EXPECT_EQ(outcome.stopped, c.outcome.stopped);
        EXPECT_EQ(bar.seen, c.progress);
        EXPECT_EQ(printer.misuses, 0);
    }
}

}  // namespace
