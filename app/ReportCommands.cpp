#include "app/ReportCommands.h"

#include <windows.h>

#include <commdlg.h>

#include <atomic>

#include "app/Application.h"
#include "app/DeviceSurface.h"
#include "app/PleaseWait.h"
#include "app/ReportDialog.h"
#include "app/ReportPreview.h"
#include "app/StatisticsDialog.h"
#include "catalog/PictureFiles.h"
#include "catalog/StringTable.h"
#include "reports/DrawReport.h"
#include "reports/ReportSelection.h"
#include "reports/ReportSettings.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The preview draws its sheets at screen-like resolution and keeps the first pages only, so
// that thousands of pages need no more memory than a few.
constexpr int kPreviewDpi = 72;
constexpr size_t kPreviewPagesKept = 30;

// The print dialog's results, freed when the command ends.
struct PrintDialogResult {
    PRINTDLGW dialog{};
    ~PrintDialogResult() {
        if (dialog.hDC != nullptr)
            DeleteDC(dialog.hDC);
        if (dialog.hDevMode != nullptr)
            GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames != nullptr)
            GlobalFree(dialog.hDevNames);
    }
};

// The summary is printed across the sheet whatever the user picked.
void TurnToLandscape(PRINTDLGW& dialog) {
    if (dialog.hDevMode == nullptr)
        return;
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(dialog.hDevMode));
    if (mode == nullptr)
        return;
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    if (HDC reset = ResetDCW(dialog.hDC, mode))
        dialog.hDC = reset;
    GlobalUnlock(dialog.hDevMode);
}

// Prints the pages on the chosen printer; the job is abandoned when the user cancels.
void PrintPages(TQAppWindows& application, HDC printer, const Settings& settings, const ReportSpecimens& specimens,
                const std::wstring& pictureFolder) {
    const std::wstring document = LoadText(IDS_REPORT_DOCUMENT);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    if (StartDocW(printer, &info) <= 0)
        return;
    std::atomic<bool> cancelled{false};
    bool started = false;
    PleaseWaitTask task;
    task.Run(
            application.MainWindow(), IDS_PRINTING_SPECIMENS,
            [&] {
                try {
                    PrinterSurface surface(printer, &cancelled);
                    started = surface.StartPage();
                    if (started)
                        DrawReport(surface, settings, specimens, pictureFolder);
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

void PrintReport(TQAppWindows& application) {
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

    // Only this thread changes the specimens, and it is busy here until the pages are printed.
    const Catalog& catalog = application.CurrentCatalog();
    const std::vector<std::int32_t> selected = application.List().SelectedIds();
    const ReportSpecimens specimens = CollectReportSpecimens(catalog.Specimens(), settings, form.categoryFilter,
                                                             selected);
    const std::wstring pictureFolder = PictureFolderOf(catalog.FilePath());
    const bool landscape = ReportKindOf(settings.reportType) == ReportKind::Summary;
    {
        PageBitmaps preview(kPreviewDpi, landscape, kPreviewPagesKept);
        if (preview.StartPage())
            DrawReport(preview, settings, specimens, pictureFolder);
        if (!PreviewReport(application.MainWindow(), preview.Pages(), preview.PageCount(), preview.PageWidth(),
                           preview.PageHeight()))
            return;
    }

    PrintDialogResult chosen;
    chosen.dialog.lStructSize = sizeof chosen.dialog;
    chosen.dialog.hwndOwner = application.MainWindow();
    chosen.dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE;
    chosen.dialog.nCopies = 1;
    if (!PrintDlgW(&chosen.dialog) || chosen.dialog.hDC == nullptr)
        return;
    if (landscape)
        TurnToLandscape(chosen.dialog);
    PrintPages(application, chosen.dialog.hDC, settings, specimens, pictureFolder);
}

void ShowCatalogStatistics(TQAppWindows& application) {
    std::wstring current;
    {
        CatalogLockGuard guard(application.Lock());
        current = application.CurrentSettings().currentCategory;
    }
    const Catalog& catalog = application.CurrentCatalog();
    ShowStatistics(application.MainWindow(), catalog.Specimens(), catalog.Categories(), current);
}

}  // namespace TQLibrary
