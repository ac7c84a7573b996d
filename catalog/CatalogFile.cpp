#include "catalog/CatalogFile.h"

#include <array>
#include <optional>
#include <utility>

#include "catalog/Catalog.h"
#include "catalog/CatalogFileOldLayout.h"
#include "catalog/DataFile.h"
#include "catalog/MarkupDocument.h"
#include "catalog/MarkupValues.h"
#include "catalog/PictureFiles.h"
#include "catalog/Progress.h"
#include "catalog/Settings.h"
#include "catalog/StringTable.h"
#include "catalog/TextCompare.h"
#include "resources/resource.h"

namespace {

constexpr int kDataVersion = 1000;

// The text children of a specimen with their fields, in the order they are written.
template <typename SpecimenRecord>  // Specimen or const Specimen
auto TextFields(SpecimenRecord& s) {
    return std::array<std::pair<const wchar_t*, decltype(&s.tag)>, 17>{{
            {L"ABUNDANCE", &s.abundance},
            {L"COLLECTOR", &s.collector},
            {L"COLOR", &s.colour},
            {L"COMMONNAME", &s.commonName},
            {L"DATECOLLECTED", &s.dateCollected},
            {L"DIMENSIONS", &s.dimensions},
            {L"LATINNAME", &s.latinName},
            {L"LOCATION", &s.location},
            {L"PICTURENAME", &s.pictureName},
            {L"QUALITY", &s.quality},
            {L"REMARKS", &s.remarks},
            {L"SPECIMENTAG", &s.tag},
            {L"USERFIELD1", &s.userFields[0]},
            {L"USERFIELD2", &s.userFields[1]},
            {L"USERFIELD3", &s.userFields[2]},
            {L"USERFIELD4", &s.userFields[3]},
            {L"USERFIELD5", &s.userFields[4]},
    }};
}

void Report(ProgressSink* progress, int percent) {
    if (progress != nullptr)
        progress->ReportProgress(percent);
}

// Writes one specimen; empty and zero values are left out. With a picture folder, the
// picture goes into a file there instead of into the document.
bool WriteSpecimen(MarkupDocument& document, const Specimen& specimen, const std::wstring& pictureFolder,
                   PictureFileWriter& pictures) {
    bool picturesWritten = true;
    document.OpenElement(L"SPECIMEN");
    if (pictureFolder.empty()) {
        if (!specimen.pictureData.empty())
            document.WriteByteList(L"PICTUREDATA", specimen.pictureData);
    } else if (!specimen.pictureName.empty() && !specimen.pictureData.empty()) {
        std::wstring fileName = SafePictureFileName(specimen.pictureName);
        if (!fileName.empty()) {
            picturesWritten = CreateFolderPath(pictureFolder, false) &&
                              pictures.WritePicture(pictureFolder + fileName, specimen.pictureData);
        }
    }
    for (const std::wstring& category : specimen.categories) {
        if (!category.empty())
            document.WriteText(L"CATEGORY", category);
    }
    for (const auto& [element, field] : TextFields(specimen)) {
        if (!field->empty())
            document.WriteText(element, *field);
    }
    const std::pair<const wchar_t*, double> numbers[] = {{L"PRICE", specimen.price}, {L"VALUE", specimen.value}};
    for (const auto& [element, number] : numbers) {
        if (number != 0)
            document.WriteDouble(element, number);
    }
    if (specimen.order != 0)
        document.WriteInteger(L"ORDER", specimen.order);
    if (specimen.size != 0)
        document.WriteDouble(L"SIZE", specimen.size);
    if (specimen.mask)
        document.WriteBool(L"MASK", true);
    document.CloseElement();
    return picturesWritten;
}

bool IsEmpty(const Specimen& specimen) {
    for (const auto& entry : TextFields(specimen)) {
        if (!entry.second->empty())
            return false;
    }
    return specimen.categories.empty() && specimen.pictureData.empty() && specimen.price == 0 && specimen.value == 0 &&
           specimen.size == 0 && specimen.order == 0 && !specimen.mask;
}

enum class SpecimenEnd { Document, EndTag, NextSpecimen };

// Reads the children of one specimen up to the next "SPECIMEN" tag or the end.
SpecimenEnd ReadSpecimen(MarkupDocument& document, Specimen& specimen) {
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        if (SameTextIgnoringCase(name, L"SPECIMEN"))
            return document.IsEndTag() ? SpecimenEnd::EndTag : SpecimenEnd::NextSpecimen;
        const wchar_t* text = document.ReadText(name);
        if (text == nullptr)
            continue;
        if (SameTextIgnoringCase(name, L"PICTUREDATA")) {
            specimen.pictureData = ParseByteList(text, 255);
        } else if (SameTextIgnoringCase(name, L"CATEGORY")) {
            specimen.categories.push_back(Unescape(text));
        } else if (SameTextIgnoringCase(name, L"PRICE")) {
            specimen.price = ParseDouble(text);
        } else if (SameTextIgnoringCase(name, L"VALUE")) {
            specimen.value = ParseDouble(text);
        } else if (SameTextIgnoringCase(name, L"SIZE")) {
            specimen.size = ParseDouble(text);
        } else if (SameTextIgnoringCase(name, L"ORDER")) {
            specimen.order = static_cast<std::int32_t>(ParseAtMost(text, 0xFFFFFFFF));
        } else if (SameTextIgnoringCase(name, L"MASK")) {
            specimen.mask = ParseBool(text);
        } else {
            for (const auto& [element, field] : TextFields(specimen)) {
                if (SameTextIgnoringCase(name, element)) {
                    *field = Unescape(text);
                    break;
                }
            }
        }
    }
    return SpecimenEnd::Document;
}

