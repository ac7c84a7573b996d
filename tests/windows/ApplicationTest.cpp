#include <gtest/gtest.h>

#include <windows.h>

#include "app/Application.h"
#include "app/WindowsCatalogHost.h"
#include "catalog/CatalogFile.h"
#include "catalog/DataFile.h"
#include "resources/resource.h"
#include "support/Fakes.h"
#include "support/ScriptedHost.h"
#include "support/SpecimenSamples.h"
#include "support/TestFolder.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/ProgramUnderTest.h"
#include "windows/support/ScratchRegistry.h"

namespace {

using TQLibrary::StartOptions;

// Writes a catalog file holding the given specimens.
void WriteSampleCatalog(const std::wstring& path, int specimens) {
    ScriptedHost host;
    Settings settings;
    Catalog catalog(host, settings);
    catalog.SetFilePath(path);
    for (int i = 0; i < specimens; ++i)
        catalog.AddSpecimen(SampleSpecimen(i));
    RawPictureFileWriter pictures;
    ASSERT_TRUE(WriteCatalog(catalog, path, L"", pictures, nullptr));
}

// How many specimens the catalog file holds; -1 when it cannot be read.
int SpecimensIn(const std::wstring& path) {
    ScriptedHost host;
    Settings settings;
    Catalog catalog(host, settings);
    FixedScreen screen;
    CatalogReadOutcome outcome;
    if (!ReadCatalog(catalog, path, false, screen, nullptr, outcome))
        return -1;
    return static_cast<int>(catalog.Specimens().size());
}

// The file chooser, not a message box nor the please-wait dialog of a save that comes first.
bool IsFileDialog(HWND dialog) {
    return !IsMessageBox(dialog) && GetDlgItem(dialog, IDC_WAIT_TITLE) == nullptr;
}

class ApplicationTest : public ::testing::Test {
protected:
    StartOptions Options(const std::wstring& commandLine = L"orvelle.exe") {
        CreateFolderPath(folder.File(L"program"), false);
        CreateFolderPath(folder.File(L"data"), false);
        return StartOptions{commandLine, folder.File(L"program\\"), folder.File(L"data\\")};
    }
    std::wstring CommandLineFor(const std::wstring& path) { return L"orvelle.exe \"-F" + path + L"\""; }

