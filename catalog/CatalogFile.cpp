#include "catalog/CatalogFile.h"

#include <array>
#include <iterator>
#include <optional>
#include <utility>

#include "base/DataFile.h"
#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"
#include "base/Progress.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFileOldLayout.h"
#include "catalog/CategoryFilter.h"
#include "catalog/ImportUndo.h"
#include "catalog/PictureExport.h"
#include "catalog/PictureFiles.h"
#include "catalog/PictureNames.h"
#include "catalog/Settings.h"
#include "resources/resource.h"

namespace {

// Element names as views of known length: a plain literal would be measured on every use.
using namespace std::string_view_literals;

constexpr int kDataVersion = 1000;

// The text children of a specimen with their fields, in the order they are written.
template <typename SpecimenRecord>  // Specimen or const Specimen
auto TextFields(SpecimenRecord& s) {
    return std::array<std::pair<std::wstring_view, decltype(&s.tag)>, 17>{{
            {L"ABUNDANCE"sv, &s.abundance},
            {L"COLLECTOR"sv, &s.collector},
            {L"COLOR"sv, &s.colour},
            {L"COMMONNAME"sv, &s.commonName},
            {L"DATECOLLECTED"sv, &s.dateCollected},
            {L"DIMENSIONS"sv, &s.dimensions},
            {L"LATINNAME"sv, &s.latinName},
            {L"LOCATION"sv, &s.location},
            {L"PICTURENAME"sv, &s.pictureName},
            {L"QUALITY"sv, &s.quality},
            {L"REMARKS"sv, &s.remarks},
            {L"SPECIMENTAG"sv, &s.tag},
            {L"USERFIELD1"sv, &s.userFields[0]},
            {L"USERFIELD2"sv, &s.userFields[1]},
            {L"USERFIELD3"sv, &s.userFields[2]},
            {L"USERFIELD4"sv, &s.userFields[3]},
            {L"USERFIELD5"sv, &s.userFields[4]},
    }};
}

void Report(ProgressSink* progress, int percent) {
    if (progress != nullptr)
        progress->ReportProgress(percent);
}

// Where the pictures of a save come from and go to.
struct PictureFolders {
    std::wstring target;     // the picture folder files are written to; empty: pictures go into the file
    std::wstring source;     // the catalog's own picture folder; empty for a catalog never saved
    bool writeFiles = true;  // false: picture files are left to the caller
};

// Writes a picture file unless the file there holds the same bytes already: a save of a large
// catalog would otherwise write every picture anew. True when the file holds the picture.
bool WritePictureFile(const Specimen& specimen, const std::wstring& folder, PictureFileWriter& pictures) {
    const std::wstring fileName = SafePictureFileName(specimen.pictureName);
    if (fileName.empty())
        return true;
    const std::wstring path = folder + fileName;
    if (FileHoldsBytes(path, specimen.pictureData))
        return true;
    return CreateFolderPath(folder, false) && pictures.WritePicture(path, specimen.pictureData);
}

// The bytes written into the file: the specimen's own, or, when they were never read since the
// catalog was opened, those of its file in the picture folder, so that keeping pictures in the
// file loses none.
const std::vector<std::uint8_t>& PictureBytesForFile(const Specimen& specimen, const std::wstring& sourceFolder,
                                                     std::vector<std::uint8_t>& readBytes) {
    if (!specimen.pictureData.empty() || specimen.pictureName.empty())
        return specimen.pictureData;
    readBytes = ReadPictureFile(sourceFolder, specimen.pictureName);
    return readBytes;
}

// Writes one specimen; empty and zero values are left out. With a target picture folder, the
// picture goes into a file there instead of into the document.
bool WriteSpecimen(MarkupDocument& document, const Specimen& specimen, const PictureFolders& folders,
                   PictureFileWriter& pictures) {
    bool picturesWritten = true;
    document.OpenElement(L"SPECIMEN"sv);
    if (folders.target.empty()) {
        std::vector<std::uint8_t> readBytes;
        const std::vector<std::uint8_t>& bytes = PictureBytesForFile(specimen, folders.source, readBytes);
        if (!bytes.empty())
            document.WriteByteList(L"PICTUREDATA"sv, bytes);
    } else if (folders.writeFiles && !specimen.pictureName.empty() && !specimen.pictureData.empty()) {
        picturesWritten = WritePictureFile(specimen, folders.target, pictures);
    }
    for (const std::wstring& category : specimen.categories) {
        if (!category.empty())
            document.WriteText(L"CATEGORY"sv, category);
    }
    for (const auto& [element, field] : TextFields(specimen)) {
        if (!field->empty())
            document.WriteText(element, *field);
    }
    const std::pair<std::wstring_view, double> numbers[] = {{L"PRICE"sv, specimen.price}, {L"VALUE"sv, specimen.value}};
    for (const auto& [element, number] : numbers) {
        if (number != 0)
            document.WriteDouble(element, number);
    }
    if (specimen.order != 0)
        document.WriteInteger(L"ORDER"sv, specimen.order);
    if (specimen.size != 0)
        document.WriteDouble(L"SIZE"sv, specimen.size);
    if (specimen.mask)
        document.WriteBool(L"MASK"sv, true);
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

// The program's own element names are plain ASCII: they are told apart by their letters alone,
// without asking the system for every element of a large file.
bool IsElement(std::wstring_view name, std::wstring_view element) {
    return SameAsciiIgnoringCase(name, element);
}

// A specimen's elements other than its text fields, in the order of SpecimenChild.
constexpr std::wstring_view kSpecimenChildren[] = {L"PICTUREDATA", L"CATEGORY", L"PRICE", L"VALUE",
                                                   L"SIZE",        L"ORDER",    L"MASK"};
enum class SpecimenChild { PictureData, Category, Price, Value, Size, Order, Mask, TextField };

SpecimenChild SpecimenChildNamed(std::wstring_view name) {
    size_t index = 0;
    while (index < std::size(kSpecimenChildren) && !IsElement(name, kSpecimenChildren[index]))
        ++index;
    return static_cast<SpecimenChild>(index);
}

void ReadSpecimenChild(std::wstring_view name, std::wstring_view text, Specimen& specimen) {
    switch (SpecimenChildNamed(name)) {
        case SpecimenChild::PictureData:
            specimen.pictureData = ParseByteList(text, 255);
            break;
        case SpecimenChild::Category:
            specimen.categories.push_back(Unescape(text));
            break;
        case SpecimenChild::Price:
            specimen.price = ParseDouble(text);
            break;
        case SpecimenChild::Value:
            specimen.value = ParseDouble(text);
            break;
        case SpecimenChild::Size:
            specimen.size = ParseDouble(text);
            break;
        case SpecimenChild::Order:
            specimen.order = static_cast<std::int32_t>(ParseAtMost(text, 0xFFFFFFFF));
            break;
        case SpecimenChild::Mask:
            specimen.mask = ParseBool(text);
            break;
        case SpecimenChild::TextField:
            for (const auto& [element, field] : TextFields(specimen)) {
                if (IsElement(name, element)) {
                    *field = Unescape(text);
                    break;
                }
            }
            break;
    }
}

enum class SpecimenEnd { Document, EndTag, NextSpecimen };

// Reads the children of one specimen up to the next "SPECIMEN" tag or the end.
SpecimenEnd ReadSpecimen(MarkupDocument& document, Specimen& specimen) {
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        if (IsElement(name, L"SPECIMEN"sv))
            return document.IsEndTag() ? SpecimenEnd::EndTag : SpecimenEnd::NextSpecimen;
        if (const wchar_t* text = document.ReadText(name))
            ReadSpecimenChild(name, {text, document.TextLength()}, specimen);
    }
    return SpecimenEnd::Document;
}

// The first specimens tell roughly how many the file holds: room for them all is made at once
// rather than by moving every specimen each time the list grows.
constexpr size_t kSpecimensToEstimate = 64;

void ReserveForTheRest(const MarkupDocument& document, Catalog& catalog, size_t read) {
    const double done = document.Progress();
    if (done <= 0 || done >= 1)
        return;
    const auto expected = static_cast<size_t>(static_cast<double>(read) / done * 1.1);
    std::vector<Specimen>& specimens = catalog.Specimens();
    specimens.reserve(specimens.size() + expected - read);
}

// Reads specimens one after another as long as each ends where the next one starts.
// False when cancelled.
bool ReadSpecimens(MarkupDocument& document, Catalog& catalog, ProgressSink* progress,
                   const std::atomic<bool>* cancelled) {
    for (size_t read = 1;; ++read) {
        if (IsCancelled(cancelled))
            return false;
        Specimen specimen;
        SpecimenEnd end = ReadSpecimen(document, specimen);
        // A specimen cut off by the end of the file is kept when anything of it was read.
        if (end != SpecimenEnd::Document || !IsEmpty(specimen))
            catalog.AddSpecimen(std::move(specimen));
        if (read == kSpecimensToEstimate)
            ReserveForTheRest(document, catalog, read);
        Report(progress, document.ProgressPercent());
        if (end != SpecimenEnd::NextSpecimen)
            return true;
    }
}

// Reads the current layout after the root; true when the root's end tag was reached.
bool ReadCurrentLayout(MarkupDocument& document, Catalog& catalog, const ScreenMetrics& screen, ProgressSink* progress,
                       CatalogReadOutcome& outcome, const std::atomic<bool>* cancelled) {
    bool insideCategoryList = false;
    bool insideSpecimenList = false;
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        const bool endTag = document.IsEndTag();
        if (IsElement(name, L"ORVELLE"sv)) {
            if (endTag)
                return true;
        } else if (IsElement(name, L"OPTIONS"sv) && !endTag) {
            if (!catalog.CurrentSettings().ReadOptions(document, screen))
                outcome.incomplete = true;
        } else if (IsElement(name, L"SPECIMENLIST"sv)) {
            insideSpecimenList = !endTag;
        } else if (IsElement(name, L"CATEGORYLIST"sv)) {
            insideCategoryList = !endTag;
        } else if (IsElement(name, L"SPECIMEN"sv)) {
            if (!insideSpecimenList)
                outcome.incomplete = true;
            if (!ReadSpecimens(document, catalog, progress, cancelled)) {
                outcome.cancelled = true;
                return false;
            }
        } else if (const wchar_t* text = document.ReadText(name)) {
            if (IsElement(name, L"CATEGORYNAME"sv)) {
                if (!insideCategoryList)
                    outcome.incomplete = true;
                catalog.AddCategory(Unescape(text));
            }
        }
        Report(progress, document.ProgressPercent());
    }
    return false;
}

