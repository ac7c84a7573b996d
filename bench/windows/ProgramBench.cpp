// Times the real program under the user's hands: started on a catalog, it measures the time to
// the loaded window, a tab switch, a header sort, one change until it is saved, and the close,
// with the process's peak memory. The medians of several runs go to standard output.
//
//     program_bench.exe orvelle.exe catalog.xml [runs]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "catalog/Handles.h"
#include "resources/resource.h"

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
    WaitForSingleObject(process.Get(), 900000);
    measures.close = SecondsSince(closing);
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: program_bench orvelle.exe catalog.xml [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
    std::vector<Measures> all;
    for (int run = 0; run < runs; ++run) {
        Measures measures;
        if (!RunOnce(argv[1], argv[2], measures)) {
            std::fwprintf(stderr, L"program_bench: the program did not load %ls\n", argv[2]);
            return 1;
        }
        all.push_back(measures);
    }
    auto median = [&](double Measures::*field) {
        std::vector<double> values;
        for (const Measures& measures : all)
            values.push_back(measures.*field);
        return Median(values);
    };
    std::wprintf(L"load %.3f s  tab %.3f s  sort %.3f s  change saved %.3f s  close %.3f s  peak %.0f MB\n",
                 median(&Measures::load), median(&Measures::tabSwitch), median(&Measures::headerSort),
                 median(&Measures::changeSaved), median(&Measures::close), median(&Measures::peakMegabytes));
    return 0;
}
