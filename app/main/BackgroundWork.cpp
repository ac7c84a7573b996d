#include "app/main/BackgroundWork.h"

#include <memory>

#include "app/framework/Program.h"

namespace TQLibrary {

namespace {

// File workers get a small stack of their own: they only read and write files. Zero asks for
// the size the program file names.
constexpr SIZE_T kFileWorkerStackBytes = 0x20000;

SIZE_T StackBytes(WorkerStack stack) {
    return stack == WorkerStack::Files ? kFileWorkerStackBytes : 0;
}

// What a thread started by RunWithin owns: its work and the event it sets when done.
struct OwnWork {
    std::function<void()> work;
    KernelHandle done;
};

DWORD WINAPI RunOwnWork(void* parameter) {
    const std::unique_ptr<std::shared_ptr<OwnWork>> handed(static_cast<std::shared_ptr<OwnWork>*>(parameter));
    const std::shared_ptr<OwnWork> own = std::move(*handed);
    try {
        own->work();
    } catch (...) {
        // The work reports its own failures; nothing may leave the thread.
    }
    SetEvent(own->done.Get());
    return 0;
}

}  // namespace

bool WorkerThread::Start(std::function<void()> work, WorkerStack stack) {
    if (thread_)
        return false;
    work_ = std::move(work);
    thread_.Reset(CreateThread(nullptr, StackBytes(stack), Run, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    return static_cast<bool>(thread_);
}

bool RunWithin(std::function<void()> work, DWORD milliseconds) {
    auto own = std::make_shared<OwnWork>();
    own->work = std::move(work);
    own->done.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!own->done)
        return false;
    // The thread holds its own reference, handed over through the parameter.
    auto parameter = std::make_unique<std::shared_ptr<OwnWork>>(own);
    KernelHandle thread(CreateThread(nullptr, 0, RunOwnWork, parameter.get(), 0, nullptr));
    if (!thread)
        return false;
    parameter.release();
    return WaitForSingleObject(own->done.Get(), milliseconds) == WAIT_OBJECT_0;
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
