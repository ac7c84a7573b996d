#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <stdexcept>

#include "app/main/PleaseWait.h"
#include "base/Handles.h"
#include "resources/resource.h"
#include "windows/support/DialogDriver.h"

namespace {

// A signal between the test's worker and the driver playing the user.
class Signal {
public:
    Signal() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    void Set() { SetEvent(event_.Get()); }
    bool Wait(DWORD milliseconds = 10000) { return WaitForSingleObject(event_.Get(), milliseconds) == WAIT_OBJECT_0; }

private:
    TQLibrary::KernelHandle event_;
};

bool Visible(HWND dialog, int item) {
    return IsWindowVisible(GetDlgItem(dialog, item)) != FALSE;
}

TEST(PleaseWait, TheWorkRunsWhileTheDialogShowsItsTitleAndProgress) {
    PleaseWaitTask task;
    Signal seen;
    Signal progressed;
    std::wstring title;
    bool cancelShown = true;
    bool secondBarShown = true;
    LRESULT position = -1;
    DialogDriver driver([&](HWND dialog) {
        title = WindowText(GetDlgItem(dialog, IDC_WAIT_TITLE));
        cancelShown = Visible(dialog, IDCANCEL);
        secondBarShown = Visible(dialog, IDC_WAIT_SECOND_BAR);
        seen.Set();
        progressed.Wait();
        position = SendDlgItemMessageW(dialog, IDC_WAIT_BAR, PBM_GETPOS, 0, 0);
        seen.Set();
    });
    std::atomic<bool> dialogWasUp{false};
    bool succeeded = task.Run(nullptr, IDS_LOADING_SPECIMENS, [&] {
        dialogWasUp = seen.Wait();
        task.ReportProgress(40);
        progressed.Set();
        Sleep(200);  // the driver reads the bar meanwhile
        return true;
    });
    EXPECT_TRUE(succeeded);
    EXPECT_TRUE(dialogWasUp);
    EXPECT_TRUE(driver.Handled());
    EXPECT_EQ(title, L"Loading Specimens");
    EXPECT_FALSE(cancelShown);
    EXPECT_FALSE(secondBarShown);
    EXPECT_EQ(position, 40);
}

TEST(PleaseWait, AFailedOrThrowingWorkEndsTheDialogAsAFailure) {
    PleaseWaitTask task;
    EXPECT_FALSE(task.Run(nullptr, IDS_SAVING_SPECIMENS, [] { return false; }));
    EXPECT_FALSE(task.Run(nullptr, IDS_SAVING_SPECIMENS, []() -> bool { throw std::runtime_error("disk"); }));
    EXPECT_TRUE(task.Run(nullptr, IDS_SAVING_SPECIMENS, [] { return true; }));
    task.ReportProgress(10);  // no dialog up: nothing happens
}

TEST(PleaseWait, CancelIsOfferedOnlyWithARoutineAndCallsItOnce) {
    PleaseWaitTask task;
    std::atomic<int> cancels{0};
    Signal cancelled;
    bool cancelShown = false;
    DialogDriver driver([&](HWND dialog) {
        cancelShown = Visible(dialog, IDCANCEL);
        PressButton(dialog, IDCANCEL);
        PressButton(dialog, IDCANCEL);
        Sleep(200);
        cancelled.Set();
    });
    bool succeeded = task.Run(
            nullptr, IDS_LOADING_SPECIMENS,
            [&] {
                cancelled.Wait();
                return false;
            },
            [&] { ++cancels; });
    EXPECT_FALSE(succeeded);
    EXPECT_TRUE(cancelShown);
    EXPECT_EQ(cancels.load(), 1);
}

}  // namespace
