// The commands on the list's specimens: add, edit, delete, copy, move to other categories.
// Each changes the catalog under the catalog lock and has the change saved at once; the dialogs
// and questions come first, before the lock is taken.
#include <unordered_set>

#include "app/commands/CommandHandlers.h"
#include "app/commands/HistoryCommands.h"
#include "app/dialogs/ChangeCategoryDialog.h"
#include "app/dialogs/SpecimenDialog.h"
#include "app/framework/Messages.h"
#include "app/main/Application.h"
#include "catalog/PictureFiles.h"
#include "catalog/PictureNames.h"
#include "resources/resource.h"
#include "specimens/BatchEdit.h"

namespace TQLibrary {

namespace {

// A picture chosen in the dialog never takes the file name of a different picture: two
// cameras both call their first picture IMG_0001.JPG.
void KeepPictureApart(Application& application, Specimen& specimen) {
    const Catalog& catalog = application.CurrentCatalog();
    const std::wstring folder = application.CurrentSettings().storeImages ? std::wstring()
                                                                          : PictureFolderOf(catalog.FilePath());
    specimen.pictureName = FreePictureName(catalog, specimen, folder);
}

// Files a new specimen, shows its row selected and has the catalog saved.
void StoreNewSpecimen(Application& application, Specimen specimen, ChangeRecorder& recorder, unsigned actionId) {
    Catalog& catalog = application.CurrentCatalog();
    catalog.AddSpecimen(std::move(specimen));
    RecordChange(application, recorder, ActionName(actionId));
    application.List().ShowNewRow(catalog.Specimens().back());
    application.UpdateStatusBar();
    application.SaveCatalog(SaveMode::Silent);
}

void OnAddSpecimen(Application& application) {
    Specimen specimen;
    if (!RunSpecimenDialog(application, specimen, {.readOnly = false, .newSpecimen = true}))
        return;
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(application.CurrentCatalog(), {});
    // The next new specimen starts from these.
    Settings& settings = application.CurrentSettings();
    settings.lastAbundance = specimen.abundance;
    settings.lastCollector = specimen.collector;
    settings.lastDate = specimen.dateCollected;
    settings.lastLocation = specimen.location;
    KeepPictureApart(application, specimen);
    StoreNewSpecimen(application, std::move(specimen), recorder, IDS_ACTION_ADD_SPECIMEN);
}

// The catalog's specimens with these ids, in file order, found in one pass.
std::vector<Specimen*> SpecimensWithIds(Catalog& catalog, const std::vector<std::int32_t>& ids) {
    const std::unordered_set<std::int32_t> wanted(ids.begin(), ids.end());
    std::vector<Specimen*> found;
    for (Specimen& specimen : catalog.Specimens()) {
        if (wanted.contains(specimen.id))
            found.push_back(&specimen);
    }
    return found;
}

// Many specimens in one dialog: what the user changed goes into each of them, as one change.
void EditSpecimens(Application& application, const std::vector<std::int32_t>& ids) {
    Catalog& catalog = application.CurrentCatalog();
    const std::vector<Specimen*> specimens = SpecimensWithIds(catalog, ids);
    BatchEdit edit;
    if (!RunBatchSpecimenDialog(application, {specimens.begin(), specimens.end()}, application.IsReadOnly(), edit) ||
        edit.ChangesNothing())
        return;
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(catalog, ids);
    if (edit.picture == BatchEdit::Picture::Set) {
        // One picture shared by all, under a name no other picture has.
        Specimen carrier;
        carrier.pictureName = edit.pictureName;
        carrier.pictureData = edit.pictureData;
        KeepPictureApart(application, carrier);
        edit.pictureName = carrier.pictureName;
    }
    for (Specimen* specimen : specimens)
        ApplyBatchEdit(edit, *specimen);
    for (const auto& [field, text] : edit.fields) {
        if (field == kFieldColour)
            catalog.AddColour(text);
    }
    RecordChange(application, recorder, ActionName(IDS_ACTION_EDIT_SPECIMENS, std::to_wstring(specimens.size())));
    SpecimenList& list = application.List();
    for (std::int32_t id : ids) {
        list.ForgetText(id);
        list.KeepShown(id);
    }
    list.Resort();
    application.SaveCatalog(SaveMode::Silent);
}

void OnEditSpecimen(Application& application) {
    if (const std::vector<std::int32_t> ids = application.List().SelectedIds(); ids.size() > 1) {
        EditSpecimens(application, ids);
        return;
    }
    const Specimen* selected = application.List().SelectedSpecimen();
    if (selected == nullptr)
        return;
    Specimen edited = *selected;
    if (!RunSpecimenDialog(application, edited, {.readOnly = application.IsReadOnly()}))
        return;
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(application.CurrentCatalog(), {edited.id});
    KeepPictureApart(application, edited);
    application.CurrentCatalog().ReplaceSpecimen(edited.id, edited);
    RecordChange(application, recorder,
                 ActionName(IDS_ACTION_EDIT_SPECIMEN, edited.tag.empty() ? edited.latinName : edited.tag));
    // The texts may have moved the row; it stays selected wherever it goes, and shown even
    // when the find text no longer matches it.
    SpecimenList& list = application.List();
    list.ForgetText(edited.id);
    list.KeepShown(edited.id);
    list.Resort();
    application.SaveCatalog(SaveMode::Silent);
}

void OnDeleteSpecimen(Application& application) {
    const std::vector<std::int32_t> ids = application.List().SelectedIds();
    if (ids.empty() || !Ask(IDS_DELETE_QUESTION, IDS_DISPLAY_NAME))
        return;
    CatalogLockGuard guard(application.Lock());
    // The deleted specimens move into the history, never copied.
    ChangeRecorder recorder(application.CurrentCatalog(), {});
    SpecimenList& list = application.List();
    list.View().SetRedraw(false);
    list.RemoveRows(ids);
    const size_t removed = recorder.RemoveSpecimens(application.CurrentCatalog(), ids);
    list.View().SetRedraw(true);
    if (removed == 0)
        return;
    RecordChange(application, recorder,
                 removed == 1 ? ActionName(IDS_ACTION_DELETE_SPECIMEN)
                              : ActionName(IDS_ACTION_DELETE_SPECIMENS, std::to_wstring(removed)));
    application.UpdateStatusBar();
    application.SaveCatalog(SaveMode::Silent);
}

void OnCopySpecimen(Application& application) {
    const Specimen* selected = application.List().SelectedSpecimen();
    if (selected == nullptr)
        return;
    // Everything is copied, the tag and the picture included; the copy gets an id of its own.
    Specimen copy = *selected;
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(application.CurrentCatalog(), {});
    StoreNewSpecimen(application, std::move(copy), recorder, IDS_ACTION_COPY_SPECIMEN);
}

void OnChangeCategory(Application& application) {
    const std::vector<std::int32_t> ids = application.List().SelectedIds();
    if (ids.empty())
        return;
    std::vector<std::wstring> chosen;
    if (!AskNewCategories(application.MainWindow(), application.CurrentCatalog().Categories(), application.IsReadOnly(),
                          chosen))
        return;
    CatalogLockGuard guard(application.Lock());
    ChangeRecorder recorder(application.CurrentCatalog(), ids);
    // The chosen categories replace each specimen's own: the specimens move.
    application.CurrentCatalog().SetSpecimensCategories(ids, chosen);
    RecordChange(application, recorder, ActionName(IDS_ACTION_CHANGE_CATEGORY));
    for (std::int32_t id : ids)
        application.List().ForgetText(id);
    // Only listed categories can be chosen, so the tabs stay as they are.
    application.RefreshViews(RefreshRows);
    application.SaveCatalog(SaveMode::Silent);
}

void OnSelectAll(Application& application) {
    application.List().View().SelectAll();
}

void OnFind(Application& application) {
    application.Find().Focus();
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_ADD_SPECIMEN, OnAddSpecimen},
        {IDM_EDIT_SPECIMEN, OnEditSpecimen},
        {IDM_DELETE_SPECIMEN, OnDeleteSpecimen},
        {IDM_COPY_SPECIMEN, OnCopySpecimen},
        {IDM_CHANGE_CATEGORY, OnChangeCategory},
        {IDM_SELECT_ALL, OnSelectAll},
        {IDM_FIND, OnFind},
};

}  // namespace

std::span<const HandlerEntry> SpecimenCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
