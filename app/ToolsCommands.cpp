// Options, statistics, printing, the columns, the toolbar and the transfer of the program.
#include "app/Application.h"
#include "app/ColumnsDialog.h"
#include "app/CommandHandlers.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// A setting changed by a dialog is kept at once, as every other change is.
void SaveSettingsIfChanged(TQAppWindows& application) {
    CatalogSession& session = application.Session();
    if (session.CurrentSettings().DiffersFrom(session.SavedSettings()))
        application.SaveCatalog(SaveMode::Silent);
}

void OnCustomizeToolbar(TQAppWindows& application) {
    TQToolbar& toolbar = application.Toolbar();
    SendMessageW(toolbar.Window(), TB_CUSTOMIZE, 0, 0);
    application.UpdateToolbarStates(application.SelectionCount());
    CatalogLockGuard guard(application.Lock());
    toolbar.StoreButtons(application.CurrentSettings().toolbarButtons);
    // A toolbar emptied, or filled from empty, is hidden or shown and the views move.
    application.Relayout();
    SaveSettingsIfChanged(application);
}

void OnCustomizeColumns(TQAppWindows& application) {
    CatalogLockGuard guard(application.Lock());
    if (!CustomizeColumns(application.MainWindow(), application.CurrentSettings().columns, application.IsReadOnly()))
        return;
    application.RefreshViews(RefreshColumns);
    SaveSettingsIfChanged(application);
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_CUSTOMIZE_TOOLBAR, OnCustomizeToolbar},
        {IDM_CUSTOMIZE_COLUMNS, OnCustomizeColumns},
};

}  // namespace

std::span<const HandlerEntry> ToolsCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
