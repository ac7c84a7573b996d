#include "catalog/CommaSeparated.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/DataFile.h"
#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"
#include "base/NumberFormat.h"
#include "base/Paths.h"
#include "base/Progress.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "base/TextSplit.h"
#include "base/Utf8.h"
#include "catalog/Catalog.h"
#include "catalog/CategoryFilter.h"
#include "catalog/ImportUndo.h"
#include "catalog/PictureExport.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kByteOrderMark = 0xFEFF;

std::wstring FieldCaption(int fieldId) {
    return LoadText(IDS_FIELD_CAPTION_FIRST + static_cast<unsigned>(fieldId));
}

// Export.

std::vector<int> ExportedFields(const Settings& settings, bool allData) {
    std::vector<int> fields;
    if (allData) {
        for (int field = 0; field < kFieldCount; ++field)
            fields.push_back(field);
    } else {
        fields.assign(settings.columns.begin(), settings.columns.end());
    }
    return fields;
}

std::wstring HeaderCell(const Settings& settings, int fieldId) {
    if (fieldId < 0 || fieldId >= kFieldCount)
        return {};
    std::wstring caption = FieldCaption(fieldId);
    if (fieldId == kFieldSize && !settings.sizeUnits.empty())
        caption += L" (" + settings.sizeUnits + L")";
    return caption;
}

// A quote inside a cell is doubled, as spreadsheets write it; a lone one would end the cell
// and carry the following rows into it on import.
void AppendQuoted(std::wstring& text, std::wstring_view cell) {
    for (size_t quote = cell.find(L'"'); quote != std::wstring_view::npos; quote = cell.find(L'"')) {
        text.append(cell.data(), quote + 1);
        text += L'"';
        cell.remove_prefix(quote + 1);
    }
    text.append(cell);
}

// A row cell: the field's text, except that sizes never take an exponent. The import reads
// numbers up to the first letter, so "2.5e+06" would come back as 2.5.
std::wstring RowCell(const Specimen& specimen, int fieldId) {
    if (fieldId == kFieldSize)
        return FormatPlainDecimal(specimen.size);
    return Catalog::FieldText(specimen, fieldId);
}

void AppendRow(std::wstring& text, const std::vector<int>& fields, const std::function<std::wstring(int)>& cellText) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += L',';
        text += L'"';
        AppendQuoted(text, cellText(fields[i]));
        text += L'"';
    }
    text += L"\r\n";
}

// A specimen's row; plain text fields are quoted straight from the specimen.
void AppendSpecimenRow(std::wstring& text, const std::vector<int>& fields, const Specimen& specimen) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += L',';
        text += L'"';
        if (const std::wstring* field = SpecimenTextField(specimen, fields[i]))
            AppendQuoted(text, *field);
        else
            AppendQuoted(text, RowCell(specimen, fields[i]));
        text += L'"';
    }
    text += L"\r\n";
}

bool Export(const Catalog& catalog, const std::wstring& path, std::wstring_view filter, bool allData,
            bool preserveUnicode, PictureFileWriter& pictures, ProgressSink* progress, bool pictureFiles,
            const std::atomic<bool>* cancelled) {
    const Settings& settings = catalog.CurrentSettings();
    const std::vector<int> fields = ExportedFields(settings, allData);
    std::vector<const Specimen*> chosen;
    CategoryFilter taken(filter);
    for (const Specimen& specimen : catalog.Specimens()) {
        if (taken.Takes(specimen))
            chosen.push_back(&specimen);
    }
    const bool withPictures = pictureFiles && std::find(fields.begin(), fields.end(), kFieldPicture) != fields.end();
    // The rows take 10 to 100 percent, or to 50 when pictures follow them.
    const int rowSpan = withPictures ? 40 : 90;
    ProgressThrottle reporter(progress);

    // The rows go to the file as they are made: a large export is never held whole. A cancel
    // stops before the file replaces the one there.
    const bool oneByte = !preserveUnicode;
    const auto count = static_cast<long long>(chosen.size()) + 1;
    auto writeRows = [&](DataFile& file) {
        std::wstring text;
        AppendRow(text, fields, [&settings](int field) { return HeaderCell(settings, field); });
        for (size_t i = 0; i < chosen.size(); ++i) {
            AppendSpecimenRow(text, fields, *chosen[i]);
            if (IsCancelled(cancelled) || !WriteWholePieces(file, text, oneByte))
                return false;
            reporter.Report(static_cast<long long>(i) + 1, count, 10, rowSpan);
        }
        return !IsCancelled(cancelled) && WriteEncoded(file, text, oneByte);
    };
    if (!WriteFileReplacing(path, writeRows))
        return false;

    // The pictures follow the file, so that an export that cannot be written leaves nothing
    // behind.
    if (withPictures) {
        ExportPictureFiles(catalog, chosen, FolderOf(path) + LoadText(IDS_PICTURE_FOLDER), pictures, reporter, 50, 50,
                           cancelled);
    }
    return !IsCancelled(cancelled);
}

