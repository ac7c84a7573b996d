#pragma once

#include <string>
#include <vector>

// The Transfer application command copies the program, its catalog and the catalog's pictures
// into a folder the user picks, so the catalog can be used on another computer. This is what
// it copies where, and the message that tells the user how it went.

struct FileCopy {
    std::wstring from;
    std::wstring to;
};

struct TransferPlan {
    std::wstring folder;  // the chosen folder, ending in "\"
    FileCopy program;     // from is empty when the program's own path is unknown
    FileCopy catalog;
    // The picture folders, each ending in "\"; both empty when the pictures are kept inside the
    // catalog file.
    std::wstring pictureSource;
    std::wstring pictureDestination;
};

TransferPlan PlanTransfer(std::wstring folder, const std::wstring& programPath, const std::wstring& catalogPath,
                          bool picturesInCatalog);

// What was copied and what was not, for the message at the end.
struct TransferOutcome {
    std::vector<std::wstring> copied;  // file names
    int picturesCopied = 0;
    std::vector<std::wstring> failed;  // full paths of the files or folder that could not be made
};

// Copies one file and notes how it went. A file chosen to be copied onto itself (the folder
// picked is the one it is in) is already where it should be, and is neither copied nor noted.
void CopyNoting(const FileCopy& copy, TransferOutcome& outcome);

// Creates the destination picture folder with any missing parents (also when there is nothing to
// put in it), then copies each named file of the source picture folder into it, replacing files of
// the same name.
void CopyPictures(const TransferPlan& plan, const std::vector<std::wstring>& names, TransferOutcome& outcome);

// The message for the user: what was copied where, then anything that could not be.
std::wstring TransferReport(const TransferPlan& plan, const TransferOutcome& outcome);
