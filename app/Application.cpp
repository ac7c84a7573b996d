#include "app/Application.h"

#include <commctrl.h>

#include "app/CategoryDialog.h"
#include "app/CategoryTabs.h"
#include "app/ColumnsDialog.h"
#include "app/Folders.h"
#include "app/framework/FileChooser.h"
#include "app/framework/Messages.h"
#include "app/framework/Program.h"
#include "app/StartupChoices.h"
#include "app/ViewLayout.h"
#include "catalog/CatalogFile.h"
#include "catalog/Commands.h"
#include "catalog/DataFile.h"
#include "catalog/StringTable.h"
#include "catalog/TextCompare.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

constexpr UINT_PTR kDeferredLoadTimer = 9000;
constexpr UINT kDeferredLoadDelay = 25;


std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : FolderOf(std::wstring(path, length));
}

// The first file whose name ends in "xml" in the folder; empty when there is none.
std::wstring MarkupFileIn(const std::wstring& folder) {
    if (folder.empty())
        return {};
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*xml").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    FindClose(search);
    return folder + found.cFileName;
}

bool IsEmptyOrMissing(const std::wstring& path) {
    DataFile file(path);
    return file.Size() == 0;
}

struct SilentSave {
    TQAppWindows* application;
};

}  // namespace

TQAppWindows::TQAppWindows(HINSTANCE instance, HWND mainWindow, StartOptions options)
    : instance_(instance),
      mainWindow_(mainWindow),
      options_(std::move(options)),
      host_(mainWindow, options_.dataFolder),
      catalog_(host_, settings_) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    savedSettings_.CopyFrom(settings_);
    SetMainWindow(mainWindow);
}

TQAppWindows::~TQAppWindows() {
    // Nothing may still be writing the catalog when it goes away.
    WaitForSaves();
    if (instanceMutex_ != nullptr) {
        ReleaseMutex(instanceMutex_);
        CloseHandle(instanceMutex_);
    }
    if (TQLibrary::MainWindow() == mainWindow_)
        SetMainWindow(nullptr);
}

bool TQAppWindows::Initialise() {
    const std::wstring product = LoadText(IDS_PRODUCT_NAME);
    instanceMutex_ = CreateMutexW(nullptr, TRUE, product.c_str());
    if (instanceMutex_ == nullptr)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(instanceMutex_);
        instanceMutex_ = nullptr;
        Warn(IDS_ALREADY_RUNNING);
        return false;
    }
    if (!splitter_.Create(mainWindow_, [this](int x) { OnSplitterDropped(x); }))
        return false;
    if (!CreateStatusBar() || !tabs_.Create(mainWindow_, IDC_TAB_STRIP) || !CreateToolbar() || !CreateList())
        return false;
    tabs_.SetContextMenu(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_TAB_MENU)), mainWindow_);
    tabs_.AddTooltip(instance_);
    catalog_.SetFilePath(ChooseCatalogFile());
    return SetTimer(mainWindow_, kDeferredLoadTimer, kDeferredLoadDelay, nullptr) != 0;
}

bool TQAppWindows::CreateToolbar() {
    if (!toolbar_.Create(mainWindow_, IDC_TOOLBAR))
        return false;
    if (toolbar_.LoadImages()) {
        for (const ToolbarButton& button : kToolbarButtons)
            toolbar_.MapButton(button.image, button.command);
        toolbar_.SetContextMenu(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_TOOLBAR_MENU)), mainWindow_);
    }
    toolbar_.SetButtons(settings_.toolbarButtons);
    return true;
}

bool TQAppWindows::CreateList() {
    if (!list_.Create(tabs_.Window(), IDC_SPECIMEN_LIST))
        return false;
    // The list lives inside the tab strip; its notifications belong to the main window.
    tabs_.ForwardChildNotifications(true);
    list_.View().SetContextMenu(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_LIST_MENU)), mainWindow_,
                                [this](HMENU popup, void*) { UpdateMenuStates(popup, list_.View().SelectedCount()); });
    return true;
}

