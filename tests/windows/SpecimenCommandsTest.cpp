#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <thread>

#include "app/main/Application.h"
#include "base/DataFile.h"
#include "base/GdiplusSession.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/PictureBytes.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

using Names = std::vector<std::wstring>;

Specimen Named(const std::wstring& latinName, Names categories) {
    Specimen specimen;
    specimen.latinName = latinName;
    specimen.categories = std::move(categories);
    return specimen;
}

bool IsDetailsDialog(HWND dialog) {
    return GetDlgItem(dialog, IDC_DETAIL_PAGES) != nullptr;
}

// A dialog other than the one given that comes up within ten seconds; none otherwise.
HWND WaitForDialog(HWND except, const DialogDriver::Match& match = nullptr) {
    for (int i = 0; i < 200; ++i) {
        if (HWND found = FindDialog(except, match))
            return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

std::wstring ItemText(HWND dialog, int item) {
    return WindowText(GetDlgItem(dialog, item));
}

std::wstring SelectedComboText(HWND dialog, int item) {
    HWND box = GetDlgItem(dialog, item);
    const auto index = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (index < 0)
        return L"(none)";
    std::wstring text(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, index, 0)), L'\0');
    SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

void SelectComboText(HWND dialog, int item, const std::wstring& text) {
    HWND box = GetDlgItem(dialog, item);
    SendMessageW(box, CB_SETCURSEL, SendMessageW(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(text.c_str())),
                 0);
}

Names SelectedListTexts(HWND dialog, int item) {
    HWND list = GetDlgItem(dialog, item);
    Names texts;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        if (SendMessageW(list, LB_GETSEL, i, 0) > 0) {
            std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            texts.push_back(text);
        }
    }
    return texts;
}

// Categories Shells, shells and Fossils, and three specimens.
class SpecimenCommandsTest : public LoadedProgramTest {
protected:
    void StartWithSpecimens(std::vector<Specimen> specimens = {Named(L"Conus", {L"Shells"}),
                                                               Named(L"Ammonite", {L"Fossils"}),
                                                               Named(L"Murex", {L"Shells"})}) {
        ASSERT_TRUE(StartWith(specimens, {L"Shells", L"shells", L"Fossils"}));
    }

    // Runs the command while the reaction plays the user in Specimen Details.
    bool InDetails(int command, const DialogDriver::Reaction& reaction) {
        DialogDriver driver(reaction, IsDetailsDialog);
        program->Command(command);
        return driver.Handled();
    }

    // The specimens in the catalog file, once every save is done.
    std::vector<Specimen> Saved() {
        App().WaitForSaves();
        StoredCatalog stored;
        EXPECT_TRUE(stored.Read(catalogPath));
        return stored.catalog.Specimens();
    }

    void SelectRowOf(const std::wstring& latinName) {
        for (int row = 0; row < List().RowCount(); ++row) {
            program->SelectRows({row});
            if (App().List().SelectedSpecimen()->latinName == latinName)
                return;
        }
        ADD_FAILURE() << "no row of " << latinName;
    }

    const std::vector<Specimen>& Specimens() { return App().CurrentCatalog().Specimens(); }
    TQLibrary::TQListView& List() { return App().List().View(); }
};

