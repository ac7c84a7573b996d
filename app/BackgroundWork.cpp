#include "app/BackgroundWork.h"

#include "app/framework/Program.h"

namespace TQLibrary {

namespace {

// Workers get a stack of their own size: they only read and write files.
constexpr SIZE_T kWorkerStackBytes = 0x20000;

}  // namespace

bool WorkerThread::Start(std::function<void()> work) {
    if (thread_)
        return false;
    work_ = std::move(work);
    thread_.Reset(CreateThread(nullptr, kWorkerStackBytes, Run, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    return static_cast<bool>(thread_);
}

DWORD WINAPI WorkerThread::Run(void* parameter) {
    auto* worker = static_cast<WorkerThread*>(parameter);
    try {
        worker->work_();
    } catch (...) {
        // The work reports its own failures; nothing may leave the thread.
    }
    return 0;
}

void WorkerThread::Join() {
    if (!thread_)
        return;
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
}

void WorkerThread::JoinHandlingMessages() {
    if (!thread_)
        return;
    HANDLE thread = thread_.Get();
    bool quit = false;
    WPARAM exitCode = 0;
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            // The quit message belongs to the message loop: keep it for that loop to end on.
            if (message.message == WM_QUIT) {
                quit = true;
                exitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    thread_.Reset();
    if (quit)
        PostQuitMessage(static_cast<int>(exitCode));
}

void RunOnUiThread(const std::function<void()>& call) {
    HWND window = MainWindow();
    if (window == nullptr || !IsWindow(window) || GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        call();
        return;
    }
    SendMessageW(window, kRunOnUiThreadMessage, 0, reinterpret_cast<LPARAM>(&call));
}

void RunUiThreadCall(LPARAM call) {
    const auto* function = reinterpret_cast<const std::function<void()>*>(call);
    if (function != nullptr && *function)
        (*function)();
}

}  // namespace TQLibrary
