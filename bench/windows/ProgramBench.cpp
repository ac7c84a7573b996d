// Times the real program under the user's hands: started on generated catalogs of 1,000,
// 10,000 and 100,000 specimens, it measures the time to the loaded window, a tab switch, a
// header sort, one change until it is saved, find as you type on the <All> tab (from a letter
// typed to the list repainted) and the close, with the process's peak memory. Prints the
// medians of several runs and how each grows from 10,000 to 100,000 specimens.
//
//     program_bench.exe orvelle.exe folder [runs] [specimens ...]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "resources/resource.h"
#include "specimens/SpecimenFind.h"
#include "support/Fakes.h"
#include "support/GeneratedCatalog.h"
#include "support/ScriptedHost.h"

namespace {

using Clock = std::chrono::steady_clock;
using TQLibrary::KernelHandle;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Measures {
    double load = 0;
    double tabSwitch = 0;
    double headerSort = 0;
    double changeSaved = 0;
    double close = 0;
    double peakMegabytes = 0;
    // Find as you type, in milliseconds; negative when the list never showed the rows due.
    double firstLetter = 0;    // the first letter, five seconds after the load
    double nextLetter = 0;     // the slowest of the letters after it, each narrowing the last
    double typicalLetter = 0;  // the median of those
    double letterBack = 0;     // Backspace: every row looked at again
    double tenLetters = 0;     // ten letters typed at once, to the rows of the whole text
    double lettersKept = 0;    // 1 when the box holds all ten letters afterwards
    // Undo, in milliseconds: Select All and Delete on <All>, then Undo until every row is back
    // and painted; negative when that never came. With the process's peak memory by then.
    double undoDelete = 0;
    // Restore from Backup reads the backup made at the load (every specimen) over the emptied
    // catalog; Undo takes them all out again.
    double undoRestore = 0;
    double undoPeakMegabytes = 0;
    double heldMegabytes = 0;  // the working set at the end, every specimen back
    // A batch edit of every specimen's location, in milliseconds from OK to the list painted.
    double batchEdit = 0;
};

// What the find shows for a text, from the catalog as the program reads it.
class FindCounts {
public:
    explicit FindCounts(const Catalog& catalog) {
        for (const Specimen& specimen : catalog.Specimens())
            texts_.push_back(FindableText(specimen));
    }
    // The status bar's text once the find for this text has ended.
    std::wstring Status(const std::wstring& typed) const {
        const std::vector<std::string> words = FindWords(typed);
        const std::wstring total = std::to_wstring(texts_.size());
        if (words.empty())
            return L"<All>: " + total;
        size_t shown = 0;
        for (const std::string& text : texts_)
            shown += MatchesAllWords(text, words) ? 1 : 0;
        return L"<All>: " + std::to_wstring(shown) + L" of " + total;
    }

    size_t Count() const { return texts_.size(); }

private:
    std::vector<std::string> texts_;
};

// The program's visible main window, once its catalog is loaded; none after the timeout.
HWND WaitForLoadedWindow(DWORD processId, double timeoutSeconds) {
    const Clock::time_point start = Clock::now();
    while (SecondsSince(start) < timeoutSeconds) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"Orvelle", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            // The window shows once the deferred load has read the catalog.
            if (owner == processId && IsWindowVisible(window))
                return window;
        }
        Sleep(5);
    }
    return nullptr;
}

