// Options, statistics, printing, the columns, the toolbar and the transfer of the program.
#include "app/commands/CommandHandlers.h"
#include "app/commands/HistoryCommands.h"
#include "app/commands/TransferCommand.h"
#include "app/dialogs/ColumnsDialog.h"
#include "app/dialogs/OptionsDialog.h"
#include "app/main/Application.h"
#include "app/online/MessageSwitch.h"
#include "app/printing/ReportCommands.h"
#include "base/Clock.h"
#include "catalog/OptionsForm.h"
#include "catalog/RestyleDates.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

void OnCustomizeToolbar(Application& application) {
    TQToolbar& toolbar = application.Toolbar();
    SendMessageW(toolbar.Window(), TB_CUSTOMIZE, 0, 0);
    application.UpdateToolbarStates(application.SelectionCount());
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(application.CurrentCatalog(), {});
    toolbar.StoreButtons(application.CurrentSettings().toolbarButtons);
    RecordChange(application, recorder, ActionName(IDS_ACTION_TOOLBAR));
    // A toolbar emptied, or filled from empty, is hidden or shown and the views move.
    application.Relayout();
    application.SaveSettingsIfChanged();
}

void OnCustomizeColumns(Application& application) {
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(application.CurrentCatalog(), {});
    if (!CustomizeColumns(application.MainWindow(), application.CurrentSettings().columns, application.IsReadOnly()))
        return;
    RecordChange(application, recorder, ActionName(IDS_ACTION_COLUMNS));
    application.RefreshViews(RefreshColumns);
    application.SaveSettingsIfChanged();
}

// The command table refuses Options on a read-only catalog before this runs.
void OnOptions(Application& application) {
    const bool messagesShown = MessagesEnabled();
    OptionsForm form = FormOf(application.CurrentSettings(), messagesShown);
    if (!EditOptions(application.MainWindow(), form))
        return;
    // The daily message reads its switch from the registry: written only when the box changed.
    if (form.showMessages != messagesShown)
        SetMessagesEnabled(form.showMessages);
    CatalogLockGuard guard(application.Lock());
    Settings& settings = application.CurrentSettings();
    const int oldStyle = settings.dateStyle;
    // A new date style restyles the dates of any specimen: the step keeps those it rewrites.
    Catalog& catalog = application.CurrentCatalog();
    ChangeRecorder recorder(catalog, {});
    StoreForm(form, settings);
    if (settings.dateStyle != oldStyle)
        RestyleDates(catalog, oldStyle, settings.dateStyle, SystemClock(),
                     [&](size_t place) { recorder.Watch(catalog, place); });
    RecordChange(application, recorder, ActionName(IDS_ACTION_OPTIONS));
    application.ShowStatusBarAsSet();
    // The captions of the user fields head their columns.
    application.RefreshViews(RefreshColumns);
    application.SaveSettingsIfChanged();
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_OPTIONS, OnOptions},
        {IDM_CUSTOMIZE_TOOLBAR, OnCustomizeToolbar},
        {IDM_CUSTOMIZE_COLUMNS, OnCustomizeColumns},
        {IDM_PRINT, PrintReport},
        {IDM_STATISTICS, ShowCatalogStatistics},
        {IDM_TRANSFER_APPLICATION, TransferApplication},
};

}  // namespace

std::span<const HandlerEntry> ToolsCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
