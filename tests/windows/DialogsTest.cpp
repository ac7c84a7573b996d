#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>

#include "app/framework/Dialogs.h"
#include "app/framework/Messages.h"
#include "app/framework/Program.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "resources/resource.h"
#include "windows/FrameworkTestResources.h"
#include "windows/support/DialogDriver.h"

using namespace TQLibrary;

namespace {

// The message box's icon control.
constexpr int kMessageBoxIcon = 0x0440;

HWND MakePopup(HWND owner, RECT place) {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Makes a window the main window for one test.
class MainWindowForTest {
public:
    MainWindowForTest() : window_(MakePopup(nullptr, RECT{0, 0, 300, 200})) { SetMainWindow(window_.Get()); }
    ~MainWindowForTest() { SetMainWindow(nullptr); }
    HWND Get() const { return window_.Get(); }

private:
    OwnedWindow window_;
};

struct TestDialogState {
    std::wstring typed;
};

INT_PTR CALLBACK TestDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = DialogState<TestDialogState>(dialog, message, lParam);
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            // Every button ends the dialog with its own identifier.
            if (LOWORD(wParam) == IDC_FRAMEWORK_TEST_EDIT)
                return FALSE;
            state->typed = ItemText(dialog, IDC_FRAMEWORK_TEST_EDIT);
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            ForgetDialogState(dialog);
            return FALSE;
        default:
            return FALSE;
    }
}

TEST(RunDialog, OnlyADialogEndedWithOneIsAccepted) {
    MainWindowForTest mainWindow;
    for (int button : {IDOK, IDCANCEL, IDABORT}) {
        TestDialogState state;
        HWND owner = nullptr;
        DialogDriver driver([&](HWND dialog) {
            owner = GetWindow(dialog, GW_OWNER);
            SetDlgItemTextW(dialog, IDC_FRAMEWORK_TEST_EDIT, L"Murex");
            PressButton(dialog, button);
        });
        bool accepted = RunDialog(nullptr, IDD_FRAMEWORK_TEST, TestDialogProcedure, &state);
        EXPECT_TRUE(driver.Handled());
        EXPECT_EQ(accepted, button == IDOK) << button;
        EXPECT_EQ(owner, mainWindow.Get());
        EXPECT_EQ(state.typed, L"Murex");
    }

    TestDialogState state;
    EXPECT_FALSE(RunDialog(nullptr, 9999, TestDialogProcedure, &state));
}

// A dialog record on the one dialog procedure: Abort throws, as a handler's fault would.
struct ThrowingDialog {
    int inits = 0;
    int destroys = 0;
    std::wstring typed;

    void OnInitDialog(HWND) { ++inits; }
    void OnCommand(HWND dialog, int item, int) {
        if (item == IDABORT)
            throw std::runtime_error("handler fault");
        if (item == IDOK) {
            typed = ItemText(dialog, IDC_FRAMEWORK_TEST_EDIT);
            EndDialog(dialog, item);
        }
    }
    void OnDestroy(HWND dialog) {
        ++destroys;
        // The record is still in the slot until the procedure forgets it.
        EXPECT_EQ(GetWindowLongPtrW(dialog, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(this));
    }
};

TEST(DialogProcedure, KeepsTheRecordForTheDialogsLifeAndNoFaultEscapes) {
    MainWindowForTest mainWindow;
    ThrowingDialog state;
    HWND seen = nullptr;
    DialogDriver driver([&](HWND dialog) {
        seen = dialog;
        SetDlgItemTextW(dialog, IDC_FRAMEWORK_TEST_EDIT, L"Conus");
        PressButton(dialog, IDABORT);  // throws inside the procedure; the dialog goes on
        PressButton(dialog, IDOK);
    });
    EXPECT_TRUE(RunDialog(nullptr, IDD_FRAMEWORK_TEST, state));
    EXPECT_TRUE(driver.Handled());
    EXPECT_EQ(state.inits, 1);
    EXPECT_EQ(state.destroys, 1);
    EXPECT_EQ(state.typed, L"Conus");
    EXPECT_FALSE(IsWindow(seen));
}

// Cancel ends a dialog with IDCANCEL unless its record handles Cancel itself.
struct PlainDialog {
    void OnInitDialog(HWND) {}
};

struct OwnCancelDialog {
    int cancels = 0;
    void OnInitDialog(HWND) {}
    void OnCancel(HWND dialog) {
        if (++cancels == 2)
            EndDialog(dialog, IDOK);
    }
};

TEST(DialogProcedure, CancelEndsTheDialogUnlessTheRecordHandlesIt) {
    MainWindowForTest mainWindow;
    PlainDialog plain;
    DialogDriver plainDriver([](HWND dialog) { PressButton(dialog, IDCANCEL); });
    EXPECT_FALSE(RunDialog(nullptr, IDD_FRAMEWORK_TEST, plain));
    EXPECT_TRUE(plainDriver.Handled());

    OwnCancelDialog own;
    DialogDriver ownDriver([](HWND dialog) {
        PressButton(dialog, IDCANCEL);
        PressButton(dialog, IDCANCEL);
    });
    EXPECT_TRUE(RunDialog(nullptr, IDD_FRAMEWORK_TEST, own));
    EXPECT_EQ(own.cancels, 2);
}

struct SeenMessage {
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    HICON icon = nullptr;
    bool hasNo = false;
};

// Answers the message box that comes up and tells what it showed.
template <typename Show>
SeenMessage Answer(int button, Show show) {
    SeenMessage seen;
    DialogDriver driver([&](HWND box) {
        seen.caption = WindowText(box);
        seen.text = MessageBoxText(box);
        seen.owner = GetWindow(box, GW_OWNER);
        seen.icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, kMessageBoxIcon, STM_GETICON, 0, 0));
        seen.hasNo = GetDlgItem(box, IDNO) != nullptr;
        PressButton(box, button);
    });
    show();
    EXPECT_TRUE(driver.Handled());
    return seen;
}