void TQAppWindows::OnListNotify(const NMHDR& header) {
    switch (header.code) {
        case LVN_ITEMACTIVATE:
            DispatchCommand(IDM_EDIT_SPECIMEN);
            break;
        case LVN_COLUMNCLICK: {
            // Only the sort settings need the lock: the sort reads the list's own texts.
            CatalogLockGuard guard(lock_);
            list_.OnHeaderClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            break;
        }
        case LVN_ITEMCHANGED:
            OnListItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
            break;
        default:
            break;
    }
}

void TQAppWindows::OnListItemChanged(const NMLISTVIEW& change) {
    // Text changes come through here too; only the selection matters.
    if ((change.uChanged & LVIF_STATE) == 0 || ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0)
        return;
    const int count = list_.View().SelectedCount();
    // Selecting many rows reports each one: the rules only change between none, one and more
    // (and with one, which one).
    const auto kind = [](int n) { return n < 2 ? n : 2; };
    if (count == 1 || kind(count) != kind(selectionCount_))
        SetSelectionCount(count);
    else
        selectionCount_ = count;
}

void TQAppWindows::OnSplitterDropped(int x) {
    RECT client;
    if (!GetClientRect(mainWindow_, &client))
        return;
    settings_.splitter = SplitterAfterDrop(client.right, x);
    Layout(client.right, client.bottom);
    InvalidateRect(mainWindow_, nullptr, FALSE);
}

bool TQAppWindows::CreateStatusBar() {
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, mainWindow_,
                                 nullptr, instance_, nullptr);
    if (statusBar_ == nullptr)
        return false;
    if (!settings_.hideStatusBar)
        ShowWindow(statusBar_, SW_SHOW);
    return true;
}

std::wstring TQAppWindows::ChooseCatalogFile() {
    std::wstring name = StoredCatalogPath();
    std::wstring fromCommandLine = CatalogFileFromCommandLine(options_.commandLine);
    if (!fromCommandLine.empty())
        name = fromCommandLine;
    if (name.empty())
        name = MarkupFileIn(options_.programFolder);
    if (name.empty())
        name = host_.DataFolder() + LoadText(IDS_PRODUCT_NAME) + LoadText(IDS_XML_EXTENSION);
    return name;
}

void TQAppWindows::OnDeferredLoad() {
    if (loaded_)
        return;
    KillTimer(mainWindow_, kDeferredLoadTimer);
    LoadCatalogFile(catalog_.FilePath(), false, false);
    ShowWindow(mainWindow_, SW_SHOW);
    loaded_ = true;
    RefreshViews(true, true, true);
}

bool TQAppWindows::LoadCatalogFile(const std::wstring& path, bool restoring, bool addMode) {
    readOnly_ = IsReadOnlyFile(path);
    settings_.readOnly = readOnly_;
    if (!FileExists(path) || IsEmptyOrMissing(path))
        return true;
    bool loaded = pleaseWait_.Run(mainWindow_, IDS_LOADING_SPECIMENS,
                                  [=, this] { return LoadWorker(path, restoring, addMode); });
    if (loaded) {
        toolbar_.SetButtons(settings_.toolbarButtons);
        RECT client;
        if (GetClientRect(mainWindow_, &client))
            Layout(client.right, client.bottom);
    }
    if (!loaded && !addMode && !restoring) {
        // A file that could not be read as a catalog is never overwritten by a save.
        readOnly_ = true;
        settings_.readOnly = true;
    }
    if (saveAfterLoad_.exchange(false))
        SaveCatalog(false);
    return loaded;
}

