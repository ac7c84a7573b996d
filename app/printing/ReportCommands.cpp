#include "app/printing/ReportCommands.h"

#include <windows.h>

#include <commdlg.h>

#include <atomic>
#include <memory>

#include "app/dialogs/StatisticsDialog.h"
#include "app/main/Application.h"
#include "app/main/PleaseWait.h"
#include "app/printing/DeviceSurface.h"
#include "app/printing/ReportDialog.h"
#include "app/printing/ReportPreview.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "catalog/PictureFiles.h"
#include "reports/DrawReport.h"
#include "reports/PageRecording.h"
#include "reports/ReportSelection.h"
#include "reports/ReportSettings.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The print dialog's results, freed when the command ends.
struct PrintDialogResult {
    explicit PrintDialogResult(const PRINTDLGW& dialog)
        : printer(dialog.hDC), devMode(dialog.hDevMode), devNames(dialog.hDevNames) {}

    PrinterDC printer;
    GlobalMemory devMode;
    GlobalMemory devNames;
};

// The summary is printed across the sheet whatever the user picked. ResetDC keeps the
// context's handle, so the context stays the one the dialog gave.
void TurnToLandscape(const PrintDialogResult& chosen) {
    if (!chosen.devMode)
        return;
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(chosen.devMode.Get()));
    if (mode == nullptr)
        return;
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    ResetDCW(chosen.printer.Get(), mode);
    GlobalUnlock(chosen.devMode.Get());
}

// Prints the pages laid out on the chosen printer, with the share printed on the bar; the job
// is abandoned when the user cancels.
void PrintPages(Application& application, HDC printer, const ReportLayout& layout) {
    const std::wstring document = LoadText(IDS_REPORT_DOCUMENT);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    if (StartDocW(printer, &info) <= 0)
        return;
    std::atomic<bool> cancelled{false};
    bool started = false;
    PleaseWaitTask task;
    // Printer drivers and picture decoding need more than a file worker's stack.
    task.SetWorkerStack(TQLibrary::WorkerStack::Default);
    task.Run(
            application.MainWindow(), IDS_PRINTING_SPECIMENS,
            [&] {
                try {
                    PrinterSurface surface(printer, &cancelled);
                    started = surface.StartPage();
                    if (started)
                        PrintRecordedPages(layout.Pages(), surface, &task);
                } catch (...) {
                    cancelled = true;
                }
                return true;
            },
            [&cancelled] { cancelled = true; });
    if (!started || cancelled)
        AbortDoc(printer);
    else
        EndDoc(printer);
}

}  // namespace

void PrintReport(Application& application) {
    ReportForm form;
    std::vector<std::wstring> categories;
    {
        CatalogLockGuard guard(application.Lock());
        form = ReportFormOf(application.CurrentSettings(), application.CurrentSettings().currentCategory);
        categories = application.CurrentCatalog().Categories();
    }
    if (!ChooseReport(application.MainWindow(), categories, form))
        return;
    Settings settings;
    {
        CatalogLockGuard guard(application.Lock());
        StoreReportForm(form, application.CurrentSettings());
        settings.CopyFrom(application.CurrentSettings());
    }
    application.SaveSettingsIfChanged();

    // The report is drawn from copies: a save still running may rename pictures meanwhile.
    const std::vector<std::int32_t> selected = application.List().SelectedIds();
    std::unique_ptr<ReportCopy> specimens;
    std::wstring pictureFolder;
    {
        CatalogLockGuard guard(application.Lock());
        const Catalog& catalog = application.CurrentCatalog();
        specimens = std::make_unique<ReportCopy>(
                CollectReportSpecimens(catalog.Specimens(), settings, form.categoryFilter, selected));
        pictureFolder = PictureFolderOf(catalog.FilePath());
    }
    // Laid out once, reading no picture: the preview and the printer show the same pages.
    const bool landscape = ReportKindOf(settings.reportType) == ReportKind::Summary;
    ReportLayout layout(landscape);
    DrawReport(layout.Pages(), settings, specimens->Specimens(), pictureFolder);
    if (!PreviewReport(application.MainWindow(), layout))
        return;

    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = application.MainWindow();
    dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    const bool printing = PrintDlgW(&dialog) != FALSE;
    const PrintDialogResult chosen(dialog);
    if (!printing || !chosen.printer)
        return;
    if (landscape)
        TurnToLandscape(chosen);
    PrintPages(application, chosen.printer.Get(), layout);
}

void ShowCatalogStatistics(Application& application) {
    std::wstring current;
    {
        CatalogLockGuard guard(application.Lock());
        current = application.CurrentSettings().currentCategory;
    }
    const Catalog& catalog = application.CurrentCatalog();
    ShowStatistics(application.MainWindow(), catalog.Specimens(), catalog.Categories(), current);
}

}  // namespace TQLibrary
