#include "app/main/CatalogSession.h"

#include "app/framework/Messages.h"
#include "base/DataFile.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "base/TextSplit.h"
#include "catalog/CatalogFile.h"
#include "catalog/PictureNames.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

bool IsEmpty(const std::wstring& path) {
    DataFile file(path);
    return file.Size() == 0;
}

// Keeps a damaged file's bytes under a name of their own, never over an earlier copy. The name
// used, or empty when no copy could be made.
std::wstring KeepDamagedCopy(const std::wstring& path) {
    const std::wstring first = path + LoadText(IDS_DAMAGED_EXTENSION);
    constexpr int kMostCopies = 99;
    for (int number = 1; number <= kMostCopies; ++number) {
        std::wstring name = number == 1 ? first : first + std::to_wstring(number);
        if (FileIsPresent(name))
            continue;
        return CopyFileReplacing(path, name) ? name : std::wstring();
    }
    return std::wstring();
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

void CatalogSession::SwitchFile(const std::wstring& path) {
    WaitForSaves();
    CatalogLockGuard guard(lock_);
    catalog_.SetFilePath(path);
}

LoadOutcome CatalogSession::Load(const std::wstring& path, LoadMode mode) {
    // A save already started writes the catalog as it was, before the file replaces it.
    WaitForSaves();
    // The session is read-only exactly when the catalog file is, whichever file is read (a
    // restore reads the backup).
    if (mode != LoadMode::Add)
        SetReadOnly(IsReadOnlyFile(catalog_.FilePath()));
    if (!FileIsPresent(path))
        return {true, false, false};
    LoadReport report;
    // A file another program holds is there all the same: never taken for a missing one.
    const bool readable = FileExists(path);
    if (readable && IsEmpty(path))
        return {true, false, false};
    // An import or a restore may be stopped: the catalog is then as it was. Opening a file
    // has no catalog to go back to.
    std::atomic<bool> cancelled{false};
    PleaseWaitTask::Cancel cancel;
    if (mode != LoadMode::Open)
        cancel = [&cancelled] { cancelled = true; };
    const bool read = readable && pleaseWait_.Run(
                                          mainWindow_, IDS_LOADING_SPECIMENS,
                                          [&, this] { return LoadWorker(path, mode, report, &cancelled); }, cancel);
    if (!read) {
        // The user who cancelled knows why nothing changed.
        if (!report.read.cancelled)
            TellLoadFailed(path, mode, report);
        return {};
    }
    if (report.read.incomplete) {
        // Without a copy of its bytes the damaged file is the only one left: never overwrite it.
        if (report.damagedCopy.empty() && mode != LoadMode::Add)
            SetReadOnly(true);
        WarnText(FillIn(LoadText(IDS_CATALOG_DAMAGED),
                        {path, std::to_wstring(report.specimensRead), report.damagedCopy}),
                 IDS_DISPLAY_NAME);
    }
    return {true, true, report.read.upgraded};
}

void CatalogSession::TellLoadFailed(const std::wstring& path, LoadMode mode, const LoadReport& report) {
    // A file that could not be read as a catalog is never overwritten by a save.
    if (mode == LoadMode::Open)
        SetReadOnly(true);
    WarnText(FillIn(LoadText(report.read.notACatalog ? IDS_NOT_A_CATALOG : IDS_CATALOG_UNREADABLE), {path}),
             IDS_DISPLAY_NAME);
}

bool CatalogSession::LoadWorker(const std::wstring& path, LoadMode mode, LoadReport& report,
                                const std::atomic<bool>* cancelled) {
    pleaseWait_.ReportProgress(0);
    bool read = false;
    try {
        CatalogLockGuard guard(lock_);
        const size_t before = mode == LoadMode::Add ? catalog_.Specimens().size() : 0;
        read = ReadCatalog(catalog_, path, mode == LoadMode::Add, screen_, &pleaseWait_, report.read, cancelled);
        // Only a restore or a replacing import keeps what it replaced, for its undo step; any
        // other load lets it go now.
        std::vector<Specimen> replaced = std::move(report.read.replaced);
        replaced_ = read && mode == LoadMode::Restore ? std::move(replaced) : std::vector<Specimen>();
        if (read) {
            savedSettings_.CopyFrom(settings_);
            report.specimensRead = catalog_.Specimens().size() - before;
        }
        // Before anything can write over it.
        if (read && report.read.incomplete)
            report.damagedCopy = KeepDamagedCopy(path);
        if (read && !report.read.incomplete) {
            const std::wstring& catalogPath = catalog_.FilePath();
            // When the file read cannot be copied over the catalog file, the catalog shown is not
            // on disk: it stays due, so the next save writes it (and says so if it cannot).
            const auto copyOver = [&] {
                if (!CopyFileReplacing(path, catalogPath))
                    unsavedChanges_ = true;
                catalog_.SetFilePath(catalogPath);
            };
            if (mode == LoadMode::Restore) {
                copyOver();
            } else if (SameTextIgnoringCase(path, catalogPath)) {
                if (settings_.backup)
                    CopyFileReplacing(catalogPath, catalogPath + LoadText(IDS_BACKUP_EXTENSION));
            } else if (mode == LoadMode::Open) {
                copyOver();
            } else {
                unsavedChanges_ = true;
            }
        }
        // Pictures brought from another folder are on disk only once a save writes them.
        if (read && ((report.read.incomplete && mode == LoadMode::Add) || report.read.picturesTaken > 0))
            unsavedChanges_ = true;
    } catch (...) {
        read = false;
    }
    pleaseWait_.ReportProgress(100);
    return read;
}

ImportProblem CatalogSession::ImportCommaSeparatedFile(const std::wstring& path, bool addMode) {
    // A save already started writes the catalog as it was before the import.
    WaitForSaves();
    ImportProblem problem = ImportProblem::Unreadable;
    std::atomic<bool> cancelled{false};
    const bool imported = pleaseWait_.Run(
            mainWindow_, IDS_LOADING_SPECIMENS,
            [&, this] {
                CatalogLockGuard guard(lock_);
                replaced_.clear();
                return ImportCommaSeparated(catalog_, path, addMode, savedSettings_, &pleaseWait_, &problem, &cancelled,
                                            &replaced_);
            },
            [&cancelled] { cancelled = true; });
    if (!imported)
        return problem == ImportProblem::None ? ImportProblem::Unreadable : problem;
    unsavedChanges_ = true;
    return ImportProblem::None;
}

void CatalogSession::Save(SaveMode mode) {
    // A read-only catalog is never written: what may change there (report choices, column
    // widths) is kept for the session only, without a save that could only fail.
    if (mode == SaveMode::Silent && readOnly_)
        return;
    unsavedChanges_ = false;
    if (mode == SaveMode::WithDialog) {
        pleaseWait_.Run(mainWindow_, IDS_SAVING_SPECIMENS, [this] {
            SaveWorker(SaveMode::WithDialog);
            return true;
        });
        return;
    }
    std::lock_guard<std::mutex> guard(savesMutex_);
    // One silent saver at a time: changes made while it writes are taken by its next round, so
    // a burst of changes costs one or two saves and a close waits only for what is still due.
    saveDue_ = true;
    if (saverRunning_)
        return;
    auto worker = std::make_unique<WorkerThread>();
    if (!worker->Start([this] { SaveWhileDue(); })) {
        saveDue_ = false;
        unsavedChanges_ = true;
        return;
    }
    saverRunning_ = true;
    saves_.push_back(std::move(worker));
}

void CatalogSession::SaveWhileDue() {
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(savesMutex_);
            if (!saveDue_) {
                saverRunning_ = false;
                return;
            }
            saveDue_ = false;
        }
        SaveWorker(SaveMode::Silent);
    }
}

bool CatalogSession::SaveWorker(SaveMode mode) {
    bool saved = false;
    try {
        CatalogLockGuard guard(lock_);
        ProgressSink* progress = mode == SaveMode::WithDialog ? &pleaseWait_ : nullptr;
        // Renaming here, under the lock, keeps the writer from changing the catalog it writes.
        if (!catalog_.FilePath().empty())
            SeparateClashingPictures(catalog_, PictureFolderOf(catalog_.FilePath()));
        saved = WriteCatalog(catalog_, catalog_.FilePath(), L"", pictures_, progress);
        if (saved)
            savedSettings_.CopyFrom(settings_);
    } catch (...) {
        saved = false;
    }
    if (!saved) {
        // Not saved: the change is still to be written, at the latest when the program closes.
        unsavedChanges_ = true;
        RunOnUiThread([] { Warn(IDS_SAVE_FAILED, IDS_DISPLAY_NAME); });
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
