#include "catalog/CatalogFileOldLayout.h"

#include <array>

#include "base/DataFile.h"
#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"
#include "base/Paths.h"
#include "base/Progress.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kDesktopBackupName[] = L"orvellebackup.xml";

// The older list view numbered its columns differently: old number -> field identifier.
constexpr std::array<std::uint8_t, 19> kOldColumnFields = {18, 10, 6,  3,  7,  1, 2,  8,  4, 13,
                                                           14, 17, 16, 11, 12, 9, 15, 19, 5};

// Settings elements the old settings file may hold and that keep their current meaning.
constexpr const wchar_t* kOldSettingsKeys[] = {
        L"LASTLOCATION",    L"LASTCOLLECTOR", L"LASTDATE",   L"REPORTFONT",   L"DATESTYLE",
        L"TOOLBAR",         L"REPORTSORT",    L"REPORTTYPE", L"REPORTLABELS", L"REPORTSIZE",
        L"REPORTSPECIMENS", L"SPLITTERBAR",   L"BACKUP",     L"HIDESTATUS",   L"TRACK",
};

// Settings the old catalog file kept at its root.
constexpr const wchar_t* kOldRootSettings[] = {L"NEXTTAG", L"TAGFORMAT", L"SIZEUNITS", L"COLWIDTHS", L"SORTREVERSE"};

// Old specimens' text fields, which keep their current meaning.
template <typename SpecimenRecord>
auto OldTextFields(SpecimenRecord& s) {
    return std::array<std::pair<const wchar_t*, decltype(&s.tag)>, 11>{{
            {L"SPECIMENTAG", &s.tag},
            {L"LATINNAME", &s.latinName},
            {L"COMMONNAME", &s.commonName},
            {L"LOCATION", &s.location},
            {L"COLLECTOR", &s.collector},
            {L"COLOR", &s.colour},
            {L"DATECOLLECTED", &s.dateCollected},
            {L"DIMENSIONS", &s.dimensions},
            {L"USERFIELD1", &s.userFields[0]},
            {L"USERFIELD2", &s.userFields[1]},
            {L"REMARKS", &s.remarks},
    }};
}

std::wstring ScaleWord(int number, unsigned first, unsigned last) {
    if (number >= 0 && static_cast<unsigned>(number) <= last - first)
        return LoadText(first + static_cast<unsigned>(number));
    if (number >= static_cast<int>(first) && number <= static_cast<int>(last))
        return LoadText(static_cast<unsigned>(number));
    return {};
}

bool Is(std::wstring_view name, std::wstring_view element) {
    return SameTextIgnoringCase(name, element);
}

void Report(ProgressSink* progress, int percent) {
    if (progress != nullptr)
        progress->ReportProgress(percent);
}

// Offers to copy the catalog file to the desktop before it is rewritten.
void OfferDesktopBackup(Catalog& catalog) {
    CatalogHost& host = catalog.Host();
    if (!host.AskYesNo(IDS_UPGRADE_BACKUP_QUESTION))
        return;
    std::wstring backup = host.DesktopFolder() + kDesktopBackupName;
    // Only a copy that was made is announced.
    if (CopyFileReplacing(catalog.FilePath(), backup))
        host.ShowInformation(LoadText(IDS_UPGRADE_BACKUP_MADE) + backup);
}

// Reads the old separate settings file; returns the old picture folder it names, if any.
std::wstring ReadOldSettingsFile(Catalog& catalog, const ScreenMetrics& screen) {
    Settings& settings = catalog.CurrentSettings();
    std::wstring pictureFolder;
    std::wstring path = catalog.Host().DataFolder() + LoadText(IDS_PRODUCT_NAME) + LoadText(IDS_OPTIONS_NAME) +
                        LoadText(IDS_XML_EXTENSION);
    MarkupDocument document;
    if (!document.LoadFromFile(path))
        return pictureFolder;
    document.HasElement(L"ORVELLEOPTIONS");  // converts a file of one byte per character
    bool reading = false;
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        if (Is(name, L"ORVELLEOPTIONS")) {
            reading = !document.IsEndTag();
            continue;
        }
        const wchar_t* text = reading ? document.ReadText(name) : nullptr;
        if (text == nullptr)
            continue;
        if (Is(name, L"DIR") || Is(name, L"LASTPATH")) {
            settings.lastFolder = Unescape(text);
        } else if (Is(name, L"FILENAME")) {
            pictureFolder = FolderOf(Unescape(text));
        } else if (Is(name, L"LASTABUNDANCE")) {
            settings.lastAbundance = AbundanceFromNumber(ParseInteger(text));
        } else {
            for (const wchar_t* key : kOldSettingsKeys) {
                if (Is(name, key))
                    settings.ReadElement(name, text, screen);
            }
        }
    }
    if (settings.splitter < Settings::kMinimumSplitter)
        settings.splitter = Settings::kMinimumSplitter;
    return pictureFolder;
}

