#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <optional>
#include <thread>

#include "app/commands/FileCommands.h"
#include "app/main/Application.h"
#include "app/main/ProgramIdentity.h"
#include "app/main/WindowsCatalogHost.h"
#include "base/DataFile.h"
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

using TQLibrary::FileHandle;
using TQLibrary::KernelHandle;

// Another worker holding the catalog lock: taken on a thread of its own before the constructor
// returns, and given back once the work done while holding it ends.
class LockHeldElsewhere {
public:
    LockHeldElsewhere(CatalogLock& lock, std::function<void()> whileHeld)
        : holding_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), thread_([this, &lock, whileHeld] {
              CatalogLockGuard guard(lock);
              SetEvent(holding_.Get());
              whileHeld();
          }) {
        WaitForSingleObject(holding_.Get(), 10000);
    }
    ~LockHeldElsewhere() { thread_.join(); }

private:
    KernelHandle holding_;
    std::thread thread_;
};

class ApplicationTest : public LoadedProgramTest {
protected:
    // Starts on the catalog and gives the text of the message box the load showed (empty when none).
    std::wstring StartAnsweringBox(bool& started) {
        return AnswerMessageBox(IDOK, [&] { started = StartOnCatalog(); });
    }
};

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
    RegDeleteTreeW(HKEY_CURRENT_USER, TQLibrary::ProgramKeyPath().c_str());
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
          Expected{{0, 1}, true, true, true, true, false}}) {
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
    TQLibrary::Application& application = App();
    application.CurrentCatalog().AddSpecimen(SampleSpecimen(7));
    application.SaveCatalog(TQLibrary::SaveMode::Silent);
    application.CurrentCatalog().AddSpecimen(SampleSpecimen(8));
    application.SaveCatalog(TQLibrary::SaveMode::Silent);
    EXPECT_FALSE(application.Session().HasUnsavedChanges());
    // Closing at once must wait for both saves before the catalog goes away.
    program->Close();

    EXPECT_EQ(SpecimensIn(catalogPath), 3);
}

TEST_F(ApplicationTest, TwentyQuickChangesEndWithTheFileAsTheCatalogHoldsIt) {
    std::vector<Specimen> specimens = SampleSpecimens(150);
    for (Specimen& specimen : specimens)
        specimen.categories = {L"A"};
    ASSERT_TRUE(StartWith(specimens, {L"A", L"B", L"C", L"D"}));
    program->SelectTab(1);
    // Any save that failed (two writers on one file, for one) would say so in a message box.
    DialogDriver failure([](HWND box) { PressButton(box, IDOK); }, IsMessageBox);
    // B goes right to the end, back to the start, and so on: each move starts a silent save.
    for (int move = 0; move < 20; ++move)
        program->Command((move / 3) % 2 == 0 ? IDM_MOVE_CATEGORY_RIGHT : IDM_MOVE_CATEGORY_LEFT);
    const std::vector<std::wstring> held = App().CurrentCatalog().Categories();
    EXPECT_EQ(held, (std::vector<std::wstring>{L"A", L"C", L"B", L"D"}));
    program->Close();
    EXPECT_FALSE(failure.Handled());
    StoredCatalog stored;
    ASSERT_TRUE(stored.Read(catalogPath));
    EXPECT_EQ(stored.catalog.Categories(), held);
    EXPECT_EQ(stored.catalog.Specimens().size(), 150u);
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
    TQLibrary::Application& application = App();
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
    bool started = false;
    EXPECT_EQ(StartAnsweringBox(started), catalogPath + L" is not an Orvelle catalog and will not be changed.");
    ASSERT_TRUE(started);
    EXPECT_TRUE(App().IsReadOnly());
    App().Session().MarkChanged();
    program->Close();
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
}

