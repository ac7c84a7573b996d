// Undo and redo of every change. Each is a change like any other: saved at once, the views
// brought up to date and the specimens it brought back or changed selected.
#include "app/commands/HistoryCommands.h"

#include "app/commands/CommandHandlers.h"
#include "app/main/Application.h"
#include "base/StringTable.h"
#include "base/TextSplit.h"
#include "catalog/Catalog.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

void SetItem(HMENU menu, int command, bool enabled, const std::wstring& text) {
    ModifyMenuW(menu, static_cast<UINT>(command), MF_BYCOMMAND | MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                static_cast<UINT_PTR>(command), text.c_str());
}

std::vector<std::int32_t> IdsOf(const std::vector<PlacedSpecimen>& side) {
    std::vector<std::int32_t> ids;
    ids.reserve(side.size());
    for (const PlacedSpecimen& placed : side)
        ids.push_back(placed.specimen.id);
    return ids;
}

void Apply(Application& application, bool redo) {
    {
        CatalogLockGuard guard(application.Lock());
        CatalogHistory& history = application.Session().History();
        const CatalogStep* step = redo ? history.Redo(application.CurrentCatalog())
                                       : history.Undo(application.CurrentCatalog());
        if (step == nullptr)
            return;
        const std::vector<std::int32_t> shown = IdsOf(redo ? step->after : step->before);
        // What the find looks through changed for these; those back stay shown whatever is found.
        SpecimenList& list = application.List();
        for (const std::vector<PlacedSpecimen>* side : {&step->before, &step->after}) {
            for (const PlacedSpecimen& placed : *side)
                list.ForgetText(placed.specimen.id);
        }
        for (std::int32_t id : shown)
            list.KeepShown(id);
        RefreshFlags views = RefreshRows;
        if (step->categoriesChanged)
            views = views | RefreshTabs | SelectCurrentTab;
        if (step->settingsChanged)
            views = views | RefreshColumns;
        application.RefreshViews(views);
        if (step->settingsChanged) {
            application.Toolbar().SetButtons(application.CurrentSettings().toolbarButtons);
            application.ShowStatusBarAsSet();
        }
        list.SelectSpecimens(shown);
        application.SaveCatalog(SaveMode::Silent);
    }
    ShowHistoryItems(application);
}

void OnUndo(Application& application) {
    Apply(application, false);
}

void OnRedo(Application& application) {
    Apply(application, true);
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_UNDO, OnUndo},
        {IDM_REDO, OnRedo},
};

}  // namespace

void RecordChange(Application& application, ChangeRecorder& recorder, const std::wstring& action) {
    if (std::optional<CatalogStep> step = recorder.Finish(application.CurrentCatalog(), action))
        application.Session().History().Record(std::move(*step));
    ShowHistoryItems(application);
}

void RecordReplacement(Application& application, ChangeRecorder& recorder, const std::wstring& action) {
    CatalogLockGuard guard(application.Lock());
    recorder.TakeReplaced(application.Session().TakeReplacedSpecimens());
    RecordChange(application, recorder, action);
}

ChangeRecorder WatchNewSpecimens(Application& application) {
    CatalogLockGuard guard(application.Lock());
    return ChangeRecorder(application.CurrentCatalog(), {});
}

void ClearHistory(Application& application) {
    application.Session().History().Clear();
    ShowHistoryItems(application);
}

void ShowHistoryItems(Application& application) {
    HMENU menu = GetMenu(application.MainWindow());
    if (menu == nullptr)
        return;
    const CatalogHistory& history = application.Session().History();
    SetItem(menu, IDM_UNDO, history.CanUndo(),
            history.CanUndo() ? FillIn(LoadText(IDS_UNDO_ITEM), {history.UndoAction()}) : LoadText(IDS_UNDO_NOTHING));
    SetItem(menu, IDM_REDO, history.CanRedo(),
            history.CanRedo() ? FillIn(LoadText(IDS_REDO_ITEM), {history.RedoAction()}) : LoadText(IDS_REDO_NOTHING));
}

std::wstring ActionName(unsigned textId, const std::wstring& value) {
    return FillIn(LoadText(textId), {value});
}

std::vector<std::int32_t> IdsInCategory(const Catalog& catalog, const std::wstring& category) {
    std::vector<std::int32_t> ids;
    for (const Specimen& specimen : catalog.Specimens()) {
        if (Catalog::IsInFilter(specimen, category))
            ids.push_back(specimen.id);
    }
    return ids;
}

std::span<const HandlerEntry> HistoryCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
