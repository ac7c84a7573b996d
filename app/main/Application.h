#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/framework/TQTabWin.h"
#include "app/main/CatalogSession.h"
#include "app/main/FindBox.h"
#include "app/main/PictureView.h"
#include "app/main/RecentMenu.h"
#include "app/main/SpecimenList.h"
#include "app/main/TQSplitter.h"
#include "app/main/TQToolbar.h"
#include "base/Handles.h"

namespace TQLibrary {

// What the start takes from outside the program; tests give their own.
struct StartOptions {
    std::wstring commandLine;    // the whole command line, program name first
    std::wstring programFolder;  // with a trailing backslash
    std::wstring dataFolder;     // with a trailing backslash; empty for the user's own
};

// The main window loads its catalog on this timer, once it exists, so start-up stays quick.
inline constexpr UINT_PTR kDeferredLoadTimer = 9000;
inline constexpr UINT kDeferredLoadDelay = 25;

// Posted to the main window when the selection changed: the picture pane follows once the
// handler that changed it has returned, with the catalog lock free.
inline constexpr UINT kShowPictureMessage = WM_APP + 2;

// What RefreshViews brings up to date besides the rows and the status bar.
enum RefreshFlags : unsigned {
    RefreshRows = 0,
    RefreshColumns = 1,   // the columns' order, widths and captions
    RefreshTabs = 2,      // the tabs, from the catalog's categories
    SelectCurrentTab = 4  // the tab of the current category
};
constexpr RefreshFlags operator|(RefreshFlags a, RefreshFlags b) {
    return static_cast<RefreshFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
inline constexpr RefreshFlags RefreshEverything = RefreshFlags(RefreshColumns | RefreshTabs | SelectCurrentTab);

// The application object: owns the catalog session and the child windows of the main window,
// and lives from WM_CREATE to WM_DESTROY. The main window's procedure turns messages into calls
// on it; the command handlers (one file per group) work through it.
class Application {
public:
    Application(HWND mainWindow, StartOptions options);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    bool Initialise();
    void OnDeferredLoad();
    // Saves what is due and waits for every save; true when the window may close. Once called,
    // the window takes no further commands and a second close is ignored.
    bool OnClose();
    void OnSize(UINT sizeType, int width, int height);
    void OnMove();
    // False for identifiers that are not commands.
    bool DispatchCommand(int id);
    // Notifications of the specimen list and of the tab strip.
    LRESULT OnListNotify(NMHDR& header);
    LRESULT OnTabNotify(NMHDR& header);
    // Notifications of the toolbar and its tooltips; false when not one of them.
    bool OnToolbarNotify(NMHDR* header, LRESULT& result) { return toolbar_.OnNotify(header, result); }

    // For the command handlers.
    CatalogSession& Session() { return session_; }
    Catalog& CurrentCatalog() { return session_.CurrentCatalog(); }
    Settings& CurrentSettings() { return session_.CurrentSettings(); }
    CatalogLock& Lock() { return session_.Lock(); }
    bool IsReadOnly() const { return session_.IsReadOnly(); }
    HWND MainWindow() const { return mainWindow_; }
    TQTabWin& Tabs() { return tabs_; }
    TQToolbar& Toolbar() { return toolbar_; }
    SpecimenList& List() { return list_; }
    FindBox& Find() { return findBox_; }
    // The last catalogs opened, in the File menu.
    RecentMenu& Recent() { return recent_; }
    std::wstring DataFolder() { return session_.Host().DataFolder(); }

    // Reads a catalog file and shows the window as the file left it; see CatalogSession::Load.
    bool LoadCatalogFile(const std::wstring& path, LoadMode mode);
    void SaveCatalog(SaveMode mode) { session_.Save(mode); }
    // A setting changed by a dialog is kept at once, as every other change is.
    void SaveSettingsIfChanged() {
        if (session_.CurrentSettings().DiffersFrom(session_.SavedSettings()))
            SaveCatalog(SaveMode::Silent);
    }
    void RefreshViews(RefreshFlags what);
    void UpdateStatusBar();
    // Shows the catalog's categories as tabs and selects the one named, or "<All>".
    void RebuildTabs(const std::wstring& current);
    // The tab strip told of a newly selected tab.
    void OnTabChanged();
    // Lays the children out again in the main window's client area.
    void Relayout();
    // Shows or hides the status bar as the settings say, then lays the children out again.
    void ShowStatusBarAsSet();
    // The number of selected list rows, as the menu and toolbar rules see it.
    int SelectionCount() const { return selectionCount_; }
    void UpdateMenuStates(HMENU menu, int selectionCount);
    void UpdateToolbarStates(int selectionCount);
    // Waits, handling messages meanwhile, until every save started without a dialog is done.
    void WaitForSaves() { session_.WaitForSaves(); }

    // The picture pane right of the splitter.
    const PictureView& Picture() const { return picture_; }
    // Shows the picture of the specimen selected alone, reading it from the picture folder
    // the first time; otherwise clears the pane.
    void ShowSelectedPicture();
    void OnPaint();
    // A press on the pane's picture opens the picture popup.
    void OnLeftButtonDown(int x, int y);
    // A menu item highlighted: a recent catalog's full path shows in the status bar until the
    // menu closes.
    void OnMenuSelect(int item, UINT flags, HMENU menu);
    // Files dropped on the window (WM_DROPFILES); the drop is finished here.
    void OnDropFiles(HDROP drop);
    // The window moved to a monitor of another scale (WM_DPICHANGED): it takes the size the
    // system suggests, and its fonts, images, margins, columns and splitter follow the scale.
    void OnDpiChanged(int dpi, const RECT& suggested);
    int Dpi() const { return dpi_; }

private:
    void Layout(int width, int height);
    // The splitter was dropped at x in the main window's client area.
    void OnSplitterDropped(int x);
    void SetSelectionCount(int count);
    std::wstring ChooseCatalogFile();
    bool CreateStatusBar();
    bool CreateToolbar();
    bool CreateList();
    void OnListItemChanged(const NMLISTVIEW& change);
    void PlaceList();
    void RequestSelectedPicture();
    // Fonts, toolbar images and the window's icons for the monitor's scale.
    void ApplyDpi();

    HWND mainWindow_;
    StartOptions options_;
    CatalogSession session_;
    KernelHandle instanceMutex_;
    OwnedWindow statusBar_;
    TQTabWin tabs_;
    TQToolbar toolbar_;
    TQSplitter splitter_;
    SpecimenList list_;
    FindBox findBox_;
    RecentMenu recent_;
    int dpi_ = 96;
    FontHandle guiFont_;   // the tabs', the find box's and the status bar's, at dpi_
    FontHandle listFont_;  // the list's, at dpi_
    IconHandle smallIcon_;
    IconHandle bigIcon_;
    PictureView picture_;
    int selectionCount_ = 0;
    bool picturePending_ = false;
    bool loaded_ = false;
    bool closing_ = false;
};

}  // namespace TQLibrary
