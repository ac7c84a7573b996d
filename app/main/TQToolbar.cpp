#include "app/main/TQToolbar.h"

#include <algorithm>

#include "app/framework/CommonControls.h"
#include "app/framework/Program.h"
#include "base/StringTable.h"
#include "frame/CommandTable.h"
#include "frame/ViewLayout.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

constexpr int kSeparatorImage = 5;
constexpr size_t kTipLength = 80;

// The text as an ANSI window gets it: each character narrowed as it is, cut to the capacity
// (which counts the terminator).
void CopyNarrowed(char* to, int capacity, const std::wstring& from) {
    if (to == nullptr || capacity <= 0)
        return;
    const size_t count = std::min(from.size(), static_cast<size_t>(capacity - 1));
    for (size_t i = 0; i < count; ++i)
        to[i] = static_cast<char>(from[i]);
    to[count] = '\0';
}

// The toolbar's icons from first on; none when the list cannot be made.
ImageListHandle LoadIconList(int first, int size) {
    ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, IDI_TOOLBAR_COUNT));
    for (int i = 0; list && i < IDI_TOOLBAR_COUNT; ++i) {
        // The list keeps a copy of the image, so the icon itself goes at once.
        IconHandle icon(static_cast<HICON>(
                LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(first + i), IMAGE_ICON, size, size, 0)));
        ImageList_ReplaceIcon(list.Get(), -1, icon.Get());
    }
    return list;
}

}  // namespace

TQToolbar::TQToolbar() {
    InitialiseCommonControls();
}

bool TQToolbar::Create(HWND parent, int id) {
    return Create(parent, id, 0, 0, 0, 0);
}

bool TQToolbar::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND window = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE, x, y, width,
                                  height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(),
                                  nullptr);
    if (!Bind(window))
        return false;
    SendMessageW(window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return true;
}

int TQToolbar::ButtonCount() const {
    return Window() == nullptr ? 0 : static_cast<int>(SendMessageW(Window(), TB_BUTTONCOUNT, 0, 0));
}

int TQToolbar::ClientHeight() const {
    return ButtonCount() == 0 ? 0 : TQWindow::ClientHeight();
}

int TQToolbar::ClientWidth() const {
    return ButtonCount() == 0 ? 0 : TQWindow::ClientWidth();
}

void TQToolbar::Refresh() {
    Place(-1, -1, -1, -1, nullptr);
}

void TQToolbar::Move(int, int, int, int) {
    Place(-1, -1, -1, -1, nullptr);
}

void TQToolbar::Place(int, int, int, int, HWND) {
    if (Window() == nullptr)
        return;
    if (ButtonCount() == 0) {
        ShowWindow(Window(), SW_HIDE);
        return;
    }
    ShowWindow(Window(), SW_SHOWNORMAL);
    SendMessageW(Window(), TB_AUTOSIZE, 0, 0);
}

