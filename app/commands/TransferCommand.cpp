#include "app/commands/TransferCommand.h"

#include <windows.h>

#include <vector>

#include "app/framework/FileChooser.h"
#include "app/framework/Messages.h"
#include "app/main/Application.h"
#include "app/main/ProgramIdentity.h"
#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "online/TransferPlan.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The names of the files (not folders) in a folder.
std::vector<std::wstring> FileNamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileW((folder + L"*.*").c_str(), &found));
    if (!search)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.emplace_back(found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

void Report(HWND owner, const TransferPlan& plan, const TransferOutcome& outcome) {
    const UINT icon = outcome.failed.empty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION;
    const std::wstring caption = LoadText(IDS_DISPLAY_NAME);
    MessageBoxW(owner, TransferReport(plan, outcome).c_str(), caption.c_str(), MB_OK | icon);
}

}  // namespace

void TransferApplication(Application& application) {
    FileChooser chooser;
    const std::wstring folder = chooser.ChooseFolder(application.MainWindow());
    if (!folder.empty())
        TransferApplicationTo(application, folder);
}

void TransferApplicationTo(Application& application, const std::wstring& folder) {
    bool picturesInCatalog = false;
    std::wstring catalogPath;
    {
        CatalogLockGuard guard(application.Lock());
        picturesInCatalog = application.CurrentSettings().storeImages;
        catalogPath = application.CurrentCatalog().FilePath();
    }
    const TransferPlan plan = PlanTransfer(folder, ProgramPath(), catalogPath, picturesInCatalog);
    TransferOutcome outcome;
    CopyNoting(plan.program, outcome);
    if (FileIsPresent(plan.catalog.to) && !Ask(IDS_TRANSFER_OVERWRITE, IDS_DISPLAY_NAME)) {
        Report(application.MainWindow(), plan, outcome);
        return;
    }
    {
        // A save writes the picture files and then the catalog under the lock: holding it, the
        // copies are of a catalog and pictures that belong together, never of a half-written file.
        CatalogLockGuard guard(application.Lock());
        CopyPictures(plan, FileNamesIn(plan.pictureSource), outcome);
        CopyNoting(plan.catalog, outcome);
    }
    Report(application.MainWindow(), plan, outcome);
}

}  // namespace TQLibrary
