#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "app/main/Application.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"

namespace {

using Texts = std::vector<std::wstring>;
using Bytes = std::vector<std::uint8_t>;

struct Sample {
    std::wstring latinName;
    double price;
    std::vector<std::wstring> categories;
};

// Specimens get ids 1, 2, 3 ... in this order.
const std::vector<Sample> kSamples = {
        {L"cherry", 9, {L"Shells"}},
        {L"apple", 10, {L"Shells", L"Fossils"}},
        {L"Banana", 0, {}},
        {L"damson", 9.5, {L"Fossils"}},
};

class SpecimenListTest : public LoadedProgramTest {
protected:
    // Starts on a catalog with the categories Shells and Fossils, the samples, and after them as
    // many plain rows as asked.
    void StartWithSamples(const std::vector<Sample>& samples = kSamples, int extraRows = 0) {
        std::vector<Specimen> specimens;
        for (const Sample& sample : samples) {
            Specimen specimen;
            specimen.latinName = sample.latinName;
            specimen.price = sample.price;
            specimen.categories = sample.categories;
            specimens.push_back(specimen);
        }
        for (int i = 0; i < extraRows; ++i) {
            Specimen specimen;
            specimen.latinName = L"Row " + std::to_wstring(1000 + i);
            specimens.push_back(specimen);
        }
        ASSERT_TRUE(StartWith(specimens, {L"Shells", L"Fossils"}));
        SetWindowPos(program->Window(), nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    }
    TQLibrary::TQListView& List() { return App().List().View(); }
    Settings& CurrentSettings() { return App().CurrentSettings(); }

    void ShowColumns(Bytes columns) {
        CurrentSettings().columns = std::move(columns);
        App().RefreshViews(TQLibrary::RefreshColumns);
    }
    void SelectTab(const std::wstring& name) {
        const Texts tabs = program->TabTexts();
        program->SelectTab(static_cast<int>(std::find(tabs.begin(), tabs.end(), name) - tabs.begin()));
    }
    // The ids of the rows, top to bottom.
    std::vector<LPARAM> RowIds() {
        std::vector<LPARAM> ids;
        for (int row = 0; row < List().RowCount(); ++row)
            ids.push_back(List().RowItemData(row));
        return ids;
    }
    Texts ColumnTexts(int position) {
        Texts texts;
        for (int row = 0; row < List().RowCount(); ++row)
            texts.push_back(List().CellText(row, position));
        return texts;
    }
    std::wstring HeaderText(int position) {
        wchar_t text[256] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = 256;
        SendMessageW(List().Window(), LVM_GETCOLUMNW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&column));
        return text;
    }
    int HeaderCount() {
        HWND header = reinterpret_cast<HWND>(SendMessageW(List().Window(), LVM_GETHEADER, 0, 0));
        return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    }
    // A click on a column header as the list reports it: through the tab strip, its parent.
    void ClickHeader(int position) {
        NMLISTVIEW notice{};
        notice.hdr.hwndFrom = List().Window();
        notice.hdr.idFrom = IDC_SPECIMEN_LIST;
        notice.hdr.code = LVN_COLUMNCLICK;
        notice.iItem = -1;
        notice.iSubItem = position;
        SendMessageW(App().Tabs().Window(), WM_NOTIFY, IDC_SPECIMEN_LIST, reinterpret_cast<LPARAM>(&notice));
    }
};

TEST_F(SpecimenListTest, DefaultColumnsShareTheWidthAndShowEverySpecimen) {
    StartWithSamples();
    EXPECT_EQ(HeaderCount(), 5);
    EXPECT_EQ((Texts{HeaderText(0), HeaderText(1), HeaderText(2), HeaderText(3), HeaderText(4)}),
              (Texts{L"Tag", L"Latin Name", L"Common Name", L"Location", L"Quality"}));
    // Laid out at load, for the list's width then: an equal share each.
    EXPECT_GT(List().ColumnWidth(0), 0);
    for (int position = 1; position < 5; ++position)
        EXPECT_EQ(List().ColumnWidth(position), List().ColumnWidth(0)) << position;
    // Widths not yet recorded are shared out afresh for the list's width now.
    CurrentSettings().columnWidths.assign(kFieldCount, -1);
    App().RefreshViews(TQLibrary::RefreshColumns);
    const int share = (List().ClientWidth() - 5) / 5;
    for (int position = 0; position < 5; ++position)
        EXPECT_EQ(List().ColumnWidth(position), share) << position;
    // "<All>" holds every specimen, the one without a category too.
    EXPECT_EQ(App().Tabs().CurrentText(), L"<All>");
    EXPECT_EQ(List().RowCount(), 4);

    // The list sits inside the tab strip, below the tabs.
    EXPECT_EQ(GetParent(List().Window()), App().Tabs().Window());
    RECT box;
    GetWindowRect(List().Window(), &box);
    EXPECT_GT(box.bottom - box.top, 100);
}

TEST_F(SpecimenListTest, StoredWidthsAndCaptionsAreApplied) {
    StartWithSamples();
    std::vector<int>& widths = CurrentSettings().columnWidths;
    widths[kFieldTag] = 5000;
    widths[kFieldLatinName] = -3;
    widths[kFieldCommonName] = 0;
    widths[kFieldLocation] = 120;
    CurrentSettings().captions[0] = L"Locality";
    ShowColumns({kFieldTag, kFieldLatinName, kFieldCommonName, kFieldLocation, kFieldSize, kFieldUser1});

    const int share = (List().ClientWidth() - 6) / 6;
    EXPECT_EQ(List().ColumnWidth(0), share);
    EXPECT_EQ(List().ColumnWidth(1), share);
    EXPECT_EQ(List().ColumnWidth(2), 0);  // collapsed, as stored
    EXPECT_EQ(List().ColumnWidth(3), 120);
    EXPECT_EQ(widths[kFieldTag], share);  // the computed width is remembered
    EXPECT_EQ(widths[kFieldLatinName], share);
    EXPECT_EQ(HeaderText(4), L"Size (mm)");
    EXPECT_EQ(HeaderText(5), L"Locality");

    CurrentSettings().sizeUnits.clear();
    ShowColumns({kFieldSize});
    EXPECT_EQ(HeaderCount(), 1);
    EXPECT_EQ(List().ColumnCount(), 1);
    EXPECT_EQ(HeaderText(0), L"Size");
}

TEST_F(SpecimenListTest, HeaderClicksSortByDisplayText) {
    StartWithSamples();
    ShowColumns({kFieldPrice, kFieldLatinName});
    CurrentSettings().sortColumn = 0;
    CurrentSettings().sortDescending = false;
    App().RefreshViews(TQLibrary::RefreshRows);
    // An empty price first; "$10.00" before "$9.00" and "$9.50": text, not amounts.
    EXPECT_EQ(RowIds(), (std::vector<LPARAM>{3, 2, 1, 4}));
    EXPECT_EQ(ColumnTexts(0).front(), L"");

    EXPECT_EQ(List().SortArrow(0), 1);
    ClickHeader(0);  // the same column again: descending
    EXPECT_TRUE(CurrentSettings().sortDescending);
    EXPECT_EQ(RowIds(), (std::vector<LPARAM>{4, 1, 2, 3}));
    EXPECT_EQ(List().SortArrow(0), -1);

    // The selected specimen stays selected wherever the sort puts it.
    ListView_SetItemState(List().Window(), 3, LVIS_SELECTED, LVIS_SELECTED);
    ClickHeader(1);  // another column: ascending, letter case ignored
    EXPECT_EQ(CurrentSettings().sortColumn, 1);
    EXPECT_FALSE(CurrentSettings().sortDescending);
    EXPECT_EQ((std::vector<int>{List().SortArrow(0), List().SortArrow(1)}), (std::vector<int>{0, 1}));
    EXPECT_EQ(ColumnTexts(1), (Texts{L"apple", L"Banana", L"cherry", L"damson"}));
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(App().SelectionCount(), 1);

    // The sort column is a position: with one column left, position 1 compares every pair
    // equal, so the rows stay as filled, the catalog order reversed.
    ShowColumns({kFieldLatinName});
    EXPECT_EQ(CurrentSettings().sortColumn, 1);
    EXPECT_EQ(RowIds(), (std::vector<LPARAM>{4, 3, 2, 1}));
}

TEST_F(SpecimenListTest, TabsChooseTheRows) {
    StartWithSamples();
    ShowColumns({kFieldLatinName});
    CurrentSettings().sortColumn = 0;
    SelectTab(L"Shells");
    EXPECT_EQ(ColumnTexts(0), (Texts{L"apple", L"cherry"}));
    SelectTab(L"Fossils");
    EXPECT_EQ(ColumnTexts(0), (Texts{L"apple", L"damson"}));  // apple is filed under both

    // A name that is no longer a category shows the first one, and becomes current.
    App().List().FillList(L"Gone");
    EXPECT_EQ(CurrentSettings().currentCategory, L"Shells");
    EXPECT_EQ(ColumnTexts(0), (Texts{L"apple", L"cherry"}));
}

TEST_F(SpecimenListTest, SelectionDrivesTheCommandsAndIsReadBack) {
    StartWithSamples();
    EXPECT_EQ(App().List().SelectedSpecimen(), nullptr);
    EXPECT_FALSE(program->MenuItemEnabled(IDM_EDIT_SPECIMEN));

    ListView_SetItemState(List().Window(), 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(App().SelectionCount(), 1);
    EXPECT_TRUE(program->MenuItemEnabled(IDM_EDIT_SPECIMEN));
    ASSERT_NE(App().List().SelectedSpecimen(), nullptr);
    EXPECT_EQ(App().List().SelectedSpecimen()->id, List().RowItemData(1));

    program->Command(IDM_SELECT_ALL);
    EXPECT_EQ(App().SelectionCount(), 4);
    EXPECT_TRUE(program->MenuItemEnabled(IDM_EDIT_SPECIMEN));
    EXPECT_FALSE(program->MenuItemEnabled(IDM_COPY_SPECIMEN));
    EXPECT_TRUE(program->MenuItemEnabled(IDM_DELETE_SPECIMEN));
    std::vector<std::int32_t> ids = App().List().SelectedIds();
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_EQ(ids.front(), List().RowItemData(0));

    // A refill starts with nothing selected, and the commands follow.
    App().RefreshViews(TQLibrary::RefreshRows);
    EXPECT_EQ(App().SelectionCount(), 0);
    EXPECT_FALSE(program->MenuItemEnabled(IDM_DELETE_SPECIMEN));
}

// The first visible pop-up menu window of this thread's process; none when there is none.
HWND FindPopupMenu() {
    struct Search {
        DWORD process;
        HWND found;
    } search{GetCurrentProcessId(), nullptr};
    EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* search = reinterpret_cast<Search*>(data);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (process != search->process || !IsWindowVisible(window) || lstrcmpW(className, L"#32768") != 0)
                    return TRUE;
                search->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(SpecimenListTest, ARightClickOrTheMenuKeysOpenTheMenuForTheSelectionWithoutSelecting) {
    StartWithSamples();
    // The menu only opens over the window in front.
    ASSERT_TRUE(SetForegroundWindow(program->Window()));
    HWND list = List().Window();
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    RECT row;
    ListView_GetItemRect(list, 2, &row, LVIR_BOUNDS);

    std::atomic<bool> menuSeen{false};
    std::atomic<bool> editEnabled{false};
    std::atomic<bool> customizeEnabled{false};
    const auto opensTheMenu = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        menuSeen = false;
        std::thread watcher([&] {
            for (int i = 0; i < 500 && !menuSeen; ++i) {
                Sleep(20);
                HWND menuWindow = FindPopupMenu();
                if (menuWindow == nullptr)
                    continue;
                auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
                editEnabled = (GetMenuState(menu, IDM_EDIT_SPECIMEN, MF_BYCOMMAND) & MF_GRAYED) == 0;
                customizeEnabled = (GetMenuState(menu, IDM_CUSTOMIZE_COLUMNS, MF_BYCOMMAND) & MF_GRAYED) == 0;
                menuSeen = true;
                PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
            }
        });
        SendMessageW(list, message, wParam, lParam);
        watcher.join();
        return menuSeen.load();
    };
    EXPECT_TRUE(opensTheMenu(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2)));
    EXPECT_TRUE(editEnabled);  // one specimen selected
    EXPECT_TRUE(customizeEnabled);
    // The clicked row did not become selected; the selection is as it was.
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0}));
    // The menu key, and Shift+F10, open it too.
    EXPECT_TRUE(opensTheMenu(WM_KEYDOWN, VK_APPS, 0));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(opensTheMenu(WM_SYSKEYDOWN, VK_F10, 0));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST_F(SpecimenListTest, TheWheelScrollsOnlyOnceAWholeNotchHasGathered) {
    StartWithSamples(kSamples, 60);
    HWND list = List().Window();
    ListView_EnsureVisible(list, List().RowCount() - 1, FALSE);
    const int bottomTop = ListView_GetTopIndex(list);
    ASSERT_GT(bottomTop, 10);

    // A fine wheel sends 40 units at a time: nothing moves until the third.
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, 40), 0);
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, 40), 0);
    EXPECT_EQ(ListView_GetTopIndex(list), bottomTop);
    for (int i = 0; i < 3 * 4; ++i)
        SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, 40), 0);
    // Away from the user scrolls up.
    const int afterUp = ListView_GetTopIndex(list);
    EXPECT_LT(afterUp, bottomTop);
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120 * 4)), 0);
    EXPECT_GT(ListView_GetTopIndex(list), afterUp);
}

