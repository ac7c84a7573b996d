#include <gtest/gtest.h>

#include <windows.h>

#include "app/Application.h"
#include "app/WindowsCatalogHost.h"
#include "catalog/DataFile.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "support/SpecimenSamples.h"
#include "support/TestFolder.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

// How many specimens the catalog file holds; -1 when it cannot be read.
int SpecimensIn(const std::wstring& path) {
    StoredCatalog stored;
    return stored.Read(path) ? static_cast<int>(stored.catalog.Specimens().size()) : -1;
}

// The file chooser, not a message box nor the please-wait dialog of a save that comes first.
bool IsFileDialog(HWND dialog) {
    return !IsMessageBox(dialog) && GetDlgItem(dialog, IDC_WAIT_TITLE) == nullptr;
}

using ApplicationTest = LoadedProgramTest;

TEST_F(ApplicationTest, ASecondCopyIsRefusedAndTheFirstGoesOn) {
    ASSERT_TRUE(Start());

    std::wstring text;
    std::wstring caption;
    DialogDriver driver(
            [&](HWND box) {
                caption = WindowText(box);
                text = MessageBoxText(box);
                PressButton(box, IDOK);
            },
            IsMessageBox);
    ProgramUnderTest second(Options());
    EXPECT_FALSE(second.Started());
    EXPECT_TRUE(driver.Handled());
    EXPECT_EQ(caption, L"Orvelle");
    EXPECT_EQ(text, L"Orvelle is already running.  Use your task bar to restore the application.");
    EXPECT_TRUE(IsWindowVisible(program->Window()));
}

TEST_F(ApplicationTest, TheCatalogComesFromCommandLineRegistryProgramFolderOrDataFolder) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(App().CurrentCatalog().FilePath(), folder.File(L"data\\Orvellexml"));
    EXPECT_EQ(program->Title(), L"Orvelle - " + folder.File(L"data\\Orvellexml"));
    program->Close();
    ASSERT_TRUE(WriteFileBytes(folder.File(L"program\\beside.xml"), {}));
    // The registry now names the data folder's file, remembered by the first start.
    ASSERT_TRUE(Start());
    EXPECT_EQ(App().CurrentCatalog().FilePath(), folder.File(L"data\\Orvellexml"));
    program->Close();
    RegDeleteTreeW(HKEY_CURRENT_USER, kApplicationKey);
    ASSERT_TRUE(Start());
    EXPECT_EQ(App().CurrentCatalog().FilePath(), folder.File(L"program\\beside.xml"));
    ASSERT_TRUE(Start(CommandLineFor(catalogPath) + L" -fC:\\ignored.xml " + CommandLineFor(catalogPath)));
    EXPECT_EQ(App().CurrentCatalog().FilePath(), catalogPath);
    EXPECT_EQ(StoredCatalogPath(), catalogPath);
}

TEST_F(ApplicationTest, LoadingMakesABackupAndShowsTheCatalog) {
    ASSERT_TRUE(StartWith(SampleSpecimens(3)));
    EXPECT_EQ(App().CurrentCatalog().Specimens().size(), 3u);
    EXPECT_EQ(ReadFileBytes(catalogPath + L".bak"), ReadFileBytes(catalogPath));
    EXPECT_EQ(program->StatusText(0), L"<All>: 3");
    EXPECT_EQ(program->StatusText(1), L"");
    EXPECT_FALSE(App().IsReadOnly());
}

