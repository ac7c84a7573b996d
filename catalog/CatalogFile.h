#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/Specimen.h"

class Catalog;
class PictureFileWriter;
class ProgressSink;
class ScreenMetrics;

// The catalog file: categories, settings and specimens in the program's markup.

// Writes the specimens in the filter (empty for all; "<All>" writes no category names) and
// the settings to the path, replacing the file only once all of it is written. Picture files
// go to the catalog's picture folder unless pictures are stored in the file. False when the
// file or a picture file could not be written; the catalog itself is never changed.
bool WriteCatalog(const Catalog& catalog, const std::wstring& path, std::wstring_view filter,
                  PictureFileWriter& pictures, ProgressSink* progress);

// The markup export: the specimens in the filter and the settings in a file of the catalog's
// layout, written the way WriteCatalog writes. Pictures kept inside the catalog file go into
// the export's file; pictures kept as files are copied to the export's own picture folder with
// pictureFiles, and not at all without. Only the export is written: never the catalog's own
// file or picture folder. False when the file could not be written or the export was
// cancelled; a failed write, or one cancelled before its last specimen, leaves any earlier
// file as it was.
bool ExportCatalog(const Catalog& catalog, const std::wstring& path, std::wstring_view filter, bool pictureFiles,
                   PictureFileWriter& pictures, ProgressSink* progress, const std::atomic<bool>* cancelled = nullptr);

struct CatalogReadOutcome {
    bool upgraded = false;           // the file had the older layout and should be written anew
    bool incomplete = false;         // the file was cut off: what was read is kept, no backup is made
    bool notACatalog = false;        // the file was read but holds no catalog
    bool cancelled = false;          // the user stopped the read: the catalog is as it was
    size_t picturesTaken = 0;        // picture files of another folder read into the catalog, to be saved
    std::vector<Specimen> replaced;  // the specimens a replacing read took the place of
};

// Reads a catalog file into the catalog, replacing its contents or adding to them. Replacing
// starts the settings from their defaults (the read-only copy stays), so the file's settings
// are exactly those it holds; adding reads them over the current ones. False when the file
// cannot be read or is not a catalog file, and when a file of the older layout is cut short;
// a failed read, or one cancelled before its last specimen, leaves the catalog and its settings
// as they were. A file of another folder than the catalog's brings the bytes of its picture files.
bool ReadCatalog(Catalog& catalog, const std::wstring& path, bool addMode, const ScreenMetrics& screen,
                 ProgressSink* progress, CatalogReadOutcome& outcome, const std::atomic<bool>* cancelled = nullptr);
// The same for the bytes of a catalog file already in memory; the path is the file's, where a
// file of the older layout finds its pictures.
bool ReadCatalogBytes(Catalog& catalog, const std::uint8_t* bytes, size_t count, const std::wstring& path, bool addMode,
                      const ScreenMetrics& screen, ProgressSink* progress, CatalogReadOutcome& outcome);
