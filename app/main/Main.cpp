// The program's entry point.
#include <windows.h>
#include <objbase.h>

#include "app/main/MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace TQLibrary;
    // The shell's folder chooser needs COM on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (!RegisterMainWindowClass(instance))
        return 1;
    const StartOptions options = ProcessStartOptions();
    HWND mainWindow = CreateMainWindow(instance, options);
    if (mainWindow == nullptr)
        return 1;
    int exitCode = RunMessageLoop(mainWindow);
    if (SUCCEEDED(com))
        CoUninitialize();
    return exitCode;
}