bool TQAppWindows::LoadWorker(const std::wstring& path, bool restoring, bool addMode) {
    pleaseWait_.ReportProgress(0);
    bool read = false;
    try {
        CatalogLockGuard guard(lock_);
        CatalogReadOutcome outcome;
        read = ReadCatalog(catalog_, path, addMode, screen_, &pleaseWait_, outcome);
        if (read) {
            savedSettings_.CopyFrom(settings_);
            ApplyWindowPlacement(settings_, mainWindow_);
            saveAfterLoad_ = outcome.upgraded;
        }
        if (read && !outcome.incomplete) {
            const std::wstring& catalogPath = catalog_.FilePath();
            if (restoring) {
                CopyFileReplacing(path, catalogPath);
                catalog_.SetFilePath(catalogPath);
            } else if (SameTextIgnoringCase(path, catalogPath)) {
                if (settings_.backup)
                    CopyFileReplacing(catalogPath, catalogPath + LoadText(IDS_BACKUP_EXTENSION));
            } else if (!addMode) {
                CopyFileReplacing(path, catalogPath);
                catalog_.SetFilePath(catalogPath);
            } else {
                unsavedChanges_ = true;
            }
        }
    } catch (...) {
        read = false;
    }
    pleaseWait_.ReportProgress(100);
    return read;
}

void TQAppWindows::SaveCatalog(bool withDialog) {
    unsavedChanges_ = false;
    if (withDialog) {
        pleaseWait_.Run(mainWindow_, IDS_SAVING_SPECIMENS, [this] {
            SaveWorker(L"", true);
            return true;
        });
        return;
    }
    HANDLE thread = nullptr;
    auto parameter = std::make_unique<SilentSave>(SilentSave{this});
    if (PleaseWaitTask::StartThread(SilentSaveThread, parameter.get(), &thread)) {
        parameter.release();
        std::lock_guard<std::mutex> guard(savesMutex_);
        saves_.push_back(thread);
    } else {
        unsavedChanges_ = true;
    }
}

DWORD WINAPI TQAppWindows::SilentSaveThread(void* parameter) {
    std::unique_ptr<SilentSave> save(static_cast<SilentSave*>(parameter));
    save->application->SaveWorker(L"", false);
    return 0;
}

bool TQAppWindows::SaveWorker(const std::wstring& fileName, bool withDialog) {
    bool saved = false;
    try {
        CatalogLockGuard guard(lock_);
        const std::wstring path = fileName.empty() ? catalog_.FilePath() : fileName;
        ProgressSink* progress = withDialog ? static_cast<ProgressSink*>(&pleaseWait_) : nullptr;
        saved = WriteCatalog(catalog_, path, L"", pictures_, progress);
        if (saved)
            savedSettings_.CopyFrom(settings_);
    } catch (...) {
        saved = false;
    }
    if (!saved) {
        // Not saved: the change is still to be written, at the latest when the program closes.
        unsavedChanges_ = true;
        Warn(IDS_SAVE_FAILED);
    }
    return saved;
}

void TQAppWindows::WaitForSaves() {
    for (;;) {
        HANDLE thread = nullptr;
        {
            std::lock_guard<std::mutex> guard(savesMutex_);
            if (saves_.empty())
                return;
            thread = saves_.front();
            saves_.erase(saves_.begin());
        }
        // A failing save shows a message box owned by the main window: keep its messages going.
        while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        CloseHandle(thread);
    }
}

bool TQAppWindows::OnClose() {
    KillTimer(mainWindow_, kDeferredLoadTimer);
    if (readOnly_) {
        WaitForSaves();
        return true;
    }
    if (loaded_) {
        CatalogLockGuard guard(lock_);
        list_.SaveColumnWidths(settings_.trackWindow);
    }
    if (unsavedChanges_ || settings_.DiffersFrom(savedSettings_))
        SaveCatalog(true);
    WaitForSaves();
    return true;
}

void TQAppWindows::OnSize(UINT sizeType, int width, int height) {
    if (sizeType == SIZE_MINIMIZED || sizeType == SIZE_MAXHIDE)
        return;
    if (width > 0 && height > 0)
        Layout(width, height);
    if (loaded_ && sizeType != SIZE_MAXIMIZED && sizeType != SIZE_MAXSHOW)
        RememberWindowPlacement(settings_, mainWindow_);
}

void TQAppWindows::OnMove() {
    if (loaded_)
        RememberWindowPlacement(settings_, mainWindow_);
}