// A catalog read from another folder brings its picture files: their bytes join the catalog as a
// picture chosen in the details dialog would, so the next save writes them into the catalog's own
// picture folder, apart from a different picture of the same name. A picture missing there stays
// a name. Returns how many pictures were taken in.
size_t TakeInPictureFiles(Catalog& catalog, size_t first, const std::wstring& path) {
    if (catalog.FilePath().empty())
        return 0;
    const std::wstring folder = PictureFolderOf(path);
    const std::wstring ownFolder = PictureFolderOf(catalog.FilePath());
    if (SameTextIgnoringCase(folder, ownFolder))
        return 0;
    size_t taken = 0;
    std::vector<Specimen>& specimens = catalog.Specimens();
    for (size_t i = first; i < specimens.size(); ++i) {
        Specimen& specimen = specimens[i];
        if (specimen.pictureName.empty() || !specimen.pictureData.empty())
            continue;
        specimen.pictureData = ReadPictureFile(folder, specimen.pictureName);
        if (specimen.pictureData.empty())
            continue;
        specimen.pictureName = NameFreeInFolder(specimen.pictureName, specimen.pictureData, ownFolder);
        ++taken;
    }
    return taken;
}

// Reads a loaded catalog document; the path is the file's, for the older layout's pictures.
bool ReadCatalogDocument(MarkupDocument& document, Catalog& catalog, const std::wstring& path, bool addMode,
                         const ScreenMetrics& screen, ProgressSink* progress, CatalogReadOutcome& outcome,
                         const std::atomic<bool>* cancelled) {
    ProgressThrottle reports(progress);
    // Only the root's start tag is required: a file cut short keeps what it holds. A file
    // that is no catalog at all leaves the catalog as it was.
    if (!document.HasStartTag(L"ORVELLE")) {
        outcome.notACatalog = true;
        return false;
    }
    // Settings at their default value are not written, so a replaced catalog's settings must
    // not stand in for them: the next tag number 1, for one, would read back as Clear's 0.
    ImportUndo undo(catalog, addMode);
    if (!addMode)
        catalog.CurrentSettings().ResetToDefaults();
    // Specimens added from another file join the user's catalog; that file's settings (its
    // date style, captions, tag format) are read into a scratch record and dropped.
    std::optional<Settings> own;
    if (addMode)
        own.emplace(catalog.CurrentSettings());
    bool read = true;
    if (!document.HasElement(L"DATAVERSION")) {
        read = ReadOldLayout(document, catalog, path, screen, &reports);
        outcome.upgraded = read;
    } else {
        const size_t first = catalog.Specimens().size();
        if (!ReadCurrentLayout(document, catalog, screen, &reports, outcome, cancelled)) {
            read = !outcome.cancelled;
            outcome.incomplete = read;
        }
        if (read)
            outcome.picturesTaken = TakeInPictureFiles(catalog, first, path);
    }
    // A read that did not finish leaves the catalog as it was.
    if (!read)
        return false;
    if (own)
        catalog.CurrentSettings().CopyFrom(*own);
    undo.Commit(&outcome.replaced);
    return true;
}

