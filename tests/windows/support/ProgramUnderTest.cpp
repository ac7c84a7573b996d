#include "windows/support/ProgramUnderTest.h"

#include <commctrl.h>
#include <dlgs.h>

#include "resources/resource.h"
#include "windows/support/DialogDriver.h"

ProgramUnderTest::ProgramUnderTest(TQLibrary::StartOptions options) : options_(std::move(options)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (TQLibrary::RegisterMainWindowClass(instance))
        window_ = TQLibrary::CreateMainWindow(instance, options_);
}

ProgramUnderTest::~ProgramUnderTest() {
    Close();
}

void ProgramUnderTest::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The quit message belongs to a program's own loop; here it only ends the window's life.
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool ProgramUnderTest::WaitUntilLoaded(DWORD milliseconds) {
    DWORD start = GetTickCount();
    // The deferred load shows the window as it ends.
    while (window_ != nullptr && IsWindow(window_) && !IsWindowVisible(window_)) {
        if (GetTickCount() - start > milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    return window_ != nullptr && IsWindowVisible(window_);
}

void ProgramUnderTest::Command(int id) {
    if (window_ != nullptr)
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    if (window_ != nullptr && !IsWindow(window_))
        window_ = nullptr;
    Pump();
}

std::wstring ProgramUnderTest::CommandAnsweringBox(int id, int button) {
    return AnswerMessageBox(button, [&] { Command(id); });
}

std::wstring ProgramUnderTest::StatusText(int part) const {
    HWND status = FindWindowExW(window_, nullptr, STATUSCLASSNAMEW, nullptr);
    auto length = LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(status, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

std::wstring ProgramUnderTest::Title() const {
    wchar_t title[1024] = {};
    GetWindowTextW(window_, title, 1024);
    return title;
}

bool ProgramUnderTest::MenuItemEnabled(int id) const {
    UINT state = GetMenuState(GetMenu(window_), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_DISABLED | MF_GRAYED)) == 0;
}

std::vector<std::wstring> ProgramUnderTest::TabTexts() const {
    HWND tabs = GetDlgItem(window_, IDC_TAB_STRIP);
    std::vector<std::wstring> texts;
    auto count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

void ProgramUnderTest::SelectTab(int index) {
    SendMessageW(GetDlgItem(window_, IDC_TAB_STRIP), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
}

void ProgramUnderTest::SelectRows(const std::vector<int>& rows) {
    HWND list = GetDlgItem(GetDlgItem(window_, IDC_TAB_STRIP), IDC_SPECIMEN_LIST);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int row : rows)
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
}

void ProgramUnderTest::SendSize() {
    RECT client;
    GetClientRect(window_, &client);
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void ProgramUnderTest::Close() {
    if (window_ != nullptr && IsWindow(window_))
        SendMessageW(window_, WM_CLOSE, 0, 0);
    window_ = nullptr;
    Pump();
}

void TypeFileNameAndAccept(HWND fileDialog, const std::wstring& path) {
    // A combo box with an edit in newer dialogs, a plain edit in older ones.
    HWND name = GetDlgItem(fileDialog, cmb13);
    if (name == nullptr)
        name = GetDlgItem(fileDialog, edt1);
    SetWindowTextW(name, path.c_str());
    PressButton(fileDialog, IDOK);
}
