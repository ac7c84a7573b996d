// Add, rename, delete and move categories, and step through the tabs.
#include <algorithm>

#include "app/commands/CommandHandlers.h"
#include "app/commands/HistoryCommands.h"
#include "app/dialogs/CategoryDialog.h"
#include "app/main/Application.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "frame/CategoryTabs.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

bool IsAllCategories(std::wstring_view name) {
    return name.empty() || SameText(name, LoadText(IDS_ALL_CATEGORIES));
}

void OnAddCategory(Application& application) {
    std::wstring name;
    if (!AskCategoryName(application.MainWindow(), name, CategoryNameUse::NewCategory, application.IsReadOnly()))
        return;
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(application.CurrentCatalog(), {});
    application.CurrentCatalog().AddCategory(name);
    RecordChange(application, recorder, ActionName(IDS_ACTION_ADD_CATEGORY, name));
    application.CurrentSettings().currentCategory = name;
    // The list and the status bar follow the new tab: empty for a new category, the
    // specimens of one that already had the name.
    application.RefreshViews(RefreshTabs);
    application.SaveCatalog(SaveMode::Silent);
}

void OnEditCategory(Application& application) {
    const std::wstring current = application.CurrentSettings().currentCategory;
    if (IsAllCategories(current))
        return;
    std::wstring name = current;
    if (!AskCategoryName(application.MainWindow(), name, CategoryNameUse::Rename, application.IsReadOnly()) ||
        IsAllCategories(name))
        return;
    CatalogLockGuard guard(application.Lock());
    Catalog& catalog = application.CurrentCatalog();
    const size_t before = catalog.Categories().size();
    ChangeRecorder recorder(catalog, IdsInCategory(catalog, current));
    catalog.RenameCategory(current, name);
    RecordChange(application, recorder, ActionName(IDS_ACTION_RENAME_CATEGORY, current));
    // The specimens are found by their categories' names.
    application.List().ForgetAllTexts();
    application.CurrentSettings().currentCategory = name;
    // A rename onto an existing name merged two categories: their tabs become one.
    const bool merged = catalog.Categories().size() != before;
    if (!merged)
        application.Tabs().SetCurrentText(name);
    application.SaveCatalog(SaveMode::Silent);
    // The rows' texts are the list's own copies: refill them to show the new name.
    application.RefreshViews(merged ? RefreshTabs : RefreshRows);
}

void OnDeleteCategory(Application& application) {
    const std::wstring current = application.CurrentSettings().currentCategory;
    if (IsAllCategories(current))
        return;
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(application.CurrentCatalog(), IdsInCategory(application.CurrentCatalog(), current));
    if (!application.CurrentCatalog().DeleteCategory(current))
        return;
    RecordChange(application, recorder, ActionName(IDS_ACTION_DELETE_CATEGORY, current));
    application.Tabs().DeleteCurrentTab();
    application.CurrentSettings().currentCategory = application.Tabs().CurrentText();
    application.SaveCatalog(SaveMode::Silent);
    application.RefreshViews(RefreshTabs);
}

enum class Direction { Left, Right };

void MoveCurrentCategory(Application& application, Direction direction) {
    CatalogLockGuard guard(application.Lock());
    const std::wstring current = application.CurrentSettings().currentCategory;
    ChangeRecorder recorder(application.CurrentCatalog(), {});
    if (!application.CurrentCatalog().MoveCategory(current, direction == Direction::Right))
        return;
    RecordChange(application, recorder, ActionName(IDS_ACTION_MOVE_CATEGORY, current));
    // Two tabs change places: their texts are swapped, since rebuilding a strip of many tabs
    // takes long.
    TQTabWin& tabs = application.Tabs();
    const int from = tabs.CurrentIndex();
    const int to = from + (direction == Direction::Right ? 1 : -1);
    const std::vector<std::wstring>& categories = application.CurrentCatalog().Categories();
    if (from < 0 || to < 0 || static_cast<size_t>(std::max(from, to)) >= categories.size()) {
        application.RebuildTabs(current);
    } else {
        tabs.SetText(from, categories[static_cast<size_t>(from)]);
        tabs.SetText(to, categories[static_cast<size_t>(to)]);
        tabs.Select(to);
    }
    application.UpdateStatusBar();
    application.SaveCatalog(SaveMode::Silent);
}

void OnMoveCategoryLeft(Application& application) {
    MoveCurrentCategory(application, Direction::Left);
}

void OnMoveCategoryRight(Application& application) {
    MoveCurrentCategory(application, Direction::Right);
}

void OnNextCategory(Application& application) {
    CatalogLockGuard guard(application.Lock());
    TQTabWin& tabs = application.Tabs();
    tabs.Select(NextTabIndex(application.CurrentCatalog().Categories(), tabs.CurrentText()));
    // The list follows the tab, as after a click on it.
    application.OnTabChanged();
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_ADD_CATEGORY, OnAddCategory},
        {IDM_EDIT_CATEGORY, OnEditCategory},
        {IDM_DELETE_CATEGORY, OnDeleteCategory},
        {IDM_MOVE_CATEGORY_LEFT, OnMoveCategoryLeft},
        {IDM_MOVE_CATEGORY_RIGHT, OnMoveCategoryRight},
        {IDM_NEXT_CATEGORY, OnNextCategory},
};

}  // namespace

std::span<const HandlerEntry> CategoryCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
