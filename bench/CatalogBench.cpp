// Times reading and writing the catalog file and the comma-separated exchange on generated
// catalogs of 1,000, 10,000 and 100,000 specimens, each beside baselines measured in the same
// run on the same bytes: pugixml parsing the document, a plain scan of the text, and writing
// the same bytes from a ready buffer with a flush to the disk. Prints Markdown tables.
//     orvelle_bench [--quick]   (or ORVELLE_BENCH_QUICK=1): one small catalog, one run each
//
// Two choices keep the figures about the code rather than the machine. Fresh memory is slow
// to fault in on a virtual machine (the bench prints the rate), which at 100,000 specimens
// swamps parsers and baselines alike: freed memory stays in the process and the first run of
// every step is a warm-up, printed apart. Picture files of the export are written without a
// flush to the disk each: a few milliseconds per file there would measure the disk.
#include <malloc.h>
#include <pugixml.hpp>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/DataFile.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/CommaSeparated.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "specimens/ListRows.h"
#include "specimens/SpecimenFind.h"
#include "support/Fakes.h"
#include "support/GeneratedCatalog.h"
#include "support/ScriptedHost.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Size {
    int specimens;
    int runs;
};

// A scratch folder under the system's temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvelle-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Made() const { return !path_.empty(); }
    std::wstring File(const char* name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

struct FileBytes {
    std::unique_ptr<std::uint8_t[]> data;
    size_t size = 0;
};

// The whole file in a buffer that is not filled first, as a careful reader would take it.
FileBytes ReadWholeFile(const std::wstring& path) {
    FileBytes bytes;
    std::FILE* file = std::fopen(std::filesystem::path(path).c_str(), "rb");
    if (file == nullptr)
        return bytes;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (size > 0) {
        bytes.data = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<size_t>(size));
        bytes.size = std::fread(bytes.data.get(), 1, static_cast<size_t>(size), file);
    }
    std::fclose(file);
    return bytes;
}

template <typename Work>
double Milliseconds(Work work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Counts "<" in UTF-16 little-endian text: the least any reader has to do.
size_t CountOpenings(const FileBytes& bytes) {
    size_t count = 0;
    for (size_t i = 0; i + 1 < bytes.size; i += 2)
        count += bytes.data[i] == '<' && bytes.data[i + 1] == 0;
    return count;
}

// Writes the bytes as a new file and flushes it to the disk. The file is removed first, out of
// the timing: rewriting a file in place makes some file systems flush on their own.
double WriteAndFlush(const std::wstring& path, const FileBytes& bytes, bool& ok) {
    DeleteFileForce(path);
    return Milliseconds([&] {
        DataFile file(path);
        ok = file.Write(bytes.data.get(), bytes.size) && file.Flush() && ok;
    });
}

struct Timing {
    double first;   // the warm-up run, on memory the process had not used yet
    double median;  // of the runs after it
};

// Leaves nothing of earlier runs for this one to pay for: no data waiting to be written to the
// disk (a flush would write it too), and the small blocks an earlier run freed merged already
// (the allocator does that at the next large request, which would fall inside the timing).
void Settle() {
    sync();
    std::free(std::malloc(64 << 20));
}

// Each run times what it says is the work.
template <typename Run>
Timing Median(int runs, Run run) {
    Settle();
    Timing timing{run(), 0};
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        Settle();
        times.push_back(run());
    }
    std::sort(times.begin(), times.end());
    timing.median = times.empty() ? timing.first : times[times.size() / 2];
    return timing;
}

// Writes picture files as they are, without flushing each to the disk; counts them.
class PlainPictureWriter : public PictureFileWriter {
public:
    bool WritePicture(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override {
        ++written;
        DataFile file(path);
        return file.Write(bytes.data(), bytes.size());
    }
    int written = 0;
};

// How long the machine takes to hand out fresh memory, in milliseconds per megabyte.
double FreshMemoryCost() {
    constexpr size_t kBytes = 64 << 20;
    void* block = mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED)
        return 0;
    auto* bytes = static_cast<volatile std::uint8_t*>(block);
    const double ms = Milliseconds([&] {
        for (size_t i = 0; i < kBytes; i += 4096)
            bytes[i] = 1;
    });
    munmap(block, kBytes);
    return ms / 64;
}