TEST_F(SpecimenListTest, ColumnWidthsAreKeptAtCloseWhenTheWindowIsTracked) {
    StartWithSamples();
    CurrentSettings().trackWindow = true;
    ListView_SetColumnWidth(List().Window(), 1, 77);
    App().List().SaveColumnWidths(true);
    EXPECT_EQ(CurrentSettings().columnWidths[kFieldLatinName], 77);
    EXPECT_EQ(CurrentSettings().columnWidths[kFieldTag], List().ColumnWidth(0));
    EXPECT_EQ(CurrentSettings().columnWidths[kFieldPrice], -1);  // not displayed: untouched

    App().List().SaveColumnWidths(false);
    EXPECT_EQ(CurrentSettings().columnWidths[kFieldLatinName], -1);

    // Closing with tracking on writes the widths into the file.
    ListView_SetColumnWidth(List().Window(), 1, 91);
    program->Close();
    StoredCatalog saved;
    ASSERT_TRUE(saved.Read(catalogPath));
    EXPECT_EQ(saved.settings.columnWidths[kFieldLatinName], 91);
}

// The Customize Columns dialog, played from a background thread as a user would.
class CustomizeColumnsTest : public SpecimenListTest {
protected:
    static Texts ItemTexts(HWND dialog, int listId) {
        HWND list = GetDlgItem(dialog, listId);
        Texts texts;
        auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    static void Select(HWND dialog, int listId, const std::wstring& text) {
        HWND list = GetDlgItem(dialog, listId);
        auto index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    static void Click(HWND dialog, int buttonId) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
    }
    static bool Enabled(HWND dialog, int item) { return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE; }
    static bool IsColumnsDialog(HWND dialog) { return WindowText(dialog) == L"Customize Columns"; }
};

TEST_F(CustomizeColumnsTest, FieldsMoveBetweenTheListsAndOkAppliesThem) {
    StartWithSamples();
    Texts opened;
    Texts availableAtStart;
    bool movesDisabledAtStart = false;
    bool showEnabledOnAvailable = false;
    bool upEnabledOnDisplayed = false;
    DialogDriver driver(
            [&](HWND dialog) {
                opened = ItemTexts(dialog, IDC_DISPLAYED_COLUMNS);
                availableAtStart = ItemTexts(dialog, IDC_AVAILABLE_COLUMNS);
                movesDisabledAtStart = !Enabled(dialog, IDC_COLUMN_UP) && !Enabled(dialog, IDC_SHOW_COLUMN) &&
                                       !Enabled(dialog, IDC_HIDE_COLUMN) && !Enabled(dialog, IDC_COLUMN_DOWN);
                Select(dialog, IDC_AVAILABLE_COLUMNS, L"Size");
                showEnabledOnAvailable = Enabled(dialog, IDC_SHOW_COLUMN) && !Enabled(dialog, IDC_COLUMN_UP);
                Click(dialog, IDC_SHOW_COLUMN);  // Size goes to the end
                Select(dialog, IDC_DISPLAYED_COLUMNS, L"Tag");
                upEnabledOnDisplayed = Enabled(dialog, IDC_COLUMN_UP) && !Enabled(dialog, IDC_SHOW_COLUMN);
                Click(dialog, IDC_COLUMN_DOWN);  // Tag moves below Latin Name ...
                Click(dialog, IDC_COLUMN_UP);    // ... and back ...
                Click(dialog, IDC_COLUMN_UP);    // ... and no higher than first
                Click(dialog, IDC_COLUMN_DOWN);
                Select(dialog, IDC_DISPLAYED_COLUMNS, L"Location");
                Click(dialog, IDC_HIDE_COLUMN);  // back among the available ones
                PressButton(dialog, IDOK);
            },
            IsColumnsDialog);
    program->Command(IDM_CUSTOMIZE_COLUMNS);
    ASSERT_TRUE(driver.Handled());

    EXPECT_EQ(opened, (Texts{L"Tag", L"Latin Name", L"Common Name", L"Location", L"Quality"}));
    EXPECT_EQ(availableAtStart.size(), 18u);
    EXPECT_TRUE(std::is_sorted(availableAtStart.begin(), availableAtStart.end()));
    EXPECT_TRUE(movesDisabledAtStart);
    EXPECT_TRUE(showEnabledOnAvailable);
    EXPECT_TRUE(upEnabledOnDisplayed);
    EXPECT_EQ(CurrentSettings().columns,
              (Bytes{kFieldLatinName, kFieldTag, kFieldCommonName, kFieldQuality, kFieldSize}));
    EXPECT_EQ(HeaderCount(), 5);
    EXPECT_EQ(HeaderText(0), L"Latin Name");
    EXPECT_EQ(HeaderText(4), L"Size (mm)");
    EXPECT_EQ(List().RowCount(), 4);

    // The new columns are in the file at once.
    App().WaitForSaves();
    StoredCatalog saved;
    ASSERT_TRUE(saved.Read(catalogPath));
    EXPECT_EQ(saved.settings.columns, CurrentSettings().columns);
}

TEST_F(CustomizeColumnsTest, AnEmptyListIsRefusedAndCancelChangesNothing) {
    StartWithSamples();
    CurrentSettings().captions[0] = L"Locality";
    CurrentSettings().columns = {kFieldTag, kFieldUser1};
    std::wstring refusal;
    bool stayedOpen = false;
    Texts displayed;
    DialogDriver driver(
            [&](HWND dialog) {
                displayed = ItemTexts(dialog, IDC_DISPLAYED_COLUMNS);
                for (const std::wstring& text : displayed) {
                    Select(dialog, IDC_DISPLAYED_COLUMNS, text);
                    Click(dialog, IDC_HIDE_COLUMN);
                }
                PressButton(dialog, IDOK);
                HWND message = nullptr;
                for (int i = 0; i < 250 && message == nullptr; ++i) {
                    Sleep(20);
                    message = FindDialog(dialog, IsMessageBox);
                }
                if (message == nullptr)
                    return;
                refusal = MessageBoxText(message);
                PressButton(message, IDOK);
                for (int i = 0; i < 250 && IsWindow(message); ++i)
                    Sleep(20);
                stayedOpen = IsWindowVisible(dialog) != FALSE;
                PressButton(dialog, IDCANCEL);
            },
            IsColumnsDialog);
    program->Command(IDM_CUSTOMIZE_COLUMNS);
    ASSERT_TRUE(driver.Handled());
    // The dialog names the user fields by their own names.
    EXPECT_EQ(displayed, (Texts{L"Tag", L"User Field 1"}));
    EXPECT_EQ(refusal, L"You must select at least one column to display.");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(CurrentSettings().columns, (Bytes{kFieldTag, kFieldUser1}));
}

}  // namespace
