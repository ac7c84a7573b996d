#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "base/Handles.h"
#include "frame/CommandTable.h"
#include "resources/resource.h"

// The test executable links the program's resource script, so its own module holds the menus,
// keys, icon, version block and manifest exactly as orvelle.exe does.

namespace {

HMODULE Module() {
    return GetModuleHandleW(nullptr);
}

std::wstring ItemText(HMENU menu, UINT position) {
    wchar_t text[128] = L"";
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

bool IsGrey(HMENU menu, UINT command) {
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// Every command item of a menu and its pop-ups, depth first.
void CollectCommands(HMENU menu, std::vector<UINT>& commands) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU popup = GetSubMenu(menu, i))
            CollectCommands(popup, commands);
        else if (UINT id = GetMenuItemID(menu, i); id != 0 && id != static_cast<UINT>(-1))
            commands.push_back(id);
    }
}

std::vector<unsigned char> ResourceBytes(const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(Module(), name, type);
    if (found == nullptr)
        return {};
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(Module(), found)));
    return {data, data + SizeofResource(Module(), found)};
}

bool ContainsText(const std::vector<unsigned char>& bytes, std::wstring_view text) {
    std::vector<unsigned char> pattern;
    for (wchar_t c : text) {
        pattern.push_back(static_cast<unsigned char>(c & 0xFF));
        pattern.push_back(static_cast<unsigned char>(c >> 8));
    }
    return std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end()) != bytes.end();
}

TEST(Resources, MainMenuHasItsPopupsTextsAndGreyItems) {
    HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    const wchar_t* popups[] = {L"&File", L"&Edit", L"&View", L"&Categories", L"&Tools", L"&Help"};
    ASSERT_EQ(GetMenuItemCount(menu), 6);
    for (UINT i = 0; i < 6; ++i)
        EXPECT_EQ(ItemText(menu, i), popups[i]);

    HMENU file = GetSubMenu(menu, 0);
    EXPECT_EQ(GetMenuItemCount(file), 11);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_NEW));
    EXPECT_EQ(ItemText(file, 0), L"&New\tCtrl-N");
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(ItemText(file, 5), L"&Import\tCtrL+I");
    EXPECT_EQ(GetMenuItemID(file, 10), static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(ItemText(file, 10), L"E&xit");

    HMENU toolbars = GetSubMenu(GetSubMenu(menu, 2), 0);
    ASSERT_NE(toolbars, nullptr);
    EXPECT_EQ(ItemText(GetSubMenu(menu, 2), 0), L"&Toolbars");
    EXPECT_EQ(GetMenuItemID(toolbars, 0), static_cast<UINT>(IDM_CUSTOMIZE_TOOLBAR));
    EXPECT_EQ(ItemText(toolbars, 0), L"&Customize...\tF4");

    HMENU help = GetSubMenu(menu, 5);
    EXPECT_EQ(ItemText(help, 3), L"&EMail Technical Support\tF11");
    EXPECT_EQ(GetMenuItemID(help, 6), static_cast<UINT>(IDM_ABOUT));

    for (UINT grey : {IDM_EDIT_SPECIMEN, IDM_DELETE_SPECIMEN, IDM_COPY_SPECIMEN, IDM_CHANGE_CATEGORY})
        EXPECT_TRUE(IsGrey(menu, grey)) << grey;
    for (UINT on : {IDM_ADD_SPECIMEN, IDM_RESTORE_BACKUP, IDM_NEW, IDM_ADD_CATEGORY, IDM_TRANSFER_APPLICATION})
        EXPECT_FALSE(IsGrey(menu, on)) << on;
    DestroyMenu(menu);
}

TEST(Resources, ContextMenusHoldOnePopupEach) {
    struct Case {
        int resource;
        int items;
        UINT firstCommand;
        const wchar_t* lastText;
    };
    const Case cases[] = {
            {IDR_LIST_MENU, 6, IDM_ADD_SPECIMEN, L"&Customize Columns\tF3"},
            {IDR_TAB_MENU, 6, IDM_ADD_CATEGORY, L"Move Category to &Right"},
            {IDR_TOOLBAR_MENU, 9, IDM_CUSTOMIZE_COLUMNS, L"E&xit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resource);
        HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(c.resource));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(GetMenuItemCount(menu), 1);
        HMENU popup = GetSubMenu(menu, 0);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(GetMenuItemCount(popup), c.items);
        EXPECT_EQ(GetMenuItemID(popup, 0), c.firstCommand);
        EXPECT_EQ(ItemText(popup, static_cast<UINT>(c.items - 1)), c.lastText);
        EXPECT_FALSE(IsGrey(menu, c.firstCommand));
        DestroyMenu(menu);
    }
}