FILETIME LastWritten(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

bool Differ(const FILETIME& a, const FILETIME& b) {
    return CompareFileTime(&a, &b) != 0;
}

std::wstring StatusText(HWND window) {
    HWND status = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
    wchar_t text[256] = {};
    // WM_GETTEXT is carried across processes; it gives the first part's text.
    SendMessageTimeoutW(status, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 60000, nullptr);
    return text;
}

double Command(HWND window, int id) {
    const Clock::time_point start = Clock::now();
    SendMessageTimeoutW(window, WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL, 600000, nullptr);
    return SecondsSince(start);
}

// A click on the first column's header, as the mouse gives it.
double HeaderClick(HWND window) {
    HWND tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    HWND list = FindWindowExW(tabs, nullptr, WC_LISTVIEWW, nullptr);
    auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const LPARAM point = MAKELPARAM(8, 8);
    const Clock::time_point start = Clock::now();
    SendMessageTimeoutW(header, WM_LBUTTONDOWN, MK_LBUTTON, point, SMTO_NORMAL, 600000, nullptr);
    SendMessageTimeoutW(header, WM_LBUTTONUP, 0, point, SMTO_NORMAL, 600000, nullptr);
    return SecondsSince(start);
}

// Moves the current category one place and waits until the file on disk changed; 0 when neither
// direction moved it.
double ChangeSaved(HWND window, const std::wstring& catalog) {
    for (int id : {IDM_MOVE_CATEGORY_RIGHT, IDM_MOVE_CATEGORY_LEFT}) {
        const FILETIME before = LastWritten(catalog);
        const Clock::time_point start = Clock::now();
        Command(window, id);
        while (SecondsSince(start) < 600) {
            if (Differ(LastWritten(catalog), before) &&
                GetFileAttributesW((catalog + L".saving").c_str()) == INVALID_FILE_ATTRIBUTES)
                return SecondsSince(start);
            // A move that changed nothing starts no save.
            if (SecondsSince(start) > 5 && !Differ(LastWritten(catalog), before))
                break;
            Sleep(2);
        }
    }
    return 0;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 60000, nullptr);
    return text;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Posts the keys to the find box as the keyboard would, then waits until the box holds the text,
// the status bar counts its rows and the list has painted them; milliseconds, or -1 when that
// never came. The status bar changes after the list was told to paint, so once the texts are
// right only the paint is waited for, without asking the program anything more.
double TypeAndWait(HWND window, const std::wstring& keys, const std::wstring& text, const FindCounts& counts) {
    HWND tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    HWND list = FindWindowExW(tabs, nullptr, WC_LISTVIEWW, nullptr);
    HWND box = FindWindowExW(tabs, nullptr, L"Edit", nullptr);
    const std::wstring status = counts.Status(text);
    const Clock::time_point start = Clock::now();
    for (wchar_t key : keys)
        PostMessageW(box, WM_CHAR, key, 1);
    while (WindowText(box) != text || StatusText(window) != status) {
        if (SecondsSince(start) > 120)
            return -1;
        Sleep(0);
    }
    while (GetUpdateRect(list, nullptr, FALSE)) {
        if (SecondsSince(start) > 120)
            return -1;
        Sleep(0);
    }
    return SecondsSince(start) * 1000;
}

void MeasureFind(HWND window, const FindCounts& counts, Measures& measures) {
    // The user reaches for the box a few seconds after the load, while the program has made
    // what each specimen is found by.
    Sleep(5000);
    const std::wstring word = L"murex";
    measures.firstLetter = TypeAndWait(window, word.substr(0, 1), word.substr(0, 1), counts);
    std::vector<double> letters;
    for (size_t length = 2; length <= word.size(); ++length)
        letters.push_back(TypeAndWait(window, word.substr(length - 1, 1), word.substr(0, length), counts));
    measures.nextLetter = *std::max_element(letters.begin(), letters.end());
    measures.typicalLetter = Median(letters);
    measures.letterBack = TypeAndWait(window, L"\b", word.substr(0, word.size() - 1), counts);
    // Ctrl+A, then ten letters as fast as they come: a lost one would leave the box short.
    const std::wstring ten = L"murex rare";
    measures.tenLetters = TypeAndWait(window, L"\x01" + ten, ten, counts);
    measures.lettersKept = measures.tenLetters >= 0 ? 1 : 0;
}

// The program started on the catalog, its window loaded and idle; no window when it did not load.
struct Started {
    KernelHandle process;
    HWND window = nullptr;
    double loadSeconds = 0;
};

Started StartProgram(const std::wstring& program, const std::wstring& catalog) {
    Started started;
    std::wstring commandLine = L"\"" + program + L"\" \"-F" + catalog + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return started;
    started.process.Reset(info.hProcess);
    KernelHandle thread(info.hThread);
    started.window = WaitForLoadedWindow(info.dwProcessId, 900);
    if (started.window == nullptr) {
        TerminateProcess(started.process.Get(), 1);
        return started;
    }
    // Loaded is when the window has also drawn itself and waits for the user.
    WaitForInputIdle(started.process.Get(), 600000);
    SendMessageTimeoutW(started.window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, nullptr);
    started.loadSeconds = SecondsSince(start);
    return started;
}

// Closes the window as the user does; the seconds until it is gone.
double CloseProgram(Started& started) {
    const Clock::time_point closing = Clock::now();
    PostMessageW(started.window, WM_CLOSE, 0, 0);
    // Closed when the window is gone; the process's own ending is the system's time.
    while (IsWindow(started.window) && SecondsSince(closing) < 900)
        Sleep(2);
    const double seconds = SecondsSince(closing);
    WaitForSingleObject(started.process.Get(), 900000);
    return seconds;
}

bool RunOnce(const std::wstring& program, const std::wstring& catalog, Measures& measures) {
    Started started = StartProgram(program, catalog);
    HWND window = started.window;
    if (window == nullptr)
        return false;
    measures.load = started.loadSeconds;
    // A tab that is a category, so that moving it is a change.
    measures.tabSwitch = Command(window, IDM_NEXT_CATEGORY);
    for (int tries = 0; tries < 50 && StatusText(window).rfind(L"<All>", 0) == 0; ++tries)
        Command(window, IDM_NEXT_CATEGORY);
    measures.headerSort = HeaderClick(window);
    measures.changeSaved = ChangeSaved(window, catalog);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(started.process.Get(), &memory, sizeof(memory)))
        measures.peakMegabytes = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    measures.close = CloseProgram(started);
    return true;
}

