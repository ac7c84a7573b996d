#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/CatalogLock.h"
#include "app/PleaseWait.h"
#include "app/SpecimenList.h"
#include "app/TQSplitter.h"
#include "app/TQTabWin.h"
#include "app/TQToolbar.h"
#include "app/WindowsCatalogHost.h"
#include "catalog/Catalog.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "catalog/SettingsWindows.h"

namespace TQLibrary {

// What the start takes from outside the program; tests give their own.
struct StartOptions {
    std::wstring commandLine;    // the whole command line, program name first
    std::wstring programFolder;  // with a trailing backslash
    std::wstring dataFolder;     // with a trailing backslash; empty for the user's own
};

// The application object: owns the catalog, the settings, the lock and the child windows of
// the main window, and carries out its commands. Lives from WM_CREATE to WM_CLOSE.
class TQAppWindows {
public:
    TQAppWindows(HINSTANCE instance, HWND mainWindow, StartOptions options);
    ~TQAppWindows();
    TQAppWindows(const TQAppWindows&) = delete;
    TQAppWindows& operator=(const TQAppWindows&) = delete;

    bool Initialise();
    void OnDeferredLoad();
    // Saves what is due; true when the window may close.
    bool OnClose();
    void OnSize(UINT sizeType, int width, int height);
    void OnMove();
    // False for identifiers that are not commands.
    bool DispatchCommand(int id);

    bool LoadCatalogFile(const std::wstring& path, bool restoring, bool addMode);
    void SaveCatalog(bool withDialog);
    void RefreshViews(bool columns, bool tabs, bool select);
    void UpdateStatusBar();
    void UpdateMenuStates(HMENU menu, int selectionCount);
    // Shows the catalog's categories as tabs and selects the one named, or "<All>".
    void RebuildTabs(const std::wstring& current);
    // The tab strip told of a newly selected tab.
    void OnTabChanged();
    TQTabWin& Tabs() { return tabs_; }
    TQToolbar& Toolbar() { return toolbar_; }
    void UpdateToolbarStates(int selectionCount);
    // The splitter was dropped at x in the main window's client area.
    void OnSplitterDropped(int x);
    SpecimenList& List() { return list_; }
    // Notifications of the specimen list.
    void OnListNotify(const NMHDR& header);
    // Notifications of the toolbar and its tooltips; false when not one of them.
    bool OnToolbarNotify(NMHDR* header, LRESULT& result) { return toolbar_.OnNotify(header, result); }
    void Layout(int width, int height);

    // The number of selected list rows; set by the list.
    int SelectionCount() const { return selectionCount_; }
    void SetSelectionCount(int count);

    Catalog& CurrentCatalog() { return catalog_; }
    Settings& CurrentSettings() { return settings_; }
    const Settings& SavedSettings() const { return savedSettings_; }
    bool IsReadOnly() const { return readOnly_; }
    bool IsLoaded() const { return loaded_; }
    bool HasUnsavedChanges() const { return unsavedChanges_; }
    void MarkChanged() { unsavedChanges_ = true; }
    HWND MainWindow() const { return mainWindow_; }
    HWND StatusBar() const { return statusBar_; }
    // Waits, handling messages meanwhile, until every save started without a dialog is done.
    void WaitForSaves();

private:
    using Command = void (TQAppWindows::*)();
    struct CommandEntry {
        int id;
        Command run;
    };
    static const CommandEntry kCommands[];

    std::wstring ChooseCatalogFile();
    bool CreateStatusBar();
    // Writes the catalog to the file (the catalog file when empty); only a save under the
    // please-wait dialog reports progress.
    bool SaveWorker(const std::wstring& fileName, bool withDialog);
    bool LoadWorker(const std::wstring& path, bool restoring, bool addMode);
    static DWORD WINAPI SilentSaveThread(void* parameter);
    void SaveIfDue();
    void ReadOnlyRefusal();
    std::wstring ChooseNewCatalogName();

    void OnNew();
    void OnOpen();
    void OnSaveAs();
    void OnRestore();
    void OnExit();
    void OnAddCategory();
    void OnEditCategory();
    void OnDeleteCategory();
    void OnMoveCategoryLeft();
    void OnMoveCategoryRight();
    void MoveCurrentCategory(bool toRight);
    void OnNextCategory();
    void OnCustomizeToolbar();
    void OnCustomizeColumns();
    void OnSelectAll();
    bool CreateList();
    // Whether a backup exists for Restore to read.
    bool RestoreAvailable() const;
    void OnListItemChanged(const NMLISTVIEW& change);
    void PlaceList();
    bool CreateToolbar();
    void OnNotBuiltYet();

    HINSTANCE instance_;
    HWND mainWindow_;
    StartOptions options_;
    CatalogLock lock_;
    Settings settings_;
    Settings savedSettings_;
    WindowsCatalogHost host_;
    Catalog catalog_;
    PleaseWaitTask pleaseWait_;
    RawPictureFileWriter pictures_;
    SystemScreenMetrics screen_;
    HANDLE instanceMutex_ = nullptr;
    HWND statusBar_ = nullptr;
    TQTabWin tabs_;
    TQToolbar toolbar_;
    TQSplitter splitter_;
    SpecimenList list_{catalog_, settings_};
    int selectionCount_ = 0;
    std::atomic<bool> unsavedChanges_{false};
    std::atomic<bool> readOnly_{false};
    std::atomic<bool> saveAfterLoad_{false};
    bool loaded_ = false;
    std::mutex savesMutex_;
    std::vector<HANDLE> saves_;  // silent save threads still to be waited for
};

// The main window: class registration, creation and the message loop.
bool RegisterMainWindowClass(HINSTANCE instance);
// Creates the main window hidden; the options must outlive WM_CREATE. None on failure.
HWND CreateMainWindow(HINSTANCE instance, const StartOptions& options);
TQAppWindows* ApplicationOf(HWND mainWindow);
int RunMessageLoop(HWND mainWindow);
// The options of a real start: the process's command line, the program's own folder and
// the user's data folder.
StartOptions ProcessStartOptions();

}  // namespace TQLibrary
