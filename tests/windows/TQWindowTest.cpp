#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/framework/HotTracking.h"
#include "app/framework/TQTabWin.h"
#include "app/framework/TQWindow.h"
#include "base/Handles.h"
#include "resources/resource.h"

using namespace TQLibrary;

namespace {

// Every message that reaches a probe window's own procedure, in order.
struct LoggedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<LoggedMessage> messageLog;

bool Logged(HWND window, UINT message) {
    for (const LoggedMessage& logged : messageLog) {
        if (logged.window == window && logged.message == message)
            return true;
    }
    return false;
}

constexpr wchar_t kProbeClass[] = L"OrvelleFrameworkProbe";

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    messageLog.push_back({window, message, wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterProbeClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ProbeProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kProbeClass;
    RegisterClassExW(&windowClass);
}

HWND MakeWindow(const wchar_t* className, DWORD style, HWND parent, int id, RECT place) {
    return CreateWindowExW(0, className, L"", style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// A control wrapper as the program's derived classes are: creates its control and binds it.
class TestControl : public TQWindow {
public:
    explicit TestControl(const wchar_t* className = kProbeClass, DWORD style = 0)
        : className_(className), style_(style) {}

    bool Create(HWND parent, int id) override { return Create(parent, id, 0, 0, 0, 0); }
    bool Create(HWND parent, int id, int x, int y, int width, int height) override {
        return Bind(
                MakeWindow(className_, WS_CHILD | WS_VISIBLE | style_, parent, id, RECT{x, y, x + width, y + height}));
    }
    using TQWindow::Release;

private:
    const wchar_t* className_;
    DWORD style_;
};

LONG_PTR Procedure(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC);
}

LONG_PTR UserData(HWND window) {
    return GetWindowLongPtrW(window, GWLP_USERDATA);
}

// The window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

class TQWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterProbeClass();
        // Hidden: under Wine without a window manager, hiding a shown window takes two seconds.
        parent_.Reset(MakeWindow(kProbeClass, WS_POPUP, nullptr, 0, RECT{100, 100, 500, 400}));
        ASSERT_TRUE(parent_);
        messageLog.clear();
    }
    HWND Parent() const { return parent_.Get(); }
    HWND MakeProbe() { return MakeWindow(kProbeClass, WS_CHILD, Parent(), 1, RECT{0, 0, 20, 20}); }

    OwnedWindow parent_;
};

TEST_F(TQWindowTest, CreatingBindsTheControlWithTheKeptTextAndReleasingDestroysIt) {
    TestControl control;
    control.SetText(L"Shells");
    ASSERT_TRUE(control.Create(Parent(), 7, 10, 10, 50, 20));
    HWND window = control.Window();
    EXPECT_NE(Procedure(window), reinterpret_cast<LONG_PTR>(&ProbeProcedure));
    EXPECT_NE(UserData(window), 0);
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);
    EXPECT_STREQ(text, L"Shells");

    control.Release();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(control.Window(), nullptr);

    HWND destroyedWithObject = nullptr;
    {
        TestControl other;
        ASSERT_TRUE(other.Create(Parent(), 8));
        destroyedWithObject = other.Window();
    }
    EXPECT_FALSE(IsWindow(destroyedWithObject));

    TestControl missingClass(L"NoSuchWindowClass");
    EXPECT_FALSE(missingClass.Create(Parent(), 9));
}

TEST_F(TQWindowTest, AttachAndDetachGiveBackTheProcedureAndUserDataInTurn) {
    HWND first = MakeProbe();
    HWND second = MakeProbe();
    const LONG_PTR original = Procedure(first);
    {
        TestControl control;
        control.Attach(first);
        control.Attach(second);
        EXPECT_EQ(control.Window(), second);
        EXPECT_NE(Procedure(first), original);
        EXPECT_NE(Procedure(second), original);
        EXPECT_NE(UserData(first), 0);

        // The window further down still reaches its own procedure.
        SendMessageW(first, WM_USER + 5, 0, 0);
        EXPECT_TRUE(Logged(first, WM_USER + 5));

        control.Detach();
        EXPECT_EQ(control.Window(), first);
        EXPECT_EQ(Procedure(second), original);
        EXPECT_EQ(UserData(second), 0);
        EXPECT_TRUE(IsWindow(second));
        EXPECT_NE(Procedure(first), original);

        control.Detach();
        EXPECT_EQ(control.Window(), nullptr);
        EXPECT_EQ(Procedure(first), original);
        EXPECT_EQ(UserData(first), 0);

        // The object's end gives back every window still attached.
        control.Attach(first);
        control.Attach(second);
    }
    for (HWND window : {first, second}) {
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(Procedure(window), original);
        EXPECT_EQ(UserData(window), 0);
    }
}

