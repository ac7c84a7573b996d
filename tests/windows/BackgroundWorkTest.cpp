#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "app/framework/Program.h"
#include "app/main/BackgroundWork.h"
#include "app/main/CatalogLock.h"
#include "base/Handles.h"

using namespace TQLibrary;

namespace {

LRESULT CALLBACK MailboxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunOnUiThreadMessage) {
        RunUiThreadCall(lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A main window that answers RunOnUiThread as the program's does.
class MainWindowForWorkers {
public:
    MainWindowForWorkers() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = MailboxProcedure;
        windowClass.hInstance = ProgramInstance();
        windowClass.lpszClassName = L"BackgroundWorkTest";
        RegisterClassW(&windowClass);
        window_.Reset(CreateWindowExW(0, L"BackgroundWorkTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      ProgramInstance(), nullptr));
        SetMainWindow(window_.Get());
    }
    ~MainWindowForWorkers() { SetMainWindow(nullptr); }

private:
    OwnedWindow window_;
};

TEST(BackgroundWork, AWorkersWindowWorkRunsOnTheMainWindowsThreadAndIsWaitedFor) {
    MainWindowForWorkers mainWindow;
    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<DWORD> ranOn{0};
    std::atomic<DWORD> workerThread{0};
    std::atomic<bool> seenAfterReturn{false};
    WorkerThread worker;
    ASSERT_TRUE(worker.Start([&] {
        workerThread = GetCurrentThreadId();
        int value = 0;
        RunOnUiThread([&] {
            ranOn = GetCurrentThreadId();
            value = 42;
        });
        seenAfterReturn = value == 42;
    }));
    EXPECT_FALSE(worker.Start([] {}));  // one thread at a time
    worker.JoinHandlingMessages();
    EXPECT_EQ(ranOn.load(), uiThread);
    EXPECT_NE(workerThread.load(), uiThread);
    EXPECT_TRUE(seenAfterReturn);

    // On the main window's own thread, and with no main window, the work runs at once.
    DWORD here = 0;
    RunOnUiThread([&] { here = GetCurrentThreadId(); });
    EXPECT_EQ(here, uiThread);
}

TEST(BackgroundWork, WaitingForTheCatalogLockStillAnswersTheWorkerThatHoldsIt) {
    MainWindowForWorkers mainWindow;
    CatalogLock lock;
    KernelHandle holding(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    bool answered = false;
    WorkerThread worker;
    ASSERT_TRUE(worker.Start([&] {
        CatalogLockGuard guard(lock);
        SetEvent(holding.Get());
        // As a load asks its questions: from under the lock.
        RunOnUiThread([&] { answered = true; });
    }));
    ASSERT_EQ(WaitForSingleObject(holding.Get(), 10000), WAIT_OBJECT_0);
    {
        CatalogLockGuard guard(lock);
        EXPECT_TRUE(answered);
    }
    worker.Join();
}

TEST(BackgroundWork, WaitingForAWorkerKeepsTheQuitMessageForTheMessageLoop) {
    WorkerThread worker;
    ASSERT_TRUE(worker.Start([] { Sleep(200); }));
    PostQuitMessage(7);
    worker.JoinHandlingMessages();
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(BackgroundWork, AThrowingWorkEndsItsThreadAndTheObjectCanStartAgain) {
    WorkerThread worker;
    EXPECT_FALSE(worker.Started());
    worker.Join();  // nothing started: nothing to wait for
    ASSERT_TRUE(worker.Start([] { throw std::runtime_error("disk"); }));
    worker.Join();
    EXPECT_FALSE(worker.Started());
    std::atomic<bool> ran{false};
    ASSERT_TRUE(worker.Start([&] { ran = true; }));
    worker.Join();
    EXPECT_TRUE(ran);
}

}  // namespace

namespace {

// The size of the stack reserved for the calling thread.
SIZE_T OwnStackReservation() {
    const auto* block = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
    MEMORY_BASIC_INFORMATION region{};
    VirtualQuery(&region, &region, sizeof region);
    return static_cast<SIZE_T>(static_cast<const char*>(block->StackBase) -
                               static_cast<const char*>(region.AllocationBase));
}

// File work runs on a small stack; printing and network work need the usual one (Wine gives
// every thread at least 1 MiB, Windows the asked-for size).
TEST(BackgroundWork, AWorkerRunsOnTheStackItIsStartedWith) {
    SIZE_T reserved[2] = {};
    const WorkerStack stacks[2] = {WorkerStack::Files, WorkerStack::Default};
    for (int i = 0; i < 2; ++i) {
        WorkerThread worker;
        SIZE_T& seen = reserved[i];
        ASSERT_TRUE(worker.Start([&seen] { seen = OwnStackReservation(); }, stacks[i]));
        worker.Join();
    }
    EXPECT_GT(reserved[1], reserved[0]);
    EXPECT_GE(reserved[1], 0x100000u);
}

}  // namespace