TEST(Resources, EveryMenuItemIsAHandledCommand) {
    for (int resource : {IDR_MAIN_MENU, IDR_LIST_MENU, IDR_TAB_MENU, IDR_TOOLBAR_MENU}) {
        HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(resource));
        ASSERT_NE(menu, nullptr);
        std::vector<UINT> commands;
        CollectCommands(menu, commands);
        EXPECT_FALSE(commands.empty());
        for (UINT command : commands)
            EXPECT_TRUE(IsCommand(static_cast<int>(command))) << resource << ": " << command;
        DestroyMenu(menu);
    }
}

// Records the commands the keys run.
LRESULT CALLBACK KeyTargetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        auto* commands = reinterpret_cast<std::vector<int>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        commands->push_back(LOWORD(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Presses a key (with Ctrl held or not) and lets it pass through the accelerator table as the
// program's message loop does; the commands it ran.
std::vector<int> PressKey(HWND window, HACCEL table, BYTE key, bool control) {
    std::vector<int> commands;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&commands));
    BYTE state[256] = {};
    state[VK_CONTROL] = state[VK_LCONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scan | 1);
    PostMessageW(window, WM_KEYUP, key, scan | 1 | (3LL << 30));
    MSG message;
    while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
        if (TranslateAcceleratorW(window, table, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    BYTE released[256] = {};
    SetKeyboardState(released);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return commands;
}

TEST(Resources, TabRunsNoCommandAndCtrlLettersRunTheirs) {
    HACCEL table = LoadAcceleratorsW(Module(), kProgramResourceName);
    ASSERT_NE(table, nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = KeyTargetProcedure;
    windowClass.hInstance = Module();
    windowClass.lpszClassName = L"AcceleratorTarget";
    RegisterClassW(&windowClass);
    TQLibrary::OwnedWindow window(
            CreateWindowExW(0, L"AcceleratorTarget", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, Module(), nullptr));
    ASSERT_TRUE(window);
    struct Case {
        BYTE key;
        bool control;
        std::vector<int> commands;
    };
    const Case cases[] = {
            {VK_TAB, false, {}},    {'I', true, {IDM_IMPORT}},        {'I', false, {}},
            {'N', true, {IDM_NEW}}, {'T', true, {IDM_NEXT_CATEGORY}}, {VK_F2, false, {IDM_EDIT_CATEGORY}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PressKey(window.Get(), table, c.key, c.control), c.commands) << int(c.key) << " " << c.control;
    DestroyAcceleratorTable(table);
}

TEST(Resources, AcceleratorTableHoldsTheKeysInOrder) {
    HACCEL table = LoadAcceleratorsW(Module(), kProgramResourceName);
    ASSERT_NE(table, nullptr);
    const ACCEL expected[] = {
            {FVIRTKEY, VK_DELETE, IDM_DELETE_SPECIMEN},
            {FVIRTKEY, VK_F1, IDM_HELP},
            {FVIRTKEY, VK_F2, IDM_EDIT_CATEGORY},
            {FVIRTKEY, VK_F3, IDM_CUSTOMIZE_COLUMNS},
            {FVIRTKEY, VK_F4, IDM_CUSTOMIZE_TOOLBAR},
            {FVIRTKEY, VK_F5, IDM_OPTIONS},
            {FVIRTKEY, VK_F6, IDM_STATISTICS},
            {FVIRTKEY, VK_F8, IDM_RESTORE_BACKUP},
            {FVIRTKEY, VK_F9, IDM_HOME_PAGE},
            {FVIRTKEY, VK_F10, IDM_CHECK_UPDATE},
            {FVIRTKEY, VK_F11, IDM_EMAIL_SUPPORT},
            {FVIRTKEY, VK_F12, IDM_ABOUT},
            {0, 1, IDM_SELECT_ALL},
            {0, 4, IDM_DELETE_CATEGORY},
            {0, 5, IDM_EDIT_SPECIMEN},
            {0, 6, IDM_FIND},
            {FVIRTKEY | FCONTROL, 'I', IDM_IMPORT},
            {0, 14, IDM_NEW},
            {0, 15, IDM_OPEN},
            {0, 16, IDM_PRINT},
            {0, 19, IDM_EXPORT},
            {0, 20, IDM_NEXT_CATEGORY},
            {0, 25, IDM_REDO},
            {0, 26, IDM_UNDO},
    };
    constexpr int count = static_cast<int>(std::size(expected));
    ASSERT_EQ(CopyAcceleratorTableW(table, nullptr, 0), count);
    ACCEL actual[count];
    ASSERT_EQ(CopyAcceleratorTableW(table, actual, count), count);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), expected[i].fVirt);
        EXPECT_EQ(actual[i].key, expected[i].key);
        EXPECT_EQ(actual[i].cmd, expected[i].cmd);
    }
    DestroyAcceleratorTable(table);
}

TEST(Resources, ProgramIconComesInEverySize) {
    EXPECT_NE(LoadIconW(Module(), kProgramResourceName), nullptr);

    // The icon group: a 6-byte header, then one 14-byte entry per image, led by its width (0 for 256).
    std::vector<unsigned char> group = ResourceBytes(kProgramResourceName, RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    std::vector<int> widths;
    for (size_t entry = 6; entry + 14 <= group.size(); entry += 14)
        widths.push_back(group[entry] == 0 ? 256 : group[entry]);
    EXPECT_EQ(widths, (std::vector<int>{16, 24, 32, 48, 64, 256}));
}

TEST(Resources, EveryToolbarImageHasANormalAndAHotIconInEverySize) {
    for (int first : {IDI_TOOLBAR_FIRST, IDI_TOOLBAR_HOT_FIRST}) {
        for (int i = 0; i < IDI_TOOLBAR_COUNT; ++i) {
            const wchar_t* name = MAKEINTRESOURCEW(first + i);
            SCOPED_TRACE(first + i);
            // Every size is drawn (64 and 48 for 200% and 150%), not scaled by the loader.
            std::vector<unsigned char> group = ResourceBytes(name, RT_GROUP_ICON);
            std::vector<int> widths;
            for (size_t entry = 6; entry + 14 <= group.size(); entry += 14)
                widths.push_back(group[entry]);
            std::sort(widths.begin(), widths.end());
            EXPECT_EQ(widths, (std::vector<int>{16, 32, 48, 64}));

            for (int size : {64, 48, 32, 16}) {
                TQLibrary::IconHandle icon(static_cast<HICON>(LoadImageW(Module(), name, IMAGE_ICON, size, size, 0)));
                ASSERT_TRUE(icon) << size;
                ICONINFO info{};
                ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
                TQLibrary::BitmapHandle colour(info.hbmColor);
                TQLibrary::BitmapHandle maskBitmap(info.hbmMask);
                BITMAP mask{};
                GetObjectW(maskBitmap.Get(), sizeof mask, &mask);
                EXPECT_EQ(mask.bmWidth, size);
            }
        }
    }
}

TEST(Resources, VersionBlockNamesTheProductAndVersion) {
    std::vector<unsigned char> block = ResourceBytes(MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    ASSERT_FALSE(block.empty());

    // The fixed part follows the block's key; it starts with its signature.
    const unsigned char signature[] = {0xBD, 0x04, 0xEF, 0xFE};
    auto at = std::search(block.begin(), block.end(), std::begin(signature), std::end(signature));
    ASSERT_NE(at, block.end());
    VS_FIXEDFILEINFO fixed{};
    ASSERT_GE(block.end() - at, static_cast<std::ptrdiff_t>(sizeof fixed));
    std::copy(at, at + sizeof fixed, reinterpret_cast<unsigned char*>(&fixed));
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));

    for (const wchar_t* text : {L"040904B0", L"Brackenfield", L"orvelle.exe", L"ProductName", L"1.0.0.0"})
        EXPECT_TRUE(ContainsText(block, text)) << text;
}

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST(Resources, OneManifestAsksForCommonControlsSix) {
    int languages = 0;
    EnumResourceLanguagesW(Module(), RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID, CountLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, 1);

    std::vector<unsigned char> manifest = ResourceBytes(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("PerMonitorV2"), std::string::npos);

    // The manifest took effect: the process's activation context redirects the common controls
    // to the side-by-side version 6 assembly.
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                         &redirection));
}

}  // namespace