// Reads specimens one after another as long as each ends where the next one starts.
void ReadSpecimens(MarkupDocument& document, Catalog& catalog, ProgressSink* progress) {
    for (;;) {
        Specimen specimen;
        SpecimenEnd end = ReadSpecimen(document, specimen);
        // A specimen cut off by the end of the file is kept when anything of it was read.
        if (end != SpecimenEnd::Document || !IsEmpty(specimen))
            catalog.AddSpecimen(std::move(specimen));
        Report(progress, document.ProgressPercent());
        if (end != SpecimenEnd::NextSpecimen)
            return;
    }
}

// Reads the current layout after the root; true when the root's end tag was reached.
bool ReadCurrentLayout(MarkupDocument& document, Catalog& catalog, const ScreenMetrics& screen, ProgressSink* progress,
                       CatalogReadOutcome& outcome) {
    bool insideCategoryList = false;
    bool insideSpecimenList = false;
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        const bool endTag = document.IsEndTag();
        if (SameTextIgnoringCase(name, L"ORVELLE")) {
            if (endTag)
                return true;
        } else if (SameTextIgnoringCase(name, L"OPTIONS") && !endTag) {
            if (!catalog.CurrentSettings().ReadOptions(document, screen))
                outcome.incomplete = true;
        } else if (SameTextIgnoringCase(name, L"SPECIMENLIST")) {
            insideSpecimenList = !endTag;
        } else if (SameTextIgnoringCase(name, L"CATEGORYLIST")) {
            insideCategoryList = !endTag;
        } else if (SameTextIgnoringCase(name, L"SPECIMEN")) {
            if (!insideSpecimenList)
                outcome.incomplete = true;
            ReadSpecimens(document, catalog, progress);
        } else if (const wchar_t* text = document.ReadText(name)) {
            if (SameTextIgnoringCase(name, L"CATEGORYNAME")) {
                if (!insideCategoryList)
                    outcome.incomplete = true;
                catalog.AddCategory(Unescape(text));
            }
        }
        Report(progress, document.ProgressPercent());
    }
    return false;
}

// What a replacing read takes out of the catalog, kept to be put back when the read fails.
class CatalogContents {
public:
    explicit CatalogContents(Catalog& catalog)
        : categories_(catalog.Categories()), specimens_(std::move(catalog.Specimens())) {
        settings_.CopyFrom(catalog.CurrentSettings());
    }
    void PutBack(Catalog& catalog) {
        catalog.Clear();
        for (const std::wstring& category : categories_)
            catalog.AddCategory(category);
        catalog.Specimens() = std::move(specimens_);
        catalog.CurrentSettings().CopyFrom(settings_);
    }

private:
    std::vector<std::wstring> categories_;
    std::vector<Specimen> specimens_;
    Settings settings_;
};

}  // namespace

bool WriteCatalog(const Catalog& catalog, const std::wstring& path, std::wstring_view filter,
                  PictureFileWriter& pictures, ProgressSink* progress) {
    const Settings& settings = catalog.CurrentSettings();
    const std::wstring allCategories = LoadText(IDS_ALL_CATEGORIES);
    const int count = catalog.CountInFilter(filter);
    ProgressThrottle reports(progress);

    MarkupDocument document;
    document.OpenElement(L"ORVELLE");
    document.WriteInteger(L"DATAVERSION", kDataVersion);
    document.OpenElement(L"CATEGORYLIST");
    if (!SameText(filter, allCategories)) {
        for (const std::wstring& category : catalog.Categories()) {
            if (filter.empty() || SameText(filter, category))
                document.WriteText(L"CATEGORYNAME", category);
        }
    }
    document.CloseElement();
    settings.WriteOptions(document);

    const std::wstring pictureFolder = settings.storeImages ? std::wstring() : PictureFolderOf(catalog.FilePath());
    bool picturesWritten = true;
    document.OpenElement(L"SPECIMENLIST");
    int written = 0;
    for (const Specimen& specimen : catalog.Specimens()) {
        if (!Catalog::IsInFilter(specimen, filter))
            continue;
        ++written;
        reports.Report(written, count + 1, 0, 100);
        if (!WriteSpecimen(document, specimen, pictureFolder, pictures))
            picturesWritten = false;
    }
    document.CloseElement();
    document.CloseElement();
    return document.SaveToFile(path) && picturesWritten;
}

bool ReadCatalog(Catalog& catalog, const std::wstring& path, bool addMode, const ScreenMetrics& screen,
                 ProgressSink* progress, CatalogReadOutcome& outcome) {
    outcome = CatalogReadOutcome();
    ProgressThrottle reports(progress);
    MarkupDocument document;
    if (!document.LoadFromFile(path))
        return false;
    // Only the root's start tag is required: a file cut short keeps what it holds. A file
    // that is no catalog at all leaves the catalog as it was.
    if (!document.HasStartTag(L"ORVELLE")) {
        outcome.notACatalog = true;
        return false;
    }
    // Settings at their default value are not written, so a replaced catalog's settings must
    // not stand in for them: the next tag number 1, for one, would read back as Clear's 0.
    std::optional<CatalogContents> previous;
    if (!addMode) {
        previous.emplace(catalog);
        catalog.Clear();
        catalog.CurrentSettings().ResetToDefaults();
    }
    if (!document.HasElement(L"DATAVERSION")) {
        if (!ReadOldLayout(document, catalog, path, screen, &reports)) {
            if (previous)
                previous->PutBack(catalog);
            return false;
        }
        outcome.upgraded = true;
        return true;
    }
    if (!ReadCurrentLayout(document, catalog, screen, &reports, outcome))
        outcome.incomplete = true;
    return true;
}