// Find as you type, in a run of its own on a catalog that opens on the <All> tab.
// The first visible dialog of the process, once it shows one; none after a minute.
HWND WaitForDialog(DWORD processId) {
    const Clock::time_point start = Clock::now();
    while (SecondsSince(start) < 60) {
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            if (owner == processId && IsWindowVisible(box))
                return box;
        }
        Sleep(5);
    }
    return nullptr;
}

// Presses the button of the message box the process shows, once it shows one.
bool AnswerMessageBox(DWORD processId, int button) {
    HWND box = WaitForDialog(processId);
    if (box != nullptr)
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    return box != nullptr;
}

// Waits until the status bar reads the text and the list has painted; -1 after two minutes.
double WaitForStatus(HWND window, const std::wstring& status, Clock::time_point start) {
    HWND tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    HWND list = FindWindowExW(tabs, nullptr, WC_LISTVIEWW, nullptr);
    while (StatusText(window) != status || GetUpdateRect(list, nullptr, FALSE)) {
        if (SecondsSince(start) > 120)
            return -1;
        Sleep(1);
    }
    return SecondsSince(start) * 1000;
}

// Chooses Select All and Delete, answering the question; true once the list is empty.
bool DeleteEverything(HWND window, DWORD processId) {
    Command(window, IDM_SELECT_ALL);
    PostMessageW(window, WM_COMMAND, IDM_DELETE_SPECIMEN, 0);
    return AnswerMessageBox(processId, IDYES) && WaitForStatus(window, L"<All>: 0", Clock::now()) >= 0;
}

// Undo of Select All + Delete; then, the catalog emptied once more, undo of Restore from Backup
// (the backup the load made, every specimen) and a redo, which leaves the file as it was. The
// steps are measured apart: the history lets the oldest go beyond 64 MB.
void MeasureUndo(Started& started, size_t specimens, Measures& measures) {
    HWND window = started.window;
    HWND tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    PostMessageW(FindWindowExW(tabs, nullptr, L"Edit", nullptr), WM_KEYDOWN, VK_ESCAPE, 1);
    const std::wstring all = L"<All>: " + std::to_wstring(specimens);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (WaitForStatus(window, all, Clock::now()) < 0 || !DeleteEverything(window, processId))
        return;
    Clock::time_point start = Clock::now();
    Command(window, IDM_UNDO);
    measures.undoDelete = WaitForStatus(window, all, start);
    if (measures.undoDelete < 0 || !DeleteEverything(window, processId))
        return;
    PostMessageW(window, WM_COMMAND, IDM_RESTORE_BACKUP, 0);
    if (!AnswerMessageBox(processId, IDYES) || WaitForStatus(window, all, Clock::now()) < 0)
        return;
    start = Clock::now();
    Command(window, IDM_UNDO);
    measures.undoRestore = WaitForStatus(window, L"<All>: 0", start);
    Command(window, IDM_REDO);
    WaitForStatus(window, all, Clock::now());
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(started.process.Get(), &memory, sizeof(memory))) {
        measures.undoPeakMegabytes = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
        measures.heldMegabytes = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
    }
}

