#include "app/ReportPreview.h"

#include <algorithm>
#include <string>

#include "app/framework/Dialogs.h"
#include "catalog/StringTable.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

class PreviewDialog {
public:
    PreviewDialog(const std::vector<BitmapHandle>& pages, int pageCount, int pageWidth, int pageHeight)
        : pages_(pages), pageCount_(pageCount), pageWidth_(pageWidth), pageHeight_(pageHeight) {}

    void OnInitDialog(HWND dialog) {
        CentreOver(dialog);
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
            case IDCANCEL:
                EndDialog(dialog, IDCANCEL);
                break;
            default:
                break;
        }
    }

    bool OnMessage(HWND, UINT message, WPARAM, LPARAM lParam) {
        if (message != WM_DRAWITEM)
            return false;
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != IDC_PREVIEW_PAGE)
            return false;
        DrawPage(item.hDC, item.rcItem);
        return true;
    }

private:
    void ShowPage(HWND dialog, int page) {
        const int count = static_cast<int>(pages_.size());
        shown_ = std::clamp(page, 0, std::max(count - 1, 0));
        const std::wstring number = LoadText(IDS_REPORT_PAGE) + std::to_wstring(count == 0 ? 0 : shown_ + 1) +
                                    LoadText(IDS_REPORT_PAGE_OF) + std::to_wstring(std::max(pageCount_, count));
        SetDlgItemTextW(dialog, IDC_PREVIEW_PAGE_NUMBER, number.c_str());
        EnableWindow(GetDlgItem(dialog, IDC_PREVIEW_PREVIOUS), shown_ > 0 ? TRUE : FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_PREVIEW_NEXT), shown_ + 1 < count ? TRUE : FALSE);
        InvalidateRect(GetDlgItem(dialog, IDC_PREVIEW_PAGE), nullptr, FALSE);
    }

    // The sheet, fitted into the control with its proportions, on a grey desk.
    void DrawPage(HDC dc, const RECT& area) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
        if (pages_.empty())
            return;
        const Box fitted = Fitted(area);
        MemoryDC source(CreateCompatibleDC(dc));
        if (!source || fitted.Width() <= 0 || fitted.Height() <= 0)
            return;
        SelectedObject selected(source.Get(), pages_[static_cast<size_t>(shown_)].Get());
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, fitted.left, fitted.top, fitted.Width(), fitted.Height(), source.Get(), 0, 0, pageWidth_,
                   pageHeight_, SRCCOPY);
    }

    // The sheet as large as the area allows, proportions kept, centred, 4 pixels clear.
    struct Box {
        int left, top, right, bottom;
        int Width() const { return right - left; }
        int Height() const { return bottom - top; }
    };
    Box Fitted(const RECT& area) const {
        const long long width = area.right - area.left - 8;
        const long long height = area.bottom - area.top - 8;
        if (width <= 0 || height <= 0 || pageWidth_ <= 0 || pageHeight_ <= 0)
            return {};
        long long shownWidth = width;
        long long shownHeight = pageHeight_ * width / pageWidth_;
        if (shownHeight > height) {
            shownHeight = height;
            shownWidth = pageWidth_ * height / pageHeight_;
        }
        const int left = area.left + 4 + static_cast<int>((width - shownWidth) / 2);
        const int top = area.top + 4 + static_cast<int>((height - shownHeight) / 2);
        return {left, top, left + static_cast<int>(shownWidth), top + static_cast<int>(shownHeight)};
    }

    const std::vector<BitmapHandle>& pages_;
    int pageCount_;
    int pageWidth_;
    int pageHeight_;
    int shown_ = 0;
};

}  // namespace

bool PreviewReport(HWND owner, const std::vector<BitmapHandle>& pages, int pageCount, int pageWidth, int pageHeight) {
    PreviewDialog state(pages, pageCount, pageWidth, pageHeight);
    return RunDialog(owner, IDD_REPORT_PREVIEW, state);
}

}  // namespace TQLibrary
