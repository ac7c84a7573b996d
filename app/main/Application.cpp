#include "app/main/Application.h"

#include <shellapi.h>

#include "app/commands/CommandHandlers.h"
#include "app/commands/FileCommands.h"
#include "app/framework/CommonControls.h"
#include "app/framework/Dpi.h"
#include "app/framework/Messages.h"
#include "app/framework/Program.h"
#include "app/main/Folders.h"
#include "app/online/MessagePopup.h"
#include "app/online/UpdateCheck.h"
#include "base/Clock.h"
#include "base/StringTable.h"
#include "frame/CategoryTabs.h"
#include "frame/CommandTable.h"
#include "frame/StartupChoices.h"
#include "frame/ViewLayout.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The first file whose name ends in "xml" in the folder; empty when there is none.
std::wstring MarkupFileIn(const std::wstring& folder) {
    if (folder.empty())
        return {};
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((folder + L"*xml").c_str(), &found));
    if (!search)
        return {};
    return folder + found.cFileName;
}

HMENU LoadProgramMenu(int id) {
    return LoadMenuW(ProgramInstance(), MAKEINTRESOURCEW(id));
}

}  // namespace

Application::Application(HWND mainWindow, StartOptions options)
    : mainWindow_(mainWindow),
      options_(std::move(options)),
      session_(mainWindow, options_.dataFolder),
      list_(session_.CurrentCatalog(), session_.CurrentSettings()),
      findBox_(
              list_, session_.Lock(),
              [this] {
                  UpdateStatusBar();
                  // A find keeps the selected rows it still shows: the commands' states change
                  // only when some went.
                  const int selected = list_.View().SelectedCount();
                  if (selected != selectionCount_)
                      SetSelectionCount(selected);
              },
              [this] { PostMessageW(mainWindow_, WM_COMMAND, IDM_EDIT_SPECIMEN, 0); }) {
    InitialiseCommonControls();
    SetMainWindow(mainWindow);
}

Application::~Application() {
    // Nothing may still be writing the catalog when it goes away.
    session_.WaitForSaves();
    if (instanceMutex_)
        ReleaseMutex(instanceMutex_.Get());
    if (TQLibrary::MainWindow() == mainWindow_)
        SetMainWindow(nullptr);
}

bool Application::Initialise() {
    const std::wstring product = LoadText(IDS_PRODUCT_NAME);
    instanceMutex_.Reset(CreateMutexW(nullptr, TRUE, product.c_str()));
    if (!instanceMutex_)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        instanceMutex_.Reset();
        Warn(IDS_ALREADY_RUNNING, IDS_DISPLAY_NAME);
        return false;
    }
    // An update being installed ends the start here.
    if (CheckForUpdate(mainWindow_, DataFolder(), false, true, SystemClock()))
        return false;
    if (!splitter_.Create(mainWindow_, [this](int x) { OnSplitterDropped(x); }))
        return false;
    dpi_ = WindowDpi(mainWindow_);
    if (!CreateStatusBar() || !tabs_.Create(mainWindow_, IDC_TAB_STRIP) || !CreateToolbar() || !CreateList())
        return false;
    // At the system's scale the controls' own fonts are right already.
    if (dpi_ != SystemDpi())
        ApplyDpi();
    recent_.Load(mainWindow_);
    DragAcceptFiles(mainWindow_, TRUE);
    tabs_.SetContextMenu(LoadProgramMenu(IDR_TAB_MENU), mainWindow_);
    tabs_.AddTooltip(ProgramInstance(), IDS_TAB_TOOLTIP);
    CurrentCatalog().SetFilePath(ChooseCatalogFile());
    CheckMessages(mainWindow_, SystemClock());
    return SetTimer(mainWindow_, kDeferredLoadTimer, kDeferredLoadDelay, nullptr) != 0;
}

bool Application::CreateToolbar() {
    if (!toolbar_.Create(mainWindow_, IDC_TOOLBAR))
        return false;
    if (toolbar_.LoadImages(ScaledForDpi(32, dpi_))) {
        for (const ToolbarButton& button : ToolbarButtons())
            toolbar_.MapButton(button.image, button.command);
        toolbar_.SetContextMenu(LoadProgramMenu(IDR_TOOLBAR_MENU), mainWindow_);
    }
    toolbar_.SetButtons(CurrentSettings().toolbarButtons);
    return true;
}

