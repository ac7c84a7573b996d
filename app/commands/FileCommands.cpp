// New, Open, the recent catalogs, Save As, Restore from Backup and Exit.
#include "app/commands/FileCommands.h"

#include <optional>

#include "app/commands/CommandHandlers.h"
#include "app/commands/ExchangeCommands.h"
#include "app/commands/HistoryCommands.h"
#include "app/framework/FileChooser.h"
#include "app/framework/Messages.h"
#include "app/main/Application.h"
#include "base/DataFile.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "base/TextSplit.h"
#include "catalog/PictureFiles.h"
#include "frame/DroppedFiles.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The folder of a chosen file is where the next chooser starts. A save may be reading the
// settings: they change under the lock.
void RememberFolder(Application& application, const std::wstring& name) {
    CatalogLockGuard guard(application.Lock());
    application.CurrentSettings().SetLastFolder(name, true);
}

// The chooser of New and Save As: a name for a catalog, proposed in the data folder.
std::wstring ChooseNewCatalogName(Application& application) {
    FileChooser chooser;
    chooser.title = LoadText(IDS_NAME_YOUR_CATALOG);
    chooser.replaceQuestion = LoadText(IDS_OVERWRITE_QUESTION);
    chooser.defaultExtension = LoadText(IDS_XML_EXTENSION);
    chooser.path = LoadText(IDS_PRODUCT_NAME);
    chooser.initialFolder = application.DataFolder();
    chooser.filter = FileFilter({{LoadText(IDS_XML_FILES), LoadText(IDS_XML_PATTERN)}});
    std::wstring name = chooser.ChooseSaveFile(application.MainWindow());
    if (!name.empty())
        RememberFolder(application, name);
    return name;
}

// Copies every file of one folder into another, replacing files of the same name.
void CopyFolderFiles(const std::wstring& from, const std::wstring& to) {
    if (SameTextIgnoringCase(from, to))
        return;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((from + L"*").c_str(), &found));
    if (!search)
        return;
    CreateFolderPath(to, false);
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            CopyFileReplacing(from + found.cFileName, to + found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
}

}  // namespace

void OpenCatalog(Application& application, const std::wstring& path) {
    application.Session().SwitchFile(path);
    if (!application.LoadCatalogFile(path, LoadMode::Open))
        return;
    application.Recent().Opened(application.MainWindow(), path);
    ClearHistory(application);
    application.RefreshViews(RefreshEverything);
}

void OpenDroppedFiles(Application& application, const std::vector<std::wstring>& paths, bool shiftHeld) {
    const DropAction action = MainWindowDropAction(paths, shiftHeld);
    if (action == DropAction::Refuse) {
        Inform(IDS_DROP_ONE_FILE, IDS_DISPLAY_NAME);
        return;
    }
    if (action == DropAction::Import && application.IsReadOnly()) {
        Inform(IDS_READ_ONLY, IDS_DISPLAY_NAME);
        return;
    }
    application.Session().SaveIfDue();
    if (action == DropAction::Open)
        OpenCatalog(application, paths.front());
    else
        ImportFile(application, paths.front());
}

namespace {

void OnNew(Application& application) {
    CatalogSession& session = application.Session();
    session.SaveIfDue();
    std::wstring name = ChooseNewCatalogName(application);
    if (name.empty())
        return;
    session.SwitchFile(name);
    if (!application.LoadCatalogFile(name, LoadMode::Open))
        return;
    CatalogLockGuard guard(application.Lock());
    application.CurrentSettings().nextTagNumber = 0;
    application.CurrentCatalog().Clear();
    session.MarkChanged();
    session.SetReadOnly(false);
    application.Recent().Opened(application.MainWindow(), name);
    ClearHistory(application);
    application.RefreshViews(RefreshEverything);
}

void OnOpen(Application& application) {
    application.Session().SaveIfDue();
    Settings& settings = application.CurrentSettings();
    FileChooser chooser;
    chooser.title = LoadText(IDS_IMPORT_TITLE);
    chooser.defaultExtension = LoadText(IDS_XML_EXTENSION);
    chooser.path = LoadText(IDS_PRODUCT_NAME);
    chooser.initialFolder = settings.lastFolder;
    chooser.filter = FileFilter({{LoadText(IDS_XML_FILES), LoadText(IDS_XML_PATTERN)},
                                 {LoadText(IDS_ALL_FILES), LoadText(IDS_ALL_PATTERN)}});
    std::wstring name = chooser.ChooseOpenFile(application.MainWindow());
    if (name.empty())
        return;
    RememberFolder(application, name);
    OpenCatalog(application, name);
}

// A recent catalog opens as Open opens the file chosen; one no longer there goes off the list.
void OpenRecent(Application& application, int command) {
    const std::optional<std::wstring> path = application.Recent().PathOf(command);
    if (!path)
        return;
    application.Session().SaveIfDue();
    if (!FileIsPresent(*path)) {
        WarnText(FillIn(LoadText(IDS_RECENT_MISSING), {*path}), IDS_DISPLAY_NAME);
        application.Recent().Remove(application.MainWindow(), *path);
        return;
    }
    OpenCatalog(application, *path);
}

template <int Index>
void OnRecent(Application& application) {
    OpenRecent(application, IDM_RECENT_FIRST + Index);
}

void OnSaveAs(Application& application) {
    std::wstring name = ChooseNewCatalogName(application);
    if (name.empty())
        return;
    Catalog& catalog = application.CurrentCatalog();
    // The pictures a running save writes go along too.
    application.Session().WaitForSaves();
    if (!application.CurrentSettings().storeImages)
        CopyFolderFiles(PictureFolderOf(catalog.FilePath()), PictureFolderOf(name));
    application.Session().SwitchFile(name);
    // The copy is the user's own new file, whatever the old one was marked.
    application.Session().SetReadOnly(IsReadOnlyFile(name));
    application.SaveCatalog(SaveMode::WithDialog);
    application.Recent().Opened(application.MainWindow(), name);
    application.UpdateStatusBar();
}

void OnRestore(Application& application) {
    if (!Ask(IDS_RESTORE_QUESTION, IDS_DISPLAY_NAME))
        return;
    const std::wstring backup = application.CurrentCatalog().FilePath() + LoadText(IDS_BACKUP_EXTENSION);
    ChangeRecorder recorder = WatchNewSpecimens(application);
    if (!application.LoadCatalogFile(backup, LoadMode::Restore))
        return;
    RecordReplacement(application, recorder, ActionName(IDS_ACTION_RESTORE));
    // The backup could not be copied over the catalog file: write it there now.
    if (application.Session().HasUnsavedChanges())
        application.SaveCatalog(SaveMode::Silent);
    application.RefreshViews(RefreshEverything);
}

void OnExit(Application& application) {
    SendMessageW(application.MainWindow(), WM_CLOSE, 0, 0);
}

// clang-format off
constexpr HandlerEntry kHandlers[] = {
        {IDM_NEW, OnNew},
        {IDM_OPEN, OnOpen},
        {IDM_SAVE_AS, OnSaveAs},
        {IDM_RESTORE_BACKUP, OnRestore},
        {IDM_RECENT_FIRST, OnRecent<0>},
        {IDM_RECENT_FIRST + 1, OnRecent<1>},
        {IDM_RECENT_FIRST + 2, OnRecent<2>},
        {IDM_RECENT_FIRST + 3, OnRecent<3>},
        {IDM_EXIT, OnExit},
};
// clang-format on

}  // namespace

std::span<const HandlerEntry> FileCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