TEST_F(SpecimenCommandsTest, AddingOffersTheRememberedValuesAndAProposedTagAndSavesAtOnce) {
    StartWithSpecimens();
    Settings& settings = App().CurrentSettings();
    settings.tagFormat = L"S###";
    settings.nextTagNumber = 5;
    settings.lastDate = L"03/05/2008";
    settings.lastCollector = L"A. N. Other";
    settings.lastAbundance = L"Rare";
    program->SelectTab(3);  // <All>
    std::wstring tag, date, collector, abundance, quality;
    Names categories{L"(unread)"};
    ASSERT_TRUE(InDetails(IDM_ADD_SPECIMEN, [&](HWND dialog) {
        tag = ItemText(dialog, IDC_TAG);
        date = ItemText(dialog, IDC_DATE_COLLECTED);
        collector = ItemText(dialog, IDC_COLLECTOR);
        abundance = SelectedComboText(dialog, IDC_ABUNDANCE);
        quality = SelectedComboText(dialog, IDC_QUALITY);
        categories = SelectedListTexts(dialog, IDC_CATEGORIES);
        SetDlgItemTextW(dialog, IDC_LATIN_NAME, L"Cypraea tigris");
        SetDlgItemTextW(dialog, IDC_LOCATION, L"Sanibel");
        SetDlgItemTextW(dialog, IDC_PRICE, L"$12.50");
        PressButton(dialog, IDOK);
    }));
    EXPECT_EQ(tag, L"S005");
    EXPECT_EQ(date, L"03/05/2008");
    EXPECT_EQ(collector, L"A. N. Other");
    EXPECT_EQ(abundance, L"Rare");
    EXPECT_EQ(quality, L"");         // no quality until one is chosen
    EXPECT_EQ(categories, Names{});  // "<All>" is no category to select

    ASSERT_EQ(Specimens().size(), 4u);
    const Specimen& added = Specimens().back();
    EXPECT_EQ(added.tag, L"S005");
    EXPECT_EQ(added.categories, Names{});
    EXPECT_EQ(added.price, 12.5);
    EXPECT_EQ(added.abundance, L"Rare");
    EXPECT_EQ(settings.nextTagNumber, 6u);
    EXPECT_EQ(settings.lastLocation, L"Sanibel");
    // The new row is shown and selected; the file holds the specimen at once.
    EXPECT_EQ(List().RowCount(), 4);
    EXPECT_EQ(App().List().SelectedSpecimen(), &added);
    const std::vector<Specimen> saved = Saved();
    ASSERT_EQ(saved.size(), 4u);
    EXPECT_EQ(saved.back().latinName, L"Cypraea tigris");

    // A cancelled Add uses up no tag number.
    ASSERT_TRUE(InDetails(IDM_ADD_SPECIMEN, [&](HWND dialog) {
        tag = ItemText(dialog, IDC_TAG);
        PressButton(dialog, IDCANCEL);
    }));
    EXPECT_EQ(tag, L"S006");
    EXPECT_EQ(settings.nextTagNumber, 6u);
    EXPECT_EQ(Specimens().size(), 4u);
}

TEST_F(SpecimenCommandsTest, OkOnAnUntouchedSpecimenChangesNothingAndEditsKeepTheId) {
    Specimen odd = Named(L"Conus", {L"shells", L"Fossils"});
    odd.abundance = L"";
    odd.quality = L"Superb";
    odd.colour = L"red";
    odd.price = 12.345;
    odd.size = 0.1234567;
    odd.tag = L"T-1";
    Specimen red = Named(L"Murex", {L"Shells"});
    red.colour = L"Red";
    StartWithSpecimens({odd, red});
    program->SelectTab(3);
    const Specimen before = Specimens().front();
    SelectRowOf(L"Conus");

    std::wstring abundance, quality, colour, price;
    Names categories;
    ASSERT_TRUE(InDetails(IDM_EDIT_SPECIMEN, [&](HWND dialog) {
        abundance = SelectedComboText(dialog, IDC_ABUNDANCE);
        quality = SelectedComboText(dialog, IDC_QUALITY);
        colour = ItemText(dialog, IDC_COLOUR);
        price = ItemText(dialog, IDC_PRICE);
        categories = SelectedListTexts(dialog, IDC_CATEGORIES);
        PressButton(dialog, IDOK);
    }));
    EXPECT_EQ(abundance, L"");
    EXPECT_EQ(quality, L"Superb");
    EXPECT_EQ(colour, L"red");
    EXPECT_EQ(price, L"$12.35");
    EXPECT_EQ(categories, (Names{L"shells", L"Fossils"}));
    EXPECT_EQ(Specimens().front(), before);

    // What the user does change is stored, under the same id.
    ASSERT_TRUE(InDetails(IDM_EDIT_SPECIMEN, [&](HWND dialog) {
        SelectComboText(dialog, IDC_ABUNDANCE, L"Uncommon");
        SetDlgItemTextW(dialog, IDC_PRICE, L"$-3");
        SetDlgItemTextW(dialog, IDC_COLOUR, L"Banded");
        SendMessageW(GetDlgItem(dialog, IDC_CATEGORIES), LB_SETSEL, FALSE, 2);  // Fossils
        PressButton(dialog, IDOK);
    }));
    const Specimen& edited = Specimens().front();
    EXPECT_EQ(edited.id, before.id);
    EXPECT_EQ(edited.abundance, L"Uncommon");
    EXPECT_EQ(edited.price, -3);
    EXPECT_EQ(edited.categories, Names{L"shells"});
    EXPECT_EQ(App().CurrentCatalog().Colours().count(L"Banded"), 1u);
    EXPECT_EQ(Saved().front().price, -3);
    ASSERT_TRUE(InDetails(IDM_EDIT_SPECIMEN, [&](HWND dialog) {
        price = ItemText(dialog, IDC_PRICE);
        PressButton(dialog, IDCANCEL);
    }));
    EXPECT_EQ(price, L"$-3.00");
}