bool Application::CreateList() {
    if (!list_.Create(tabs_.Window(), IDC_SPECIMEN_LIST) || !findBox_.Create(tabs_, IDC_FIND_BOX, IDC_FIND_CLEAR))
        return false;
    // The list lives inside the tab strip; its notifications belong to the main window.
    tabs_.ForwardChildNotifications(true);
    list_.View().SetContextMenu(LoadProgramMenu(IDR_LIST_MENU), mainWindow_,
                                [this](HMENU popup, void*) { UpdateMenuStates(popup, list_.View().SelectedCount()); });
    return true;
}

bool Application::CreateStatusBar() {
    statusBar_.Reset(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, mainWindow_,
                                     nullptr, ProgramInstance(), nullptr));
    if (!statusBar_)
        return false;
    if (!CurrentSettings().hideStatusBar)
        ShowWindow(statusBar_.Get(), SW_SHOW);
    return true;
}

std::wstring Application::ChooseCatalogFile() {
    return StartupCatalogFile(
            {options_.commandLine, StoredCatalogPath(), [this] { return MarkupFileIn(options_.programFolder); },
             [this] { return DataFolder() + LoadText(IDS_PRODUCT_NAME) + LoadText(IDS_XML_EXTENSION); }});
}

void Application::OnDeferredLoad() {
    if (loaded_)
        return;
    KillTimer(mainWindow_, kDeferredLoadTimer);
    const std::wstring path = CurrentCatalog().FilePath();
    if (LoadCatalogFile(path, LoadMode::Open))
        recent_.Opened(mainWindow_, path);
    ShowWindow(mainWindow_, SW_SHOW);
    loaded_ = true;
    RefreshViews(RefreshEverything);
}

bool Application::LoadCatalogFile(const std::wstring& path, LoadMode mode) {
    // The rows are drawn from the catalog, which the load changes on its worker.
    list_.Clear();
    const LoadOutcome outcome = session_.Load(path, mode);
    if (outcome.read) {
        {
            CatalogLockGuard guard(Lock());
            ApplyWindowPlacement(CurrentSettings(), mainWindow_);
        }
        toolbar_.SetButtons(CurrentSettings().toolbarButtons);
        // The status bar was made before the catalog said whether it is shown.
        ShowStatusBarAsSet();
    }
    // An older layout is saved in today's at once.
    if (outcome.upgraded)
        SaveCatalog(SaveMode::Silent);
    // A failed load leaves the catalog as it was: show it again.
    if (!outcome.succeeded)
        RefreshViews(RefreshRows);
    return outcome.succeeded;
}

bool Application::OnClose() {
    // A second close (a click while the first waits for saves) must not destroy the window
    // under the first one.
    if (closing_)
        return false;
    closing_ = true;
    EnableWindow(mainWindow_, FALSE);
    KillTimer(mainWindow_, kDeferredLoadTimer);
    if (IsReadOnly()) {
        session_.WaitForSaves();
        return true;
    }
    if (loaded_) {
        CatalogLockGuard guard(Lock());
        list_.SaveColumnWidths(CurrentSettings().trackWindow);
    }
    if (session_.HasChangesToSave())
        SaveCatalog(SaveMode::WithDialog);
    session_.WaitForSaves();
    return true;
}

void Application::OnSize(UINT sizeType, int width, int height) {
    if (sizeType == SIZE_MINIMIZED || sizeType == SIZE_MAXHIDE)
        return;
    if (width > 0 && height > 0)
        Layout(width, height);
    if (loaded_ && sizeType != SIZE_MAXIMIZED && sizeType != SIZE_MAXSHOW)
        RememberWindowPlacement(CurrentSettings(), mainWindow_);
}

void Application::OnMove() {
    if (loaded_)
        RememberWindowPlacement(CurrentSettings(), mainWindow_);
}

void Application::Relayout() {
    RECT client;
    if (GetClientRect(mainWindow_, &client))
        Layout(client.right, client.bottom);
}

void Application::ShowStatusBarAsSet() {
    ShowWindow(statusBar_.Get(), CurrentSettings().hideStatusBar ? SW_HIDE : SW_SHOW);
    Relayout();
}

