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

}  // namespace TQLibrary