TEST_F(ApplicationTest, AReadOnlyCatalogRefusesChangesAndIsNeverSaved) {
    ASSERT_TRUE(WriteCatalogFile(catalogPath, SampleSpecimens(2)));
    ASSERT_TRUE(SetFileAttributesW(catalogPath.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<std::uint8_t> before = ReadFileBytes(catalogPath);
    ASSERT_TRUE(StartOnCatalog());
    EXPECT_TRUE(App().IsReadOnly());
    EXPECT_EQ(program->StatusText(1), L"Read Only");
    for (int command : {IDM_ADD_SPECIMEN, IDM_DELETE_SPECIMEN, IDM_COPY_SPECIMEN, IDM_ADD_CATEGORY, IDM_OPTIONS,
                        IDM_CUSTOMIZE_TOOLBAR})
        EXPECT_EQ(program->CommandAnsweringBox(command, IDOK), L"Read Only") << command;
    App().CurrentSettings().currentCategory = L"changed";
    App().Session().MarkChanged();
    program->Close();
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
    SetFileAttributesW(catalogPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ApplicationTest, RestoreReadsTheBackupBackOverTheCatalog) {
    ASSERT_TRUE(StartWith(SampleSpecimens(4)));
    // The catalog file changes behind the program's back.
    ASSERT_TRUE(WriteCatalogFile(catalogPath, SampleSpecimens(1)));

    EXPECT_EQ(program->CommandAnsweringBox(IDM_RESTORE_BACKUP, IDYES), L"Restore from your last saved backup?");
    EXPECT_EQ(App().CurrentCatalog().Specimens().size(), 4u);
    EXPECT_EQ(ReadFileBytes(catalogPath), ReadFileBytes(catalogPath + L".bak"));
}

TEST_F(ApplicationTest, RestoreWithoutABackupChangesNothing) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    program->Close();
    DeleteFileForce(catalogPath + L".bak");
    const std::vector<std::uint8_t> before = ReadFileBytes(catalogPath);
    ASSERT_TRUE(StartOnCatalog());
    DeleteFileForce(catalogPath + L".bak");
    DialogDriver driver([](HWND box) { PressButton(box, IDYES); }, IsMessageBox);
    program->Command(IDM_RESTORE_BACKUP);
    EXPECT_EQ(App().CurrentCatalog().Specimens().size(), 2u);
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
}

TEST_F(ApplicationTest, ReadOnlyFollowsTheCatalogFileNeverTheBackup) {
    auto restore = [&] { program->CommandAnsweringBox(IDM_RESTORE_BACKUP, IDYES); };
    const std::wstring backup = catalogPath + L".bak";

    // A read-only backup restored over a writable catalog: both stay writable.
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    ASSERT_TRUE(SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_READONLY));
    restore();
    EXPECT_FALSE(App().IsReadOnly());
    EXPECT_FALSE(IsReadOnlyFile(catalogPath));
    EXPECT_EQ(program->StatusText(1), L"");
    SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL);

    // The backup taken of a read-only catalog is not read-only; Restore without a backup leaves
    // the session read-only.
    program->Close();
    ASSERT_TRUE(SetFileAttributesW(catalogPath.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(StartOnCatalog());
    EXPECT_TRUE(FileExists(backup));
    EXPECT_FALSE(IsReadOnlyFile(backup));
    DeleteFileForce(backup);
    restore();
    EXPECT_TRUE(App().IsReadOnly());
    EXPECT_EQ(program->StatusText(1), L"Read Only");
    DialogDriver saveFailure([](HWND box) { PressButton(box, IDOK); }, IsMessageBox);
    program->Close();
    EXPECT_FALSE(saveFailure.Handled());  // a read-only session never tries to save
    SetFileAttributesW(catalogPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ApplicationTest, TheMenuFollowsTheSelection) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    struct Expected {
        std::vector<int> rows;
        bool add, remove, edit, change, copy;
    };
    for (const Expected& e :
         {Expected{{}, true, false, false, false, false}, Expected{{0}, true, true, true, true, true},
          Expected{{0, 1}, true, true, false, true, false}}) {
        program->SelectRows(e.rows);
        const size_t selected = e.rows.size();
        EXPECT_EQ(program->MenuItemEnabled(IDM_ADD_SPECIMEN), e.add) << selected;
        EXPECT_EQ(program->MenuItemEnabled(IDM_DELETE_SPECIMEN), e.remove) << selected;
        EXPECT_EQ(program->MenuItemEnabled(IDM_EDIT_SPECIMEN), e.edit) << selected;
        EXPECT_EQ(program->MenuItemEnabled(IDM_CHANGE_CATEGORY), e.change) << selected;
        EXPECT_EQ(program->MenuItemEnabled(IDM_COPY_SPECIMEN), e.copy) << selected;
    }
    EXPECT_TRUE(program->MenuItemEnabled(IDM_RESTORE_BACKUP));
    App().CurrentSettings().backup = false;
    program->SelectRows({});
    EXPECT_FALSE(program->MenuItemEnabled(IDM_RESTORE_BACKUP));
}

TEST_F(ApplicationTest, SilentSavesRunInTurnAndCloseWaitsForThem) {
    ASSERT_TRUE(StartWith(SampleSpecimens(1)));
    TQLibrary::TQAppWindows& application = App();
    application.CurrentCatalog().AddSpecimen(SampleSpecimen(7));
    application.SaveCatalog(TQLibrary::SaveMode::Silent);
    application.CurrentCatalog().AddSpecimen(SampleSpecimen(8));
    application.SaveCatalog(TQLibrary::SaveMode::Silent);
    EXPECT_FALSE(application.Session().HasUnsavedChanges());
    // Closing at once must wait for both saves before the catalog goes away.
    program->Close();

    EXPECT_EQ(SpecimensIn(catalogPath), 3);
}

TEST_F(ApplicationTest, ExitWithUnsavedChangesSavesUnderThePleaseWaitDialog) {
    ASSERT_TRUE(StartWith(SampleSpecimens(1)));
    App().CurrentCatalog().AddSpecimen(SampleSpecimen(5));
    App().Session().MarkChanged();

    std::wstring title;
    DialogDriver driver([&](HWND dialog) { title = WindowText(GetDlgItem(dialog, IDC_WAIT_TITLE)); },
                        [](HWND dialog) { return GetDlgItem(dialog, IDC_WAIT_TITLE) != nullptr; });
    program->Command(IDM_EXIT);
    EXPECT_FALSE(program->Started());
    EXPECT_EQ(title, L"Saving Specimens");

    EXPECT_EQ(SpecimensIn(catalogPath), 2);
}

TEST_F(ApplicationTest, NewOnANewNameStartsAnEmptyCatalogThatTheNextSaveCreates) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    const std::wstring fresh = folder.File(L"fresh.xml");
    std::wstring caption;
    {
        DialogDriver driver(
                [&](HWND dialog) {
                    caption = WindowText(dialog);
                    TypeFileNameAndAccept(dialog, fresh);
                },
                IsFileDialog);
        program->Command(IDM_NEW);
    }
    EXPECT_EQ(caption, L"Specify a Name for Your Catalog");
    TQLibrary::TQAppWindows& application = App();
    EXPECT_EQ(application.CurrentCatalog().FilePath(), fresh);
    EXPECT_EQ(program->Title(), L"Orvelle - " + fresh);
    EXPECT_TRUE(application.CurrentCatalog().Specimens().empty());
    EXPECT_TRUE(application.Session().HasUnsavedChanges());
    EXPECT_FALSE(FileExists(fresh));
    program->Close();
    EXPECT_TRUE(FileExists(fresh));
    EXPECT_EQ(SpecimensIn(catalogPath), 2);  // the old catalog is kept as it was
}

TEST_F(ApplicationTest, OpeningAnEmptyFileKeepsTheCatalogUnderTheNewPath) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    const std::wstring empty = folder.File(L"empty.xml");
    ASSERT_TRUE(WriteFileBytes(empty, {}));
    {
        DialogDriver driver([&](HWND dialog) { TypeFileNameAndAccept(dialog, empty); }, IsFileDialog);
        program->Command(IDM_OPEN);
    }
    EXPECT_EQ(App().CurrentCatalog().FilePath(), empty);
    EXPECT_EQ(App().CurrentCatalog().Specimens().size(), 2u);
    EXPECT_EQ(App().CurrentSettings().lastFolder, folder.File(L"empty.xml").substr(0, folder.Path().size() - 1));
}