void Application::Layout(int width, int height) {
    int statusHeight = 0;
    if (HWND status = statusBar_.Get()) {
        SendMessageW(status, WM_SIZE, 0, MAKELPARAM(width, height));
        std::vector<int> edges = StatusPartEdges(kStatusPartPercentages, width);
        if (!edges.empty())
            SendMessageW(status, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        RECT area{};
        if (IsWindowVisible(status) && GetClientRect(status, &area))
            statusHeight = area.bottom;
    }
    const Settings& settings = CurrentSettings();
    MainLayout layout = LayOutMainWindow(
            {width, height, !settings.toolbarButtons.empty(), statusHeight, settings.splitter, dpi_});
    tabs_.Move(layout.tabs.left, layout.tabs.top, layout.tabs.Width(), layout.tabs.Height());
    picture_.SetBox(layout.picture.left, layout.picture.top, layout.picture.Width(), layout.picture.Height());
    PlaceList();
    SetWindowPos(splitter_.Window(), nullptr, layout.splitter.left, layout.splitter.top, layout.splitter.Width(),
                 layout.splitter.Height(), SWP_NOZORDER | SWP_NOREDRAW);
    toolbar_.Refresh();
}

void Application::PlaceList() {
    RECT client;
    if (!tabs_.GetClientRect(client))
        return;
    const ListArea area = ListAreaInTabs({client.left, client.top, client.right, client.bottom}, dpi_);
    findBox_.Place(area.find, area.clear);
    list_.View().Move(area.list.left, area.list.top, area.list.Width(), area.list.Height());
}

void Application::OnSplitterDropped(int x) {
    RECT client;
    if (!GetClientRect(mainWindow_, &client))
        return;
    CurrentSettings().splitter = SplitterAfterDrop(client.right, x);
    Layout(client.right, client.bottom);
    InvalidateRect(mainWindow_, nullptr, FALSE);
}

void Application::RefreshViews(RefreshFlags what) {
    // The lock is the thread's own and may already be held by the caller.
    CatalogLockGuard guard(Lock());
    // Options, categories and loads may change what any specimen is found by.
    if (what != RefreshRows)
        list_.ForgetAllTexts();
    if (what & RefreshColumns)
        list_.ApplyColumns();
    if (what & (RefreshTabs | SelectCurrentTab))
        RebuildTabs(CurrentSettings().currentCategory);
    list_.FillList(tabs_.CurrentText());
    findBox_.PrepareWhileIdle();
    UpdateStatusBar();
    SetSelectionCount(list_.View().SelectedCount());
}

void Application::RebuildTabs(const std::wstring& current) {
    TabPlan plan = PlanTabs(CurrentCatalog(), current);
    tabs_.ReplaceTabs(plan.names);
    tabs_.Select(plan.selected);
    if (plan.selected == static_cast<int>(plan.names.size()) - 1)
        CurrentSettings().currentCategory = plan.names.back();
}

void Application::OnTabChanged() {
    CatalogLockGuard guard(Lock());
    CurrentSettings().currentCategory = tabs_.CurrentText();
    RefreshViews(RefreshRows);
    UpdateToolbarStates(0);
}

void Application::UpdateStatusBar() {
    HWND status = statusBar_.Get();
    if (status == nullptr)
        return;
    const std::wstring& current = CurrentSettings().currentCategory;
    std::wstring category = current.empty() ? LoadText(IDS_ALL_CATEGORIES) : current;
    const int count = CurrentCatalog().CountInFilter(category);
    std::wstring counted = list_.Filtered() ? CategoryCountText(category, count, list_.ShownCount())
                                            : CategoryCountText(category, count);
    std::wstring readOnly = IsReadOnly() ? LoadText(IDS_READ_ONLY_STATUS) : std::wstring();
    SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(counted.c_str()));
    SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(readOnly.c_str()));
    SendMessageW(status, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L""));
}

void Application::OnMenuSelect(int item, UINT flags, HMENU menu) {
    HWND status = statusBar_.Get();
    if (status == nullptr)
        return;
    const std::optional<std::wstring> path = (flags & (MF_POPUP | MF_SEPARATOR)) == 0 ? recent_.PathOf(item)
                                                                                      : std::nullopt;
    const bool closed = flags == 0xFFFF && menu == nullptr;
    SendMessageW(status, SB_SIMPLE, path && !closed, 0);
    if (path && !closed)
        SendMessageW(status, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(path->c_str()));
}