// Where a save finds the pictures (beside the catalog's own file) and puts them (beside the file
// written, never in the working folder of a catalog that has no file yet).
PictureFolders SaveFolders(const Catalog& catalog, const std::wstring& path) {
    PictureFolders folders;
    if (!catalog.FilePath().empty())
        folders.source = PictureFolderOf(catalog.FilePath());
    if (!catalog.CurrentSettings().storeImages)
        folders.target = PictureFolderOf(path);
    return folders;
}

// Writes the whole catalog document; false when a picture file could not be written or the
// writing was cancelled.
bool WriteDocument(MarkupDocument& document, const Catalog& catalog, std::wstring_view filter,
                   const PictureFolders& folders, PictureFileWriter& pictures, ProgressThrottle& reports,
                   int span = 100, const std::atomic<bool>* cancelled = nullptr) {
    const Settings& settings = catalog.CurrentSettings();
    const std::wstring allCategories = LoadText(IDS_ALL_CATEGORIES);
    const int count = catalog.CountInFilter(filter);

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

    bool picturesWritten = true;
    document.OpenElement(L"SPECIMENLIST");
    int written = 0;
    CategoryFilter taken(filter);
    for (const Specimen& specimen : catalog.Specimens()) {
        if (!taken.Takes(specimen))
            continue;
        if (IsCancelled(cancelled))
            return false;
        ++written;
        reports.Report(written, count + 1, 0, span);
        if (!WriteSpecimen(document, specimen, folders, pictures))
            picturesWritten = false;
    }
    document.CloseElement();
    document.CloseElement();
    return picturesWritten;
}

}  // namespace