// Select All, Edit, a new location for every specimen, and OK: from OK until the main window
// has applied it and the list has painted. Undone afterwards, so the file stays as it was.
void MeasureBatchEdit(HWND window, Measures& measures) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    Command(window, IDM_SELECT_ALL);
    PostMessageW(window, WM_COMMAND, IDM_EDIT_SPECIMEN, 0);
    HWND dialog = WaitForDialog(processId);
    if (dialog == nullptr)
        return;
    SetDlgItemTextW(dialog, IDC_LOCATION, L"Sanibel Island");
    const Clock::time_point start = Clock::now();
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    // Answered once the command that ran the dialog has returned.
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 120000, nullptr);
    HWND tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    HWND list = FindWindowExW(tabs, nullptr, WC_LISTVIEWW, nullptr);
    while (GetUpdateRect(list, nullptr, FALSE) && SecondsSince(start) < 120)
        Sleep(1);
    measures.batchEdit = SecondsSince(start) * 1000;
    Command(window, IDM_UNDO);
}

bool RunFind(const std::wstring& program, const std::wstring& catalog, const FindCounts& counts, Measures& measures) {
    Started started = StartProgram(program, catalog);
    if (started.window == nullptr)
        return false;
    if (StatusText(started.window).starts_with(L"<All>")) {
        MeasureFind(started.window, counts, measures);
        MeasureUndo(started, counts.Count(), measures);
        MeasureBatchEdit(started.window, measures);
    }
    CloseProgram(started);
    return true;
}

// The catalog of that many generated specimens in the folder, written once and kept for later
// runs; empty when it could not be written. It opens on the first category, or on the one named.
std::wstring GeneratedCatalogFile(const std::wstring& folder, int specimens, const std::wstring& currentCategory) {
    const std::wstring path = folder + L"catalog-" + std::to_wstring(specimens) +
                              (currentCategory.empty() ? L"" : L"-all") + L".xml";
    if (FileExists(path))
        return path;
    ScriptedHost host;
    Settings settings;
    settings.currentCategory = currentCategory;
    Catalog catalog(host, settings);
    catalog.SetFilePath(path);
    for (Specimen& specimen : GeneratedSpecimens(specimens))
        catalog.AddSpecimen(std::move(specimen));
    RawPictureFileWriter pictures;
    return WriteCatalog(catalog, path, L"", pictures, nullptr) ? path : std::wstring();
}

double FileMegabytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    const double bytes = static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow;
    return bytes / (1024.0 * 1024.0);
}

