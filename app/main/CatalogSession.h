#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/main/BackgroundWork.h"
#include "app/main/CatalogLock.h"
#include "app/main/PleaseWait.h"
#include "app/main/WindowsCatalogHost.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogHistory.h"
#include "catalog/CommaSeparated.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "catalog/SettingsWindows.h"

namespace TQLibrary {

// How a catalog file is read.
enum class LoadMode {
    Open,     // the file becomes the catalog
    Restore,  // the backup is read and copied over the catalog file
    Add,      // the file's specimens join the catalog
};

// How a save runs: under the please-wait dialog, or on a worker of its own without a word.
enum class SaveMode {
    Silent,
    WithDialog,
};

struct LoadOutcome {
    bool succeeded = false;  // read, or nothing there to read
    bool read = false;       // the file was read into the catalog
    bool upgraded = false;   // an older layout was read: it is to be saved in today's
};

// The catalog with its settings, its lock and its file: reading it, saving it after every change
// and keeping count of what is still to be saved. Reading and writing run on workers; the main
// window owns the please-wait dialog and every question they ask.
class CatalogSession {
public:
    CatalogSession(HWND mainWindow, std::wstring dataFolder);
    // Nothing may still be writing the catalog when it goes away.
    ~CatalogSession() { WaitForSaves(); }
    CatalogSession(const CatalogSession&) = delete;
    CatalogSession& operator=(const CatalogSession&) = delete;

    Catalog& CurrentCatalog() { return catalog_; }
    Settings& CurrentSettings() { return settings_; }
    const Settings& SavedSettings() const { return savedSettings_; }
    CatalogLock& Lock() { return lock_; }
    WindowsCatalogHost& Host() { return host_; }
    // What Undo and Redo can do; the catalog lock guards it as it guards the catalog.
    CatalogHistory& History() { return history_; }

    bool IsReadOnly() const { return readOnly_; }
    // Also the settings' read-only flag, which the dialogs read.
    void SetReadOnly(bool readOnly);
    bool HasUnsavedChanges() const { return unsavedChanges_; }
    void MarkChanged() { unsavedChanges_ = true; }
    // Unsaved changes, or settings that differ from the saved ones.
    bool HasChangesToSave() const;
    // Whether backups are on and the catalog's backup file exists for Restore to read.
    bool RestoreAvailable() const;

    // Makes the path the catalog's file, once the saves already started have written the old one.
    void SwitchFile(const std::wstring& path);
    // Reads a catalog file under the please-wait dialog, after the saves already started. The
    // read-only flag follows the catalog file. A file that is there but cannot be read (another
    // program holds it) or is no catalog is refused with a message and, when opened, makes the
    // session read-only, so it is never overwritten. A file cut short is read as far as it goes,
    // its bytes are kept beside it as "<file>.damaged" before anything can write it, and the user
    // is told. An import or a restore has a Cancel button that leaves the catalog as it was.
    LoadOutcome Load(const std::wstring& path, LoadMode mode);
    // Reads a comma-separated file into the catalog under the please-wait dialog, replacing
    // it or adding to it; a file that cannot be taken, or an import the user cancels, leaves the
    // catalog as it was. The change is due to be saved afterwards. Says what went wrong, if
    // anything.
    ImportProblem ImportCommaSeparatedFile(const std::wstring& path, bool addMode);
    // The specimens the last restore or replacing import took the place of, for its undo step;
    // empty after any other load.
    std::vector<Specimen> TakeReplacedSpecimens() { return std::move(replaced_); }
    // Saves under the please-wait dialog, or hands the save to the silent saver and returns; a
    // silent save of a read-only catalog is not started.
    void Save(SaveMode mode);
    // Saves under the dialog when there is anything to save and the file may be written.
    void SaveIfDue();
    // Waits, handling messages meanwhile, until every silent save is done.
    void WaitForSaves();

private:
    // What a load found, for the messages the main window's thread shows afterwards.
    struct LoadReport {
        CatalogReadOutcome read;
        size_t specimensRead = 0;
        std::wstring damagedCopy;  // where a file cut short was kept; empty when it could not be
    };
    bool LoadWorker(const std::wstring& path, LoadMode mode, LoadReport& report, const std::atomic<bool>* cancelled);
    void TellLoadFailed(const std::wstring& path, LoadMode mode, const LoadReport& report);
    // Writes the catalog to its file; only a save under the please-wait dialog reports progress.
    bool SaveWorker(SaveMode mode);

    HWND mainWindow_;
    CatalogLock lock_;
    Settings settings_;
    Settings savedSettings_;
    WindowsCatalogHost host_;
    Catalog catalog_;
    CatalogHistory history_;
    std::vector<Specimen> replaced_;
    PleaseWaitTask pleaseWait_;
    RawPictureFileWriter pictures_;
    SystemScreenMetrics screen_;
    std::atomic<bool> unsavedChanges_{false};
    std::atomic<bool> readOnly_{false};
    // The silent saver's rounds, on its worker.
    void SaveWhileDue();

    std::mutex savesMutex_;
    std::vector<std::unique_ptr<WorkerThread>> saves_;  // silent savers still to be waited for
    bool saveDue_ = false;                              // a change waits for the saver's next round
    bool saverRunning_ = false;
};

}  // namespace TQLibrary