void TQAppWindows::Layout(int width, int height) {
    int statusHeight = 0;
    if (statusBar_ != nullptr) {
        SendMessageW(statusBar_, WM_SIZE, 0, MAKELPARAM(width, height));
        std::vector<int> edges = StatusPartEdges(kStatusPartPercentages, width);
        if (!edges.empty())
            SendMessageW(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        RECT status{};
        if (IsWindowVisible(statusBar_) && GetClientRect(statusBar_, &status))
            statusHeight = status.bottom;
    }
    MainLayout layout = LayOutMainWindow(
            {width, height, !settings_.toolbarButtons.empty(), statusHeight, settings_.splitter});
    tabs_.Move(layout.tabs.left, layout.tabs.top, layout.tabs.Width(), layout.tabs.Height());
    PlaceList();
    SetWindowPos(splitter_.Window(), nullptr, layout.splitter.left, layout.splitter.top, layout.splitter.Width(),
                 layout.splitter.Height(), SWP_NOZORDER | SWP_NOREDRAW);
    toolbar_.Refresh();
}

void TQAppWindows::PlaceList() {
    RECT client;
    if (!tabs_.GetClientRect(client))
        return;
    Rect list = ListRectInTabs({client.left, client.top, client.right, client.bottom});
    list_.View().Move(list.left, list.top, list.Width(), list.Height());
}

void TQAppWindows::RefreshViews(bool columns, bool tabs, bool select) {
    // The lock is the thread's own and may already be held by the caller.
    CatalogLockGuard guard(lock_);
    if (columns)
        list_.ApplyColumns();
    if (tabs || select)
        RebuildTabs(settings_.currentCategory);
    list_.FillList(tabs_.CurrentText());
    UpdateStatusBar();
    SetSelectionCount(list_.View().SelectedCount());
}

void TQAppWindows::RebuildTabs(const std::wstring& current) {
    TabPlan plan = PlanTabs(catalog_, current);
    tabs_.DeleteAllTabs();
    for (size_t i = 0; i < plan.names.size(); ++i)
        tabs_.InsertTab(static_cast<int>(i), static_cast<LPARAM>(i), plan.names[i]);
    tabs_.Select(plan.selected);
    if (plan.selected == static_cast<int>(plan.names.size()) - 1)
        settings_.currentCategory = plan.names.back();
}

void TQAppWindows::OnTabChanged() {
    CatalogLockGuard guard(lock_);
    settings_.currentCategory = tabs_.CurrentText();
    RefreshViews(false, false, false);
    UpdateToolbarStates(0);
}

void TQAppWindows::UpdateStatusBar() {
    if (statusBar_ == nullptr)
        return;
    std::wstring category = settings_.currentCategory.empty() ? LoadText(IDS_ALL_CATEGORIES) : settings_.currentCategory;
    std::wstring counted = CategoryCountText(category, catalog_.CountInFilter(category));
    std::wstring readOnly = readOnly_ ? LoadText(IDS_READ_ONLY_STATUS) : std::wstring();
    SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(counted.c_str()));
    SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(readOnly.c_str()));
    SendMessageW(statusBar_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L""));
}

void TQAppWindows::SetSelectionCount(int count) {
    selectionCount_ = count;
    UpdateMenuStates(GetMenu(mainWindow_), count);
    UpdateToolbarStates(count);
}

bool TQAppWindows::RestoreAvailable() const {
    return settings_.backup && FileExists(catalog_.FilePath() + LoadText(IDS_BACKUP_EXTENSION));
}

void TQAppWindows::UpdateToolbarStates(int selectionCount) {
    for (const CommandState& state : ToolbarStates(selectionCount, RestoreAvailable()))
        toolbar_.EnableButton(state.command, state.enabled);
}

