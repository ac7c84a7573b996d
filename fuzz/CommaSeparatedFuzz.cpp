// Reads arbitrary bytes as a comma-separated import, as UTF-16 code units and as one byte per
// character, replacing a fresh catalog and adding to one that already holds a specimen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Progress.h"
#include "base/TextSplit.h"
#include "catalog/Catalog.h"
#include "catalog/CommaSeparated.h"
#include "catalog/Settings.h"

namespace {

class QuietHost : public CatalogHost {
public:
    bool AskYesNo(unsigned /*textId*/) override { return true; }
    void ShowInformation(const std::wstring& /*text*/) override {}
    void FilePathChanged(const std::wstring& /*path*/) override {}
    std::wstring DesktopFolder() override { return {}; }
    std::wstring DataFolder() override { return {}; }
};

// Percentages must stay within 0 to 100 and never go back.
class CheckedProgress : public ProgressSink {
public:
    void ReportProgress(int percent) override {
        if (percent < last_ || percent > 100)
            std::abort();
        last_ = percent;
    }

private:
    int last_ = 0;
};

// A folder that does not exist: picture names are looked up but nothing is ever read.
const std::wstring kImagesFolder = L"/nonexistent-orvelle-csv-fuzz/Images\\";

void Parse(std::wstring_view text, bool addMode) {
    QuietHost host;
    Settings settings;
    Catalog catalog(host, settings);
    if (addMode) {
        Specimen old;
        old.categories = {L"Shells"};
        catalog.AddSpecimen(old);
    }
    CheckedProgress progress;
    ParseCommaSeparated(catalog, text, kImagesFolder, addMode, &progress);
    for (const Specimen& specimen : catalog.Specimens()) {
        for (int field = 0; field < kFieldCount; ++field)
            Catalog::FieldText(specimen, field);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::wstring units;
    for (size_t i = 0; i + 1 < size; i += 2)
        units += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    const std::wstring bytes(data, data + size);
    for (bool addMode : {false, true}) {
        Parse(units, addMode);
        Parse(bytes, addMode);
    }
    Split(units, kSplitAtWhiteSpace, false, size % 2 != 0);
    Trim(bytes);
    SplitAtCommas(bytes);
    ParseHex(bytes);
    return 0;
}
