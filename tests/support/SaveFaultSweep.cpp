#include "support/SaveFaultSweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "base/DataFile.h"
#include "base/Paths.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "support/SpecimenSamples.h"
#include "support/TestFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::wstring>;

// The first and last file call of one picture file's writing.
using CallRange = std::pair<long, long>;

// Writes pictures as they are, and notes which file calls were made for them: the others are
// the catalog file's own.
class CountingPictureWriter : public PictureFileWriter {
public:
    bool WritePicture(const std::wstring& path, const Bytes& bytes) override {
        const long first = FileFaultsForTesting().Calls() + 1;
        const bool written = raw_.WritePicture(path, bytes);
        pictureCalls.emplace_back(first, FileFaultsForTesting().Calls());
        return written;
    }
    std::vector<CallRange> pictureCalls;

private:
    RawPictureFileWriter raw_;
};

// What a clean save of the changed catalog writes, and the calls it makes.
struct CleanSave {
    Bytes bytes;
    long calls = 0;
    std::vector<CallRange> pictureCalls;
    Names names;
    Names pictures;
};

// Copies the picture files of one folder into another.
void CopyPictures(const std::wstring& from, const std::wstring& to) {
    for (const std::wstring& name : NamesIn(from)) {
        EXPECT_TRUE(CreateFolderPath(to, false));
        EXPECT_TRUE(WriteFileBytes(to + name, ReadFileBytes(from + name)));
    }
}

// Saves into a folder of its own, so the previous file stays for the sweep. The pictures the
// previous save wrote go along, as a save in place writes only the picture files that changed.
CleanSave SaveElsewhere(Catalog& catalog) {
    const std::wstring path = catalog.FilePath();
    TestFolder elsewhere;
    catalog.SetFilePath(elsewhere.File(FileNameOf(path)));
    CopyPictures(PictureFolderOf(path), PictureFolderOf(catalog.FilePath()));
    CountingPictureWriter pictures;
    FileFaultsForTesting().Reset();
    EXPECT_TRUE(WriteCatalog(catalog, catalog.FilePath(), L"", pictures, nullptr));
    CleanSave clean{ReadFileBytes(catalog.FilePath()), FileFaultsForTesting().Calls(), pictures.pictureCalls,
                    NamesIn(elsewhere.Path()), NamesIn(PictureFolderOf(catalog.FilePath()))};
    catalog.SetFilePath(path);
    return clean;
}

// The names in the folder that neither the previous nor the new save put there.
Names Strangers(const std::wstring& folder, const Names& before, const Names& after) {
    Names strangers;
    for (const std::wstring& name : NamesIn(folder)) {
        if (std::find(before.begin(), before.end(), name) == before.end() &&
            std::find(after.begin(), after.end(), name) == after.end())
            strangers.push_back(folder + name);
    }
    return strangers;
}

class Sweeper {
public:
    explicit Sweeper(Catalog& catalog)
        : catalog_(catalog),
          path_(catalog.FilePath()),
          folder_(FolderOf(path_)),
          images_(PictureFolderOf(path_)),
          previous_(ReadFileBytes(path_)),
          namesBefore_(NamesIn(folder_)),
          picturesBefore_(NamesIn(images_)),
          previousPictures_(ReadAll(images_, picturesBefore_)),
          clean_(SaveElsewhere(catalog)) {
        sweep_.calls = clean_.calls;
    }

    void FailEveryCall(bool onward) {
        for (long call = 1; call <= clean_.calls; ++call)
            SaveFailing(call, onward);
    }

    FaultSweep Finish() {
        EXPECT_TRUE(Save());
        EXPECT_TRUE(ReadFileBytes(path_) == clean_.bytes);
        EXPECT_EQ(Leftovers(), Names());
        return sweep_;
    }

private:
    bool Save() { return WriteCatalog(catalog_, path_, L"", pictures_, nullptr); }

    static std::vector<Bytes> ReadAll(const std::wstring& folder, const Names& names) {
        std::vector<Bytes> contents;
        for (const std::wstring& name : names)
            contents.push_back(ReadFileBytes(folder + name));
        return contents;
    }