// The medians of several runs on one catalog; false when the program did not load it.
bool MeasureCatalog(const std::wstring& program, const std::wstring& folder, int specimens, int runs,
                    Measures& medians) {
    const std::wstring catalog = GeneratedCatalogFile(folder, specimens, L"");
    const std::wstring allTab = GeneratedCatalogFile(folder, specimens, L"<All>");
    // The counts the find is due to show, from the file as the program reads it.
    ScriptedHost host;
    Settings settings;
    Catalog read(host, settings);
    FixedScreen screen;
    CatalogReadOutcome outcome;
    if (catalog.empty() || allTab.empty() || !ReadCatalog(read, catalog, false, screen, nullptr, outcome))
        return false;
    const FindCounts counts(read);
    std::vector<Measures> all;
    for (int run = 0; run < runs; ++run) {
        Measures measures;
        if (!RunOnce(program, catalog, measures) || !RunFind(program, allTab, counts, measures))
            return false;
        all.push_back(measures);
    }
    for (double Measures::*field :
         {&Measures::load, &Measures::tabSwitch, &Measures::headerSort, &Measures::changeSaved, &Measures::close,
          &Measures::peakMegabytes, &Measures::firstLetter, &Measures::nextLetter, &Measures::typicalLetter,
          &Measures::letterBack, &Measures::tenLetters, &Measures::lettersKept, &Measures::undoDelete,
          &Measures::undoRestore, &Measures::undoPeakMegabytes, &Measures::heldMegabytes, &Measures::batchEdit}) {
        std::vector<double> values;
        for (const Measures& measures : all)
            values.push_back(measures.*field);
        medians.*field = Median(values);
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: program_bench orvelle.exe folder [runs] [specimens ...]\n");
        return 2;
    }
    std::wstring folder = argv[2];
    EnsureTrailing(folder, L'\\');
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
    std::vector<int> sizes;
    for (int i = 4; i < argc; ++i)
        sizes.push_back(std::max(1, _wtoi(argv[i])));
    if (sizes.empty())
        sizes = {1000, 10000, 100000};

    std::wprintf(
            L"| specimens | file MB | load s | tab switch s | header sort s | change saved s | close s | "
            L"peak MB | peak / file |\n|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    std::vector<std::pair<int, Measures>> measured;
    for (int specimens : sizes) {
        Measures medians;
        if (!MeasureCatalog(argv[1], folder, specimens, runs, medians)) {
            std::fwprintf(stderr, L"program_bench: no measures for %d specimens\n", specimens);
            return 1;
        }
        const double megabytes = FileMegabytes(GeneratedCatalogFile(folder, specimens, L""));
        std::wprintf(L"| %d | %.1f | %.3f | %.3f | %.3f | %.3f | %.3f | %.0f | %.1f |\n", specimens, megabytes,
                     medians.load, medians.tabSwitch, medians.headerSort, medians.changeSaved, medians.close,
                     medians.peakMegabytes, megabytes > 0 ? medians.peakMegabytes / megabytes : 0.0);
        std::fflush(stdout);
        measured.emplace_back(specimens, medians);
    }
    // How each step grows from ten thousand to a hundred thousand specimens.
    std::wprintf(
            L"\nFind as you type on the <All> tab, ms from the key to the list repainted (-1: never):\n\n"
            L"| specimens | first letter, 5 s after the load | next letters (median) | next letters (slowest) | letter taken back | ten letters at once | "
            L"all ten kept |\n|---:|---:|---:|---:|---:|---:|---|\n");
    for (const auto& [specimens, measures] : measured) {
        std::wprintf(L"| %d | %.0f | %.0f | %.0f | %.0f | %.0f | %ls |\n", specimens, measures.firstLetter,
                     measures.typicalLetter, measures.nextLetter, measures.letterBack, measures.tenLetters,
                     measures.lettersKept > 0.5 ? L"yes" : L"no");
    }
    std::wprintf(
            L"\nUndo on the <All> tab, ms until the rows are as before and painted (-1: never): of Select All + "
            L"Delete, and of a restore of every specimen over the emptied catalog:\n\n"
            L"| specimens | undo delete | undo restore | peak MB | peak / file | held MB | held / file |\n"
            L"|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const auto& [specimens, measures] : measured) {
        const double megabytes = FileMegabytes(GeneratedCatalogFile(folder, specimens, L""));
        const auto perFile = [&](double value) { return megabytes > 0 ? value / megabytes : 0.0; };
        std::wprintf(L"| %d | %.0f | %.0f | %.0f | %.1f | %.0f | %.1f |\n", specimens, measures.undoDelete,
                     measures.undoRestore, measures.undoPeakMegabytes, perFile(measures.undoPeakMegabytes),
                     measures.heldMegabytes, perFile(measures.heldMegabytes));
    }
    std::wprintf(
            L"\nBatch edit of every specimen's location on the <All> tab, ms from OK to the list painted:\n\n"
            L"| specimens | batch edit |\n|---:|---:|\n");
    for (const auto& [specimens, measures] : measured)
        std::wprintf(L"| %d | %.0f |\n", specimens, measures.batchEdit);
    const auto find = [&](int specimens) -> const Measures* {
        for (const auto& [size, measures] : measured) {
            if (size == specimens)
                return &measures;
        }
        return nullptr;
    };
    const Measures* small = find(10000);
    const Measures* large = find(100000);
    if (small != nullptr && large != nullptr) {
        const auto growth = [](double from, double to) { return from > 0 ? to / from : 0.0; };
        std::wprintf(
                L"\ngrowth 10,000 -> 100,000: load %.1fx, tab switch %.1fx, header sort %.1fx, change saved %.1fx, "
                L"close %.1fx, peak memory %.1fx\n",
                growth(small->load, large->load), growth(small->tabSwitch, large->tabSwitch),
                growth(small->headerSort, large->headerSort), growth(small->changeSaved, large->changeSaved),
                growth(small->close, large->close), growth(small->peakMegabytes, large->peakMegabytes));
    }
    return 0;
}