TEST_F(SpecimenCommandsTest, DeletingAsksFirstAndRemovesEverySelectedSpecimenOfTheTab) {
    StartWithSpecimens({Named(L"a", {L"Shells"}), Named(L"b", {L"Shells"}), Named(L"c", {L"Shells"}),
                        Named(L"d", {L"Shells"}), Named(L"e", {L"Fossils"})});
    program->SelectTab(0);
    program->SelectRows({0, 1, 3});
    const std::vector<std::uint8_t> file = ReadFileBytes(catalogPath);
    EXPECT_EQ(program->CommandAnsweringBox(IDM_DELETE_SPECIMEN, IDNO),
              L"Are you sure you want to delete the selected Specimens?");
    EXPECT_EQ(Specimens().size(), 5u);
    App().WaitForSaves();
    EXPECT_EQ(ReadFileBytes(catalogPath), file);

    program->CommandAnsweringBox(IDM_DELETE_SPECIMEN, IDYES);
    ASSERT_EQ(Specimens().size(), 2u);
    EXPECT_EQ(List().RowCount(), 1);
    EXPECT_EQ(program->StatusText(0), L"Shells: 1");
    EXPECT_EQ(Saved().size(), 2u);

    // Select All and Delete take only the tab's specimens.
    program->Command(IDM_SELECT_ALL);
    program->CommandAnsweringBox(IDM_DELETE_SPECIMEN, IDYES);
    ASSERT_EQ(Specimens().size(), 1u);
    EXPECT_EQ(Specimens().front().latinName, L"e");
}

TEST_F(SpecimenCommandsTest, UndoBringsBackWhatDeleteTookToTheFileAndTheMenuNamesTheLastAction) {
    StartWithSpecimens();
    const auto menuText = [&](int command) {
        wchar_t text[80] = {};
        GetMenuStringW(GetMenu(program->Window()), static_cast<UINT>(command), text, 80, MF_BYCOMMAND);
        return std::wstring(text);
    };
    const std::vector<Specimen> before = Saved();
    EXPECT_FALSE(program->MenuItemEnabled(IDM_UNDO));
    program->SelectTab(3);
    program->Command(IDM_SELECT_ALL);
    program->CommandAnsweringBox(IDM_DELETE_SPECIMEN, IDYES);
    ASSERT_TRUE(Saved().empty());
    EXPECT_EQ(menuText(IDM_UNDO), L"&Undo Delete 3 Specimens\tCtrl+Z");

    program->Command(IDM_UNDO);
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(List().RowCount(), 3);
    EXPECT_EQ(List().SelectedCount(), 3);
    EXPECT_FALSE(program->MenuItemEnabled(IDM_UNDO));
    EXPECT_EQ(menuText(IDM_REDO), L"&Redo Delete 3 Specimens\tCtrl+Y");
    program->Command(IDM_REDO);
    EXPECT_TRUE(Saved().empty());
    EXPECT_TRUE(program->MenuItemEnabled(IDM_UNDO));
}

