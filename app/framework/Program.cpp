#include "app/framework/Program.h"

#include <atomic>

namespace TQLibrary {

namespace {

// Workers may show a message box over the main window, so the handle is shared.
std::atomic<HWND> mainWindow{nullptr};

}  // namespace

HINSTANCE ProgramInstance() {
    return GetModuleHandleW(nullptr);
}

void SetMainWindow(HWND window) {
    mainWindow = window;
}

HWND MainWindow() {
    return mainWindow;
}

}  // namespace TQLibrary
