// Export and import of comma-separated and markup files.
#include "app/commands/ExchangeCommands.h"

#include "app/commands/CommandHandlers.h"
#include "app/commands/ExportCommand.h"
#include "app/commands/HistoryCommands.h"
#include "app/dialogs/ExportDialog.h"
#include "app/framework/FileChooser.h"
#include "app/framework/Messages.h"
#include "app/main/Application.h"
#include "base/StringTable.h"
#include "catalog/CommaSeparated.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

std::wstring ChooseFileToImport(Application& application) {
    FileChooser chooser;
    chooser.title = LoadText(IDS_IMPORT_TITLE);
    chooser.defaultExtension = LoadText(IDS_XML_EXTENSION);
    chooser.path = LoadText(IDS_PRODUCT_NAME);
    {
        CatalogLockGuard guard(application.Lock());
        chooser.initialFolder = application.CurrentSettings().lastFolder;
    }
    chooser.filter = FileFilter({{LoadText(IDS_CSV_FILES), LoadText(IDS_CSV_PATTERN)},
                                 {LoadText(IDS_XML_FILES), LoadText(IDS_XML_PATTERN)}});
    std::wstring name = chooser.ChooseOpenFile(application.MainWindow());
    if (!name.empty()) {
        CatalogLockGuard guard(application.Lock());
        application.CurrentSettings().SetLastFolder(name, true);
    }
    return name;
}

void OnImport(Application& application) {
    // What the import replaces is on disk first.
    application.Session().SaveIfDue();
    const std::wstring name = ChooseFileToImport(application);
    if (!name.empty())
        ImportFile(application, name);
}

void OnExport(Application& application) {
    ExportChoice choice;
    if (ChooseExport(application, choice))
        WriteExport(application, choice);
}

// clang-format off
constexpr HandlerEntry kHandlers[] = {
        {IDM_EXPORT, OnExport},
        {IDM_IMPORT, OnImport},
};
// clang-format on

}  // namespace

void ImportFile(Application& application, const std::wstring& name) {
    CatalogSession& session = application.Session();
    const int answer = AskYesNoCancel(IDS_IMPORT_QUESTION, IDS_DISPLAY_NAME);
    if (answer == IDCANCEL)
        return;
    const bool addMode = answer == IDNO;
    // An import that adds only appends; one that replaces hands over what it replaced.
    ChangeRecorder recorder = WatchNewSpecimens(application);
    if (IsCommaSeparatedName(name)) {
        // The rows are drawn from the catalog, which the import changes on its worker.
        application.List().Clear();
        const ImportProblem problem = session.ImportCommaSeparatedFile(name, addMode);
        if (problem != ImportProblem::None) {
            application.RefreshViews(RefreshRows);
            // The user who cancelled knows why nothing was imported.
            if (problem != ImportProblem::Cancelled)
                WarnText(NothingImportedText(problem, name), IDS_DISPLAY_NAME);
            return;
        }
    } else if (!application.LoadCatalogFile(name, addMode ? LoadMode::Add : LoadMode::Restore)) {
        // A replacing markup import reads the file and copies it over the catalog file, as a
        // restore does with the backup; the catalog file stays the one the user works in.
        return;
    }
    if (addMode) {
        CatalogLockGuard guard(application.Lock());
        RecordChange(application, recorder, ActionName(IDS_ACTION_IMPORT));
    } else {
        RecordReplacement(application, recorder, ActionName(IDS_ACTION_IMPORT));
    }
    if (session.HasUnsavedChanges())
        application.SaveCatalog(SaveMode::Silent);
    application.RefreshViews(RefreshEverything);
}

std::span<const HandlerEntry> ExchangeCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
