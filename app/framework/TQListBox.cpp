#include "app/framework/TQListBox.h"

#include "app/framework/Program.h"

namespace TQLibrary {

TQListBox::~TQListBox() = default;

bool TQListBox::Create(HWND parent, int id) {
    return Create(parent, id, 0, 0, 0, 0);
}

bool TQListBox::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND window = CreateWindowExW(WS_EX_STATICEDGE, L"ListBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, x,
                                  y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ProgramInstance(), nullptr);
    return Bind(window);
}

std::optional<int> TQListBox::CurrentSelection() const {
    if (Window() == nullptr)
        return std::nullopt;
    auto selected = static_cast<int>(SendMessageW(Window(), LB_GETCURSEL, 0, 0));
    if (selected < 0)
        return std::nullopt;
    return selected;
}

bool TQListBox::IsSelected(int index) const {
    if (Window() == nullptr)
        return false;
    return SendMessageW(Window(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

int TQListBox::AddItem(const std::wstring& text, LPARAM data) {
    if (Window() == nullptr)
        return -1;
    auto index = static_cast<int>(SendMessageW(Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index >= 0)
        SendMessageW(Window(), LB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return index;
}

LPARAM TQListBox::ItemData(int index) const {
    if (Window() == nullptr)
        return 0;
    return SendMessageW(Window(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

int TQListBox::ItemCount() const {
    if (Window() == nullptr)
        return 0;
    return static_cast<int>(SendMessageW(Window(), LB_GETCOUNT, 0, 0));
}

void TQListBox::DeleteItem(int index) {
    if (Window() != nullptr)
        SendMessageW(Window(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

std::wstring TQListBox::ItemText(int index) const {
    if (Window() == nullptr)
        return {};
    LRESULT length = SendMessageW(Window(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(Window(), LB_GETTEXT, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

void TQListBox::MoveSelectedDown() {
    MoveSelected(1);
}

void TQListBox::MoveSelectedUp() {
    MoveSelected(-1);
}

void TQListBox::MoveSelected(int offset) {
    if (Window() == nullptr)
        return;
    auto selected = static_cast<int>(SendMessageW(Window(), LB_GETCURSEL, 0, 0));
    int target = selected + offset;
    if (selected < 0 || target < 0 || target >= ItemCount())
        return;
    std::wstring text = ItemText(selected);
    LPARAM data = ItemData(selected);
    DeleteItem(selected);
    auto where = static_cast<WPARAM>(target);
    SendMessageW(Window(), LB_INSERTSTRING, where, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(Window(), LB_SETITEMDATA, where, data);
    SendMessageW(Window(), LB_SETCURSEL, where, 0);
}

void TQListBox::ClearSelection() {
    if (Window() != nullptr)
        SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

}  // namespace TQLibrary