TEST(Messages, WarningsNoticesAndQuestionsComeFromTheStringTable) {
    MainWindowForTest mainWindow;

    SeenMessage warning = Answer(IDOK, [] { Warn(IDS_SAVE_FAILED, IDS_DISPLAY_NAME); });
    EXPECT_EQ(warning.caption, L"Orvelle");
    EXPECT_EQ(warning.text, LoadText(IDS_SAVE_FAILED));
    EXPECT_EQ(warning.owner, mainWindow.Get());
    EXPECT_EQ(warning.icon, LoadIconW(nullptr, IDI_EXCLAMATION));

    SeenMessage notice = Answer(IDOK, [] { Inform(IDS_CATEGORY_NOT_EMPTY, IDS_COMPANY_NAME); });
    EXPECT_EQ(notice.caption, L"Brackenfield");
    EXPECT_EQ(notice.icon, LoadIconW(nullptr, IDI_INFORMATION));
    EXPECT_FALSE(notice.hasNo);

    for (int answer : {IDYES, IDNO}) {
        bool yes = false;
        SeenMessage question = Answer(answer, [&] { yes = Ask(IDS_CATEGORY_NOT_EMPTY, IDS_DISPLAY_NAME); });
        EXPECT_EQ(yes, answer == IDYES);
        EXPECT_EQ(question.caption, L"Orvelle");
        EXPECT_EQ(question.text, LoadText(IDS_CATEGORY_NOT_EMPTY));
        EXPECT_EQ(question.icon, LoadIconW(nullptr, IDI_QUESTION));
        EXPECT_TRUE(question.hasNo);
    }
}

TEST(CentreOver, CentresOverTheParentTheWorkAreaOrTheScreen) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT workArea = WorkArea();
    auto centre = [](const RECT& area, LONG width, LONG height) {
        return POINT{area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2};
    };
    struct Case {
        bool hasParent;
        RECT parent;
        LONG width, height;
        POINT expected;
    };
    const Case cases[] = {
            {true, {100, 100, 500, 400}, 200, 100, {200, 200}},
            {true, {0, 0, 100, 80}, 300, 200, {0, 0}},
            {true, {-500, -400, -100, -100}, 200, 100, centre(workArea, 200, 100)},
            {false, {}, 200, 100, centre(screen, 200, 100)},
    };
    // A hidden parent is no place to centre over: the screen is.
    {
        OwnedWindow hidden(MakePopup(nullptr, RECT{100, 100, 500, 400}));
        OwnedWindow window(MakePopup(hidden.Get(), RECT{7, 9, 207, 109}));
        CentreOver(window.Get());
        RECT placed{};
        GetWindowRect(window.Get(), &placed);
        EXPECT_EQ(placed.left, centre(screen, 200, 100).x);
        EXPECT_EQ(placed.top, centre(screen, 200, 100).y);
    }
    for (const Case& c : cases) {
        OwnedWindow parent(c.hasParent ? MakePopup(nullptr, c.parent) : nullptr);
        if (parent)
            ShowWindow(parent.Get(), SW_SHOWNA);
        OwnedWindow window(MakePopup(parent.Get(), RECT{7, 9, 7 + c.width, 9 + c.height}));
        CentreOver(window.Get());
        RECT placed{};
        GetWindowRect(window.Get(), &placed);
        EXPECT_EQ(placed.left, c.expected.x) << c.parent.left;
        EXPECT_EQ(placed.top, c.expected.y) << c.parent.left;
        EXPECT_EQ(placed.right - placed.left, c.width);
    }
}

}  // namespace
