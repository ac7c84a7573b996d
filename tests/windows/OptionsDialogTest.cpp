#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "app/framework/RegistryValues.h"
#include "app/main/Application.h"
#include "base/DataFile.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "support/SpecimenSamples.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

using TQLibrary::RegistryFailure;
using TQLibrary::RegistryValues;

bool IsOptionsDialog(HWND dialog) {
    return GetDlgItem(dialog, IDC_OPTION_PAGES) != nullptr;
}

std::wstring ItemText(HWND dialog, int item) {
    return WindowText(GetDlgItem(dialog, item));
}

bool Checked(HWND dialog, int item) {
    return IsDlgButtonChecked(dialog, item) == BST_CHECKED;
}

void Check(HWND dialog, int item, bool checked) {
    CheckDlgButton(dialog, item, checked ? BST_CHECKED : BST_UNCHECKED);
}

// Selects the page as a click on its tab does.
void ShowPage(HWND dialog, int page) {
    SendMessageW(GetDlgItem(dialog, IDC_OPTION_PAGES), TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
}

void ChooseDateStyle(HWND dialog, int button) {
    ShowPage(dialog, 1);
    CheckRadioButton(dialog, IDC_DATE_DD_MM_YY, IDC_DATE_MM_DD_YYYY, button);
}

std::wstring TabText(HWND tabs, int index) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

// The dialog's controls that show, by identifier; the buttons and the tab strip are left out.
std::set<int> VisiblePageControls(HWND dialog) {
    std::set<int> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (IsWindowVisible(child) && id != IDOK && id != IDCANCEL && id != IDC_OPTION_PAGES)
            shown.insert(id);
    }
    return shown;
}

Specimen CollectedOn(const std::wstring& date) {
    Specimen specimen;
    specimen.latinName = L"Conus " + date;
    specimen.dateCollected = date;
    return specimen;
}

class OptionsDialogTest : public LoadedProgramTest {
protected:
    // Runs Options while the reaction plays the user in the dialog.
    bool InOptions(const DialogDriver::Reaction& reaction) {
        DialogDriver driver(reaction, IsOptionsDialog);
        program->Command(IDM_OPTIONS);
        return driver.Handled();
    }

    // The catalog file as it is once every save is done.
    StoredCatalog& Saved() {
        App().WaitForSaves();
        EXPECT_TRUE(stored.Read(catalogPath));
        return stored;
    }

    Settings& Current() { return App().CurrentSettings(); }

    RegistryValues programValues{L"Brackenfield", L"Orvelle"};
    StoredCatalog stored;
};

TEST_F(OptionsDialogTest, ShowsTheSettingsOnFourPagesOneAtATime) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    Current().backup = false;
    Current().hideStatusBar = true;
    Current().dateStyle = 5;
    Current().sizeUnits = L"in";
    Current().tagFormat = L"S-###";
    Current().nextTagNumber = 42;
    Current().captions[2] = L"Depth";
    const std::set<int> pages[] = {
            {IDC_TRACK_WINDOW, IDC_KEEP_BACKUPS, IDC_SHOW_STATUS_BAR, IDC_STORE_IMAGES, IDC_SHOW_MESSAGES},
            {IDC_DATE_MM_DD_YYYY, IDC_DATE_MM_DD_YY, IDC_DATE_DD_MM_YYYY, IDC_DATE_DD_MM_YY},
            {IDC_OPTION_SIZE_UNITS_LABEL, IDC_OPTION_SIZE_UNITS, IDC_TAG_FORMAT_LABEL, IDC_TAG_FORMAT,
             IDC_NEXT_TAG_LABEL, IDC_NEXT_TAG},
            {1604, 1605, 1606, 1607, 1608, 1610, 1611, 1612, 1613, 1614},
    };
    std::wstring title;
    std::vector<std::wstring> tabs;
    std::vector<std::set<int>> shown;
    std::array<bool, 5> switches{};
    std::vector<int> styles;
    std::vector<std::wstring> texts;
    ASSERT_TRUE(InOptions([&](HWND dialog) {
        title = WindowText(dialog);
        HWND strip = GetDlgItem(dialog, IDC_OPTION_PAGES);
        for (int i = 0; i < TabCtrl_GetItemCount(strip); ++i)
            tabs.push_back(TabText(strip, i));
        shown.push_back(VisiblePageControls(dialog));
        for (int page : {1, 2, 3, 0}) {
            ShowPage(dialog, page);
            shown.push_back(VisiblePageControls(dialog));
        }
        const int boxes[] = {IDC_TRACK_WINDOW, IDC_KEEP_BACKUPS, IDC_SHOW_STATUS_BAR, IDC_STORE_IMAGES,
                             IDC_SHOW_MESSAGES};
        for (size_t i = 0; i < 5; ++i)
            switches[i] = Checked(dialog, boxes[i]);
        for (int button = IDC_DATE_DD_MM_YY; button <= IDC_DATE_MM_DD_YYYY; ++button) {
            if (Checked(dialog, button))
                styles.push_back(button);
        }
        for (int item : {IDC_OPTION_SIZE_UNITS, IDC_TAG_FORMAT, IDC_NEXT_TAG, 1610, 1612})
            texts.push_back(ItemText(dialog, item));
        PressButton(dialog, IDCANCEL);
    }));
    EXPECT_EQ(title, L"Orvelle Options");
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"Program", L"Date Format", L"Specimen Data", L"Custom Fields"}));
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0], pages[0]);
    EXPECT_EQ(shown[1], pages[1]);
    EXPECT_EQ(shown[2], pages[2]);
    EXPECT_EQ(shown[3], pages[3]);
    EXPECT_EQ(shown[4], pages[0]);
    // Messages show while the registry has no switch.
    EXPECT_EQ(switches, (std::array<bool, 5>{true, false, false, false, true}));
    EXPECT_EQ(styles, std::vector<int>{IDC_DATE_DD_MM_YY});
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"in", L"S-###", L"42", L"User Field 1", L"Depth"}));
}