void TQAppWindows::UpdateMenuStates(HMENU menu, int selectionCount) {
    if (menu == nullptr)
        return;
    for (const CommandState& state : MenuStates(selectionCount, RestoreAvailable())) {
        EnableMenuItem(menu, static_cast<UINT>(state.command),
                       MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
    }
    DrawMenuBar(mainWindow_);
}

void TQAppWindows::ReadOnlyRefusal() {
    Inform(IDS_READ_ONLY, IDS_DISPLAY_NAME);
}

void TQAppWindows::SaveIfDue() {
    if (!readOnly_ && (unsavedChanges_ || settings_.DiffersFrom(savedSettings_)))
        SaveCatalog(true);
}

const TQAppWindows::CommandEntry TQAppWindows::kCommands[] = {
        {IDM_EXIT, &TQAppWindows::OnExit},
        {IDM_NEW, &TQAppWindows::OnNew},
        {IDM_OPEN, &TQAppWindows::OnOpen},
        {IDM_RESTORE_BACKUP, &TQAppWindows::OnRestore},
        {IDM_SAVE_AS, &TQAppWindows::OnSaveAs},
        {IDM_ADD_CATEGORY, &TQAppWindows::OnAddCategory},
        {IDM_EDIT_CATEGORY, &TQAppWindows::OnEditCategory},
        {IDM_DELETE_CATEGORY, &TQAppWindows::OnDeleteCategory},
        {IDM_MOVE_CATEGORY_LEFT, &TQAppWindows::OnMoveCategoryLeft},
        {IDM_MOVE_CATEGORY_RIGHT, &TQAppWindows::OnMoveCategoryRight},
        {IDM_NEXT_CATEGORY, &TQAppWindows::OnNextCategory},
        {IDM_CUSTOMIZE_TOOLBAR, &TQAppWindows::OnCustomizeToolbar},
        {IDM_CUSTOMIZE_COLUMNS, &TQAppWindows::OnCustomizeColumns},
        {IDM_SELECT_ALL, &TQAppWindows::OnSelectAll},
};

bool TQAppWindows::DispatchCommand(int id) {
    if (!IsCommand(id))
        return false;
    if (readOnly_ && ReadOnlyRefused(id)) {
        ReadOnlyRefusal();
        return true;
    }
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id) {
            (this->*entry.run)();
            return true;
        }
    }
    OnNotBuiltYet();
    return true;
}

// Commands whose owners are still to come do nothing until then.
void TQAppWindows::OnNotBuiltYet() {}

void TQAppWindows::OnExit() {
    SendMessageW(mainWindow_, WM_CLOSE, 0, 0);
}

// The chooser of New and Save As: a name for a catalog, proposed in the data folder.
std::wstring TQAppWindows::ChooseNewCatalogName() {
    FileChooser chooser;
    chooser.title = LoadText(IDS_NAME_YOUR_CATALOG);
    chooser.defaultExtension = LoadText(IDS_XML_EXTENSION);
    chooser.path = LoadText(IDS_PRODUCT_NAME);
    chooser.initialFolder = host_.DataFolder();
    chooser.filter = FileFilter({{LoadText(IDS_XML_FILES), LoadText(IDS_XML_PATTERN)}});
    std::wstring name = chooser.ChooseSaveFile(mainWindow_);
    if (!name.empty())
        settings_.SetLastFolder(name, true);
    return name;
}

void TQAppWindows::OnNew() {
    SaveIfDue();
    std::wstring name = ChooseNewCatalogName();
    if (name.empty())
        return;
    catalog_.SetFilePath(name);
    if (!LoadCatalogFile(name, false, false))
        return;
    CatalogLockGuard guard(lock_);
    settings_.nextTagNumber = 0;
    catalog_.Clear();
    unsavedChanges_ = true;
    readOnly_ = false;
    settings_.readOnly = false;
    RefreshViews(true, true, true);
}

void TQAppWindows::OnOpen() {
    SaveIfDue();
    FileChooser chooser;
    chooser.title = LoadText(IDS_IMPORT_TITLE);
    chooser.defaultExtension = LoadText(IDS_XML_EXTENSION);
    chooser.path = LoadText(IDS_PRODUCT_NAME);
    chooser.initialFolder = settings_.lastFolder;
    chooser.filter = FileFilter({{LoadText(IDS_XML_FILES), LoadText(IDS_XML_PATTERN)},
                                 {LoadText(IDS_ALL_FILES), LoadText(IDS_ALL_PATTERN)}});
    std::wstring name = chooser.ChooseOpenFile(mainWindow_);
    if (name.empty())
        return;
    settings_.SetLastFolder(name, true);
    catalog_.SetFilePath(name);
    if (LoadCatalogFile(name, false, false))
        RefreshViews(true, true, true);
}