void Application::ApplyDpi() {
    guiFont_ = GuiFontForDpi(dpi_);
    listFont_ = IconTitleFontForDpi(dpi_);
    for (HWND window : {tabs_.Window(), statusBar_.Get()})
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont_.Get()), TRUE);
    findBox_.SetFont(guiFont_.Get());
    SendMessageW(list_.View().Window(), WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), TRUE);
    toolbar_.LoadImages(ScaledForDpi(32, dpi_));
    smallIcon_ = ProgramIconForDpi(kProgramResourceName, true, dpi_);
    bigIcon_ = ProgramIconForDpi(kProgramResourceName, false, dpi_);
    SendMessageW(mainWindow_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    SendMessageW(mainWindow_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
}

void Application::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    // What the user sized stays the same size to the eye.
    CurrentSettings().splitter = MulDiv(CurrentSettings().splitter, dpi, dpi_);
    list_.View().ScaleColumnWidths(dpi, dpi_);
    dpi_ = dpi;
    ApplyDpi();
    SetWindowPos(mainWindow_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Relayout();
    InvalidateRect(mainWindow_, nullptr, TRUE);
}

void Application::OnDropFiles(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(std::move(path));
    }
    DragFinish(drop);
    if (!closing_)
        OpenDroppedFiles(*this, paths, GetKeyState(VK_SHIFT) < 0);
}

void Application::SetSelectionCount(int count) {
    selectionCount_ = count;
    RequestSelectedPicture();
    UpdateMenuStates(GetMenu(mainWindow_), count);
    UpdateToolbarStates(count);
}

void Application::RequestSelectedPicture() {
    if (!picturePending_)
        picturePending_ = PostMessageW(mainWindow_, kShowPictureMessage, 0, 0) != FALSE;
}

void Application::ShowSelectedPicture() {
    picturePending_ = false;
    picture_.Clear(mainWindow_);
    const std::vector<std::uint8_t> bytes = SelectedSpecimenPicture(session_, list_);
    if (!bytes.empty())
        picture_.Decode(mainWindow_, bytes);
}

void Application::OnPaint() {
    PaintDC paint(mainWindow_);
    HDC dc = paint.Get();
    if (dc == nullptr)
        return;
    // The status bar covers the pane's lower edge: the picture goes under it, not over it.
    RECT status;
    if (IsWindowVisible(statusBar_.Get()) && GetWindowRect(statusBar_.Get(), &status)) {
        MapWindowPoints(nullptr, mainWindow_, reinterpret_cast<POINT*>(&status), 2);
        ExcludeClipRect(dc, status.left, status.top, status.right, status.bottom);
    }
    picture_.PaintFitted(dc);
}

void Application::OnLeftButtonDown(int x, int y) {
    if (picture_.HitTest(x, y))
        ShowPicturePopup(mainWindow_, picture_);
}

void Application::UpdateToolbarStates(int selectionCount) {
    for (const CommandState& state : ToolbarStates(selectionCount, session_.RestoreAvailable()))
        toolbar_.EnableButton(state.command, state.enabled);
}

void Application::UpdateMenuStates(HMENU menu, int selectionCount) {
    if (menu == nullptr)
        return;
    for (const CommandState& state : MenuStates(selectionCount, session_.RestoreAvailable())) {
        EnableMenuItem(menu, static_cast<UINT>(state.command),
                       MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
    }
    DrawMenuBar(mainWindow_);
}

bool Application::DispatchCommand(int id) {
    const CommandRow* row = FindCommand(id);
    if (row == nullptr)
        return false;
    // The window is closing and waits for its saves: nothing more may start.
    if (closing_)
        return true;
    if (IsReadOnly() && row->readOnly == ReadOnlyRule::Refuses) {
        Inform(IDS_READ_ONLY, IDS_DISPLAY_NAME);
        return true;
    }
    // Commands whose handlers are still to come do nothing until then.
    if (CommandHandler handler = FindHandler(row->group, id))
        handler(*this);
    return true;
}

LRESULT Application::OnListNotify(NMHDR& header) {
    switch (header.code) {
        case LVN_ITEMACTIVATE:
            DispatchCommand(IDM_EDIT_SPECIMEN);
            break;
        case LVN_GETDISPINFOW:
            list_.View().OnGetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
            break;
        case LVN_COLUMNCLICK: {
            CatalogLockGuard guard(Lock());
            list_.OnHeaderClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            break;
        }
        case LVN_ITEMCHANGED:
            OnListItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
            break;
        case LVN_ODSTATECHANGED:
            // A range of rows selected at once (shift-click).
            SetSelectionCount(list_.View().SelectedCount());
            break;
        default:
            break;
    }
    return 0;
}

LRESULT Application::OnTabNotify(NMHDR& header) {
    if (header.code == TCN_SELCHANGE)
        OnTabChanged();
    return 0;
}

void Application::OnListItemChanged(const NMLISTVIEW& change) {
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

}  // namespace TQLibrary