struct Baseline {
    std::string name;
    Timing time;
};

struct Row {
    std::string step;
    int specimens;
    Timing time;
    std::vector<Baseline> baselines;
};

// A catalog with its own host and settings, as the program holds one.
struct BenchCatalog {
    BenchCatalog() { settings.storeImages = true; }
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
};

bool Fail(const char* what, int specimens) {
    std::fprintf(stderr, "orvelle_bench: %s failed with %d specimens\n", what, specimens);
    return false;
}

bool Measure(const Size& size, std::vector<Row>& rows) {
    ScratchFolder folder;
    if (!folder.Made())
        return Fail("making a scratch folder", size.specimens);
    const std::wstring catalogPath = folder.File("catalog.xml");
    BenchCatalog source;
    source.catalog.SetFilePath(catalogPath);
    for (Specimen& specimen : GeneratedSpecimens(size.specimens))
        source.catalog.AddSpecimen(std::move(specimen));
    PlainPictureWriter pictures;
    FixedScreen screen;
    bool ok = true;

    const Timing write = Median(size.runs, [&] {
        return Milliseconds([&] { ok = WriteCatalog(source.catalog, catalogPath, L"", pictures, nullptr) && ok; });
    });
    const FileBytes document = ReadWholeFile(catalogPath);
    const Timing rawWrite = Median(size.runs, [&] { return WriteAndFlush(folder.File("raw.xml"), document, ok); });
    // The same with the safe replace every save makes: a temporary file, then a move over.
    const Timing replacingWrite = Median(size.runs, [&] {
        return Milliseconds([&] {
            ok = WriteFileReplacing(folder.File("replaced.xml"),
                                    [&](DataFile& file) { return file.Write(document.data.get(), document.size); }) &&
                 ok;
        });
    });
    const Timing read = Median(size.runs, [&] {
        BenchCatalog target;
        CatalogReadOutcome outcome;
        const double ms = Milliseconds(
                [&] { ok = ReadCatalog(target.catalog, catalogPath, false, screen, nullptr, outcome) && ok; });
        ok = ok && target.catalog.Specimens().size() == static_cast<size_t>(size.specimens);
        return ms;
    });
    const Timing pugi = Median(size.runs, [&] {
        pugi::xml_document parsed;
        const double ms = Milliseconds([&] {
            const FileBytes bytes = ReadWholeFile(catalogPath);
            ok = parsed.load_buffer(bytes.data.get(), bytes.size, pugi::parse_default, pugi::encoding_utf16_le) && ok;
        });
        return ms;
    });
    size_t openings = 0;
    const Timing scan = Median(
            size.runs, [&] { return Milliseconds([&] { openings = CountOpenings(ReadWholeFile(catalogPath)); }); });
    if (!ok || openings == 0)
        return Fail("the catalog file", size.specimens);

    // Each export goes to a folder of its own, so that its picture files are new ones.
    int exports = 0;
    std::wstring csvPath;
    const Timing exportCsv = Median(size.runs, [&] {
        const std::wstring exportFolder = folder.File(("export" + std::to_string(++exports)).c_str());
        ok = CreateFolderPath(exportFolder, false) && ok;
        csvPath = exportFolder + L"/catalog.csv";
        pictures.written = 0;
        return Milliseconds(
                [&] { ok = ExportCommaSeparated(source.catalog, csvPath, L"", true, true, pictures, nullptr) && ok; });
    });
    const FileBytes csv = ReadWholeFile(csvPath);
    const Timing rawCsvWrite = Median(size.runs, [&] { return WriteAndFlush(folder.File("raw.csv"), csv, ok); });
    const Timing importCsv = Median(size.runs, [&] {
        BenchCatalog target;
        Settings saved;
        const double ms = Milliseconds(
                [&] { ok = ImportCommaSeparated(target.catalog, csvPath, false, saved, nullptr) && ok; });
        ok = ok && target.catalog.Specimens().size() == static_cast<size_t>(size.specimens);
        return ms;
    });
    const Timing csvScan = Median(
            size.runs, [&] { return Milliseconds([&] { openings = CountOpenings(ReadWholeFile(csvPath)); }); });
    if (!ok)
        return Fail("the comma-separated exchange", size.specimens);

    std::printf("%d specimens: catalog file %.1f MB, comma-separated file %.1f MB and %d picture files; ",
                size.specimens, static_cast<double>(document.size) / 1e6, static_cast<double>(csv.size) / 1e6,
                pictures.written);
    if (size.runs > 0)
        std::printf("median of %d runs after a warm-up run\n", size.runs);
    else
        std::printf("one run\n");
    const int n = size.specimens;
    rows.push_back({"write catalog",
                    n,
                    write,
                    {{"raw write + flush", rawWrite}, {"raw write + flush + replace", replacingWrite}}});
    rows.push_back({"read catalog", n, read, {{"pugixml parse (UTF-16)", pugi}, {"plain scan", scan}}});
    rows.push_back({"export CSV", n, exportCsv, {{"write catalog", write}, {"raw write + flush", rawCsvWrite}}});
    rows.push_back({"import CSV", n, importCsv, {{"read catalog", read}, {"plain scan", csvScan}}});
    return true;
}

