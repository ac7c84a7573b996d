#include <gtest/gtest.h>

#include <windows.h>

#include "app/main/Application.h"
#include "base/DataFile.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "support/TestFolder.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"

namespace {

using Names = std::vector<std::wstring>;

Specimen FiledUnder(const Names& categories) {
    Specimen specimen;
    specimen.categories = categories;
    return specimen;
}

// Categories A, B, C and Empty; A holds one specimen, B two (one also in C).
class CategoryCommandsTest : public LoadedProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWith({FiledUnder({L"A"}), FiledUnder({L"B"}), FiledUnder({L"B", L"C"})},
                              {L"A", L"B", L"C", L"Empty"}));
    }
};

TEST_F(CategoryCommandsTest, TabsFollowTheCatalogWithAllLast) {
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"B", L"C", L"Empty", L"<All>"}));
    EXPECT_EQ(App().Tabs().CurrentText(), L"<All>");
    program->SelectTab(1);
    EXPECT_EQ(App().CurrentSettings().currentCategory, L"B");
    EXPECT_EQ(program->StatusText(0), L"B: 2");

    // Moving right as far as it goes leaves "<All>" last.
    for (int i = 0; i < 4; ++i)
        program->Command(IDM_MOVE_CATEGORY_RIGHT);
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"C", L"Empty", L"B", L"<All>"}));
    EXPECT_EQ(App().Tabs().CurrentText(), L"B");
    program->Command(IDM_MOVE_CATEGORY_LEFT);
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"C", L"B", L"Empty", L"<All>"}));
}

TEST_F(CategoryCommandsTest, RenameAndDeleteDoNothingOnAll) {
    program->SelectTab(4);
    DialogDriver driver([](HWND dialog) { PressButton(dialog, IDCANCEL); });
    program->Command(IDM_EDIT_CATEGORY);
    program->Command(IDM_DELETE_CATEGORY);
    program->Command(IDM_MOVE_CATEGORY_LEFT);
    EXPECT_FALSE(driver.Handled());
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"B", L"C", L"Empty", L"<All>"}));
}

TEST_F(CategoryCommandsTest, AddingACategoryMakesItCurrentAndSavesIt) {
    program->SelectTab(1);  // B: two rows
    std::wstring caption;
    {
        DialogDriver driver([&](HWND dialog) {
            caption = WindowText(dialog);
            SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, L"Minerals");
            PressButton(dialog, IDOK);
        });
        program->Command(IDM_ADD_CATEGORY);
    }
    EXPECT_EQ(caption, L"Specimen Category");
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"B", L"C", L"Empty", L"Minerals", L"<All>"}));
    EXPECT_EQ(App().Tabs().CurrentText(), L"Minerals");
    // The new tab's list is empty, and the status bar says so.
    EXPECT_EQ(App().List().View().RowCount(), 0);
    EXPECT_EQ(program->StatusText(0), L"Minerals: 0");
    App().WaitForSaves();
    const std::vector<std::uint8_t> saved = ReadFileBytes(catalogPath);
    std::wstring text(saved.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(saved[2 * i] | (saved[2 * i + 1] << 8));
    EXPECT_NE(text.find(L"<CATEGORYNAME>Minerals</CATEGORYNAME>"), std::wstring::npos);

    // Adding a name that is already a category shows that category's specimens.
    {
        DialogDriver driver([&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, L"B");
            PressButton(dialog, IDOK);
        });
        program->Command(IDM_ADD_CATEGORY);
    }
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"B", L"C", L"Empty", L"Minerals", L"<All>"}));
    EXPECT_EQ(App().Tabs().CurrentText(), L"B");
    EXPECT_EQ(App().List().View().RowCount(), 2);
}

TEST_F(CategoryCommandsTest, RenamingShowsTheNewNameAndAnEmptyNameIsNotTaken) {
    App().CurrentSettings().columns = {kFieldCategory};
    App().RefreshViews(TQLibrary::RefreshColumns);
    program->SelectTab(1);
    DialogDriver driver([&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, L"");
        PressButton(dialog, IDOK);  // refused: the dialog stays
        Sleep(300);
        SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, L"Bivalves");
        PressButton(dialog, IDOK);
    });
    program->Command(IDM_EDIT_CATEGORY);
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"Bivalves", L"C", L"Empty", L"<All>"}));
    EXPECT_EQ(App().CurrentCatalog().CountInFilter(L"Bivalves"), 2);
    EXPECT_EQ(program->StatusText(0), L"Bivalves: 2");
    // The rows show the new name at once.
    TQLibrary::TQListView& list = App().List().View();
    ASSERT_EQ(list.RowCount(), 2);
    for (int row = 0; row < 2; ++row)
        EXPECT_NE(list.CellText(row, 0).find(L"Bivalves"), std::wstring::npos) << row;
}

