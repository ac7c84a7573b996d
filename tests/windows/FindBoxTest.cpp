#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/framework/Program.h"
#include "app/main/Application.h"
#include "app/main/MainWindow.h"
#include "frame/CommandTable.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"

namespace {

using Names = std::vector<std::wstring>;

Specimen Named(const std::wstring& latinName, Names categories, const std::wstring& location = L"") {
    Specimen specimen;
    specimen.latinName = latinName;
    specimen.categories = std::move(categories);
    specimen.location = location;
    return specimen;
}

class FindBoxTest : public LoadedProgramTest {
protected:
    void StartWithSpecimens() {
        ASSERT_TRUE(StartWith({Named(L"Conus", {L"Shells"}, L"São Paulo"), Named(L"Ammonite", {L"Fossils"}),
                               Named(L"Murex", {L"Shells"}), Named(L"Muricidae", {L"Fossils"})},
                              {L"Shells", L"Fossils"}));
        box = GetDlgItem(App().Tabs().Window(), IDC_FIND_BOX);
        ASSERT_NE(box, nullptr);
    }
    TQLibrary::TQListView& List() { return App().List().View(); }

    // Keys as the keyboard sends them to the box; the find runs as they are handled.
    void Type(const std::wstring& text) {
        for (wchar_t letter : text)
            PostMessageW(box, WM_CHAR, letter, 1);
        program->Pump();
    }
    void Press(WPARAM key) {
        PostMessageW(box, WM_KEYDOWN, key, 1);
        program->Pump();
    }
    Names ShownNames() {
        Names names;
        for (int row = 0; row < List().RowCount(); ++row)
            names.push_back(
                    App().CurrentCatalog().FindSpecimen(static_cast<std::int32_t>(List().RowItemData(row)))->latinName);
        return names;
    }

    HWND box = nullptr;
};

TEST_F(FindBoxTest, TypingShowsTheTabsMatchesAndTheStatusBarCountsThem) {
    StartWithSpecimens();
    program->SelectTab(0);
    ASSERT_EQ(program->StatusText(0), L"Shells: 2");
    wchar_t cue[40] = {};
    SendMessageW(box, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 40);
    EXPECT_STREQ(cue, L"Find (Ctrl+F)");

    program->Command(IDM_FIND);
    EXPECT_EQ(GetFocus(), box);
    Type(L"mu");
    EXPECT_EQ(ShownNames(), Names{L"Murex"});
    EXPECT_EQ(program->StatusText(0), L"Shells: 1 of 2");
    // Another tab keeps the text; accents and case do not count.
    program->SelectTab(2);
    EXPECT_EQ(program->StatusText(0), L"<All>: 2 of 4");
    SendMessageW(box, EM_SETSEL, 0, -1);
    Type(L"SAO PAULO");
    EXPECT_EQ(ShownNames(), Names{L"Conus"});

    // Delete edits the text: it is no command to delete specimens there.
    HACCEL keys = LoadAcceleratorsW(TQLibrary::ProgramInstance(), kProgramResourceName);
    MSG deleteKey{box, WM_KEYDOWN, VK_DELETE, 1};
    EXPECT_FALSE(TQLibrary::TranslateKeyToCommand(program->Window(), keys, deleteKey));

    // Enter opens the one specimen shown, as a double-click does.
    bool opened = false;
    DialogDriver details([&](HWND dialog) {
        opened = GetDlgItem(dialog, IDC_DETAIL_PAGES) != nullptr;
        PressButton(dialog, IDCANCEL);
    });
    Press(VK_RETURN);
    for (int i = 0; i < 100 && !details.Handled(); ++i)
        program->Pump();
    EXPECT_TRUE(opened);

    // Escape empties the box and shows every row again, with the focus on the list.
    Press(VK_ESCAPE);
    EXPECT_EQ(GetWindowTextLengthW(box), 0);
    EXPECT_EQ(List().RowCount(), 4);
    EXPECT_EQ(program->StatusText(0), L"<All>: 4");
    EXPECT_EQ(GetFocus(), List().Window());
}

TEST_F(FindBoxTest, CommandsActOnTheRowsShownAndAnEditedSpecimenStaysUntilTheTextChanges) {
    StartWithSpecimens();
    program->SelectTab(2);
    Type(L"mu");
    ASSERT_EQ(List().RowCount(), 2);

    // The edited specimen no longer matches, yet stays shown and selected.
    program->SelectRows({0});
    const std::int32_t edited = static_cast<std::int32_t>(List().RowItemData(0));
    DialogDriver details([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_LATIN_NAME, L"Oliva");
        PressButton(dialog, IDOK);
    });
    program->Command(IDM_EDIT_SPECIMEN);
    ASSERT_TRUE(details.Handled());
    EXPECT_EQ(List().RowCount(), 2);
    EXPECT_EQ(App().List().SelectedIds(), std::vector<std::int32_t>{edited});
    Type(L"r");
    EXPECT_EQ(List().RowCount(), 1);

    // Select All and Delete remove only what is shown, from the file as well.
    program->Command(IDM_SELECT_ALL);
    program->CommandAnsweringBox(IDM_DELETE_SPECIMEN, IDYES);
    App().WaitForSaves();
    StoredCatalog stored;
    ASSERT_TRUE(stored.Read(catalogPath));
    Names kept;
    for (const Specimen& specimen : stored.catalog.Specimens())
        kept.push_back(specimen.latinName);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (Names{L"Ammonite", L"Conus", L"Oliva"}));
    EXPECT_EQ(program->StatusText(0), L"<All>: 0 of 3");
}

}  // namespace
