#include "app/framework/HotTracking.h"

#include <windowsx.h>

namespace TQLibrary {

HotTracking::HotTracking(TQWindow& control) : control_(control) {
    control_.SetMessageFilter(
            [this](HWND window, UINT message, WPARAM, LPARAM lParam) { return OnMessage(window, message, lParam); });
}

HotTracking::~HotTracking() {
    control_.SetMessageFilter({});
}

std::optional<LRESULT> HotTracking::OnMessage(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) {
        RECT client{};
        GetClientRect(window, &client);
        const bool inside = PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
        if (inside != (hot_ == window))
            SetHot(window, inside);
        return std::nullopt;
    }
    if (message == WM_LBUTTONUP && hot_ == window) {
        hot_ = nullptr;
        ReleaseCapture();
        const auto id = static_cast<WORD>(GetWindowLongPtrW(window, GWLP_ID));
        SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
        return 0;
    }
    return std::nullopt;
}

void HotTracking::SetHot(HWND window, bool hot) {
    hot_ = hot ? window : nullptr;
    if (hot)
        SetCapture(window);
    else
        ReleaseCapture();
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace TQLibrary