bool WriteCatalog(const Catalog& catalog, const std::wstring& path, std::wstring_view filter,
                  PictureFileWriter& pictures, ProgressSink* progress) {
    bool picturesWritten = true;
    // The document goes to the file as it is made: a large catalog is never held whole.
    const bool saved = WriteFileReplacing(path, [&](DataFile& file) {
        MarkupDocument document;
        document.StreamTo(file);
        ProgressThrottle reports(progress);
        picturesWritten = WriteDocument(document, catalog, filter, SaveFolders(catalog, path), pictures, reports);
        return document.FinishStream();
    });
    return saved && picturesWritten;
}

bool ExportCatalog(const Catalog& catalog, const std::wstring& path, std::wstring_view filter, bool pictureFiles,
                   PictureFileWriter& pictures, ProgressSink* progress, const std::atomic<bool>* cancelled) {
    try {
        PictureFolders folders;
        if (!catalog.FilePath().empty())
            folders.source = PictureFolderOf(catalog.FilePath());
        // Pictures kept as files go beside the export once it is written, never into the
        // catalog's own folder.
        const bool filesBeside = !catalog.CurrentSettings().storeImages;
        if (filesBeside) {
            folders.target = PictureFolderOf(path);
            folders.writeFiles = false;
        }
        const bool withFiles = filesBeside && pictureFiles;
        ProgressThrottle reports(progress);
        const bool saved = WriteFileReplacing(path, [&](DataFile& file) {
            MarkupDocument document;
            document.StreamTo(file);
            const bool written = WriteDocument(document, catalog, filter, folders, pictures, reports,
                                               withFiles ? 50 : 100, cancelled);
            return document.FinishStream() && written && !IsCancelled(cancelled);
        });
        if (!saved)
            return false;
        if (withFiles) {
            std::vector<const Specimen*> chosen;
            CategoryFilter taken(filter);
            for (const Specimen& specimen : catalog.Specimens()) {
                if (taken.Takes(specimen))
                    chosen.push_back(&specimen);
            }
            ExportPictureFiles(catalog, chosen, folders.target, pictures, reports, 50, 50, cancelled);
        }
        return !IsCancelled(cancelled);
    } catch (...) {
        return false;
    }
}

bool ReadCatalog(Catalog& catalog, const std::wstring& path, bool addMode, const ScreenMetrics& screen,
                 ProgressSink* progress, CatalogReadOutcome& outcome, const std::atomic<bool>* cancelled) {
    outcome = CatalogReadOutcome();
    MarkupDocument document;
    if (!document.LoadFromFile(path))
        return false;
    return ReadCatalogDocument(document, catalog, path, addMode, screen, progress, outcome, cancelled);
}

bool ReadCatalogBytes(Catalog& catalog, const std::uint8_t* bytes, size_t count, const std::wstring& path, bool addMode,
                      const ScreenMetrics& screen, ProgressSink* progress, CatalogReadOutcome& outcome) {
    outcome = CatalogReadOutcome();
    MarkupDocument document;
    document.LoadFromBytes(bytes, count);
    return ReadCatalogDocument(document, catalog, path, addMode, screen, progress, outcome, nullptr);
}
