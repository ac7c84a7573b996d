#include "app/online/MarkupLabelControl.h"

#include <map>
#include <string>

#include "base/Handles.h"
#include "online/MarkupLabel.h"

namespace TQLibrary {

namespace {

// The control's font in each style a label uses, made once per paint.
class LabelFonts final : public LabelMeasure {
public:
    LabelFonts(HDC dc, HWND control) : dc_(dc) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        if (font == nullptr || GetObjectW(font, sizeof base_, &base_) == 0) {
            base_ = LOGFONTW{};
            base_.lfHeight = -18;
            wcscpy_s(base_.lfFaceName, L"Arial");
        }
    }

    HFONT Font(const LabelStyle& style) {
        const int key = (style.bold ? 1 : 0) | (style.italic ? 2 : 0) | (style.underline ? 4 : 0);
        auto found = fonts_.find(key);
        if (found == fonts_.end()) {
            LOGFONTW described = base_;
            described.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
            described.lfItalic = style.italic ? TRUE : FALSE;
            described.lfUnderline = style.underline ? TRUE : FALSE;
            found = fonts_.emplace(key, FontHandle(CreateFontIndirectW(&described))).first;
        }
        return found->second.Get();
    }

    LabelExtent Measure(std::wstring_view text, const LabelStyle& style) const override {
        auto* self = const_cast<LabelFonts*>(this);
        SelectObject(dc_, self->Font(style));
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }

private:
    HDC dc_;
    LOGFONTW base_{};
    std::map<int, FontHandle> fonts_;
};

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void PaintRuns(HWND control, HDC dc) {
    RECT client;
    if (dc != nullptr && GetClientRect(control, &client)) {
        const int saved = SaveDC(dc);
        SetBkMode(dc, TRANSPARENT);
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        {
            LabelFonts fonts(dc, control);
            const int lineHeight = fonts.Measure(L"\x00C5y", {}).height;
            const std::vector<LabelRun> runs = LayOutLabel(TextOf(control), client.right - client.left,
                                                           client.bottom - client.top, lineHeight, fonts);
            for (const LabelRun& run : runs) {
                SelectObject(dc, fonts.Font(run.style));
                SetTextColor(dc, run.colour ? RGB(run.colour->red, run.colour->green, run.colour->blue)
                                            : GetSysColor(COLOR_BTNTEXT));
                TextOutW(dc, client.left + run.x, client.top + run.y, run.text.c_str(),
                         static_cast<int>(run.text.size()));
            }
            // The fonts go back out of the context before they are deleted.
            RestoreDC(dc, saved);
        }
    }
}

void Paint(HWND control) {
    PaintDC paint(control);
    PaintRuns(control, paint.Get());
}

LRESULT CALLBACK MarkupLabelProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            Paint(control);
            return 0;
        // Drawing into a given context (PrintWindow, fading windows) shows the runs too, not the
        // static control's raw text.
        case WM_PRINTCLIENT:
            PaintRuns(control, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SETTEXT: {
            SendMessageW(control, WM_SETREDRAW, FALSE, 0);
            const LRESULT result = CallWindowProcW(previous, control, message, wParam, lParam);
            SendMessageW(control, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(control, nullptr, TRUE);
            return result;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            return CallWindowProcW(previous, control, message, wParam, lParam);
        default:
            return CallWindowProcW(previous, control, message, wParam, lParam);
    }
}

}  // namespace

bool MakeMarkupLabel(HWND control) {
    if (control == nullptr)
        return false;
    // The previous procedure is in place before any message can arrive at the new one.
    const LONG_PTR previous = GetWindowLongPtrW(control, GWLP_WNDPROC);
    if (previous == 0)
        return false;
    SetWindowLongPtrW(control, GWLP_USERDATA, previous);
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MarkupLabelProcedure));
    InvalidateRect(control, nullptr, TRUE);
    return true;
}

}  // namespace TQLibrary
