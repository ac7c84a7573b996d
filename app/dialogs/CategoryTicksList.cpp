#include "app/dialogs/CategoryTicksList.h"

#include "app/framework/CommonControls.h"
#include "app/framework/Dpi.h"
#include "app/framework/Program.h"
#include "base/Geometry.h"

namespace TQLibrary {

namespace {

// State images 1, 2 and 3 of the list: the box unchecked, checked and mixed.
int StateImage(Tick tick) {
    switch (tick) {
        case Tick::Checked:
            return 2;
        case Tick::Mixed:
            return 3;
        default:
            return 1;
    }
}

// The three boxes side by side in one bitmap, drawn as the system draws check boxes; the mixed
// box is an empty one with a square inside.
ImageListHandle MakeBoxes(int size) {
    ImageListHandle boxes(ImageList_Create(size, size, ILC_COLOR32, 3, 0));
    const WindowDC screen = WindowDC::OfClientArea(nullptr);
    MemoryDC dc(CreateCompatibleDC(screen.Get()));
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), size * 3, size));
    if (!boxes || !dc || !bitmap)
        return boxes;
    {
        SelectedObject selected(dc.Get(), bitmap.Get());
        RECT all{0, 0, size * 3, size};
        FillRect(dc.Get(), &all, GetSysColorBrush(COLOR_WINDOW));
        const UINT looks[] = {DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_BUTTONCHECK};
        for (int i = 0; i < 3; ++i) {
            RECT box{i * size + 1, 1, (i + 1) * size - 1, size - 1};
            DrawFrameControl(dc.Get(), &box, DFC_BUTTON, looks[i]);
        }
        RECT square{2 * size + size / 2 - size / 5, size / 2 - size / 5, 2 * size + size / 2 + size / 5,
                    size / 2 + size / 5};
        FillRect(dc.Get(), &square, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    ImageList_Add(boxes.Get(), bitmap.Get(), nullptr);
    return boxes;
}

}  // namespace

bool CategoryTicksList::Replace(HWND dialog, int control) {
    InitialiseCommonControls();
    HWND old = GetDlgItem(dialog, control);
    if (old == nullptr)
        return false;
    RECT place{};
    GetWindowRect(old, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    const LONG visible = GetWindowLongW(old, GWL_STYLE) & WS_VISIBLE;
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_TABSTOP | visible | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                    LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                            place.left, place.top, place.right - place.left, place.bottom - place.top, dialog,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)), ProgramInstance(), nullptr);
    if (list_ == nullptr)
        return false;
    // In the old control's place in the tab order, with the dialog's font.
    SetWindowPos(list_, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(list_, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    DestroyWindow(old);
    boxes_ = MakeBoxes(ScaledForDpi(16, WindowDpi(dialog)));
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(boxes_.Get()));
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = place.right - place.left - GetSystemMetrics(SM_CXVSCROLL) - 4;
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    return true;
}

void CategoryTicksList::Show(const std::vector<std::wstring>& names, const std::vector<Tick>& ticks) {
    ticks_ = ticks;
    ticks_.resize(names.size(), Tick::Unchecked);
    startedMixed_.clear();
    for (Tick tick : ticks_)
        startedMixed_.push_back(tick == Tick::Mixed);
    for (size_t i = 0; i < names.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_STATE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(names[i].c_str());
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(StateImage(ticks_[i]));
        SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

bool CategoryTicksList::OnNotify(const NMHDR& header) {
    if (list_ == nullptr || header.hwndFrom != list_)
        return false;
    if (header.code == NM_CLICK) {
        LVHITTESTINFO hit{};
        hit.pt = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
        const int item = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (item >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0)
            MoveOn(item);
    } else if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE) {
        MoveOn(static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
    }
    return true;
}

void CategoryTicksList::MoveOn(int item) {
    if (item < 0 || static_cast<size_t>(item) >= ticks_.size())
        return;
    const auto at = static_cast<size_t>(item);
    ticks_[at] = NextTick(ticks_[at], startedMixed_[at]);
    ShowTick(item);
}

void CategoryTicksList::ShowTick(int item) {
    LVITEMW state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(StateImage(ticks_[static_cast<size_t>(item)]));
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

}  // namespace TQLibrary