TEST_F(OptionsDialogTest, OkStoresEveryValueAndSavesThem) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    ASSERT_TRUE(IsWindowVisible(FindWindowExW(program->Window(), nullptr, STATUSCLASSNAMEW, nullptr)));
    ASSERT_TRUE(InOptions([&](HWND dialog) {
        Check(dialog, IDC_TRACK_WINDOW, false);
        Check(dialog, IDC_KEEP_BACKUPS, false);
        Check(dialog, IDC_SHOW_STATUS_BAR, false);
        Check(dialog, IDC_STORE_IMAGES, true);
        Check(dialog, IDC_SHOW_MESSAGES, false);
        ChooseDateStyle(dialog, IDC_DATE_MM_DD_YYYY);
        ShowPage(dialog, 2);
        SetDlgItemTextW(dialog, IDC_OPTION_SIZE_UNITS, L"cm");
        SetDlgItemTextW(dialog, IDC_TAG_FORMAT, L"");
        SetDlgItemTextW(dialog, IDC_NEXT_TAG, L"250");
        ShowPage(dialog, 3);
        for (int i = 0; i < 5; ++i)
            SetDlgItemTextW(dialog, IDC_CAPTION_FIRST + i, (L"Field " + std::to_wstring(i + 1)).c_str());
        SetDlgItemTextW(dialog, IDC_CAPTION_FIRST + 4, L"");
        PressButton(dialog, IDOK);
    }));
    Settings expected;
    expected.trackWindow = false;
    expected.backup = false;
    expected.hideStatusBar = true;
    expected.storeImages = true;
    expected.showMessages = false;
    expected.dateStyle = 3;
    expected.sizeUnits = L"cm";
    expected.tagFormat = L"";
    expected.nextTagNumber = 250;
    expected.captions = {L"Field 1", L"Field 2", L"Field 3", L"Field 4", L""};
    const Settings& saved = Saved().settings;
    for (const Settings* settings : {static_cast<const Settings*>(&Current()), &saved}) {
        EXPECT_EQ(settings->trackWindow, expected.trackWindow);
        EXPECT_EQ(settings->backup, expected.backup);
        EXPECT_EQ(settings->hideStatusBar, expected.hideStatusBar);
        EXPECT_EQ(settings->storeImages, expected.storeImages);
        EXPECT_EQ(settings->showMessages, expected.showMessages);
        EXPECT_EQ(settings->dateStyle, expected.dateStyle);
        EXPECT_EQ(settings->sizeUnits, expected.sizeUnits);
        EXPECT_EQ(settings->tagFormat, expected.tagFormat);
        EXPECT_EQ(settings->nextTagNumber, expected.nextTagNumber);
        EXPECT_EQ(settings->captions, expected.captions);
    }
    EXPECT_FALSE(IsWindowVisible(FindWindowExW(program->Window(), nullptr, STATUSCLASSNAMEW, nullptr)));

    // Tags are numbered from 1: neither 0 nor a text that is no number is stored.
    for (const wchar_t* typed : {L"0", L"twelve"}) {
        ASSERT_TRUE(InOptions([&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_NEXT_TAG, typed);
            PressButton(dialog, IDOK);
        }));
        EXPECT_EQ(Current().nextTagNumber, 1u) << typed;
        Current().nextTagNumber = 250;
    }
}

