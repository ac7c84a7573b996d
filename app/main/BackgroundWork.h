#pragma once

#include <windows.h>

#include <functional>

#include "base/Handles.h"

// Work off the user-interface thread. A worker starts with WorkerThread, reports progress and
// its end to a window by message (the please-wait dialog does), and hands everything that
// touches a window (a message box, a title, a move) to the user-interface thread through
// RunOnUiThread: workers never call window functions themselves.

namespace TQLibrary {

// The stack a worker runs on. File work needs little; printer drivers, picture decoding and
// secure connections need the process's usual stack.
enum class WorkerStack { Files, Default };

// One worker thread with the stack chosen at its start. The work object lives as long as the
// thread object; the destructor waits for the thread.
class WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread() { Join(); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // False when the thread could not be created (or one is already running).
    bool Start(std::function<void()> work, WorkerStack stack = WorkerStack::Files);
    // Waits for the thread to end; nothing when none was started.
    void Join();
    // Waits for the thread to end while handling the thread's messages, so that a worker
    // waiting for the user-interface thread (RunOnUiThread) is answered.
    void JoinHandlingMessages();
    bool Started() const { return static_cast<bool>(thread_); }

private:
    static DWORD WINAPI Run(void* parameter);

    std::function<void()> work_;
    KernelHandle thread_;
};

// Runs work on a thread of its own (with the default stack) and waits for it at most
// milliseconds; true when it ended in time. Work that takes longer is left to end on its own,
// so everything it uses must be its own (held by value or shared pointer). False as well when
// no thread could be started.
bool RunWithin(std::function<void()> work, DWORD milliseconds);

// Runs call on the thread of the main window (the user-interface thread) and returns when it
// has run. On that thread itself, or with no main window, it runs at once.
void RunOnUiThread(const std::function<void()>& call);

// The message by which RunOnUiThread reaches the main window: its window procedure runs the
// std::function<void()> the second parameter points at.
inline constexpr UINT kRunOnUiThreadMessage = WM_APP + 1;
void RunUiThreadCall(LPARAM call);

}  // namespace TQLibrary
