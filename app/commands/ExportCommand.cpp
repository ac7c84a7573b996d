#include "app/commands/ExportCommand.h"

#include <atomic>

#include "app/dialogs/ExportDialog.h"
#include "app/framework/Messages.h"
#include "app/main/Application.h"
#include "app/main/PleaseWait.h"
#include "catalog/CatalogFile.h"
#include "catalog/CommaSeparated.h"
#include "catalog/PictureFiles.h"
#include "resources/resource.h"

namespace TQLibrary {

bool WriteExport(Application& application, const ExportChoice& choice) {
    PleaseWaitTask task;
    std::atomic<bool> cancelled{false};
    bool written = false;
    task.Run(
            application.MainWindow(), IDS_SAVING_SPECIMENS,
            [&] {
                task.ReportProgress(0);
                try {
                    RawPictureFileWriter pictures;
                    CatalogLockGuard guard(application.Lock());
                    const Catalog& catalog = application.CurrentCatalog();
                    written = choice.commaSeparated
                                      ? ExportCommaSeparated(catalog, choice.path, choice.filter, choice.allData,
                                                             choice.preserveUnicode, pictures, &task,
                                                             choice.exportPictures, &cancelled)
                                      : ExportCatalog(catalog, choice.path, choice.filter, choice.exportPictures,
                                                      pictures, &task, &cancelled);
                } catch (...) {
                    written = false;
                }
                task.ReportProgress(100);
                return true;
            },
            [&] { cancelled = true; });
    // The user who cancelled knows why there is no export.
    if (!written && !cancelled)
        Warn(IDS_SAVE_FAILED, IDS_DISPLAY_NAME);
    return written;
}

}  // namespace TQLibrary