// Import.

using ColumnMap = std::array<size_t, kFieldCount>;
constexpr size_t kNoColumn = static_cast<size_t>(-1);

bool IsLetterOrDigit(wchar_t c) {
    auto unit = static_cast<std::uint32_t>(c);
    if ((unit >= L'0' && unit <= L'9') || (unit >= L'A' && unit <= L'Z') || (unit >= L'a' && unit <= L'z'))
        return true;
    // Beyond ASCII: the Latin-1 letters and everything above them, so that captions in other
    // scripts still match; the multiplication and division signs are not letters.
    return unit >= 0xC0 && unit != 0xD7 && unit != 0xF7 && unit != kByteOrderMark;
}

// Header cells and captions compare by their leading words: white space (and the invisible
// byte-order mark a spreadsheet may put first) is dropped and the first other character ends
// the text, so "Size (mm)" compares as "Size".
std::wstring NormalisedCaption(std::wstring_view text) {
    std::wstring kept;
    for (wchar_t c : text) {
        if (IsWhiteSpace(c) || c == kByteOrderMark)
            continue;
        if (!IsLetterOrDigit(c))
            break;
        kept += c;
    }
    return kept;
}

// The column of each field: the last header cell naming it. False when no cell names any.
bool MatchHeader(std::wstring_view header, ColumnMap& columns) {
    std::vector<std::wstring> cells = SplitCells(header);
    for (std::wstring& cell : cells)
        cell = NormalisedCaption(cell);
    columns.fill(kNoColumn);
    bool matched = false;
    for (int field = 0; field < kFieldCount; ++field) {
        const std::wstring caption = NormalisedCaption(FieldCaption(field));
        for (size_t column = 0; column < cells.size(); ++column) {
            if (!cells[column].empty() && SameTextIgnoringCase(cells[column], caption)) {
                columns[static_cast<size_t>(field)] = column;
                matched = true;
            }
        }
    }
    return matched;
}

// The category new specimens are imported under when the file names none. "<All>" is a
// choice of the tabs, never a category of its own.
std::wstring TargetCategory(const Settings& settings) {
    const std::wstring& current = settings.currentCategory;
    if (current.empty() || SameText(current, LoadText(IDS_ALL_CATEGORIES)))
        return LoadText(IDS_GENERAL_CATEGORY);
    return current;
}

std::vector<std::wstring> CategoriesOf(std::wstring_view cell) {
    std::vector<std::wstring> categories = Split(cell, L',', true, false);
    std::erase_if(categories, [](const std::wstring& category) { return category.empty(); });
    return categories;
}

// Turns the lines after the header into specimens.
class LineReader {
public:
    LineReader(const ColumnMap& columns, const std::wstring& imagesFolder)
        : columns_(columns), imagesFolder_(imagesFolder), yes_(LoadText(IDS_YES)) {
        for (size_t column : columns) {
            if (column != kNoColumn)
                fieldsInColumn_[column] += 1;
        }
    }

