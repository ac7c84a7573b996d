#include "windows/support/DialogSequence.h"

#include <chrono>

namespace {

struct Search {
    DWORD process;
    HWND except;
    HWND found;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == search->process && window != search->except && IsWindowVisible(window) &&
        lstrcmpW(className, L"#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindDialog(HWND except) {
    Search search{GetCurrentProcessId(), except, nullptr};
    EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogSequence::DialogSequence(std::vector<Step> steps)
    : steps_(std::move(steps)), thread_([this] { Play(); }) {}

DialogSequence::~DialogSequence() {
    stop_ = true;
    thread_.join();
}

void DialogSequence::Play() {
    using namespace std::chrono;
    auto deadline = steady_clock::now() + seconds(30);
    HWND previous = nullptr;
    for (const Step& step : steps_) {
        HWND dialog = nullptr;
        while (!stop_ && steady_clock::now() < deadline) {
            bool previousGone = previous == nullptr || !IsWindow(previous) || !IsWindowVisible(previous);
            dialog = previousGone ? FindDialog(previous) : nullptr;
            if (dialog != nullptr)
                break;
            Sleep(20);
        }
        if (dialog == nullptr)
            return;
        step(dialog);
        ++played_;
        previous = dialog;
    }
}