TEST_F(TQWindowTest, AWindowAlreadyBoundIsAttachedWithoutSubclassingAgain) {
    HWND window = MakeProbe();
    TestControl owner;
    owner.Attach(window);
    const LONG_PTR procedure = Procedure(window);
    const LONG_PTR userData = UserData(window);
    {
        TestControl second;
        second.Attach(window);
        EXPECT_EQ(second.Window(), window);
        EXPECT_EQ(Procedure(window), procedure);
        EXPECT_EQ(UserData(window), userData);
        second.Detach();
        EXPECT_EQ(Procedure(window), procedure);
        second.Attach(window);
    }
    EXPECT_EQ(Procedure(window), procedure);
    EXPECT_EQ(UserData(window), userData);

    int calls = 0;
    owner.AddCommandHandler(5, [&](void*, int) { ++calls; });
    SendMessageW(window, WM_COMMAND, 5, 0);
    EXPECT_EQ(calls, 1);
}

TEST_F(TQWindowTest, PlaceKeepsThePositionForNegativeCoordinatesAndTheSizeForNegativeExtents) {
    struct Case {
        int x, y, width, height;
        RECT expected;
    };
    const Case cases[] = {
            {30, 40, 60, 70, {30, 40, 90, 110}}, {-1, 40, 60, 70, {10, 20, 70, 90}},
            {30, -5, 60, 70, {10, 20, 70, 90}},  {30, 40, -1, 70, {30, 40, 130, 90}},
            {30, 40, 60, -2, {30, 40, 130, 90}}, {-1, -1, -1, -1, {10, 20, 110, 70}},
    };
    TestControl control;
    ASSERT_TRUE(control.Create(Parent(), 3));
    for (const Case& c : cases) {
        control.Move(10, 20, 100, 50);
        control.Place(c.x, c.y, c.width, c.height, nullptr);
        EXPECT_TRUE(PlaceInParent(control.Window()) == c.expected) << c.x << " " << c.y << " " << c.width;
    }
    control.Move(10, 20, 100, 50);
    EXPECT_EQ(control.ClientWidth(), 100);
    EXPECT_EQ(control.ClientHeight(), 50);
}

TEST_F(TQWindowTest, CommandHandlersGetTheirUserDataAndTheNotificationCode) {
    TestControl control;
    ASSERT_TRUE(control.Create(Parent(), 3));
    HWND window = control.Window();
    std::vector<std::pair<void*, int>> calls;
    auto record = [&](void* data, int code) { calls.emplace_back(data, code); };
    int first = 0;
    int second = 0;
    control.AddCommandHandler(7, record, &first);
    control.AddCommandHandler(8, record, &second);
    control.AddCommandHandler(7, record, &second);
    control.AddCommandHandler(9, [](void*, int) { throw std::runtime_error("handler failed"); });

    EXPECT_EQ(SendMessageW(window, WM_COMMAND, MAKEWPARAM(7, 0x300), 0), 0);
    const std::vector<std::pair<void*, int>> expected{{&first, 0x300}, {&second, 0x300}};
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(Logged(window, WM_COMMAND));

    SendMessageW(window, WM_COMMAND, MAKEWPARAM(10, 0), 0);
    EXPECT_TRUE(Logged(window, WM_COMMAND));
    // A failing handler's exception stays inside the window procedure.
    EXPECT_EQ(SendMessageW(window, WM_COMMAND, 9, 0), 0);
}

TEST_F(TQWindowTest, DestroyingIsNotForwardedAndAWindowGoneWithItsParentIsForgotten) {
    TestControl control;
    ASSERT_TRUE(control.Create(Parent(), 3));
    HWND window = control.Window();
    control.Release();
    EXPECT_FALSE(Logged(window, WM_DESTROY));
    EXPECT_TRUE(Logged(window, WM_NCDESTROY));

    ASSERT_TRUE(control.Create(Parent(), 4));
    parent_.Reset();
    EXPECT_EQ(control.Window(), nullptr);
}

TEST_F(TQWindowTest, TheWheelHandlerGetsTheDeltaAndTheControlNothing) {
    TestControl control;
    ASSERT_TRUE(control.Create(Parent(), 3));
    HWND window = control.Window();
    std::vector<int> deltas;
    control.SetWheelHandler([&](int delta) { deltas.push_back(delta); });
    EXPECT_EQ(SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-240)), 0), 0);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(deltas, (std::vector<int>{-240, 120}));
    EXPECT_FALSE(Logged(window, WM_MOUSEWHEEL));

    // A wrapped control that never asked for the wheel scrolls with it as usual.
    control.SetWheelHandler({});
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_TRUE(Logged(window, WM_MOUSEWHEEL));
    EXPECT_EQ(deltas.size(), 2u);
}

