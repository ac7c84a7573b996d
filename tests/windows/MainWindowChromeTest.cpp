#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/Application.h"
#include "resources/resource.h"
#include "support/TestFolder.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/ProgramUnderTest.h"
#include "windows/support/ScratchRegistry.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class MainWindowChromeTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<ProgramUnderTest>(TQLibrary::StartOptions{
                L"orvelle.exe \"-F" + folder.File(L"cat.xml") + L"\"", folder.Path(), folder.Path()});
        ASSERT_TRUE(program->WaitUntilLoaded());
        SetWindowPos(program->Window(), nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    }
    TQLibrary::TQAppWindows& App() { return program->Application(); }
    RECT ChildRect(HWND child) {
        RECT box;
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, program->Window(), reinterpret_cast<POINT*>(&box), 2);
        return box;
    }

    ScratchRegistry registry;
    TestFolder folder;
    std::unique_ptr<ProgramUnderTest> program;
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
    LRESULT result = 0;
    ASSERT_TRUE(App().OnToolbarNotify(&info.hdr, result));
    EXPECT_TRUE(result);
    EXPECT_STREQ(label, "Edit");
    EXPECT_EQ(info.tbButton.idCommand, IDM_EDIT_SPECIMEN);
    info.iItem = 99;  // past the last template
    ASSERT_TRUE(App().OnToolbarNotify(&info.hdr, result));
    EXPECT_FALSE(result);

    NMTTDISPINFOA tip{};
    tip.hdr.code = TTN_GETDISPINFOA;
    tip.hdr.idFrom = IDM_ADD_SPECIMEN;
    ASSERT_TRUE(App().OnToolbarNotify(&tip.hdr, result));
    EXPECT_EQ(tip.lpszText, tip.szText);
    EXPECT_STREQ(tip.szText, "Add a new Specimen");
}

TEST_F(MainWindowChromeTest, WithoutToolbarButtonsTheTabsStartNearTheTop) {
    RECT client;
    GetClientRect(program->Window(), &client);
    App().Layout(client.right, client.bottom);
    EXPECT_EQ(ChildRect(App().Tabs().Window()).top, 45);
    App().CurrentSettings().toolbarButtons.clear();
    App().Toolbar().SetButtons({});
    App().Layout(client.right, client.bottom);
    EXPECT_FALSE(IsWindowVisible(App().Toolbar().Window()));
    EXPECT_EQ(ChildRect(App().Tabs().Window()).top, 5);
}

TEST_F(MainWindowChromeTest, CustomizingAnEmptyToolbarShowsItAndMovesTheTabsDown) {
    RECT client;
    GetClientRect(program->Window(), &client);
    App().CurrentSettings().toolbarButtons.clear();
    App().Toolbar().SetButtons({});
    App().Layout(client.right, client.bottom);
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
    App().Layout(client.right, client.bottom);
    EXPECT_EQ(ChildRect(App().Tabs().Window()).right, 10 + client.right - 200);
    App().OnSplitterDropped(client.right - 300);
    EXPECT_EQ(App().CurrentSettings().splitter, 300);
    App().OnSplitterDropped(client.right - 3);  // within the last 20 pixels
    EXPECT_EQ(App().CurrentSettings().splitter, 20);
    EXPECT_EQ(ChildRect(App().Tabs().Window()).right, 10 + client.right - 20);
}

TEST_F(MainWindowChromeTest, ADragThatLosesTheMouseDropsNothing) {
    HWND splitter = FindWindowExW(program->Window(), nullptr, L"TQSplitter", nullptr);
    ASSERT_NE(splitter, nullptr);
    RECT client;
    GetClientRect(program->Window(), &client);
    POINT drop{client.right - 300, client.bottom / 2};
    ClientToScreen(program->Window(), &drop);
    SetCursorPos(drop.x, drop.y);
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
    HWND toolbar = App().Toolbar().Window();
    auto enabled = [toolbar](int command) {
        return SendMessageW(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
    };
    App().SetSelectionCount(0);
    EXPECT_TRUE(enabled(IDM_ADD_SPECIMEN));
    EXPECT_FALSE(enabled(IDM_EDIT_SPECIMEN));
    EXPECT_FALSE(enabled(IDM_DELETE_SPECIMEN));
    App().SetSelectionCount(2);
    EXPECT_TRUE(enabled(IDM_EDIT_SPECIMEN));  // the menu's Edit is grey for two, the button is not
    EXPECT_FALSE(program->MenuItemEnabled(IDM_EDIT_SPECIMEN));
}

}  // namespace
