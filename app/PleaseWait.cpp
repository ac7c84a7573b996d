#include "app/PleaseWait.h"

#include <commctrl.h>

#include "catalog/StringTable.h"
#include "resources/resource.h"

namespace {

constexpr UINT kSetProgress = WM_USER + 1;
constexpr UINT kSetSecondProgress = WM_USER + 2;
constexpr UINT kFinishFailed = WM_USER + 3;
constexpr UINT kFinishSucceeded = WM_USER + 4;
constexpr UINT_PTR kStartTimer = 20900;
constexpr UINT kStartDelayMilliseconds = 25;
// Workers get a stack of their own size: they only read and write files.
constexpr SIZE_T kWorkerStackBytes = 0x20000;

// Centres the dialog over its owner, or over the screen when it has none.
void Centre(HWND dialog) {
    RECT box;
    GetWindowRect(dialog, &box);
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner))
        GetWindowRect(owner, &area);
    int x = area.left + (area.right - area.left - (box.right - box.left)) / 2;
    int y = area.top + (area.bottom - area.top - (box.bottom - box.top)) / 2;
    SetWindowPos(dialog, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

}  // namespace

PleaseWaitTask::PleaseWaitTask() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
}

bool PleaseWaitTask::StartThread(LPTHREAD_START_ROUTINE routine, void* parameter, HANDLE* thread) {
    HANDLE started = CreateThread(nullptr, kWorkerStackBytes, routine, parameter, STACK_SIZE_PARAM_IS_A_RESERVATION,
                                  nullptr);
    if (started == nullptr)
        return false;
    if (thread != nullptr)
        *thread = started;
    else
        CloseHandle(started);
    return true;
}

bool PleaseWaitTask::Run(HWND owner, unsigned titleId, Work work, Cancel cancel) {
    title_ = LoadText(titleId);
    work_ = std::move(work);
    cancel_ = std::move(cancel);
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PLEASE_WAIT), owner,
                                     DialogProcedure, reinterpret_cast<LPARAM>(this));
    // The worker's last act ended the dialog; let it leave before its task is reused.
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    dialog_ = nullptr;
    work_ = nullptr;
    cancel_ = nullptr;
    return result == 1;
}

void PleaseWaitTask::ReportProgress(int percent) {
    if (HWND dialog = dialog_.load())
        SendMessageW(dialog, kSetProgress, static_cast<WPARAM>(percent), 0);
}

void PleaseWaitTask::Finish(bool succeeded) {
    if (HWND dialog = dialog_.load())
        SendMessageW(dialog, succeeded ? kFinishSucceeded : kFinishFailed, 0, 0);
}

DWORD WINAPI PleaseWaitTask::WorkerThread(void* parameter) {
    auto* task = static_cast<PleaseWaitTask*>(parameter);
    bool succeeded = false;
    try {
        succeeded = task->work_ && task->work_();
    } catch (...) {
        succeeded = false;
    }
    task->Finish(succeeded);
    return 0;
}

void PleaseWaitTask::OnInitDialog(HWND dialog) {
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    dialog_ = dialog;
    Centre(dialog);
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
    if (thread_ != nullptr)
        return;
    // Without a thread the operation cannot run: say so rather than report success.
    if (!StartThread(WorkerThread, this, &thread_))
        EndDialog(dialog, 0);
}

void PleaseWaitTask::OnCancel(HWND dialog) {
    HWND cancelButton = GetDlgItem(dialog, IDCANCEL);
    if (!cancel_ || !IsWindowEnabled(cancelButton))
        return;
    EnableWindow(cancelButton, FALSE);
    cancel_();
}

INT_PTR CALLBACK PleaseWaitTask::DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* task = reinterpret_cast<PleaseWaitTask*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    try {
        switch (message) {
            case WM_INITDIALOG:
                reinterpret_cast<PleaseWaitTask*>(lParam)->OnInitDialog(dialog);
                return TRUE;
            case WM_TIMER:
                if (task != nullptr && wParam == kStartTimer)
                    task->OnStartWork(dialog);
                return TRUE;
            case WM_COMMAND:
                if (task != nullptr && LOWORD(wParam) == IDCANCEL)
                    task->OnCancel(dialog);
                return TRUE;
            case kSetProgress:
                SendDlgItemMessageW(dialog, IDC_WAIT_BAR, PBM_SETPOS, wParam, 0);
                return TRUE;
            case kSetSecondProgress:
                SendDlgItemMessageW(dialog, IDC_WAIT_SECOND_BAR, PBM_SETPOS, wParam, 0);
                return TRUE;
            case kFinishFailed:
                EndDialog(dialog, 0);
                return TRUE;
            case kFinishSucceeded:
                EndDialog(dialog, 1);
                return TRUE;
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}