    ScratchRegistry registry;
    TestFolder folder;
    std::wstring catalogPath = folder.File(L"cat.xml");
};

TEST_F(ApplicationTest, ASecondCopyIsRefusedAndTheFirstGoesOn) {
    ProgramUnderTest first(Options());
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(first.WaitUntilLoaded());

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
    EXPECT_TRUE(IsWindowVisible(first.Window()));
}

TEST_F(ApplicationTest, TheCatalogComesFromCommandLineRegistryProgramFolderOrDataFolder) {
    {
        ProgramUnderTest program(Options());
        ASSERT_TRUE(program.WaitUntilLoaded());
        EXPECT_EQ(program.Application().CurrentCatalog().FilePath(), folder.File(L"data\\Orvellexml"));
        EXPECT_EQ(program.Title(), L"Orvelle - " + folder.File(L"data\\Orvellexml"));
    }
    ASSERT_TRUE(WriteFileBytes(folder.File(L"program\\beside.xml"), {}));
    {
        // The registry now names the data folder's file, remembered by the first start.
        ProgramUnderTest program(Options());
        ASSERT_TRUE(program.WaitUntilLoaded());
        EXPECT_EQ(program.Application().CurrentCatalog().FilePath(), folder.File(L"data\\Orvellexml"));
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kApplicationKey);
    {
        ProgramUnderTest program(Options());
        ASSERT_TRUE(program.WaitUntilLoaded());
        EXPECT_EQ(program.Application().CurrentCatalog().FilePath(), folder.File(L"program\\beside.xml"));
    }
    {
        ProgramUnderTest program(Options(CommandLineFor(catalogPath) + L" -fC:\\ignored.xml " + CommandLineFor(
                                                                                                       catalogPath)));
        ASSERT_TRUE(program.WaitUntilLoaded());
        EXPECT_EQ(program.Application().CurrentCatalog().FilePath(), catalogPath);
        EXPECT_EQ(StoredCatalogPath(), catalogPath);
    }
}

TEST_F(ApplicationTest, LoadingMakesABackupAndShowsTheCatalog) {
    WriteSampleCatalog(catalogPath, 3);
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    EXPECT_EQ(program.Application().CurrentCatalog().Specimens().size(), 3u);
    EXPECT_EQ(ReadFileBytes(catalogPath + L".bak"), ReadFileBytes(catalogPath));
    EXPECT_EQ(program.StatusText(0), L"<All>: 3");
    EXPECT_EQ(program.StatusText(1), L"");
    EXPECT_FALSE(program.Application().IsReadOnly());
}

TEST_F(ApplicationTest, AReadOnlyCatalogRefusesChangesAndIsNeverSaved) {
    WriteSampleCatalog(catalogPath, 2);
    ASSERT_TRUE(SetFileAttributesW(catalogPath.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<std::uint8_t> before = ReadFileBytes(catalogPath);
    {
        ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
        ASSERT_TRUE(program.WaitUntilLoaded());
        EXPECT_TRUE(program.Application().IsReadOnly());
        EXPECT_EQ(program.StatusText(1), L"Read Only");
        for (int command : {IDM_ADD_SPECIMEN, IDM_DELETE_SPECIMEN, IDM_COPY_SPECIMEN, IDM_ADD_CATEGORY,
                            IDM_OPTIONS}) {
            std::wstring text;
            DialogDriver driver(
                    [&](HWND box) {
                        text = MessageBoxText(box);
                        PressButton(box, IDOK);
                    },
                    IsMessageBox);
            program.Command(command);
            EXPECT_EQ(text, L"Read Only") << command;
        }
        program.Application().CurrentSettings().currentCategory = L"changed";
        program.Application().Session().MarkChanged();
    }
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
    SetFileAttributesW(catalogPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ApplicationTest, RestoreReadsTheBackupBackOverTheCatalog) {
    WriteSampleCatalog(catalogPath, 4);
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    WriteSampleCatalog(catalogPath, 1);  // the catalog file changes behind the program's back

    std::wstring question;
    DialogDriver driver(
            [&](HWND box) {
                question = MessageBoxText(box);
                PressButton(box, IDYES);
            },
            IsMessageBox);
    program.Command(IDM_RESTORE_BACKUP);
    EXPECT_EQ(question, L"Restore from your last saved backup?");
    EXPECT_EQ(program.Application().CurrentCatalog().Specimens().size(), 4u);
    EXPECT_EQ(ReadFileBytes(catalogPath), ReadFileBytes(catalogPath + L".bak"));
}

TEST_F(ApplicationTest, RestoreWithoutABackupChangesNothing) {
    WriteSampleCatalog(catalogPath, 2);
    {
        ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
        ASSERT_TRUE(program.WaitUntilLoaded());
    }
    DeleteFileForce(catalogPath + L".bak");
    const std::vector<std::uint8_t> before = ReadFileBytes(catalogPath);
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    DeleteFileForce(catalogPath + L".bak");
    DialogDriver driver([](HWND box) { PressButton(box, IDYES); }, IsMessageBox);
    program.Command(IDM_RESTORE_BACKUP);
    EXPECT_EQ(program.Application().CurrentCatalog().Specimens().size(), 2u);
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
}

TEST_F(ApplicationTest, TheMenuFollowsTheSelection) {
    WriteSampleCatalog(catalogPath, 2);
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    struct Expected {
        int selected;
        bool add, remove, edit, change, copy;
    };
    for (Expected e : {Expected{0, true, false, false, false, false}, Expected{1, true, true, true, true, true},
                       Expected{2, true, true, false, true, false}}) {
        program.Application().SetSelectionCount(e.selected);
        EXPECT_EQ(program.MenuItemEnabled(IDM_ADD_SPECIMEN), e.add) << e.selected;
        EXPECT_EQ(program.MenuItemEnabled(IDM_DELETE_SPECIMEN), e.remove) << e.selected;
        EXPECT_EQ(program.MenuItemEnabled(IDM_EDIT_SPECIMEN), e.edit) << e.selected;
        EXPECT_EQ(program.MenuItemEnabled(IDM_CHANGE_CATEGORY), e.change) << e.selected;
        EXPECT_EQ(program.MenuItemEnabled(IDM_COPY_SPECIMEN), e.copy) << e.selected;
    }
    EXPECT_TRUE(program.MenuItemEnabled(IDM_RESTORE_BACKUP));
    program.Application().CurrentSettings().backup = false;
    program.Application().SetSelectionCount(0);
    EXPECT_FALSE(program.MenuItemEnabled(IDM_RESTORE_BACKUP));
}

TEST_F(ApplicationTest, SilentSavesRunInTurnAndCloseWaitsForThem) {
    WriteSampleCatalog(catalogPath, 1);
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    TQLibrary::TQAppWindows& application = program.Application();
    application.CurrentCatalog().AddSpecimen(SampleSpecimen(7));
    application.SaveCatalog(TQLibrary::SaveMode::Silent);
    application.CurrentCatalog().AddSpecimen(SampleSpecimen(8));
    application.SaveCatalog(TQLibrary::SaveMode::Silent);
    EXPECT_FALSE(application.Session().HasUnsavedChanges());
    // Closing at once must wait for both saves before the catalog goes away.
    program.Close();

    EXPECT_EQ(SpecimensIn(catalogPath), 3);
}

TEST_F(ApplicationTest, ExitWithUnsavedChangesSavesUnderThePleaseWaitDialog) {
    WriteSampleCatalog(catalogPath, 1);
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    program.Application().CurrentCatalog().AddSpecimen(SampleSpecimen(5));
    program.Application().Session().MarkChanged();

    std::wstring title;
    DialogDriver driver([&](HWND dialog) { title = WindowText(GetDlgItem(dialog, IDC_WAIT_TITLE)); },
                        [](HWND dialog) { return GetDlgItem(dialog, IDC_WAIT_TITLE) != nullptr; });
    program.Command(IDM_EXIT);
    EXPECT_FALSE(program.Started());
    EXPECT_EQ(title, L"Saving Specimens");

    EXPECT_EQ(SpecimensIn(catalogPath), 2);
}

TEST_F(ApplicationTest, NewOnANewNameStartsAnEmptyCatalogThatTheNextSaveCreates) {
    WriteSampleCatalog(catalogPath, 2);
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    const std::wstring fresh = folder.File(L"fresh.xml");
    std::wstring caption;
    {
        DialogDriver driver(
                [&](HWND dialog) {
                    caption = WindowText(dialog);
                    TypeFileNameAndAccept(dialog, fresh);
                },
                IsFileDialog);
        program.Command(IDM_NEW);
    }
    EXPECT_EQ(caption, L"Specify a Name for Your Catalog");
    TQLibrary::TQAppWindows& application = program.Application();
    EXPECT_EQ(application.CurrentCatalog().FilePath(), fresh);
    EXPECT_EQ(program.Title(), L"Orvelle - " + fresh);
    EXPECT_TRUE(application.CurrentCatalog().Specimens().empty());
    EXPECT_TRUE(application.Session().HasUnsavedChanges());
    EXPECT_FALSE(FileExists(fresh));
    program.Close();
    EXPECT_TRUE(FileExists(fresh));
    EXPECT_EQ(SpecimensIn(catalogPath), 2);  // the old catalog is kept as it was
}

TEST_F(ApplicationTest, OpeningAnEmptyFileKeepsTheCatalogUnderTheNewPath) {
    WriteSampleCatalog(catalogPath, 2);
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    const std::wstring empty = folder.File(L"empty.xml");
    ASSERT_TRUE(WriteFileBytes(empty, {}));
    {
        DialogDriver driver([&](HWND dialog) { TypeFileNameAndAccept(dialog, empty); },
                            IsFileDialog);
        program.Command(IDM_OPEN);
    }
    EXPECT_EQ(program.Application().CurrentCatalog().FilePath(), empty);
    EXPECT_EQ(program.Application().CurrentCatalog().Specimens().size(), 2u);
    EXPECT_EQ(program.Application().CurrentSettings().lastFolder, folder.File(L"empty.xml").substr(0, folder.Path().size() - 1));
}

TEST_F(ApplicationTest, SaveAsWritesTheCatalogAndItsPicturesUnderTheNewName) {
    WriteSampleCatalog(catalogPath, 2);
    ASSERT_TRUE(CreateFolderPath(folder.File(L"Images"), false));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Images\\shell.jpg"), {1, 2}));
    ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
    ASSERT_TRUE(program.WaitUntilLoaded());
    ASSERT_TRUE(CreateFolderPath(folder.File(L"copy"), false));
    const std::wstring copy = folder.File(L"copy\\second.xml");
    {
        DialogDriver driver([&](HWND dialog) { TypeFileNameAndAccept(dialog, copy); },
                            IsFileDialog);
        program.Command(IDM_SAVE_AS);
    }
    EXPECT_EQ(program.Application().CurrentCatalog().FilePath(), copy);
    EXPECT_EQ(ReadFileBytes(folder.File(L"copy\\Images\\shell.jpg")), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(SpecimensIn(copy), 2);
}

TEST_F(ApplicationTest, AFileThatIsNoCatalogIsNeverOverwritten) {
    ASSERT_TRUE(WriteFileBytes(catalogPath, AsciiBytes("just some notes, not a catalog")));
    const std::vector<std::uint8_t> before = ReadFileBytes(catalogPath);
    {
        ProgramUnderTest program(Options(CommandLineFor(catalogPath)));
        ASSERT_TRUE(program.WaitUntilLoaded());
        EXPECT_TRUE(program.Application().IsReadOnly());
        program.Application().Session().MarkChanged();
    }
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
}

}  // namespace