TEST_F(CategoryCommandsTest, RenamingOntoAnotherCategoryShowsTheMergedOne) {
    program->SelectTab(0);  // A: one specimen
    DialogDriver driver([&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, L"C");
        PressButton(dialog, IDOK);
    });
    program->Command(IDM_EDIT_CATEGORY);
    EXPECT_EQ(program->TabTexts(), (Names{L"C", L"B", L"Empty", L"<All>"}));
    EXPECT_EQ(App().Tabs().CurrentText(), L"C");
    // C held one specimen and gained A's.
    EXPECT_EQ(App().List().View().RowCount(), 2);
    EXPECT_EQ(program->StatusText(0), L"C: 2");
}

TEST_F(CategoryCommandsTest, DeletingAsksOnlyForACategoryWithSpecimensAndSelectsTheTabToTheLeft) {
    program->SelectTab(3);  // Empty
    {
        DialogDriver driver([](HWND box) { PressButton(box, IDNO); }, IsMessageBox);
        program->Command(IDM_DELETE_CATEGORY);
        EXPECT_FALSE(driver.Handled());
    }
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"B", L"C", L"<All>"}));
    EXPECT_EQ(App().Tabs().CurrentText(), L"C");

    program->SelectTab(1);  // B: two specimens, one also in C
    EXPECT_EQ(program->CommandAnsweringBox(IDM_DELETE_CATEGORY, IDNO),
              L"This category is not empty.  Do you want to delete it anyway?");
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"B", L"C", L"<All>"}));
    {
        DialogDriver driver([](HWND box) { PressButton(box, IDYES); }, IsMessageBox);
        program->Command(IDM_DELETE_CATEGORY);
    }
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"C", L"<All>"}));
    EXPECT_EQ(App().Tabs().CurrentText(), L"A");
    EXPECT_EQ(App().CurrentCatalog().Specimens().size(), 2u);

    program->SelectTab(0);  // the first tab: the new first one is selected
    {
        DialogDriver driver([](HWND box) { PressButton(box, IDYES); }, IsMessageBox);
        program->Command(IDM_DELETE_CATEGORY);
    }
    EXPECT_EQ(program->TabTexts(), (Names{L"C", L"<All>"}));
    EXPECT_EQ(App().Tabs().CurrentText(), L"C");
}

TEST_F(CategoryCommandsTest, UndoAndRedoTakeTheTabsAndTheFileBackAndForth) {
    const auto savedCount = [&] {
        App().WaitForSaves();
        StoredCatalog stored;
        EXPECT_TRUE(stored.Read(catalogPath));
        return stored.catalog.Specimens().size();
    };
    program->SelectTab(1);  // B: two specimens, one also in C
    {
        DialogDriver driver([](HWND box) { PressButton(box, IDYES); }, IsMessageBox);
        program->Command(IDM_DELETE_CATEGORY);
    }
    program->SelectTab(0);
    {
        DialogDriver driver([&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, L"Fossils");
            PressButton(dialog, IDOK);
        });
        program->Command(IDM_EDIT_CATEGORY);
    }
    ASSERT_EQ(program->TabTexts(), (Names{L"Fossils", L"C", L"Empty", L"<All>"}));
    ASSERT_EQ(savedCount(), 2u);

    program->Command(IDM_UNDO);
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"C", L"Empty", L"<All>"}));
    program->Command(IDM_UNDO);
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"B", L"C", L"Empty", L"<All>"}));
    EXPECT_EQ(savedCount(), 3u);
    EXPECT_FALSE(program->MenuItemEnabled(IDM_UNDO));
    program->Command(IDM_REDO);
    EXPECT_EQ(program->TabTexts(), (Names{L"A", L"C", L"Empty", L"<All>"}));
    EXPECT_EQ(savedCount(), 2u);
}

TEST_F(CategoryCommandsTest, NextCategoryWrapsAroundToTheFirst) {
    program->SelectTab(3);
    program->Command(IDM_NEXT_CATEGORY);
    EXPECT_EQ(App().Tabs().CurrentText(), L"A");
    program->Command(IDM_NEXT_CATEGORY);
    EXPECT_EQ(App().Tabs().CurrentText(), L"B");
    EXPECT_EQ(App().CurrentSettings().currentCategory, L"B");
    program->SelectTab(4);
    program->Command(IDM_NEXT_CATEGORY);
    EXPECT_EQ(App().Tabs().CurrentText(), L"A");
}

}  // namespace