std::vector<std::uint8_t> TranslateOldColumns(const std::vector<std::uint8_t>& oldColumns) {
    std::vector<std::uint8_t> columns;
    for (std::uint8_t column : oldColumns)
        columns.push_back(column < kOldColumnFields.size() ? kOldColumnFields[column] : column);
    return columns;
}

// Takes an element of an old specimen; false when the name is not one of its fields.
bool ReadOldSpecimenField(std::wstring_view name, const wchar_t* text, const std::wstring& pictureFolder,
                          Specimen& specimen) {
    for (const auto& [element, field] : OldTextFields(specimen)) {
        if (Is(name, element)) {
            *field = Unescape(text);
            return true;
        }
    }
    if (Is(name, L"SPECIMENID")) {
        specimen.order = ParseInteger(text);
    } else if (Is(name, L"PICTURENAME")) {
        std::wstring fileName = SafePictureFileName(Unescape(text));
        if (!fileName.empty()) {
            DataFile picture(pictureFolder + fileName);
            picture.ReadAll(specimen.pictureData);
            specimen.pictureName = fileName;
        }
    } else if (Is(name, L"PRICE")) {
        specimen.price = ParseDouble(text);
    } else if (Is(name, L"VALUE")) {
        specimen.value = ParseDouble(text);
    } else if (Is(name, L"SIZE")) {
        specimen.size = ParseDouble(text);
    } else if (Is(name, L"QUALITY")) {
        specimen.quality = QualityFromNumber(ParseInteger(text));
    } else if (Is(name, L"ABUNDANCE")) {
        specimen.abundance = AbundanceFromNumber(ParseInteger(text));
    } else if (Is(name, L"MASK")) {
        specimen.mask = ParseBool(text);
    } else {
        return false;
    }
    return true;
}

// Takes a setting the old catalog file kept at its root.
void ReadOldRootSetting(std::wstring_view name, const wchar_t* text, const ScreenMetrics& screen, Settings& settings) {
    if (Is(name, L"COLS")) {
        settings.columns = TranslateOldColumns(ParseByteList(text, kFieldNone));
    } else if (Is(name, L"SORTCOL")) {
        settings.sortColumn = ParseClamped(text, kFieldNone, -2147483647);
    } else {
        for (const wchar_t* key : kOldRootSettings) {
            if (Is(name, key))
                settings.ReadElement(name, text, screen);
        }
    }
}

}  // namespace

std::wstring AbundanceFromNumber(int number) {
    return ScaleWord(number, IDS_ABUNDANCE_FIRST, IDS_ABUNDANCE_LAST);
}

std::wstring QualityFromNumber(int number) {
    return ScaleWord(number, IDS_QUALITY_FIRST, IDS_QUALITY_LAST);
}

bool ReadOldLayout(MarkupDocument& document, Catalog& catalog, const std::wstring& path, const ScreenMetrics& screen,
                   ProgressSink* progress) {
    OfferDesktopBackup(catalog);
    std::wstring pictureFolder = ReadOldSettingsFile(catalog, screen);
    if (pictureFolder.empty())
        pictureFolder = PictureFolderOf(path);

    bool insideCategoryList = false;
    std::wstring category;
    Specimen specimen;
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        const bool endTag = document.IsEndTag();
        if (Is(name, L"ORVELLE") && endTag)
            return true;
        if (Is(name, L"ORVELLE") || Is(name, L"SPECIMENLIST")) {
            // Containers: reading their text would swallow the first child's tag.
        } else if (Is(name, L"CATEGORYLIST")) {
            insideCategoryList = !endTag;
        } else if (Is(name, L"SPECIMEN")) {
            if (endTag) {
                if (!category.empty())
                    specimen.categories = {category};
                catalog.AddSpecimen(std::move(specimen));
            }
            specimen = Specimen();
        } else if (const wchar_t* text = document.ReadText(name)) {
            if (Is(name, L"CATEGORYNAME")) {
                category = Unescape(text);
                // Kept even when no specimen follows: the user made it.
                if (!category.empty())
                    catalog.AddCategory(category);
            } else if (!ReadOldSpecimenField(name, text, pictureFolder, specimen) && !insideCategoryList) {
                ReadOldRootSetting(name, text, screen, catalog.CurrentSettings());
            }
        }
        Report(progress, document.ProgressPercent());
    }
    return false;
}