TEST_F(ApplicationTest, ACatalogAnotherProgramHoldsIsNotTakenAsMissing) {
    ASSERT_TRUE(WriteCatalogFile(catalogPath, SampleSpecimens(3)));
    const std::vector<std::uint8_t> before = ReadFileBytes(catalogPath);
    FileHandle held(CreateFileW(catalogPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    bool started = false;
    const std::wstring text = StartAnsweringBox(started);
    ASSERT_TRUE(started);
    EXPECT_EQ(text.rfind(catalogPath + L" is there but cannot be read", 0), 0u) << text;
    EXPECT_TRUE(App().IsReadOnly());
    EXPECT_EQ(program->StatusText(1), L"Read Only");
    // The other program lets go; a change in this session still never reaches the file.
    held.Reset();
    App().Session().MarkChanged();
    program->Close();
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
}

TEST_F(ApplicationTest, ACatalogCutShortIsKeptAsItWasAndTheUserIsTold) {
    ASSERT_TRUE(WriteCatalogFile(catalogPath, SampleSpecimens(3)));
    const std::vector<std::uint8_t> whole = ReadFileBytes(catalogPath);
    // Cut inside the third specimen, on a character boundary.
    const std::vector<std::uint8_t> cut(whole.begin(),
                                        whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 9 / 20 * 2));
    ASSERT_TRUE(WriteFileBytes(catalogPath, cut));
    bool started = false;
    const std::wstring text = StartAnsweringBox(started);
    ASSERT_TRUE(started);
    const int read = static_cast<int>(App().CurrentCatalog().Specimens().size());
    EXPECT_EQ(text,
              catalogPath + L" is damaged: Orvelle could read only " + std::to_wstring(read) +
                      L" specimens from it. The file as it was is kept as " + catalogPath +
                      L".damaged. To go back to your last good copy, choose Restore from Backup on the File menu.");
    EXPECT_EQ(ReadFileBytes(catalogPath + L".damaged"), cut);
    EXPECT_FALSE(FileExists(catalogPath + L".bak"));  // a damaged file never becomes the backup
    // The next save writes what was read; the damaged bytes stay beside it.
    App().Session().MarkChanged();
    program->Close();
    EXPECT_EQ(SpecimensIn(catalogPath), read);
    EXPECT_EQ(ReadFileBytes(catalogPath + L".damaged"), cut);
}

TEST_F(ApplicationTest, OpenWhileASaveIsQueuedWritesTheOldCatalogToItsOwnFile) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    const std::wstring other = folder.File(L"other.xml");
    ASSERT_TRUE(WriteCatalogFile(other, SampleSpecimens(3)));
    App().Session().SaveIfDue();
    {
        CatalogLockGuard guard(App().Lock());
        App().CurrentCatalog().AddCategory(L"Queued");
    }
    // Another worker holds the lock until the new file is being loaded (or a while, when the
    // load rightly waits for the save first), so the save started now is still waiting when
    // the file changes.
    KernelHandle loading(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::optional<LockHeldElsewhere> holder(std::in_place, App().Lock(),
                                            [&] { WaitForSingleObject(loading.Get(), 3000); });
    App().Session().MarkChanged();
    App().SaveCatalog(TQLibrary::SaveMode::Silent);
    {
        DialogDriver chooser([&](HWND dialog) { TypeFileNameAndAccept(dialog, other); }, IsFileDialog);
        DialogDriver loadingSeen(
                [&](HWND) { SetEvent(loading.Get()); },
                [](HWND dialog) { return WindowText(GetDlgItem(dialog, IDC_WAIT_TITLE)) == L"Loading Specimens"; });
        program->Command(IDM_OPEN);
    }
    holder.reset();
    EXPECT_EQ(App().CurrentCatalog().Specimens().size(), 3u);
    program->Close();
    EXPECT_EQ(SpecimensIn(other), 3);
    StoredCatalog first;
    ASSERT_TRUE(first.Read(catalogPath));
    EXPECT_EQ(first.catalog.Specimens().size(), 2u);
    EXPECT_EQ(first.catalog.Categories().back(), L"Queued");
}

TEST_F(ApplicationTest, ASecondCloseWhileSavingIsIgnoredAndTheSaveFinishes) {
    ASSERT_TRUE(StartWith(SampleSpecimens(2)));
    {
        CatalogLockGuard guard(App().Lock());
        App().CurrentCatalog().AddCategory(L"Last");
    }
    // A worker holds the lock, so the close waits for the save; meanwhile a second close comes.
    const HWND window = program->Window();
    bool enabled = true;
    bool survived = false;
    std::optional<LockHeldElsewhere> holder(std::in_place, App().Lock(), [&] {
        Sleep(300);
        enabled = IsWindowEnabled(window) != FALSE;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 3000, &result);
        survived = IsWindow(window) != FALSE;
    });
    App().Session().MarkChanged();
    App().SaveCatalog(TQLibrary::SaveMode::Silent);
    program->Close();
    holder.reset();
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(survived);
    StoredCatalog stored;
    ASSERT_TRUE(stored.Read(catalogPath));
    EXPECT_EQ(stored.catalog.Categories().back(), L"Last");
}