    // False when the line has no cell for any field.
    bool Read(std::wstring_view line, Specimen& specimen) {
        std::vector<std::wstring> cells = SplitCells(line);
        bool taken = false;
        for (int field = 0; field < kFieldCount; ++field) {
            size_t column = columns_[static_cast<size_t>(field)];
            if (column >= cells.size())
                continue;
            TakeField(specimen, field, cells[column], fieldsInColumn_[column] == 1);
            taken = true;
        }
        return taken;
    }

private:
    // A cell that no other field reads is moved into the specimen rather than copied.
    void TakeField(Specimen& specimen, int field, std::wstring& cell, bool onlyReader) {
        if (std::wstring* text = SpecimenTextField(specimen, field)) {
            *text = onlyReader ? std::move(cell) : cell;
            return;
        }
        switch (field) {
            case kFieldCategory:
                specimen.categories = CategoriesOf(cell);
                break;
            case kFieldPicture:
                TakePicture(specimen, cell);
                break;
            case kFieldPrice:
                specimen.price = ParseDouble(cell);
                break;
            case kFieldValue:
                specimen.value = ParseDouble(cell);
                break;
            case kFieldSize:
                specimen.size = ParseDouble(cell);
                break;
            case kFieldOrder:
                specimen.order = ParseInteger(cell);
                break;
            case kFieldMask:
                specimen.mask = SameTextIgnoringCase(cell, yes_);
                break;
            default:
                break;
        }
    }

    // The picture file comes from the Images folder beside the imported file. A name that
    // points elsewhere ("..\x", "C:\x") is cut to its last component; one that cannot be a
    // plain file there is not read at all. A missing file keeps the name without bytes. Each
    // file is read once, however many rows show it.
    void TakePicture(Specimen& specimen, const std::wstring& cell) {
        if (cell.empty())
            return;
        specimen.pictureName = FileNameOf(cell);
        const std::wstring name = SafePictureFileName(cell);
        if (name.empty())
            return;
        auto [entry, added] = pictures_.try_emplace(name);
        if (added) {
            DataFile file(imagesFolder_ + name);
            std::vector<std::uint8_t> bytes;
            if (file.ReadAll(bytes))
                entry->second = std::move(bytes);
        }
        if (entry->second)
            specimen.pictureData = *entry->second;
    }

    const ColumnMap& columns_;
    const std::wstring& imagesFolder_;
    const std::wstring yes_;
    std::unordered_map<size_t, int> fieldsInColumn_;
    // The picture files read so far by name; empty for a file that could not be read.
    std::unordered_map<std::wstring, std::optional<std::vector<std::uint8_t>>> pictures_;
};

enum class ParseEnd { NoFieldNamed, Cancelled, Done };

// With emptyFirst, a replacing parse empties the catalog once the header is known to be usable.
ParseEnd Parse(Catalog& catalog, std::wstring_view text, const std::wstring& imagesFolder, bool addMode,
               ProgressThrottle& reporter, bool emptyFirst = false, const std::atomic<bool>* cancelled = nullptr,
               std::vector<Specimen>* replaced = nullptr) {
    const std::vector<std::wstring_view> lines = SplitLines(text);
    ColumnMap columns;
    if (lines.empty() || !MatchHeader(lines[0], columns))
        return ParseEnd::NoFieldNamed;
    // Kept until the last line is read: an import cancelled or failed half way leaves the catalog
    // as it was.
    std::optional<ImportUndo> undo;
    if (addMode || emptyFirst) {
        // The file carries no settings: the tag numbers go on from where they were, or new
        // specimens would be proposed tags the catalog's own specimens may still carry.
        const std::uint32_t nextTag = catalog.CurrentSettings().nextTagNumber;
        undo.emplace(catalog, addMode);
        catalog.CurrentSettings().nextTagNumber = nextTag;
    }
    if (!addMode)
        catalog.AddCategory(TargetCategory(catalog.CurrentSettings()));
    catalog.Specimens().reserve(catalog.Specimens().size() + lines.size() - 1);
    LineReader reader(columns, imagesFolder);
    const auto lineCount = static_cast<long long>(lines.size());
    for (size_t i = 1; i < lines.size(); ++i) {
        if (IsCancelled(cancelled))
            return ParseEnd::Cancelled;
        // The header counts as the first line.
        reporter.Report(static_cast<long long>(i) + 1, lineCount, 0, 100);
        Specimen specimen;
        if (reader.Read(lines[i], specimen))
            catalog.AddSpecimen(std::move(specimen));
    }
    if (undo)
        undo->Commit(replaced);
    return ParseEnd::Done;
}