TEST_F(SpecimenCommandsTest, EditingSeveralChangesOnlyWhatTheUserChangedInEachAsOneStep) {
    std::vector<Specimen> three = {Named(L"Conus", {L"Shells"}), Named(L"Ammonite", {L"Fossils"}),
                                   Named(L"Murex", {L"Shells"})};
    for (Specimen& specimen : three) {
        specimen.collector = L"Hela";
        specimen.tag = L"T-" + specimen.latinName;
    }
    three[1].price = 4;
    StartWithSpecimens(three);
    program->SelectTab(3);
    program->Command(IDM_SELECT_ALL);

    std::wstring caption, tag, latin, collector, price;
    ASSERT_TRUE(InDetails(IDM_EDIT_SPECIMEN, [&](HWND dialog) {
        caption = WindowText(dialog);
        tag = IsWindowEnabled(GetDlgItem(dialog, IDC_TAG)) ? L"enabled" : ItemText(dialog, IDC_TAG);
        latin = ItemText(dialog, IDC_LATIN_NAME);
        collector = ItemText(dialog, IDC_COLLECTOR);
        price = ItemText(dialog, IDC_PRICE);
        SetDlgItemTextW(dialog, IDC_LOCATION, L"Sanibel");
        SetDlgItemTextW(dialog, IDC_COLLECTOR, L"");
        // Space on "shells" ticks it for all.
        HWND categories = GetDlgItem(dialog, IDC_CATEGORIES);
        ListView_SetItemState(categories, 1, LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageW(categories, WM_KEYDOWN, VK_SPACE, 0);
        PressButton(dialog, IDOK);
    }));
    EXPECT_EQ(caption, L"Edit 3 Specimens");
    EXPECT_EQ(tag, L"(various)");
    EXPECT_EQ(latin, L"");
    EXPECT_EQ(collector, L"Hela");
    EXPECT_EQ(price, L"");
    const std::vector<Specimen> saved = Saved();
    ASSERT_EQ(saved.size(), 3u);
    for (size_t i = 0; i < saved.size(); ++i) {
        Specimen expected = three[i];
        expected.location = L"Sanibel";
        expected.collector.clear();
        expected.categories.push_back(L"shells");
        expected.id = saved[i].id;
        EXPECT_EQ(saved[i], expected) << i;
    }
    EXPECT_EQ(List().SelectedCount(), 3);
    program->Command(IDM_UNDO);
    EXPECT_EQ(Saved()[1].collector, L"Hela");
}

TEST_F(SpecimenCommandsTest, ACopyIsASecondSpecimenThatSurvivesAReload) {
    Specimen original = Named(L"Conus", {L"Shells"});
    original.tag = L"C-7";
    original.pictureName = L"conus.jpg";
    original.pictureData = {0xFF, 0xD8, 0xFF, 0xE0};
    StartWithSpecimens({original});
    program->SelectRows({0});
    program->Command(IDM_COPY_SPECIMEN);
    ASSERT_EQ(Specimens().size(), 2u);
    EXPECT_NE(Specimens()[0].id, Specimens()[1].id);
    EXPECT_EQ(List().RowCount(), 2);
    EXPECT_EQ(List().CellText(0, 0), List().CellText(1, 0));
    App().WaitForSaves();
    ASSERT_TRUE(StartOnCatalog());
    ASSERT_EQ(Specimens().size(), 2u);
    EXPECT_EQ(Specimens()[1].tag, L"C-7");
    EXPECT_EQ(Specimens()[1].latinName, L"Conus");
}

TEST_F(SpecimenCommandsTest, ChangingCategoryMovesTheSelectedSpecimensAndNoChoiceChangesNothing) {
    StartWithSpecimens();
    program->SelectTab(0);
    program->SelectRows({0, 1});  // Murex and Conus
    {
        DialogDriver driver([](HWND dialog) { PressButton(dialog, IDOK); });  // nothing chosen
        program->Command(IDM_CHANGE_CATEGORY);
    }
    EXPECT_EQ(Specimens()[0].categories, Names{L"Shells"});
    {
        DialogDriver driver([](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_CHANGE_CATEGORY_LIST);
            SendMessageW(list, LB_SETSEL, TRUE, 1);
            SendMessageW(list, LB_SETSEL, TRUE, 2);
            PressButton(dialog, IDOK);
        });
        program->Command(IDM_CHANGE_CATEGORY);
        EXPECT_TRUE(driver.Handled());
    }
    EXPECT_EQ(Specimens()[0].categories, (Names{L"shells", L"Fossils"}));
    EXPECT_EQ(Specimens()[2].categories, (Names{L"shells", L"Fossils"}));
    EXPECT_EQ(Specimens()[1].categories, Names{L"Fossils"});
    EXPECT_EQ(App().CurrentCatalog().CountInFilter(L"Shells"), 0);
    EXPECT_EQ(Saved()[2].categories, (Names{L"shells", L"Fossils"}));
}

TEST_F(SpecimenCommandsTest, AReadOnlyCatalogShowsDetailsWithNoWayToOk) {
    StartWithSpecimens();
    App().Session().SetReadOnly(true);
    program->SelectRows({0});
    const Specimen before = *App().List().SelectedSpecimen();
    bool okVisible = true, okEnabled = true;
    ASSERT_TRUE(InDetails(IDM_EDIT_SPECIMEN, [&](HWND dialog) {
        HWND ok = GetDlgItem(dialog, IDOK);
        okVisible = IsWindowVisible(ok) != FALSE;
        okEnabled = IsWindowEnabled(ok) != FALSE;
        SetDlgItemTextW(dialog, IDC_LATIN_NAME, L"Changed");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // as Enter would
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        PressButton(dialog, IDCANCEL);
    }));
    EXPECT_FALSE(okVisible);
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(*App().List().SelectedSpecimen(), before);
    // Add, Delete and Copy refuse.
    EXPECT_EQ(program->CommandAnsweringBox(IDM_ADD_SPECIMEN, IDOK), L"Read Only");
    EXPECT_EQ(program->CommandAnsweringBox(IDM_COPY_SPECIMEN, IDOK), L"Read Only");
    EXPECT_EQ(Specimens().size(), 3u);
}

