#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/main/Application.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "support/SpecimenSamples.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The window at 800 by 600 on a catalog file that does not exist yet.
class MainWindowChromeTest : public LoadedProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartOnCatalog());
        SetWindowPos(program->Window(), nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    }
    RECT ChildRect(HWND child) {
        RECT box;
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, program->Window(), reinterpret_cast<POINT*>(&box), 2);
        return box;
    }
    // A notification from one of the main window's controls; what the window answers.
    LRESULT Notify(NMHDR& header) {
        return SendMessageW(program->Window(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    HWND Splitter() { return FindWindowExW(program->Window(), nullptr, L"TQSplitter", nullptr); }
    // Puts the mouse at x in the main window's client area, halfway down.
    void PointAt(int x) {
        RECT client;
        GetClientRect(program->Window(), &client);
        POINT point{x, client.bottom / 2};
        ClientToScreen(program->Window(), &point);
        MoveCursorTo(point);
    }
    // The cursor may arrive a moment after it is sent, and a motion the system had queued before may still move
    // it back (inside a Wine desktop both happen): it is sent again until it stays.
    static void MoveCursorTo(POINT point) {
        auto there = [point] {
            POINT now{};
            return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
        };
        for (int attempt = 0; attempt < 50; ++attempt) {
            SetCursorPos(point.x, point.y);
            Sleep(20);
            if (there()) {
                Sleep(50);
                if (there())
                    return;
            }
        }
    }
    // Drags the splitter from where it is to x in the main window's client area.
    void DragSplitterTo(int x) {
        HWND splitter = Splitter();
        RECT bar;
        GetWindowRect(splitter, &bar);
        MoveCursorTo({(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2});
        SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PointAt(x);
        SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, 0);
        SendMessageW(splitter, WM_LBUTTONUP, 0, 0);
    }
};

TEST_F(MainWindowChromeTest, TheToolbarReadsBackAsSettingBytes) {
    TQLibrary::TQToolbar& toolbar = App().Toolbar();
    EXPECT_EQ(toolbar.ReadButtons(), App().CurrentSettings().toolbarButtons);
    toolbar.SetButtons({255, 255, 3, 255});
    EXPECT_EQ(toolbar.ReadButtons(), (Bytes{255, 3}));
    toolbar.SetButtons({0, 30, 1});  // no such button: a separator
    EXPECT_EQ(toolbar.ReadButtons(), (Bytes{0, 255, 1}));
    EXPECT_TRUE(IsWindowVisible(toolbar.Window()));
}

TEST_F(MainWindowChromeTest, NarrowNotificationsGetNarrowedTexts) {
    char label[64];
    NMTOOLBARA info{};
    info.hdr.code = TBN_GETBUTTONINFOA;
    info.iItem = 1;
    info.pszText = label;
    info.cchText = 5;  // room for four characters
    HWND toolbar = App().Toolbar().Window();
    info.hdr.hwndFrom = toolbar;
    info.hdr.idFrom = IDC_TOOLBAR;
    ASSERT_TRUE(Notify(info.hdr));
    EXPECT_STREQ(label, "Edit");
    EXPECT_EQ(info.tbButton.idCommand, IDM_EDIT_SPECIMEN);
    info.iItem = 99;  // past the last template
    EXPECT_FALSE(Notify(info.hdr));

    // The toolbar's tooltips name the button's command.
    NMTTDISPINFOA tip{};
    tip.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
    tip.hdr.code = TTN_GETDISPINFOA;
    tip.hdr.idFrom = IDM_ADD_SPECIMEN;
    Notify(tip.hdr);
    EXPECT_EQ(tip.lpszText, tip.szText);
    EXPECT_STREQ(tip.szText, "Add a new Specimen");
}

TEST_F(MainWindowChromeTest, TheStatusBarIsShownAsTheLoadedCatalogSays) {
    for (bool hidden : {true, false}) {
        program->Close();
        Settings settings;
        settings.hideStatusBar = hidden;
        ASSERT_TRUE(WriteCatalogFile(catalogPath, SampleSpecimens(1), {}, settings));
        ASSERT_TRUE(StartOnCatalog());
        HWND status = FindWindowExW(program->Window(), nullptr, STATUSCLASSNAMEW, nullptr);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(IsWindowVisible(status) == FALSE, hidden);
    }
}

TEST_F(MainWindowChromeTest, WithoutToolbarButtonsTheTabsStartNearTheTop) {
    program->SendSize();
    EXPECT_EQ(ChildRect(App().Tabs().Window()).top, 45);
    App().CurrentSettings().toolbarButtons.clear();
    App().Toolbar().SetButtons({});
    program->SendSize();
    EXPECT_FALSE(IsWindowVisible(App().Toolbar().Window()));
    EXPECT_EQ(ChildRect(App().Tabs().Window()).top, 5);
}

TEST_F(MainWindowChromeTest, CustomizingAnEmptyToolbarShowsItAndMovesTheTabsDown) {
    App().CurrentSettings().toolbarButtons.clear();
    App().Toolbar().SetButtons({});
    program->SendSize();
    ASSERT_EQ(ChildRect(App().Tabs().Window()).top, 5);

    HWND toolbar = App().Toolbar().Window();
    DialogDriver driver([toolbar](HWND dialog) {
        // What the dialog's Add does: a button into the toolbar itself.
        TBBUTTON button{};
        button.iBitmap = 0;
        button.idCommand = IDM_ADD_SPECIMEN;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        SendMessageW(toolbar, TB_INSERTBUTTONW, 0, reinterpret_cast<LPARAM>(&button));
        PressButton(dialog, IDCANCEL);
    });
    program->Command(IDM_CUSTOMIZE_TOOLBAR);
    ASSERT_TRUE(driver.Handled());
    EXPECT_EQ(App().CurrentSettings().toolbarButtons, (Bytes{0}));
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_EQ(ChildRect(App().Tabs().Window()).top, 45);
}

TEST_F(MainWindowChromeTest, TheSplitterKeepsAtLeastTwentyPixelsOnTheRight) {
    RECT client;
    GetClientRect(program->Window(), &client);
    App().CurrentSettings().splitter = 200;
    program->SendSize();
    EXPECT_EQ(ChildRect(App().Tabs().Window()).right, 10 + client.right - 200);
    DragSplitterTo(client.right - 300);
    EXPECT_EQ(App().CurrentSettings().splitter, 300);
    DragSplitterTo(client.right - 3);  // within the last 20 pixels
    EXPECT_EQ(App().CurrentSettings().splitter, 20);
    EXPECT_EQ(ChildRect(App().Tabs().Window()).right, 10 + client.right - 20);
}

TEST_F(MainWindowChromeTest, ADragThatLosesTheMouseDropsNothing) {
    HWND splitter = Splitter();
    ASSERT_NE(splitter, nullptr);
    RECT client;
    GetClientRect(program->Window(), &client);
    PointAt(client.right - 300);
    const int before = App().CurrentSettings().splitter;

    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(splitter, WM_CAPTURECHANGED, 0, 0);  // another window took the mouse
    SendMessageW(splitter, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(App().CurrentSettings().splitter, before);

    // A whole drag drops where the mouse is.
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(splitter, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(App().CurrentSettings().splitter, 300);
}

TEST_F(MainWindowChromeTest, ToolbarButtonsFollowTheSelection) {
    ASSERT_TRUE(StartWith({Specimen{}, Specimen{}}));  // rows to select
    HWND toolbar = App().Toolbar().Window();
    auto enabled = [toolbar](int command) {
        return SendMessageW(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
    };
    program->SelectRows({});
    EXPECT_TRUE(enabled(IDM_ADD_SPECIMEN));
    EXPECT_FALSE(enabled(IDM_EDIT_SPECIMEN));
    EXPECT_FALSE(enabled(IDM_DELETE_SPECIMEN));
    program->SelectRows({0, 1});
    EXPECT_TRUE(enabled(IDM_EDIT_SPECIMEN));  // one dialog edits both
    EXPECT_TRUE(program->MenuItemEnabled(IDM_EDIT_SPECIMEN));
}

TEST_F(MainWindowChromeTest, AMonitorOfTwiceTheScaleDoublesTheChromeAndWhatTheUserSized) {
    ASSERT_TRUE(StartWith({Specimen{}}));
    const auto heightOf = [](HWND window) {
        RECT box{};
        GetWindowRect(window, &box);
        return box.bottom - box.top;
    };
    HWND findBox = GetDlgItem(App().Tabs().Window(), IDC_FIND_BOX);
    const int findHeight = heightOf(findBox);
    const int column = App().List().View().ColumnWidth(0);
    const int splitter = App().CurrentSettings().splitter;
    const int dpi = App().Dpi();
    RECT window{};
    GetWindowRect(program->Window(), &window);
    // Where the system would put it on the other monitor.
    RECT suggested{window.left + 10, window.top + 10, window.right + 10, window.bottom + 10};

    SendMessageW(program->Window(), WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(App().Dpi(), 2 * dpi);
    RECT moved{};
    GetWindowRect(program->Window(), &moved);
    EXPECT_EQ(moved.left, suggested.left);
    EXPECT_EQ(heightOf(findBox), 2 * findHeight);
    EXPECT_EQ(App().List().View().ColumnWidth(0), 2 * column);
    EXPECT_EQ(App().CurrentSettings().splitter, 2 * splitter);
    const auto buttonSize = static_cast<DWORD>(SendMessageW(App().Toolbar().Window(), TB_GETBUTTONSIZE, 0, 0));
    EXPECT_GE(HIWORD(buttonSize), 64);
}

}  // namespace