TEST_F(ApplicationTest, TheFileMenuListsTheCatalogsOpenedLastAndOpensThemAgain) {
    const std::wstring other = folder.File(L"Rocks & Fossils.xml");
    ASSERT_TRUE(WriteCatalogFile(other, SampleSpecimens(2)));
    ASSERT_TRUE(StartWith(SampleSpecimens(3)));
    TQLibrary::OpenCatalog(App(), other);
    const auto item = [&](int command) {
        wchar_t text[80] = {};
        GetMenuStringW(GetMenu(program->Window()), static_cast<UINT>(command), text, 80, MF_BYCOMMAND);
        return std::wstring(text);
    };
    EXPECT_EQ(item(IDM_RECENT_1), L"&1 Rocks && Fossils.xml");
    EXPECT_EQ(item(IDM_RECENT_2), L"&2 cat.xml");

    program->Command(IDM_RECENT_2);
    EXPECT_EQ(App().CurrentCatalog().FilePath(), catalogPath);
    EXPECT_EQ(App().CurrentCatalog().Specimens().size(), 3u);
    EXPECT_EQ(item(IDM_RECENT_1), L"&1 cat.xml");

    // The next start lists them too; a file gone since is said so and taken off.
    ASSERT_TRUE(StartOnCatalog());
    ASSERT_TRUE(DeleteFileW(other.c_str()));
    EXPECT_EQ(program->CommandAnsweringBox(IDM_RECENT_2, IDOK).find(other), 0u);
    EXPECT_EQ(item(IDM_RECENT_2), L"");
    EXPECT_EQ(App().CurrentCatalog().FilePath(), catalogPath);
}

// The files as Explorer hands them to a window it drops them on.
HGLOBAL Dropped(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths)
        list += path + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

TEST_F(ApplicationTest, ACatalogDroppedOnTheWindowOpensAndTwoFilesAreRefused) {
    const std::wstring other = folder.File(L"other.xml");
    ASSERT_TRUE(WriteCatalogFile(other, SampleSpecimens(2)));
    ASSERT_TRUE(StartWith(SampleSpecimens(3)));
    const auto drop = [&](const std::vector<std::wstring>& paths) {
        SendMessageW(program->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(Dropped(paths)), 0);
    };
    const std::wstring refusal = AnswerMessageBox(IDOK, [&] { drop({other, catalogPath}); });
    EXPECT_EQ(refusal.substr(0, 18), L"Drop one catalog (");
    EXPECT_EQ(App().CurrentCatalog().FilePath(), catalogPath);

    drop({other});
    EXPECT_EQ(App().CurrentCatalog().FilePath(), other);
    EXPECT_EQ(App().CurrentCatalog().Specimens().size(), 2u);
}

}  // namespace
