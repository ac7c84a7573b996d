#include "app/framework/TQWindow.h"

namespace TQLibrary {

int TQWindow::AddItem(const std::wstring& text, LPARAM data) {
    if (Window() == nullptr)
        return -1;
    auto index = static_cast<int>(SendMessageW(Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index >= 0)
        SendMessageW(Window(), LB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return index;
}

LPARAM TQWindow::ItemData(int index) const {
    if (Window() == nullptr)
        return 0;
    return SendMessageW(Window(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

int TQWindow::Count() const {
    if (Window() == nullptr)
        return 0;
    return static_cast<int>(SendMessageW(Window(), LB_GETCOUNT, 0, 0));
}

void TQWindow::DeleteItem(int index) {
    if (Window() != nullptr)
        SendMessageW(Window(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

std::wstring TQWindow::ItemText(int index) const {
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

void TQWindow::MoveSelectedDown() {
    MoveSelected(1);
}

void TQWindow::MoveSelectedUp() {
    MoveSelected(-1);
}

void TQWindow::MoveSelected(int offset) {
    if (Window() == nullptr)
        return;
    auto selected = static_cast<int>(SendMessageW(Window(), LB_GETCURSEL, 0, 0));
    int target = selected + offset;
    if (selected < 0 || target < 0 || target >= Count())
        return;
    std::wstring text = ItemText(selected);
    LPARAM data = ItemData(selected);
    DeleteItem(selected);
    auto where = static_cast<WPARAM>(target);
    SendMessageW(Window(), LB_INSERTSTRING, where, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(Window(), LB_SETITEMDATA, where, data);
    SendMessageW(Window(), LB_SETCURSEL, where, 0);
}

void TQWindow::ClearSelection() {
    if (Window() != nullptr)
        SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

}  // namespace TQLibrary
