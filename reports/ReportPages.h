#pragma once

#include "base/Geometry.h"

class DrawingSurface;

// The page frame every report shares: a fixed half-inch margin on a letter-sized sheet,
// whatever paper the printer holds, and the rule for beginning and ending pages.

// The summary's landscape rectangle: dpiX / 2, dpiY / 2, dpiX * 21 / 2, dpiY * 8.
Rect LandscapePage(int dpiX, int dpiY);
// The detail report's and the labels' portrait rectangle: dpiX / 2, dpiY / 2, dpiX * 8,
// dpiY * 21 / 2.
Rect PortraitPage(int dpiX, int dpiY);

// Pages of one report. The caller has begun the first page before the report draws. A report
// ends a page when it is full and begins the next only when more is to be drawn, so a last
// row that fills its page leaves no empty page behind; once the device refuses a page, every
// later call does nothing and the report stops.
class PageSequence {
public:
    explicit PageSequence(DrawingSurface& surface) : surface_(surface) {}

    // Begins a page unless one is open; false when the device refuses or the report stopped.
    bool EnsurePage();
    // Ends the open page; false when the device refuses or the report stopped.
    bool EndPage();
    // At the report's end: ends the open page unless it has just been ended.
    void Finish();

    bool PageOpen() const { return open_; }
    bool Stopped() const { return stopped_; }
    int PagesEnded() const { return pagesEnded_; }

private:
    DrawingSurface& surface_;
    bool open_ = true;
    bool stopped_ = false;
    int pagesEnded_ = 0;
};

// What a report did: the pages it ended, and whether the device stopped it.
struct ReportOutcome {
    int pages = 0;
    bool stopped = false;
};

inline ReportOutcome OutcomeOf(const PageSequence& pages) {
    return {pages.PagesEnded(), pages.Stopped()};
}