namespace {

// Copies every file of one folder into another, replacing files of the same name.
void CopyFolderFiles(const std::wstring& from, const std::wstring& to) {
    if (SameTextIgnoringCase(from, to))
        return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((from + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    CreateFolderPath(to, false);
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            CopyFileReplacing(from + found.cFileName, to + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

void TQAppWindows::OnSaveAs() {
    std::wstring name = ChooseNewCatalogName();
    if (name.empty())
        return;
    if (!settings_.storeImages)
        CopyFolderFiles(PictureFolderOf(catalog_.FilePath()), PictureFolderOf(name));
    catalog_.SetFilePath(name);
    // The copy is the user's own new file, whatever the old one was marked.
    readOnly_ = IsReadOnlyFile(name);
    settings_.readOnly = readOnly_;
    SaveCatalog(true);
    UpdateStatusBar();
}

void TQAppWindows::OnRestore() {
    if (!Ask(IDS_RESTORE_QUESTION, IDS_DISPLAY_NAME))
        return;
    if (LoadCatalogFile(catalog_.FilePath() + LoadText(IDS_BACKUP_EXTENSION), true, false))
        RefreshViews(true, true, true);
}

namespace {

bool IsAllCategories(std::wstring_view name) {
    return name.empty() || SameText(name, LoadText(IDS_ALL_CATEGORIES));
}

}  // namespace

void TQAppWindows::OnAddCategory() {
    std::wstring name;
    if (!AskCategoryName(mainWindow_, name, true, readOnly_))
        return;
    CatalogLockGuard guard(lock_);
    catalog_.AddCategory(name);
    settings_.currentCategory = name;
    // The list and the status bar follow the new tab: empty for a new category, the
    // specimens of one that already had the name.
    RefreshViews(false, true, false);
    SaveCatalog(false);
}

void TQAppWindows::OnEditCategory() {
    const std::wstring current = settings_.currentCategory;
    if (IsAllCategories(current))
        return;
    std::wstring name = current;
    if (!AskCategoryName(mainWindow_, name, false, readOnly_) || IsAllCategories(name))
        return;
    CatalogLockGuard guard(lock_);
    const size_t before = catalog_.Categories().size();
    catalog_.RenameCategory(current, name);
    settings_.currentCategory = name;
    // A rename onto an existing name merged two categories: their tabs become one.
    const bool merged = catalog_.Categories().size() != before;
    if (!merged)
        tabs_.SetCurrentText(name);
    SaveCatalog(false);
    // The rows' texts are the list's own copies: refill them to show the new name.
    RefreshViews(false, merged, false);
}

void TQAppWindows::OnDeleteCategory() {
    const std::wstring current = settings_.currentCategory;
    if (IsAllCategories(current))
        return;
    CatalogLockGuard guard(lock_);
    if (!catalog_.DeleteCategory(current))
        return;
    tabs_.DeleteCurrentTab();
    settings_.currentCategory = tabs_.CurrentText();
    SaveCatalog(false);
    RefreshViews(false, true, false);
}

void TQAppWindows::OnMoveCategoryLeft() {
    MoveCurrentCategory(false);
}

void TQAppWindows::OnMoveCategoryRight() {
    MoveCurrentCategory(true);
}

void TQAppWindows::MoveCurrentCategory(bool toRight) {
    CatalogLockGuard guard(lock_);
    if (!catalog_.MoveCategory(settings_.currentCategory, toRight))
        return;
    RebuildTabs(settings_.currentCategory);
    UpdateStatusBar();
    SaveCatalog(false);
}

void TQAppWindows::OnNextCategory() {
    CatalogLockGuard guard(lock_);
    tabs_.Select(NextTabIndex(catalog_.Categories(), tabs_.CurrentText()));
    // The list follows the tab, as after a click on it.
    OnTabChanged();
}

void TQAppWindows::OnCustomizeToolbar() {
    SendMessageW(toolbar_.Window(), TB_CUSTOMIZE, 0, 0);
    UpdateToolbarStates(selectionCount_);
    CatalogLockGuard guard(lock_);
    toolbar_.StoreButtons(settings_.toolbarButtons);
    // A toolbar emptied, or filled from empty, is hidden or shown and the views move.
    RECT client;
    if (GetClientRect(mainWindow_, &client))
        Layout(client.right, client.bottom);
    if (settings_.DiffersFrom(savedSettings_))
        SaveCatalog(false);
}

void TQAppWindows::OnCustomizeColumns() {
    CatalogLockGuard guard(lock_);
    if (!CustomizeColumns(mainWindow_, settings_.columns, false))
        return;
    RefreshViews(true, false, false);
    // Kept at once, as every other change is.
    if (settings_.DiffersFrom(savedSettings_))
        SaveCatalog(false);
}

void TQAppWindows::OnSelectAll() {
    list_.View().SelectAll();
}

// The main window.

namespace {

TQAppWindows* Stored(HWND window) {
    return reinterpret_cast<TQAppWindows*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW& create) {
    const auto* options = static_cast<const StartOptions*>(create.lpCreateParams);
    auto application = std::make_unique<TQAppWindows>(create.hInstance, window, *options);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(application.get()));
    if (!application->Initialise()) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return -1;
    }
    application.release();
    return 0;
}

void OnDestroy(HWND window) {
    std::unique_ptr<TQAppWindows> application(Stored(window));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    application.reset();
    PostQuitMessage(0);
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TQAppWindows* application = Stored(window);
    switch (message) {
        case WM_CREATE:
            return OnCreate(window, *reinterpret_cast<CREATESTRUCTW*>(lParam));
        case WM_DESTROY:
            OnDestroy(window);
            return 0;
        case WM_CLOSE:
            if (application == nullptr || application->OnClose())
                DestroyWindow(window);
            return 0;
        case WM_TIMER:
            if (application != nullptr)
                application->OnDeferredLoad();
            return 0;
        case WM_MOVE:
            if (application != nullptr)
                application->OnMove();
            return 0;
        case WM_SIZE:
            if (application != nullptr)
                application->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_COMMAND:
            if (application != nullptr && application->DispatchCommand(LOWORD(wParam)))
                return 0;
            break;
        case WM_NOTIFY:
            if (application != nullptr) {
                auto* header = reinterpret_cast<NMHDR*>(lParam);
                if (header->idFrom == IDC_SPECIMEN_LIST) {
                    application->OnListNotify(*header);
                    return 0;
                }
                if (header->idFrom == IDC_TAB_STRIP) {
                    if (header->code == TCN_SELCHANGE)
                        application->OnTabChanged();
                    return 0;
                }
                LRESULT result = 0;
                if (application->OnToolbarNotify(header, result))
                    return result;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    static const std::wstring className = LoadText(IDS_PRODUCT_NAME);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, kProgramResourceName);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = className.c_str();
    WNDCLASSEXW existing{};
    if (GetClassInfoExW(instance, className.c_str(), &existing))
        return true;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, const StartOptions& options) {
    const std::wstring name = LoadText(IDS_PRODUCT_NAME);
    return CreateWindowExW(0, name.c_str(), name.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                           const_cast<StartOptions*>(&options));
}

TQAppWindows* ApplicationOf(HWND mainWindow) {
    return Stored(mainWindow);
}

int RunMessageLoop(HWND mainWindow) {
    HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), kProgramResourceName);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (accelerators != nullptr && TranslateAcceleratorW(mainWindow, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

StartOptions ProcessStartOptions() {
    return StartOptions{GetCommandLineW(), ProgramFolder(), L""};
}

}  // namespace TQLibrary
