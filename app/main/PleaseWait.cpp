#include "app/main/PleaseWait.h"

#include <commctrl.h>

#include "app/framework/CommonControls.h"
#include "app/framework/Dialogs.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace {

constexpr UINT kSetProgress = WM_USER + 1;
constexpr UINT kSetSecondProgress = WM_USER + 2;
constexpr UINT kFinishFailed = WM_USER + 3;
constexpr UINT kFinishSucceeded = WM_USER + 4;
constexpr UINT_PTR kStartTimer = 20900;
constexpr UINT kStartDelayMilliseconds = 25;

}  // namespace

bool PleaseWaitTask::Run(HWND owner, unsigned titleId, Work work, Cancel cancel) {
    TQLibrary::InitialiseCommonControls();
    title_ = LoadText(titleId);
    work_ = std::move(work);
    cancel_ = std::move(cancel);
    const bool succeeded = TQLibrary::RunDialog(owner, IDD_PLEASE_WAIT, *this);
    // The worker's last act ended the dialog; let it leave before its task is reused.
    worker_.Join();
    dialog_ = nullptr;
    work_ = nullptr;
    cancel_ = nullptr;
    return succeeded;
}

void PleaseWaitTask::ReportProgress(int percent) {
    if (HWND dialog = dialog_.load())
        SendMessageW(dialog, kSetProgress, static_cast<WPARAM>(percent), 0);
}

void PleaseWaitTask::Finish(bool succeeded) {
    if (HWND dialog = dialog_.load())
        SendMessageW(dialog, succeeded ? kFinishSucceeded : kFinishFailed, 0, 0);
}

void PleaseWaitTask::OnInitDialog(HWND dialog) {
    dialog_ = dialog;
    TQLibrary::CentreOver(dialog);
    if (!secondBar_)
        ShowWindow(GetDlgItem(dialog, IDC_WAIT_SECOND_BAR), SW_HIDE);
    SetDlgItemTextW(dialog, IDC_WAIT_TITLE, title_.c_str());
    SendDlgItemMessageW(dialog, IDC_WAIT_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    HWND cancelButton = GetDlgItem(dialog, IDCANCEL);
    ShowWindow(cancelButton, cancel_ ? SW_SHOW : SW_HIDE);
    EnableWindow(cancelButton, cancel_ ? TRUE : FALSE);
    // The work starts once the dialog is up and painted.
    SetTimer(dialog, kStartTimer, kStartDelayMilliseconds, nullptr);
}

void PleaseWaitTask::OnStartWork(HWND dialog) {
    KillTimer(dialog, kStartTimer);
    if (worker_.Started())
        return;
    const bool started = worker_.Start(
            [this] {
                bool succeeded = false;
                try {
                    succeeded = work_ && work_();
                } catch (...) {
                    succeeded = false;
                }
                Finish(succeeded);
            },
            stack_);
    // Without a thread the operation cannot run: say so rather than report success.
    if (!started)
        EndDialog(dialog, 0);
}

void PleaseWaitTask::OnCancel(HWND dialog) {
    HWND cancelButton = GetDlgItem(dialog, IDCANCEL);
    if (!cancel_ || !IsWindowEnabled(cancelButton))
        return;
    EnableWindow(cancelButton, FALSE);
    cancel_();
}

bool PleaseWaitTask::OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kStartTimer)
                OnStartWork(dialog);
            return true;
        case kSetProgress:
            SendDlgItemMessageW(dialog, IDC_WAIT_BAR, PBM_SETPOS, wParam, 0);
            return true;
        case kSetSecondProgress:
            SendDlgItemMessageW(dialog, IDC_WAIT_SECOND_BAR, PBM_SETPOS, wParam, 0);
            return true;
        case kFinishFailed:
            EndDialog(dialog, 0);
            return true;
        case kFinishSucceeded:
            EndDialog(dialog, 1);
            return true;
        default:
            return false;
    }
}
