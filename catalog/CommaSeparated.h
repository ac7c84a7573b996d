#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

class Catalog;
class PictureFileWriter;
class ProgressSink;
struct Settings;
struct Specimen;

// Exchange with spreadsheets: one header row of field captions, then one row per specimen;
// every cell in double quotes, cells separated by "," and rows ended by CR LF. A double quote
// inside a cell is doubled; nothing else is escaped. None of these functions throws; every
// failure is a false result.

// Writes the specimens in the filter, with all 23 fields or with the list's columns, as
// UTF-16 little-endian without a mark or, without preserveUnicode, one byte per code unit
// (a character above 255 becomes "?"). With pictureFiles, the pictures of the Picture column
// go to the "Images" folder beside the file; without, no picture file is written. The catalog
// is not changed. A failed write, or one cancelled before its last row, leaves any earlier
// file as it was; a cancel among the pictures stops copying them. False in all three cases.
bool ExportCommaSeparated(const Catalog& catalog, const std::wstring& path, std::wstring_view filter, bool allData,
                          bool preserveUnicode, PictureFileWriter& pictures, ProgressSink* progress,
                          bool pictureFiles = true, const std::atomic<bool>* cancelled = nullptr);

// Why an import took nothing from its file.
enum class ImportProblem {
    None,
    Unreadable,    // the file could not be read
    NoFieldNamed,  // no cell of the first line names a field
    NotACatalog,   // a markup file read, but no catalog
    Cancelled,     // the user stopped the import: the catalog is as it was
};

// The message that tells the user nothing was imported from the file, and why; empty for None.
std::wstring NothingImportedText(ImportProblem problem, const std::wstring& path);

// Reads a file written by the export or a spreadsheet, replacing the catalog's contents or
// adding to them. The text is taken as UTF-16 and, when its header names no field, once more
// as one byte per character. On success the catalog's settings are copied to savedSettings.
// The catalog is replaced only once the file is known to be usable: a failed or cancelled
// import leaves it as it was and tells why in problem. The specimens a replacing import took the
// place of go to replaced, when given.
bool ImportCommaSeparated(Catalog& catalog, const std::wstring& path, bool addMode, Settings& savedSettings,
                          ProgressSink* progress, ImportProblem* problem = nullptr,
                          const std::atomic<bool>* cancelled = nullptr, std::vector<Specimen>* replaced = nullptr);

// The reading itself, on a text already in memory: header, then one specimen per line.
// Picture files are read from imagesFolder (ending with a separator). False when no header
// cell names a field; nothing has been added then.
bool ParseCommaSeparated(Catalog& catalog, std::wstring_view text, const std::wstring& imagesFolder, bool addMode,
                         ProgressSink* progress);

// Whether a path names a comma-separated file: its file name ends with ".csv", ignoring case
// (so "a.CSV" is; "a.csvx", "a.csv.xml" and "x.csv\\a" are not).
bool IsCommaSeparatedName(std::wstring_view path);