TEST_F(TQWindowTest, ChildNotificationsArePassedToTheParentOnlyWhenAsked) {
    TestControl control;
    ASSERT_TRUE(control.Create(Parent(), 3));
    HWND child = MakeWindow(kProbeClass, WS_CHILD, control.Window(), 9, RECT{0, 0, 10, 10});
    OwnedWindow popup(MakeWindow(kProbeClass, WS_POPUP, control.Window(), 0, RECT{0, 0, 10, 10}));
    auto notify = [&](HWND from) {
        NMHDR header{from, 9, LVN_ITEMCHANGED};
        SendMessageW(control.Window(), WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&header));
    };
    notify(child);
    EXPECT_FALSE(Logged(Parent(), WM_NOTIFY));

    control.ForwardChildNotifications(true);
    notify(popup.Get());  // owned, not a child: stays
    EXPECT_FALSE(Logged(Parent(), WM_NOTIFY));
    notify(child);
    EXPECT_TRUE(Logged(Parent(), WM_NOTIFY));
}

TEST_F(TQWindowTest, AHotTrackingClickBecomesACommandToTheParentAndLeavingCancelsIt) {
    TestControl control;
    ASSERT_TRUE(control.Create(Parent(), 42, 10, 10, 50, 20));
    HWND window = control.Window();
    auto mouse = [&](UINT message, int x, int y) {
        SendMessageW(window, message, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    };
    auto commandsToParent = [&] {
        int count = 0;
        for (const LoggedMessage& logged : messageLog) {
            if (logged.window == Parent() && logged.message == WM_COMMAND) {
                EXPECT_EQ(logged.wParam, MAKEWPARAM(42, BN_CLICKED));
                EXPECT_EQ(logged.lParam, reinterpret_cast<LPARAM>(window));
                ++count;
            }
        }
        return count;
    };

    mouse(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCapture(), nullptr);

    HotTracking tracking(control);
    mouse(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCapture(), window);
    messageLog.clear();
    mouse(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(commandsToParent(), 1);
    EXPECT_FALSE(Logged(window, WM_LBUTTONUP));
    EXPECT_EQ(GetCapture(), nullptr);

    mouse(WM_MOUSEMOVE, 5, 5);
    mouse(WM_MOUSEMOVE, -3, 5);
    EXPECT_EQ(GetCapture(), nullptr);
    messageLog.clear();
    mouse(WM_LBUTTONUP, -3, 5);
    EXPECT_EQ(commandsToParent(), 0);
    EXPECT_TRUE(Logged(window, WM_LBUTTONUP));
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndMenu();
}

TEST_F(TQWindowTest, ARightClickHandsTheContextMenusFirstPopupToTheHook) {
    TestControl control;
    ASSERT_TRUE(control.Create(Parent(), 3, 0, 0, 50, 20));
    HWND window = control.Window();
    HMENU menu = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 100, L"Edit");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"Context");
    std::vector<HMENU> hooked;
    int hookData = 0;
    void* seenData = nullptr;
    control.SetContextMenu(
            menu, Parent(),
            [&](HMENU shown, void* data) {
                hooked.push_back(shown);
                seenData = data;
                // The menu runs its own loop; this ends it.
                SetTimer(nullptr, 0, 100, CloseMenu);
            },
            &hookData);

    EXPECT_EQ(SendMessageW(window, WM_RBUTTONDOWN, 0, 0), 0);
    NMHDR header{window, 3, static_cast<UINT>(NM_RCLICK)};
    EXPECT_EQ(SendMessageW(window, WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(hooked, (std::vector<HMENU>{popup, popup}));
    EXPECT_EQ(seenData, &hookData);
    EXPECT_FALSE(Logged(window, WM_RBUTTONDOWN));
}

// A tooltip of this thread owned by the window (a pop-up's owner is always a top-level window).
HWND FindTooltip(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND candidate, LPARAM data) {
                auto* wanted = reinterpret_cast<Search*>(data);
                wchar_t className[32] = {};
                GetClassNameW(candidate, className, 32);
                if (lstrcmpW(className, TOOLTIPS_CLASSW) != 0 || GetWindow(candidate, GW_OWNER) != wanted->owner)
                    return TRUE;
                wanted->found = candidate;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(TQWindowTest, TheTabStripsTooltipCoversTheClientAreaAfterEveryPlace) {
    TQTabWin control;
    ASSERT_TRUE(control.Create(Parent(), 3, 0, 0, 120, 30));
    ASSERT_TRUE(control.AddTooltip(GetModuleHandleW(nullptr), IDS_TAB_TOOLTIP));
    HWND window = control.Window();
    HWND tooltip = FindTooltip(Parent());
    ASSERT_NE(tooltip, nullptr);

    auto tool = [&] {
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = window;
        EXPECT_TRUE(SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
        return info;
    };
    EXPECT_TRUE(tool().rect == (RECT{0, 0, 120, 30}));
    control.Move(5, 5, 200, 40);
    EXPECT_TRUE(tool().rect == (RECT{0, 0, 200, 40}));
}

}  // namespace
