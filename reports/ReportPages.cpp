#include "reports/ReportPages.h"

#include "reports/DrawingSurface.h"

Rect LandscapePage(int dpiX, int dpiY) {
    return {dpiX / 2, dpiY / 2, dpiX * 21 / 2, dpiY * 8};
}

Rect PortraitPage(int dpiX, int dpiY) {
    return {dpiX / 2, dpiY / 2, dpiX * 8, dpiY * 21 / 2};
}

bool PageSequence::EnsurePage() {
    if (stopped_)
        return false;
    if (open_)
        return true;
    if (!surface_.StartPage()) {
        stopped_ = true;
        return false;
    }
    open_ = true;
    return true;
}

bool PageSequence::EndPage() {
    if (stopped_ || !open_)
        return false;
    open_ = false;
    if (!surface_.EndPage()) {
        stopped_ = true;
        return false;
    }
    ++pagesEnded_;
    return true;
}

void PageSequence::Finish() {
    if (open_)
        EndPage();
}
