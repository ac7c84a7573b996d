#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "app/main/BackgroundWork.h"
#include "base/Progress.h"

// A long operation on a worker thread while the user sees the modal "Please wait ..." dialog
// with its progress bar. The dialog comes up first; 25 ms later the worker starts; the worker's
// last act ends the dialog. The worker talks to the dialog only by sending it messages.
class PleaseWaitTask : public ProgressSink {
public:
    // The work returns whether the dialog ends as a success.
    using Work = std::function<bool()>;
    using Cancel = std::function<void()>;

    // Runs the dialog over the owner with the title text; cancel, when given, shows the
    // Cancel button. True when the dialog ended with success.
    bool Run(HWND owner, unsigned titleId, Work work, Cancel cancel = nullptr);

    // From the worker: the first progress bar, in percent.
    void ReportProgress(int percent) override;
    void SetSecondBar(bool shown) { secondBar_ = shown; }
    // Before Run: the stack of the worker; work that prints or uses the network needs the
    // default one.
    void SetWorkerStack(TQLibrary::WorkerStack stack) { stack_ = stack; }

    // The dialog's messages (see DialogProcedure).
    void OnInitDialog(HWND dialog);
    void OnCancel(HWND dialog);
    bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnStartWork(HWND dialog);
    void Finish(bool succeeded);

    std::wstring title_;
    Work work_;
    Cancel cancel_;
    bool secondBar_ = false;
    TQLibrary::WorkerStack stack_ = TQLibrary::WorkerStack::Files;
    std::atomic<HWND> dialog_{nullptr};
    TQLibrary::WorkerThread worker_;
};