TEST_F(OptionsDialogTest, CancelAfterSwitchingPagesChangesNothing) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    // The registry has the messages off while the catalog's settings still have them on.
    ASSERT_TRUE(programValues.WriteText(L"HintShow", L"0"));
    App().WaitForSaves();
    const std::vector<std::uint8_t> file = ReadFileBytes(catalogPath);
    const Settings before = Current();
    const std::vector<Specimen> specimens = App().CurrentCatalog().Specimens();
    bool messagesShown = true;
    ASSERT_TRUE(InOptions([&](HWND dialog) {
        messagesShown = Checked(dialog, IDC_SHOW_MESSAGES);
        Check(dialog, IDC_KEEP_BACKUPS, false);
        Check(dialog, IDC_SHOW_MESSAGES, true);
        ChooseDateStyle(dialog, IDC_DATE_MM_DD_YY);
        ShowPage(dialog, 2);
        SetDlgItemTextW(dialog, IDC_NEXT_TAG, L"0");
        ShowPage(dialog, 3);
        SetDlgItemTextW(dialog, IDC_CAPTION_FIRST, L"Host");
        ShowPage(dialog, 0);
        PressButton(dialog, IDCANCEL);
    }));
    EXPECT_FALSE(messagesShown);
    EXPECT_FALSE(Current().DiffersFrom(before));
    EXPECT_EQ(App().CurrentCatalog().Specimens(), specimens);
    EXPECT_EQ(programValues.ReadText(L"HintShow"), L"0");
    App().WaitForSaves();
    EXPECT_EQ(ReadFileBytes(catalogPath), file);
}

TEST_F(OptionsDialogTest, ANewDateStyleRewritesEveryDateCollectedThatReadsBackTheSame) {
    ASSERT_TRUE(StartWith({CollectedOn(L"12/31/2008"), CollectedOn(L"3/5/2011"), CollectedOn(L"03/05/1975"),
                           CollectedOn(L""), CollectedOn(L"Summer 1998")}));
    Current().dateStyle = 3;  // MM/DD/YYYY
    ASSERT_TRUE(InOptions([&](HWND dialog) {
        ChooseDateStyle(dialog, IDC_DATE_MM_DD_YY);
        PressButton(dialog, IDOK);
    }));
    const std::vector<std::wstring> expected{L"12/31/08", L"03/05/11", L"03/05/1975", L"", L"Summer 1998"};
    std::vector<std::wstring> dates, saved;
    for (const Specimen& specimen : App().CurrentCatalog().Specimens())
        dates.push_back(specimen.dateCollected);
    for (const Specimen& specimen : Saved().catalog.Specimens())
        saved.push_back(specimen.dateCollected);
    EXPECT_EQ(dates, expected);
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(stored.settings.dateStyle, 1);
}

TEST_F(OptionsDialogTest, TheMessagesSwitchIsWrittenOnlyWhenItsBoxChanged) {
    ASSERT_TRUE(StartWith(SampleSpecimens(1)));
    auto okWithMessages = [&](bool checked) {
        return InOptions([&](HWND dialog) {
            Check(dialog, IDC_SHOW_MESSAGES, checked);
            PressButton(dialog, IDOK);
        });
    };
    // Left on with no value stored: still none.
    ASSERT_TRUE(okWithMessages(true));
    programValues.ReadText(L"HintShow");
    EXPECT_NE(programValues.LastFailure(), RegistryFailure::None);
    ASSERT_TRUE(okWithMessages(false));
    EXPECT_EQ(programValues.ReadText(L"HintShow"), L"0");
    ASSERT_TRUE(okWithMessages(true));
    EXPECT_EQ(programValues.ReadText(L"HintShow"), L"1");
    // Any number but 0 is on, and stays as stored while the box is left on.
    ASSERT_TRUE(programValues.WriteText(L"HintShow", L"7"));
    ASSERT_TRUE(okWithMessages(true));
    EXPECT_EQ(programValues.ReadText(L"HintShow"), L"7");
    EXPECT_TRUE(Current().showMessages);
}

TEST_F(OptionsDialogTest, AReadOnlyCatalogRefusesWithoutOpeningTheDialog) {
    ASSERT_TRUE(StartWith(SampleSpecimens(1)));
    App().Session().SetReadOnly(true);
    DialogDriver options([](HWND dialog) { PressButton(dialog, IDCANCEL); }, IsOptionsDialog);
    EXPECT_EQ(program->CommandAnsweringBox(IDM_OPTIONS, IDOK), L"Read Only");
    EXPECT_FALSE(options.Handled());
}

}  // namespace
