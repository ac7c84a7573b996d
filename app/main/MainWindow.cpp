#include "app/main/MainWindow.h"

#include <windowsx.h>

#include <memory>

#include "app/framework/Dpi.h"
#include "app/framework/Program.h"
#include "app/main/BackgroundWork.h"
#include "app/main/Folders.h"
#include "app/main/ProgramIdentity.h"
#include "base/DataFile.h"
#include "base/Paths.h"
#include "base/StringTable.h"
#include "frame/CommandTable.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The keys that edit text stay with an edit control, such as the find box, rather than act on
// the list: Delete deletes letters there, not specimens, Ctrl+A selects its text, and Ctrl+Z
// and Ctrl+Y undo and redo its typing, not changes of the catalog.
bool EditsText(const MSG& message) {
    const bool editingKey = (message.message == WM_KEYDOWN && message.wParam == VK_DELETE) ||
                            (message.message == WM_CHAR &&
                             (message.wParam == 1 || message.wParam == 25 || message.wParam == 26));
    wchar_t className[8] = {};
    return editingKey && GetClassNameW(message.hwnd, className, 8) > 0 && lstrcmpiW(className, L"Edit") == 0;
}

Application* Stored(HWND window) {
    return reinterpret_cast<Application*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW& create) {
    const auto* options = static_cast<const StartOptions*>(create.lpCreateParams);
    auto application = std::make_unique<Application>(window, *options);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(application.get()));
    if (!application->Initialise()) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return -1;
    }
    application.release();
    return 0;
}

void OnDestroy(HWND window) {
    std::unique_ptr<Application> application(Stored(window));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    application.reset();
    PostQuitMessage(0);
}

// Notifications by the child that sends them. The toolbar's tooltips send theirs with the
// button's command as identifier, so whatever the table does not name goes to the toolbar.
struct NotifyRoute {
    UINT_PTR control;
    LRESULT (Application::*handle)(NMHDR& header);
};

constexpr NotifyRoute kNotifyRoutes[] = {
        {IDC_SPECIMEN_LIST, &Application::OnListNotify},
        {IDC_TAB_STRIP, &Application::OnTabNotify},
};

bool OnNotify(Application& application, NMHDR& header, LRESULT& result) {
    for (const NotifyRoute& route : kNotifyRoutes) {
        if (header.idFrom == route.control) {
            result = (application.*route.handle)(header);
            return true;
        }
    }
    return application.OnToolbarNotify(&header, result);
}

void OnTimer(Application& application, UINT_PTR timer) {
    if (timer == kDeferredLoadTimer)
        application.OnDeferredLoad();
}

// Messages for the application object; false when the default procedure is to have it too.
bool Dispatch(Application& application, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_CLOSE:
            if (application.OnClose())
                DestroyWindow(application.MainWindow());
            return true;
        case WM_TIMER:
            OnTimer(application, wParam);
            return true;
        case WM_MOVE:
            application.OnMove();
            return true;
        case WM_SIZE:
            application.OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return false;
        case WM_COMMAND:
            return application.DispatchCommand(LOWORD(wParam));
        case WM_PAINT:
            application.OnPaint();
            return true;
        case WM_LBUTTONDOWN:
            application.OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return true;
        case kShowPictureMessage:
            application.ShowSelectedPicture();
            return true;
        case WM_NOTIFY:
            return OnNotify(application, *reinterpret_cast<NMHDR*>(lParam), result);
        case WM_DPICHANGED:
            application.OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return true;
        case WM_DROPFILES:
            application.OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return true;
        case WM_MENUSELECT:
            application.OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return false;
        default:
            return false;
    }
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_CREATE:
                return OnCreate(window, *reinterpret_cast<CREATESTRUCTW*>(lParam));
            case WM_DESTROY:
                OnDestroy(window);
                return 0;
            case kRunOnUiThreadMessage:
                RunUiThreadCall(lParam);
                return 0;
            default:
                break;
        }
        LRESULT result = 0;
        if (Application* application = Stored(window)) {
            if (Dispatch(*application, message, wParam, lParam, result))
                return result;
        } else if (message == WM_CLOSE) {
            DestroyWindow(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    } catch (...) {
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    static const std::wstring className = LoadText(IDS_PRODUCT_NAME);
    WNDCLASSEXW existing{};
    if (GetClassInfoExW(instance, className.c_str(), &existing))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, kProgramResourceName);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = className.c_str();
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, const StartOptions& options) {
    const std::wstring name = LoadText(IDS_PRODUCT_NAME);
    return CreateWindowExW(0, name.c_str(), name.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                           const_cast<StartOptions*>(&options));
}

Application* ApplicationOf(HWND mainWindow) {
    return Stored(mainWindow);
}

bool TranslateKeyToCommand(HWND mainWindow, HACCEL accelerators, MSG& message) {
    return accelerators != nullptr && !EditsText(message) && TranslateAcceleratorW(mainWindow, accelerators, &message);
}

int RunMessageLoop(HWND mainWindow) {
    HACCEL accelerators = LoadAcceleratorsW(ProgramInstance(), kProgramResourceName);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateKeyToCommand(mainWindow, accelerators, message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

StartOptions ProcessStartOptions() {
    return StartOptions{GetCommandLineW(), ProgramFolder(), L""};
}

}  // namespace TQLibrary