// Find as you type, as the list runs it: the first find makes each specimen's folded text and
// keeps it; every later text looks at all the rows again (the worst letter: one taken back or a
// new word), or only at those the last text found when it narrows it. Beside a plain
// case-sensitive search of every field's text laid end to end (the least any search has to do).
void MeasureFind(const Size& size, std::vector<Row>& rows, std::vector<std::string>& notes) {
    const size_t heapBefore = mallinfo2().uordblks;
    BenchCatalog held;
    for (Specimen& specimen : GeneratedSpecimens(size.specimens))
        held.catalog.AddSpecimen(std::move(specimen));
    const size_t catalogBytes = mallinfo2().uordblks - heapBefore;
    ListRows list;
    list.Fill(held.catalog, L"<All>");
    const auto find = [&](const char* typed) {
        list.StartFind(FindWords(std::wstring(typed, typed + std::strlen(typed))));
        list.FindStep(held.catalog, SIZE_MAX);
        list.ShowFound();
    };
    // Each run starts from the rows the earlier text found, which is not timed.
    const auto timeAfter = [&](const char* earlier, const char* typed, bool forgetTexts) {
        return Median(size.runs, [&] {
            find(earlier);
            if (forgetTexts)
                list.ForgetAllTexts();
            return Milliseconds([&] { find(typed); });
        });
    };
    const Timing first = timeAfter("", "c", true);
    const size_t heapWithTexts = mallinfo2().uordblks;
    std::wstring laidEnd;
    for (const Specimen& specimen : held.catalog.Specimens()) {
        for (int field = 0; field < kFieldCount; ++field)
            laidEnd += Catalog::FieldText(specimen, field) + L'\n';
    }
    rows.push_back({"find \"c\" first: every text folded and kept", size.specimens, first, {}});
    const struct {
        const char* earlier;
        const char* typed;
    } letters[] = {{"", "c"},    {"", "murex"}, {"muller rar", "muller rare"},
                   {"", "zzqx"}, {"m", "mu"},   {"mure", "murex"}};
    for (const auto& letter : letters) {
        const Timing filter = timeAfter(letter.earlier, letter.typed, false);
        const size_t shown = list.Count();
        // The typed words (lower case already) in the catalog's own wide characters.
        std::vector<std::wstring> words;
        for (const std::string& word : FindWords(std::wstring(letter.typed, letter.typed + std::strlen(letter.typed))))
            words.emplace_back(word.begin(), word.end());
        size_t found = 0;
        const Timing plain = Median(size.runs, [&] {
            return Milliseconds([&] {
                found = 0;
                for (const std::wstring& word : words) {
                    for (size_t at = laidEnd.find(word); at != std::wstring::npos; at = laidEnd.find(word, at + 1))
                        ++found;
                }
            });
        });
        const std::string after = *letter.earlier != '\0' ? std::string(" after \"") + letter.earlier + "\"" : "";
        // The counts are printed, so that neither loop can be left out as unused.
        rows.push_back({std::string("find \"") + letter.typed + "\"" + after + ": " + std::to_string(shown) +
                                " shown, " + std::to_string(found) + " found plainly",
                        size.specimens,
                        filter,
                        {{"plain search", plain}}});
    }
    char note[160];
    std::snprintf(note, sizeof note,
                  "%d specimens: the catalog holds %.1f MB, the kept find texts %.1f MB (%.2f times)", size.specimens,
                  static_cast<double>(catalogBytes) / 1e6,
                  static_cast<double>(heapWithTexts - heapBefore - catalogBytes) / 1e6,
                  static_cast<double>(heapWithTexts - heapBefore - catalogBytes) / static_cast<double>(catalogBytes));
    notes.push_back(note);
}