TEST_F(SpecimenCommandsTest, TheDateButtonPicksADayInTheDateStyleAndEraseEmptiesIt) {
    StartWithSpecimens();
    App().CurrentSettings().dateStyle = 3;  // MM/DD/YYYY
    program->SelectRows({0});
    struct Step {
        std::wstring before;
        std::function<void(HWND)> pick;
        std::wstring after;
    };
    auto clickDay = [](WORD year, WORD month, WORD day) {
        return [=](HWND picker) {
            NMSELCHANGE change{};
            change.nmhdr.hwndFrom = GetDlgItem(picker, IDC_DATE_CALENDAR);
            change.nmhdr.idFrom = IDC_DATE_CALENDAR;
            change.nmhdr.code = MCN_SELECT;
            change.stSelStart.wYear = year;
            change.stSelStart.wMonth = month;
            change.stSelStart.wDay = day;
            change.stSelEnd = change.stSelStart;
            SendMessageW(picker, WM_NOTIFY, IDC_DATE_CALENDAR, reinterpret_cast<LPARAM>(&change));
        };
    };
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t today[16];
    swprintf(today, 16, L"%02u/%02u/%04u", now.wMonth, now.wDay, now.wYear);
    const Step steps[] = {
            {L"03/05/2008", clickDay(2008, 3, 17), L"03/17/2008"},
            {L"02/28/2007", clickDay(2008, 2, 29), L"02/29/2008"},                 // not clamped by 2007
            {L"03/05/2008", [](HWND picker) { PressButton(picker, IDOK); }, L""},  // Erase
            {L"03/05/2008", [](HWND picker) { PressButton(picker, IDCANCEL); }, L"03/05/2008"},
            {L"", [](HWND picker) { PressButton(picker, IDC_DATE_TODAY); }, today},
    };
    SYSTEMTIME shown{};
    ASSERT_TRUE(InDetails(IDM_EDIT_SPECIMEN, [&](HWND dialog) {
        for (const Step& step : steps) {
            SetDlgItemTextW(dialog, IDC_DATE_COLLECTED, step.before.c_str());
            PressButton(dialog, IDC_PICK_DATE);
            HWND picker = WaitForDialog(dialog);
            ASSERT_NE(picker, nullptr);
            if (step.before == L"03/05/2008" && shown.wYear == 0)
                SendMessageW(GetDlgItem(picker, IDC_DATE_CALENDAR), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
            step.pick(picker);
            for (int i = 0; i < 100 && IsWindow(picker); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            EXPECT_EQ(ItemText(dialog, IDC_DATE_COLLECTED), step.after) << step.before;
        }
        PressButton(dialog, IDCANCEL);
    }));
    EXPECT_EQ(shown.wYear, 2008);
    EXPECT_EQ(shown.wMonth, 3);
    EXPECT_EQ(shown.wDay, 5);
}

TEST_F(SpecimenCommandsTest, ClearAndTransparentTakeEffectOnOkOnlyAndClearAsksFirst) {
    Specimen pictured = Named(L"Conus", {L"Shells"});
    pictured.pictureName = L"conus.bmp";
    pictured.pictureData = PlainBmp(40, 30);
    StartWithSpecimens({pictured});
    program->SelectRows({0});
    // On the Picture page: Clear, answering the question, then a click on Transparent.
    struct Seen {
        std::wstring question, path;
        bool transparent;
    };
    auto play = [&](int answer, int button) {
        Seen seen{};
        EXPECT_TRUE(InDetails(IDM_EDIT_SPECIMEN, [&](HWND dialog) {
            SendMessageW(GetDlgItem(dialog, IDC_DETAIL_PAGES), TCM_SETCURFOCUS, 5, 0);
            PressButton(dialog, IDC_PICTURE_CLEAR);
            HWND box = WaitForDialog(dialog, IsMessageBox);
            if (box == nullptr) {
                ADD_FAILURE() << "no question";
                PressButton(dialog, IDCANCEL);
                return;
            }
            seen.question = MessageBoxText(box);
            PressButton(box, answer);
            for (int i = 0; i < 100 && IsWindow(box); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            SendMessageW(GetDlgItem(dialog, IDC_TRANSPARENT), BM_CLICK, 0, 0);
            seen.path = ItemText(dialog, IDC_PICTURE_PATH);
            seen.transparent = IsDlgButtonChecked(dialog, IDC_TRANSPARENT) == BST_CHECKED;
            PressButton(dialog, button);
        }));
        return seen;
    };
    const Seen cancelled = play(IDYES, IDCANCEL);
    EXPECT_EQ(cancelled.question, L"Are you sure you want to remove this image?");
    EXPECT_EQ(cancelled.path, L"");
    EXPECT_TRUE(cancelled.transparent);
    EXPECT_EQ(Specimens().front().pictureName, L"conus.bmp");
    EXPECT_FALSE(Specimens().front().mask);

    const Seen kept = play(IDNO, IDOK);
    EXPECT_EQ(kept.path, L"conus.bmp");
    EXPECT_EQ(Specimens().front().pictureName, L"conus.bmp");
    EXPECT_TRUE(Specimens().front().mask);

    const Seen cleared = play(IDYES, IDOK);
    EXPECT_FALSE(cleared.transparent);
    EXPECT_EQ(Specimens().front().pictureName, L"");
    EXPECT_TRUE(Specimens().front().pictureData.empty());
    EXPECT_FALSE(Specimens().front().mask);
    const std::vector<Specimen> saved = Saved();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved.front().pictureName, L"");
    EXPECT_FALSE(saved.front().mask);
}

TEST_F(SpecimenCommandsTest, AChosenPictureIsSavedUnchangedAndASameNamedOtherOneKeptApart) {
    TQLibrary::GdiplusSession gdiplus;
    const std::vector<std::uint8_t> first = Encoded(PlainBmp(60, 40), L"image/jpeg");
    const std::vector<std::uint8_t> second = Encoded(PlainBmp(30, 90), L"image/jpeg");
    ASSERT_FALSE(first.empty());
    TestFolder camera1, camera2;
    ASSERT_TRUE(WriteFileBytes(camera1.File(L"IMG_0001.JPG"), first));
    ASSERT_TRUE(WriteFileBytes(camera2.File(L"IMG_0001.JPG"), second));
    StartWithSpecimens();
    App().CurrentSettings().storeImages = false;

    // Browse on the Picture page, then OK: the picture goes with the selected specimen.
    auto choose = [&](const std::wstring& path) {
        return InDetails(IDM_EDIT_SPECIMEN, [&](HWND dialog) {
            SendMessageW(GetDlgItem(dialog, IDC_DETAIL_PAGES), TCM_SETCURFOCUS, 5, 0);
            PressButton(dialog, IDC_PICTURE_BROWSE);
            HWND chooser = WaitForDialog(dialog);
            ASSERT_NE(chooser, nullptr);
            TypeFileNameAndAccept(chooser, path);
            for (int i = 0; i < 100 && IsWindow(chooser); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            PressButton(dialog, IDOK);
        });
    };
    program->SelectRows({0});
    ASSERT_TRUE(choose(camera1.File(L"IMG_0001.JPG")));
    const Specimen* chosen = App().List().SelectedSpecimen();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->pictureName, L"IMG_0001.JPG");
    EXPECT_EQ(App().CurrentSettings().lastFolder + L"\\", camera1.Path());
    App().WaitForSaves();
    EXPECT_EQ(ReadFileBytes(folder.File(L"Images\\IMG_0001.JPG")), first);

    // Another specimen, another camera, the same file name.
    program->SelectTab(3);
    SelectRowOf(L"Ammonite");
    const std::int32_t ammonite = App().List().SelectedSpecimen()->id;
    ASSERT_TRUE(choose(camera2.File(L"IMG_0001.JPG")));
    const Specimen* other = App().CurrentCatalog().FindSpecimen(ammonite);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->pictureName, L"IMG_0001 (2).JPG");
    App().WaitForSaves();
    EXPECT_EQ(ReadFileBytes(folder.File(L"Images\\IMG_0001.JPG")), first);
    EXPECT_EQ(ReadFileBytes(folder.File(L"Images\\IMG_0001 (2).JPG")), second);
}

}  // namespace