bool TQToolbar::LoadImages(int size) {
    if (Window() == nullptr)
        return false;
    ImageListHandle images = LoadIconList(IDI_TOOLBAR_FIRST, size);
    ImageListHandle hotImages = LoadIconList(IDI_TOOLBAR_HOT_FIRST, size);
    if (!images || !hotImages)
        return false;
    // The toolbar lets go of the lists it had before these are destroyed.
    SendMessageW(Window(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    SendMessageW(Window(), TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages.Get()));
    images_ = std::move(images);
    hotImages_ = std::move(hotImages);
    SendMessageW(Window(), TB_AUTOSIZE, 0, 0);
    ShowWindow(Window(), SW_SHOWNORMAL);
    return true;
}

void TQToolbar::MapButton(int image, int command) {
    TBBUTTON button{};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    templates_.push_back(button);
}

void TQToolbar::EnableButton(int command, bool enable) {
    if (Window() != nullptr)
        SendMessageW(Window(), TB_ENABLEBUTTON, static_cast<WPARAM>(command), MAKELPARAM(enable ? TRUE : FALSE, 0));
}

void TQToolbar::SetButtons(const std::vector<std::uint8_t>& bytes) {
    if (Window() == nullptr)
        return;
    while (ButtonCount() > 0)
        SendMessageW(Window(), TB_DELETEBUTTON, 0, 0);
    if (bytes.empty()) {
        ShowWindow(Window(), SW_HIDE);
        return;
    }
    std::vector<TBBUTTON> buttons;
    for (const ToolbarItem& item : UnfoldToolbarBytes(bytes, static_cast<int>(templates_.size()))) {
        if (!item.separator) {
            buttons.push_back(templates_[static_cast<size_t>(item.image)]);
            continue;
        }
        TBBUTTON separator{};
        separator.iBitmap = kSeparatorImage;
        separator.fsState = TBSTATE_ENABLED;
        separator.fsStyle = BTNS_SEP;
        buttons.push_back(separator);
    }
    SendMessageW(Window(), TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    Refresh();
}

std::vector<std::uint8_t> TQToolbar::ReadButtons() const {
    std::vector<ToolbarItem> items;
    for (int i = 0; i < ButtonCount(); ++i) {
        TBBUTTON button{};
        SendMessageW(Window(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        items.push_back({(button.fsStyle & BTNS_SEP) != 0, button.iBitmap});
    }
    return FoldToolbarItems(items);
}

bool TQToolbar::StoreButtons(std::vector<std::uint8_t>& setting) const {
    std::vector<std::uint8_t> buttons = ReadButtons();
    if (buttons == setting)
        return false;
    setting = std::move(buttons);
    return true;
}

bool TQToolbar::ButtonTemplate(int index, TBBUTTON& button, std::wstring& label) const {
    if (index < 0 || static_cast<size_t>(index) >= templates_.size())
        return false;
    button = templates_[static_cast<size_t>(index)];
    label = LoadText(ToolbarLabelId(index));
    return true;
}

bool TQToolbar::OnNotify(NMHDR* header, LRESULT& result) {
    switch (header->code) {
        case TBN_GETBUTTONINFOW: {
            auto* info = reinterpret_cast<NMTOOLBARW*>(header);
            std::wstring label;
            result = ButtonTemplate(info->iItem, info->tbButton, label);
            if (result && info->pszText != nullptr && info->cchText > 0) {
                lstrcpynW(info->pszText, label.c_str(), info->cchText);
                info->cchText = static_cast<int>(label.size());
            }
            return true;
        }
        case TBN_GETBUTTONINFOA: {
            auto* info = reinterpret_cast<NMTOOLBARA*>(header);
            std::wstring label;
            result = ButtonTemplate(info->iItem, info->tbButton, label);
            if (result && info->pszText != nullptr && info->cchText > 0) {
                CopyNarrowed(info->pszText, info->cchText, label);
                info->cchText = static_cast<int>(label.size());
            }
            return true;
        }
        case TBN_INITCUSTOMIZE:
            result = TBNRF_HIDEHELP;
            return true;
        case TBN_QUERYINSERT:
        case TBN_QUERYDELETE:
            result = TRUE;
            return true;
        case TTN_GETDISPINFOW: {
            auto* tip = reinterpret_cast<NMTTDISPINFOW*>(header);
            std::wstring text = LoadText(TooltipId(static_cast<int>(tip->hdr.idFrom)));
            tip->szText[0] = L'\0';
            lstrcpynW(tip->szText, text.c_str(), static_cast<int>(kTipLength));
            tip->lpszText = tip->szText;
            result = 0;
            return true;
        }
        case TTN_GETDISPINFOA: {
            auto* tip = reinterpret_cast<NMTTDISPINFOA*>(header);
            CopyNarrowed(tip->szText, static_cast<int>(kTipLength),
                         LoadText(TooltipId(static_cast<int>(tip->hdr.idFrom))));
            tip->lpszText = tip->szText;
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace TQLibrary
