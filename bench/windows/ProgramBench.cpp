// Times the real program under the user's hands: started on generated catalogs of 1,000,
// 10,000 and 100,000 specimens, it measures the time to the loaded window, a tab switch, a
// header sort, one change until it is saved, and the close, with the process's peak memory.
// Prints the medians of several runs and how each grows from 10,000 to 100,000 specimens.
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

bool RunOnce(const std::wstring& program, const std::wstring& catalog, Measures& measures) {
    std::wstring commandLine = L"\"" + program + L"\" \"-F" + catalog + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    const Clock::time_point start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    HWND window = WaitForLoadedWindow(started.dwProcessId, 900);
    if (window == nullptr) {
        TerminateProcess(process.Get(), 1);
        return false;
    }
    // Loaded is when the window has also drawn itself and waits for the user.
    WaitForInputIdle(process.Get(), 600000);
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, nullptr);
    measures.load = SecondsSince(start);
    // A tab that is a category, so that moving it is a change.
    measures.tabSwitch = Command(window, IDM_NEXT_CATEGORY);
    for (int tries = 0; tries < 50 && StatusText(window).rfind(L"<All>", 0) == 0; ++tries)
        Command(window, IDM_NEXT_CATEGORY);
    measures.headerSort = HeaderClick(window);
    measures.changeSaved = ChangeSaved(window, catalog);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process.Get(), &memory, sizeof(memory)))
        measures.peakMegabytes = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    const Clock::time_point closing = Clock::now();
    PostMessageW(window, WM_CLOSE, 0, 0);
    // Closed when the window is gone; the process's own ending is the system's time.
    while (IsWindow(window) && SecondsSince(closing) < 900)
        Sleep(2);
    measures.close = SecondsSince(closing);
    WaitForSingleObject(process.Get(), 900000);
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The catalog of that many generated specimens in the folder, written once and kept for later
// runs; empty when it could not be written.
std::wstring GeneratedCatalogFile(const std::wstring& folder, int specimens) {
    const std::wstring path = folder + L"catalog-" + std::to_wstring(specimens) + L".xml";
    if (FileExists(path))
        return path;
    ScriptedHost host;
    Settings settings;
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
bool MeasureCatalog(const std::wstring& program, const std::wstring& catalog, int runs, Measures& medians) {
    std::vector<Measures> all;
    for (int run = 0; run < runs; ++run) {
        Measures measures;
        if (!RunOnce(program, catalog, measures))
            return false;
        all.push_back(measures);
    }
    for (double Measures::*field : {&Measures::load, &Measures::tabSwitch, &Measures::headerSort,
                                    &Measures::changeSaved, &Measures::close, &Measures::peakMegabytes}) {
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
        const std::wstring catalog = GeneratedCatalogFile(folder, specimens);
        Measures medians;
        if (catalog.empty() || !MeasureCatalog(argv[1], catalog, runs, medians)) {
            std::fwprintf(stderr, L"program_bench: no measures for %d specimens\n", specimens);
            return 1;
        }
        const double megabytes = FileMegabytes(catalog);
        std::wprintf(L"| %d | %.1f | %.3f | %.3f | %.3f | %.3f | %.3f | %.0f | %.1f |\n", specimens, megabytes,
                     medians.load, medians.tabSwitch, medians.headerSort, medians.changeSaved, medians.close,
                     medians.peakMegabytes, megabytes > 0 ? medians.peakMegabytes / megabytes : 0.0);
        std::fflush(stdout);
        measured.emplace_back(specimens, medians);
    }
    // How each step grows from ten thousand to a hundred thousand specimens.
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
