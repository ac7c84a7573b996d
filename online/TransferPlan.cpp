#include "online/TransferPlan.h"

#include "base/DataFile.h"
#include "base/Paths.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "resources/resource.h"

TransferPlan PlanTransfer(std::wstring folder, const std::wstring& programPath, const std::wstring& catalogPath,
                          bool picturesInCatalog) {
    EnsureTrailing(folder, L'\\');
    TransferPlan plan;
    plan.folder = folder;
    if (!programPath.empty())
        plan.program = {programPath, folder + FileNameOf(programPath)};
    plan.catalog = {catalogPath, folder + FileNameOf(catalogPath)};
    if (!picturesInCatalog) {
        const std::wstring pictures = LoadText(IDS_PICTURE_FOLDER);
        plan.pictureSource = FolderOf(catalogPath) + pictures;
        plan.pictureDestination = FolderOf(plan.catalog.to) + pictures;
    }
    return plan;
}

void CopyNoting(const FileCopy& copy, TransferOutcome& outcome) {
    if (copy.from.empty() || SameTextIgnoringCase(copy.from, copy.to))
        return;
    if (CopyFileReplacing(copy.from, copy.to))
        outcome.copied.push_back(FileNameOf(copy.to));
    else
        outcome.failed.push_back(copy.to);
}

void CopyPictures(const TransferPlan& plan, const std::vector<std::wstring>& names, TransferOutcome& outcome) {
    // The folder is made even with no picture to copy: pictures added at the destination go there.
    if (plan.pictureDestination.empty() || SameTextIgnoringCase(plan.pictureSource, plan.pictureDestination))
        return;
    if (!CreateFolderPath(plan.pictureDestination, false)) {
        outcome.failed.push_back(plan.pictureDestination);
        return;
    }
    for (const std::wstring& name : names) {
        if (CopyFileReplacing(plan.pictureSource + name, plan.pictureDestination + name))
            ++outcome.picturesCopied;
        else
            outcome.failed.push_back(plan.pictureDestination + name);
    }
}

std::wstring TransferReport(const TransferPlan& plan, const TransferOutcome& outcome) {
    std::wstring text;
    if (outcome.copied.empty() && outcome.picturesCopied == 0) {
        text = LoadText(IDS_TRANSFER_NOTHING_COPIED) + plan.folder;
    } else {
        text = LoadText(IDS_TRANSFER_COPIED) + plan.folder;
        for (const std::wstring& name : outcome.copied)
            text += L"\r\n    " + name;
        if (outcome.picturesCopied > 0)
            text += L"\r\n    " + LoadText(IDS_PICTURE_FOLDER) + L" (" + std::to_wstring(outcome.picturesCopied) +
                    LoadText(IDS_TRANSFER_PICTURES) + L")";
    }
    if (!outcome.failed.empty()) {
        text += L"\r\n\r\n" + LoadText(IDS_TRANSFER_FAILED);
        for (const std::wstring& path : outcome.failed)
            text += L"\r\n    " + path;
    }
    return text;
}