TEST_F(ApplicationTest, SaveAsWritesTheCatalogAndItsPicturesUnderTheNewName) {
    ASSERT_TRUE(CreateFolderPath(folder.File(L"Images"), false));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Images\\shell.jpg"), {1, 2}));
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    ASSERT_TRUE(CreateFolderPath(folder.File(L"copy"), false));
    const std::wstring copy = folder.File(L"copy\\second.xml");
    {
        DialogDriver driver([&](HWND dialog) { TypeFileNameAndAccept(dialog, copy); }, IsFileDialog);
        program->Command(IDM_SAVE_AS);
    }
    EXPECT_EQ(App().CurrentCatalog().FilePath(), copy);
    EXPECT_EQ(ReadFileBytes(folder.File(L"copy\\Images\\shell.jpg")), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(SpecimensIn(copy), 2);
}

TEST_F(ApplicationTest, AFileThatIsNoCatalogIsNeverOverwritten) {
    ASSERT_TRUE(WriteFileBytes(catalogPath, AsciiBytes("just some notes, not a catalog")));
    const std::vector<std::uint8_t> before = ReadFileBytes(catalogPath);
    ASSERT_TRUE(StartOnCatalog());
    EXPECT_TRUE(App().IsReadOnly());
    App().Session().MarkChanged();
    program->Close();
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
}

}  // namespace