// A file that is not UTF-16: UTF-8 when its bytes are (a spreadsheet's "Hélène" would otherwise
// read as "HÃ©lÃ¨ne"), else one code unit per byte, every byte included.
std::wstring TextFromBytes(const std::vector<std::uint8_t>& bytes) {
    if (StartsWithUtf8Mark(bytes.data(), bytes.size()) || LooksLikeUtf8(bytes.data(), bytes.size())) {
        if (std::optional<std::wstring> text = DecodeUtf8(bytes.data(), bytes.size()))
            return std::move(*text);
    }
    return std::wstring(bytes.begin(), bytes.end());
}

ImportProblem Import(Catalog& catalog, const std::wstring& path, bool addMode, Settings& savedSettings,
                     ProgressThrottle& reporter, const std::atomic<bool>* cancelled, std::vector<Specimen>* replaced) {
    std::vector<std::uint8_t> bytes;
    {
        DataFile file(path);
        if (!file.ReadAll(bytes))
            return ImportProblem::Unreadable;
    }
    const std::wstring imagesFolder = FolderOf(path) + LoadText(IDS_PICTURE_FOLDER);
    // A file with the UTF-8 mark is no UTF-16 file, whatever its bytes would read as.
    ParseEnd end = ParseEnd::NoFieldNamed;
    if (!StartsWithUtf8Mark(bytes.data(), bytes.size()))
        end = Parse(catalog, TextFromUtf16Le(bytes.data(), bytes.size()), imagesFolder, addMode, reporter, true,
                    cancelled, replaced);
    if (end == ParseEnd::NoFieldNamed)
        end = Parse(catalog, TextFromBytes(bytes), imagesFolder, addMode, reporter, true, cancelled, replaced);
    if (end == ParseEnd::NoFieldNamed)
        return ImportProblem::NoFieldNamed;
    if (end == ParseEnd::Cancelled)
        return ImportProblem::Cancelled;
    savedSettings.CopyFrom(catalog.CurrentSettings());
    return ImportProblem::None;
}

}  // namespace

bool ExportCommaSeparated(const Catalog& catalog, const std::wstring& path, std::wstring_view filter, bool allData,
                          bool preserveUnicode, PictureFileWriter& pictures, ProgressSink* progress, bool pictureFiles,
                          const std::atomic<bool>* cancelled) {
    try {
        return Export(catalog, path, filter, allData, preserveUnicode, pictures, progress, pictureFiles, cancelled);
    } catch (...) {
        // Out of memory, most likely: the export fails and the catalog is as it was.
        return false;
    }
}

bool ImportCommaSeparated(Catalog& catalog, const std::wstring& path, bool addMode, Settings& savedSettings,
                          ProgressSink* progress, ImportProblem* problem, const std::atomic<bool>* cancelled,
                          std::vector<Specimen>* replaced) {
    ProgressThrottle reporter(progress);
    ImportProblem outcome = ImportProblem::Unreadable;
    try {
        reporter.ReportProgress(0);
        outcome = Import(catalog, path, addMode, savedSettings, reporter, cancelled, replaced);
    } catch (...) {
        outcome = ImportProblem::Unreadable;
    }
    reporter.ReportProgress(100);
    if (problem != nullptr)
        *problem = outcome;
    return outcome == ImportProblem::None;
}

bool ParseCommaSeparated(Catalog& catalog, std::wstring_view text, const std::wstring& imagesFolder, bool addMode,
                         ProgressSink* progress) {
    try {
        ProgressThrottle reporter(progress);
        return Parse(catalog, text, imagesFolder, addMode, reporter) == ParseEnd::Done;
    } catch (...) {
        return false;
    }
}

std::wstring NothingImportedText(ImportProblem problem, const std::wstring& path) {
    switch (problem) {
        case ImportProblem::Unreadable:
            return FillIn(LoadText(IDS_IMPORT_UNREADABLE), {path});
        case ImportProblem::NoFieldNamed:
            return FillIn(LoadText(IDS_IMPORT_NO_FIELD_NAMED), {path});
        case ImportProblem::NotACatalog:
            return FillIn(LoadText(IDS_IMPORT_NOT_A_CATALOG), {path});
        default:
            return std::wstring();
    }
}

bool IsCommaSeparatedName(std::wstring_view path) {
    const std::wstring extension = LoadText(IDS_CSV_EXTENSION);
    const std::wstring name = FileNameOf(path);
    if (extension.empty() || name.size() < extension.size())
        return false;
    return SameTextIgnoringCase(std::wstring_view(name).substr(name.size() - extension.size()), extension);
}