    // A faulty save may still have written some picture files. They are put back as they were:
    // a save skips the pictures that are already there, and every save of the sweep is to make
    // the same file calls.
    void RestorePictures() const {
        for (const std::wstring& name : clean_.pictures) {
            const std::wstring path = images_ + name;
            const auto before = std::find(picturesBefore_.begin(), picturesBefore_.end(), name);
            if (before == picturesBefore_.end()) {
                DeleteFileForce(path);
                continue;
            }
            const Bytes& previous = previousPictures_[static_cast<size_t>(before - picturesBefore_.begin())];
            if (ReadFileBytes(path) != previous) {
                EXPECT_TRUE(WriteFileBytes(path, previous));
            }
        }
    }

    Names Leftovers() const {
        Names found = Strangers(folder_, namesBefore_, clean_.names);
        for (const std::wstring& picture : Strangers(images_, picturesBefore_, clean_.pictures))
            found.push_back(picture);
        return found;
    }

    void SaveFailing(long call, bool onward) {
        InjectedFileFaults& faults = FileFaultsForTesting();
        onward ? faults.FailFrom(call) : faults.FailOnce(call);
        const bool saved = Save();
        const long failed = faults.Failures();
        const long failedDeletes = faults.Failures(FileCall::Delete);
        faults.Reset();
        ++sweep_.saves;
        sweep_.injected += failed;

        const std::string what = (onward ? "failing from call " : "failing call ") + std::to_string(call) + " of " +
                                 std::to_string(clean_.calls);
        EXPECT_FALSE(saved) << what;
        EXPECT_GE(failed, 1) << what;
        // A picture file that could not be written fails the save, yet the catalog file is still
        // written whole; a failure among the catalog file's own calls keeps the previous one.
        const bool onlyAPictureFailed = !onward && std::any_of(clean_.pictureCalls.begin(), clean_.pictureCalls.end(),
                                                               [call](const CallRange& range) {
                                                                   return call >= range.first && call <= range.second;
                                                               });
        const Bytes now = ReadFileBytes(path_);
        EXPECT_TRUE(now == (onlyAPictureFailed ? clean_.bytes : previous_))
                << what << ": " << now.size() << " bytes, previous " << previous_.size() << ", new "
                << clean_.bytes.size();
        if (now != previous_) {
            EXPECT_TRUE(WriteFileBytes(path_, previous_));
        }
        RestorePictures();

        // A temporary file stays only when deleting it failed too. Those of the last faulty save
        // are left for the clean save in Finish to write over.
        const Names found = Leftovers();
        EXPECT_LE(found.size(), static_cast<size_t>(failedDeletes)) << what;
        const bool last = onward && call == clean_.calls;
        for (const std::wstring& leftover : found) {
            EXPECT_TRUE(std::wstring_view(leftover).ends_with(L".saving")) << what;
            if (!last)
                DeleteFileForce(leftover);
        }
    }

    Catalog& catalog_;
    const std::wstring path_;
    const std::wstring folder_;
    const std::wstring images_;
    const Bytes previous_;
    const Names namesBefore_;
    const Names picturesBefore_;
    const std::vector<Bytes> previousPictures_;
    const CleanSave clean_;
    RawPictureFileWriter pictures_;
    FaultSweep sweep_;
};

}  // namespace

bool SaveThenChange(Catalog& catalog, int specimens, int pictureEvery) {
    catalog.CurrentSettings().storeImages = false;
    for (int i = 0; i < specimens; ++i) {
        Specimen specimen = SampleSpecimen(i);
        if (i % pictureEvery != 0)
            specimen.pictureData.clear();
        catalog.AddSpecimen(specimen);
    }
    RawPictureFileWriter pictures;
    if (!WriteCatalog(catalog, catalog.FilePath(), L"", pictures, nullptr))
        return false;
    catalog.AddSpecimen(SampleSpecimen(specimens));
    catalog.Specimens()[0].pictureData.push_back(9);
    catalog.Specimens()[1].remarks = L"cleaned";
    return true;
}

FaultSweep SweepSaveFaults(Catalog& catalog, bool onward) {
    Sweeper sweeper(catalog);
    sweeper.FailEveryCall(false);
    if (onward)
        sweeper.FailEveryCall(true);
    return sweeper.Finish();
}

void ReportSweep(const FaultSweep& sweep) {
    ::testing::Test::RecordProperty("calls", static_cast<int>(sweep.calls));
    ::testing::Test::RecordProperty("faulty_saves", static_cast<int>(sweep.saves));
    ::testing::Test::RecordProperty("failed_calls", static_cast<int>(sweep.injected));
    std::cout << "Save sweep: " << sweep.calls << " file calls a save, " << sweep.saves << " faulty saves, "
              << sweep.injected << " failed calls\n";
}
