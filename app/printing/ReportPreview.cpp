#include "app/printing/ReportPreview.h"

#include <algorithm>
#include <deque>
#include <string>
#include <utility>

#include "app/framework/Dialogs.h"
#include "app/framework/Dpi.h"
#include "app/printing/DeviceSurface.h"
#include "base/Geometry.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The sheets are drawn at a screen-like resolution (at 96 dpi; scaled with the monitor); the
// preview fits them into its page box.
constexpr int kPreviewDpi = 72;
// Drawn pages kept, so that paging back and forth does not draw them again.
constexpr size_t kPagesKept = 4;

class PreviewDialog {
public:
    explicit PreviewDialog(const ReportLayout& layout) : layout_(layout), pageCount_(layout.Pages().PageCount()) {}

    void OnInitDialog(HWND dialog) {
        CentreOver(dialog);
        // Sharp on a monitor of any scale: the page box grows with it.
        dpi_ = ScaledForDpi(kPreviewDpi, WindowDpi(dialog));
        ShowPage(dialog, 0);
    }

    void OnCommand(HWND dialog, int item, int) {
        switch (item) {
            case IDC_PREVIEW_PREVIOUS:
                ShowPage(dialog, shown_ - 1);
                break;
            case IDC_PREVIEW_NEXT:
                ShowPage(dialog, shown_ + 1);
                break;
            case IDC_PREVIEW_PRINT:
                EndDialog(dialog, IDOK);
                break;
            default:
                break;
        }
    }

    bool OnDrawItem(HWND, const DRAWITEMSTRUCT& item) {
        if (item.CtlID != IDC_PREVIEW_PAGE)
            return false;
        DrawPage(item.hDC, item.rcItem);
        return true;
    }

private:
    void ShowPage(HWND dialog, int page) {
        const int count = pageCount_;
        shown_ = std::clamp(page, 0, std::max(count - 1, 0));
        const std::wstring number = LoadText(IDS_REPORT_PAGE) + std::to_wstring(count == 0 ? 0 : shown_ + 1) +
                                    LoadText(IDS_REPORT_PAGE_OF) + std::to_wstring(count);
        SetDlgItemTextW(dialog, IDC_PREVIEW_PAGE_NUMBER, number.c_str());
        EnableWindow(GetDlgItem(dialog, IDC_PREVIEW_PREVIOUS), shown_ > 0 ? TRUE : FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_PREVIEW_NEXT), shown_ + 1 < count ? TRUE : FALSE);
        InvalidateRect(GetDlgItem(dialog, IDC_PREVIEW_PAGE), nullptr, FALSE);
    }

    // The sheet, fitted into the control with its proportions, on a grey desk.
    void DrawPage(HDC dc, const RECT& area) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
        if (pageCount_ == 0)
            return;
        const PagePicture& page = Drawn(shown_);
        if (!page.bitmap)
            return;
        const Box fitted = Fitted(area, page.width, page.height);
        MemoryDC source(CreateCompatibleDC(dc));
        if (!source || fitted.Width() <= 0 || fitted.Height() <= 0)
            return;
        SelectedObject selected(source.Get(), page.bitmap.Get());
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, fitted.left, fitted.top, fitted.Width(), fitted.Height(), source.Get(), 0, 0, page.width,
                   page.height, SRCCOPY);
    }

    // The page drawn, from those kept or drawn now in place of the one drawn longest ago.
    const PagePicture& Drawn(int page) {
        for (const auto& [number, picture] : drawn_) {
            if (number == page)
                return picture;
        }
        if (drawn_.size() >= kPagesKept)
            drawn_.pop_front();
        drawn_.emplace_back(page, DrawPagePicture(layout_, page, dpi_));
        return drawn_.back().second;
    }

    // The sheet as large as the area allows, proportions kept, centred, 4 pixels clear.
    struct Box {
        int left, top, right, bottom;
        int Width() const { return right - left; }
        int Height() const { return bottom - top; }
    };
    static Box Fitted(const RECT& area, int pageWidth, int pageHeight) {
        const long long width = area.right - area.left - 8;
        const long long height = area.bottom - area.top - 8;
        if (width <= 0 || height <= 0 || pageWidth <= 0 || pageHeight <= 0)
            return {};
        long long shownWidth = width;
        long long shownHeight = pageHeight * width / pageWidth;
        if (shownHeight > height) {
            shownHeight = height;
            shownWidth = pageWidth * height / pageHeight;
        }
        const int left = area.left + 4 + static_cast<int>((width - shownWidth) / 2);
        const int top = area.top + 4 + static_cast<int>((height - shownHeight) / 2);
        return {left, top, left + static_cast<int>(shownWidth), top + static_cast<int>(shownHeight)};
    }

    const ReportLayout& layout_;
    int pageCount_;
    int shown_ = 0;
    int dpi_ = kPreviewDpi;  // the pages are drawn at
    std::deque<std::pair<int, PagePicture>> drawn_;
};

}  // namespace

bool PreviewReport(HWND owner, const ReportLayout& layout) {
    PreviewDialog state(layout);
    return RunDialog(owner, IDD_REPORT_PREVIEW, state);
}

}  // namespace TQLibrary
