#include "app/dialogs/ExportDialog.h"

#include "app/framework/Dialogs.h"
#include "app/framework/FileChooser.h"
#include "app/framework/Messages.h"
#include "app/framework/TQComboBox.h"
#include "app/main/Application.h"
#include "base/DataFile.h"
#include "base/StringTable.h"
#include "base/TextSplit.h"
#include "catalog/CommaSeparated.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

bool IsChecked(HWND dialog, int item) {
    return IsDlgButtonChecked(dialog, item) == BST_CHECKED;
}

void Check(HWND dialog, int item, bool checked) {
    CheckDlgButton(dialog, item, checked ? BST_CHECKED : BST_UNCHECKED);
}

// Two categories may differ only in letter case, so case twins are kept.
void FillCategories(TQComboBox& box, const Catalog& catalog) {
    box.AddEntry(LoadText(IDS_ALL_CATEGORIES), 0);
    std::int32_t data = 0;
    for (const std::wstring& category : catalog.Categories())
        box.AddEntry(category, ++data);
    box.FillAndSelectData(0);
}

// The full paths Windows would open, compared ignoring case as Windows does.
bool IsSameFile(const std::wstring& a, const std::wstring& b) {
    const auto full = [](const std::wstring& path) {
        std::wstring result(32768, L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(result.size()), result.data(), nullptr);
        result.resize(length > 0 && length < result.size() ? length : 0);
        return result.empty() ? path : result;
    };
    return CompareStringOrdinal(full(a).c_str(), -1, full(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct ExportDialog {
    Application& application;
    ExportChoice& choice;
    std::wstring confirmedPath;  // the file the chooser already asked to replace
    TQComboBox category{false, CaseTwins::Kept};

    void OnInitDialog(HWND dialog) {
        // Exporting changes nothing, so a read-only catalog exports too.
        PrepareDialog(dialog, false);
        category.Attach(GetDlgItem(dialog, IDC_EXPORT_CATEGORY));
        FillCategories(category, application.CurrentCatalog());
        Check(dialog, IDC_EXPORT_ALL_DATA, true);
        FollowPath(dialog);
    }

    void OnCommand(HWND dialog, int item, int) {
        switch (item) {
            case IDC_EXPORT_PATH:
            case IDC_EXPORT_PICTURES:
                FollowPath(dialog);
                break;
            case IDC_EXPORT_BROWSE:
                Browse(dialog);
                break;
            case IDOK:
                OnOk(dialog);
                break;
            default:
                break;
        }
    }

    // Only a comma-separated file has columns to choose and an encoding; any other file is all
    // data.
    static void FollowPath(HWND dialog) {
        const std::wstring path = ItemText(dialog, IDC_EXPORT_PATH);
        const bool commaSeparated = IsCommaSeparatedName(path);
        for (int item : {IDC_EXPORT_ALL_DATA, IDC_EXPORT_SELECTED_COLUMNS, IDC_EXPORT_PRESERVE_UNICODE})
            EnableWindow(GetDlgItem(dialog, item), commaSeparated ? TRUE : FALSE);
        if (!commaSeparated && !path.empty()) {
            Check(dialog, IDC_EXPORT_ALL_DATA, true);
            Check(dialog, IDC_EXPORT_SELECTED_COLUMNS, false);
        }
    }

    void Browse(HWND dialog) {
        FileChooser chooser;
        chooser.title = LoadText(IDS_EXPORT_TITLE);
        chooser.replaceQuestion = LoadText(IDS_OVERWRITE_QUESTION);
        chooser.defaultExtension = LoadText(IDS_XML_EXTENSION);
        chooser.path = LoadText(IDS_PRODUCT_NAME);
        chooser.initialFolder = application.CurrentSettings().lastFolder;
        chooser.filter = FileFilter({{LoadText(IDS_CSV_FILES), LoadText(IDS_CSV_PATTERN)},
                                     {LoadText(IDS_XML_FILES), LoadText(IDS_XML_PATTERN)}});
        const std::wstring path = chooser.ChooseSaveFile(dialog);
        if (path.empty())
            return;
        SetDlgItemTextW(dialog, IDC_EXPORT_PATH, path.c_str());
        confirmedPath = path;
        // A save may be reading the settings: they change under the lock.
        CatalogLockGuard guard(application.Lock());
        application.CurrentSettings().SetLastFolder(path, true);
    }

    // An export never replaces the open catalog or its backup: the next start would take the cut-down
    // file as the catalog. Any other file is replaced only when the user says so.
    bool MayWrite(HWND dialog, const std::wstring& path) const {
        const std::wstring& catalogPath = application.CurrentCatalog().FilePath();
        if (!catalogPath.empty() &&
            (IsSameFile(path, catalogPath) || IsSameFile(path, catalogPath + LoadText(IDS_BACKUP_EXTENSION)))) {
            WarnText(FillIn(LoadText(IDS_EXPORT_ONTO_CATALOG), {path}), IDS_DISPLAY_NAME, dialog);
            return false;
        }
        if (path == confirmedPath || !FileExists(path))
            return true;
        const std::wstring caption = LoadText(IDS_DISPLAY_NAME);
        const std::wstring question = LoadText(IDS_TRANSFER_OVERWRITE);
        return MessageBoxW(dialog, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
    }

    void OnOk(HWND dialog) {
        choice.path = ItemText(dialog, IDC_EXPORT_PATH);
        if (choice.path.empty()) {
            EndDialog(dialog, IDCANCEL);
            return;
        }
        if (!MayWrite(dialog, choice.path))
            return;
        if (!category.SelectedText(choice.filter))
            choice.filter = LoadText(IDS_ALL_CATEGORIES);
        choice.exportPictures = IsChecked(dialog, IDC_EXPORT_PICTURES);
        choice.commaSeparated = IsCommaSeparatedName(choice.path);
        choice.allData = !choice.commaSeparated || IsChecked(dialog, IDC_EXPORT_ALL_DATA);
        choice.preserveUnicode = choice.commaSeparated && IsChecked(dialog, IDC_EXPORT_PRESERVE_UNICODE);
        EndDialog(dialog, IDOK);
    }
};

}  // namespace

bool ChooseExport(Application& application, ExportChoice& choice) {
    ExportDialog state{application, choice, {}};
    return RunDialog(application.MainWindow(), IDD_EXPORT, state);
}

}  // namespace TQLibrary