std::string Thousands(int number) {
    const std::string digits = std::to_string(number);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

void PrintTimes(const std::vector<Row>& rows) {
    std::printf(
            "\n| specimens | step | ms | warm-up ms | baseline | baseline ms | warm-up ms | ratio |\n"
            "|---:|---|---:|---:|---|---:|---:|---:|\n");
    for (const Row& row : rows) {
        if (row.baselines.empty())
            std::printf("| %s | %s | %.1f | %.1f | | | | |\n", Thousands(row.specimens).c_str(), row.step.c_str(),
                        row.time.median, row.time.first);
        for (size_t i = 0; i < row.baselines.size(); ++i) {
            const Baseline& baseline = row.baselines[i];
            if (i == 0) {
                std::printf("| %s | %s | %.1f | %.1f ", Thousands(row.specimens).c_str(), row.step.c_str(),
                            row.time.median, row.time.first);
            } else {
                std::printf("| | | | ");
            }
            std::printf("| %s | %.1f | %.1f | %.2f |\n", baseline.name.c_str(), baseline.time.median,
                        baseline.time.first, row.time.median / baseline.time.median);
        }
    }
}

// How much longer ten times as many specimens take, per step and baseline.
void PrintGrowth(const std::vector<Row>& rows, int from, int to) {
    std::map<std::string, std::pair<double, double>> times;
    std::vector<std::string> order;
    auto note = [&](const std::string& name, int specimens, double ms) {
        if (specimens != from && specimens != to)
            return;
        if (times.find(name) == times.end())
            order.push_back(name);
        (specimens == from ? times[name].first : times[name].second) = ms;
    };
    for (const Row& row : rows) {
        note(row.step, row.specimens, row.time.median);
        for (const Baseline& baseline : row.baselines)
            note(row.step + ": " + baseline.name, row.specimens, baseline.time.median);
    }
    std::printf("\n| step | %s ms | %s ms | growth |\n|---|---:|---:|---:|\n", Thousands(from).c_str(),
                Thousands(to).c_str());
    for (const std::string& name : order) {
        const auto [small, large] = times[name];
        if (small > 0 && large > 0)
            std::printf("| %s | %.1f | %.1f | %.1f |\n", name.c_str(), small, large, large / small);
    }
}

bool QuickRun(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            return true;
    }
    const char* quick = std::getenv("ORVELLE_BENCH_QUICK");
    return quick != nullptr && *quick != '\0' && std::strcmp(quick, "0") != 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Freed memory stays in the process for the next run (see the top of this file).
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);
    const bool quick = QuickRun(argc, argv);
    std::printf("Fresh memory costs %.2f ms per MB here.\n", FreshMemoryCost());
    const std::vector<Size> sizes = quick ? std::vector<Size>{{300, 0}}
                                          : std::vector<Size>{{1000, 15}, {10000, 9}, {100000, 5}};
    std::vector<Row> rows;
    std::vector<std::string> notes;
    for (const Size& size : sizes) {
        if (!Measure(size, rows))
            return 1;
        MeasureFind(size, rows, notes);
        std::fflush(stdout);
    }
    PrintTimes(rows);
    std::printf("\n");
    for (const std::string& note : notes)
        std::printf("%s\n", note.c_str());
    if (!quick)
        PrintGrowth(rows, 10000, 100000);
    return 0;
}
