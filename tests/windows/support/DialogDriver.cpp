#include "windows/support/DialogDriver.h"

#include <chrono>

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

struct Search {
    DWORD process;
    HWND except;
    const DialogDriver::Match* match;
    HWND found;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == search->process && window != search->except && IsWindowVisible(window) &&
        lstrcmpW(className, kDialogClass) == 0 && (!*search->match || (*search->match)(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindDialog(HWND except, const DialogDriver::Match& match) {
    Search search{GetCurrentProcessId(), except, &match, nullptr};
    EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogDriver::DialogDriver(Reaction reaction, Match match)
    : reaction_(std::move(reaction)), match_(std::move(match)), thread_([this] { Watch(); }) {}

DialogDriver::~DialogDriver() {
    stop_ = true;
    thread_.join();
}

bool DialogDriver::Handled() const {
    for (int wait = 0; wait < 3000 && reacting_; ++wait)
        Sleep(10);
    return handled_;
}

void DialogDriver::Watch() {
    using namespace std::chrono;
    auto deadline = steady_clock::now() + seconds(30);
    while (!stop_ && steady_clock::now() < deadline) {
        if (HWND found = FindDialog(nullptr, match_)) {
            reacting_ = true;
            reaction_(found);
            handled_ = true;
            reacting_ = false;
            return;
        }
        Sleep(20);
    }
}

std::wstring WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::wstring MessageBoxText(HWND messageBox) {
    return WindowText(GetDlgItem(messageBox, 0xFFFF));
}

void PressButton(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

bool IsMessageBox(HWND dialog) {
    return GetDlgItem(dialog, 0xFFFF) != nullptr;
}

std::wstring AnswerMessageBox(int button, const std::function<void()>& action) {
    std::wstring text;
    DialogDriver driver(
            [&](HWND box) {
                text = MessageBoxText(box);
                PressButton(box, button);
            },
            IsMessageBox);
    action();
    return text;
}
