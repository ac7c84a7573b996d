// Reads arbitrary bytes as a catalog file, the way the program opens one and the way it adds
// one to a catalog that already holds a specimen, then touches everything that was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/MarkupDocument.h"
#include "base/Progress.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/Settings.h"

namespace {

// A folder that does not exist: the older layout's settings file and pictures are looked up
// but nothing is ever read, and the desktop copy it offers is declined.
const std::wstring kFolder = L"/nonexistent-orvelle-catalog-fuzz/";

class QuietHost : public CatalogHost {
public:
    bool AskYesNo(unsigned /*textId*/) override { return false; }
    void ShowInformation(const std::wstring& /*text*/) override {}
    void FilePathChanged(const std::wstring& /*path*/) override {}
    std::wstring DesktopFolder() override { return kFolder; }
    std::wstring DataFolder() override { return kFolder; }
};

class Screen : public ScreenMetrics {
public:
    int ScreenWidth() const override { return 1024; }
    int ScreenHeight() const override { return 768; }
};

// Percentages must stay within 0 to 100.
class CheckedProgress : public ProgressSink {
public:
    void ReportProgress(int percent) override {
        if (percent < 0 || percent > 100)
            std::abort();
    }
};

void Read(const std::uint8_t* data, size_t size, bool addMode) {
    QuietHost host;
    Settings settings;
    Catalog catalog(host, settings);
    catalog.SetFilePath(kFolder + L"catalog.xml");
    if (addMode) {
        Specimen old;
        old.categories = {L"Shells"};
        catalog.AddSpecimen(old);
    }
    Screen screen;
    CheckedProgress progress;
    CatalogReadOutcome outcome;
    if (!ReadCatalogBytes(catalog, data, size, catalog.FilePath(), addMode, screen, &progress, outcome))
        return;
    for (const Specimen& specimen : catalog.Specimens()) {
        for (int field = 0; field < kFieldCount; ++field)
            Catalog::FieldText(specimen, field);
    }
    MarkupDocument options;
    settings.WriteOptions(options);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    Read(data, size, false);
    Read(data, size, true);
    return 0;
}
