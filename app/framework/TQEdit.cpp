#include "app/framework/TQEdit.h"

#include <commctrl.h>

#include "app/framework/Program.h"

namespace TQLibrary {

TQEdit::~TQEdit() = default;

bool TQEdit::Create(HWND parent, int id) {
    return Create(parent, id, 0, 0, 0, 0);
}

bool TQEdit::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                  x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ProgramInstance(), nullptr);
    if (window != nullptr)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return Bind(window);
}

void TQEdit::SetCueBanner(const std::wstring& text) {
    if (Window() != nullptr)
        SendMessageW(Window(), EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring TQEdit::CurrentText() const {
    if (Window() == nullptr)
        return std::wstring();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Window())) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Window(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void TQEdit::SelectAllText() {
    if (Window() != nullptr)
        SendMessageW(Window(), EM_SETSEL, 0, -1);
}

}  // namespace TQLibrary
