#include "app/CatalogSession.h"

#include "app/framework/Messages.h"
#include "catalog/CatalogFile.h"
#include "catalog/DataFile.h"
#include "catalog/StringTable.h"
#include "catalog/TextCompare.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

bool IsEmptyOrMissing(const std::wstring& path) {
    DataFile file(path);
    return file.Size() == 0;
}

}  // namespace

CatalogSession::CatalogSession(HWND mainWindow, std::wstring dataFolder)
    : mainWindow_(mainWindow), host_(mainWindow, std::move(dataFolder)), catalog_(host_, settings_) {
    savedSettings_.CopyFrom(settings_);
}

void CatalogSession::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    settings_.readOnly = readOnly;
}

bool CatalogSession::HasChangesToSave() const {
    return unsavedChanges_ || settings_.DiffersFrom(savedSettings_);
}

bool CatalogSession::RestoreAvailable() const {
    return settings_.backup && FileExists(catalog_.FilePath() + LoadText(IDS_BACKUP_EXTENSION));
}

LoadOutcome CatalogSession::Load(const std::wstring& path, LoadMode mode) {
    // The session is read-only exactly when the catalog file is, whichever file is read (a
    // restore reads the backup).
    if (mode != LoadMode::Add)
        SetReadOnly(IsReadOnlyFile(catalog_.FilePath()));
    if (!FileExists(path) || IsEmptyOrMissing(path))
        return {true, false, false};
    bool upgraded = false;
    const bool read = pleaseWait_.Run(mainWindow_, IDS_LOADING_SPECIMENS,
                                      [&, this] { return LoadWorker(path, mode, upgraded); });
    // A file that could not be read as a catalog is never overwritten by a save.
    if (!read && mode == LoadMode::Open)
        SetReadOnly(true);
    return {read, read, upgraded};
}

bool CatalogSession::LoadWorker(const std::wstring& path, LoadMode mode, bool& upgraded) {
    pleaseWait_.ReportProgress(0);
    bool read = false;
    try {
        CatalogLockGuard guard(lock_);
        CatalogReadOutcome outcome;
        read = ReadCatalog(catalog_, path, mode == LoadMode::Add, screen_, &pleaseWait_, outcome);
        if (read) {
            savedSettings_.CopyFrom(settings_);
            upgraded = outcome.upgraded;
        }
        if (read && !outcome.incomplete) {
            const std::wstring& catalogPath = catalog_.FilePath();
            if (mode == LoadMode::Restore) {
                CopyFileReplacing(path, catalogPath);
                catalog_.SetFilePath(catalogPath);
            } else if (SameTextIgnoringCase(path, catalogPath)) {
                if (settings_.backup)
                    CopyFileReplacing(catalogPath, catalogPath + LoadText(IDS_BACKUP_EXTENSION));
            } else if (mode == LoadMode::Open) {
                CopyFileReplacing(path, catalogPath);
                catalog_.SetFilePath(catalogPath);
            } else {
                unsavedChanges_ = true;
            }
        }
    } catch (...) {
        read = false;
    }
    pleaseWait_.ReportProgress(100);
    return read;
}

void CatalogSession::Save(SaveMode mode) {
    unsavedChanges_ = false;
    if (mode == SaveMode::WithDialog) {
        pleaseWait_.Run(mainWindow_, IDS_SAVING_SPECIMENS, [this] {
            SaveWorker(SaveMode::WithDialog);
            return true;
        });
        return;
    }
    auto worker = std::make_unique<WorkerThread>();
    if (!worker->Start([this] { SaveWorker(SaveMode::Silent); })) {
        unsavedChanges_ = true;
        return;
    }
    std::lock_guard<std::mutex> guard(savesMutex_);
    saves_.push_back(std::move(worker));
}

bool CatalogSession::SaveWorker(SaveMode mode) {
    bool saved = false;
    try {
        CatalogLockGuard guard(lock_);
        ProgressSink* progress = mode == SaveMode::WithDialog ? &pleaseWait_ : nullptr;
        saved = WriteCatalog(catalog_, catalog_.FilePath(), L"", pictures_, progress);
        if (saved)
            savedSettings_.CopyFrom(settings_);
    } catch (...) {
        saved = false;
    }
    if (!saved) {
        // Not saved: the change is still to be written, at the latest when the program closes.
        unsavedChanges_ = true;
        RunOnUiThread([] { Warn(IDS_SAVE_FAILED); });
    }
    return saved;
}

void CatalogSession::SaveIfDue() {
    if (!readOnly_ && HasChangesToSave())
        Save(SaveMode::WithDialog);
}

void CatalogSession::WaitForSaves() {
    for (;;) {
        std::unique_ptr<WorkerThread> save;
        {
            std::lock_guard<std::mutex> guard(savesMutex_);
            if (saves_.empty())
                return;
            save = std::move(saves_.front());
            saves_.erase(saves_.begin());
        }
        // A failing save asks the main window's thread for its message box: keep messages going.
        save->JoinHandlingMessages();
    }
}

}  // namespace TQLibrary
