// Takes pictures of the program's windows for review: the main window on a sample catalog
// and every dialog built so far. Writes one BMP per window into the folder it is given.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/main/Application.h"
#include "app/main/PleaseWait.h"
#include "app/online/MessagePopup.h"
#include "app/online/UpdateCheck.h"
#include "app/printing/DeviceSurface.h"
#include "base/Clock.h"
#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "catalog/Settings.h"
#include "reports/DrawReport.h"
#include "reports/ReportSettings.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "support/SpecimenSamples.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/PictureBytes.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

// Writes the bitmap, of width x height, as a 24-bit BMP file.
bool SaveBitmap(HBITMAP bitmap, int width, int height, const std::wstring& path) {
    using namespace TQLibrary;
    WindowDC screen = WindowDC::OfClientArea(nullptr);
    MemoryDC memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) & ~3);
    std::vector<std::uint8_t> pixels(rowBytes * static_cast<DWORD>(height));
    GetDIBits(memory.Get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    DataFile out(path);
    return out.Write(&file, sizeof file) && out.Write(&header, sizeof header) &&
           out.Write(pixels.data(), pixels.size());
}

// Copies what the screen shows of the window into a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring& path) {
    RECT box;
    if (!GetWindowRect(window, &box))
        return false;
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    using namespace TQLibrary;
    WindowDC screen = WindowDC::OfClientArea(nullptr);
    MemoryDC memory(CreateCompatibleDC(screen.Get()));
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), box.left, box.top, SRCCOPY);
    }
    return SaveBitmap(bitmap.Get(), width, height, path);
}

// The first page of each report on the sample catalog, at 100 dots per inch.
void SaveReportPages(const std::vector<Specimen>& specimens, const std::wstring& folder) {
    ReportSpecimens list;
    for (const Specimen& specimen : specimens)
        list.push_back(&specimen);
    const struct {
        std::uint32_t type;
        const wchar_t* name;
    } reports[] = {{kSummaryReport, L"report-summary.bmp"},
                   {kDetailReport, L"report-detail.bmp"},
                   {kSpecimenLabels, L"report-labels.bmp"}};
    for (const auto& report : reports) {
        Settings settings;
        settings.reportType = report.type;
        settings.columns = {kFieldTag, kFieldLatinName, kFieldCommonName, kFieldLocation, kFieldPrice, kFieldSize};
        TQLibrary::PageBitmaps pages(100, report.type == kSummaryReport, 1);
        if (pages.StartPage())
            DrawReport(pages, settings, list, L"");
        if (!pages.Pages().empty())
            SaveBitmap(pages.Pages().front().Get(), pages.PageWidth(), pages.PageHeight(), folder + report.name);
    }
}

// A picture of rings in a colour of its own for each number, 320 x 240.
std::vector<std::uint8_t> ShellPicture(int number) {
    const std::uint32_t tint = 0x203040u * static_cast<std::uint32_t>(number % 5 + 1);
    return BmpFile(320, 240, [tint](int x, int y) {
        const int dx = x - 160;
        const int dy = y - 120;
        const int ring = (dx * dx + dy * dy) / 400 % 2;
        return ring == 0 ? (0xF4E8D0u ^ tint) & 0xFFFFFF : 0x8C5A2Eu;
    });
}

// Lets a freshly shown window paint before its picture is taken.
void Settle() {
    for (int i = 0; i < 20; ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(25);
    }
}

void SaveStandaloneDialogs(const std::wstring& folder) {
    // The please-wait dialog, held up long enough to be seen.
    {
        PleaseWaitTask task;
        DialogDriver driver([&](HWND dialog) {
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"please-wait.bmp");
        });
        task.Run(nullptr, IDS_LOADING_SPECIMENS, [&task] {
            task.ReportProgress(60);
            Sleep(1500);
            return true;
        });
    }

    // The update question with its markup label, and a daily message as rich text.
    {
        DialogDriver driver([&](HWND dialog) {
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"update-question.bmp");
            PressButton(dialog, IDCANCEL);
        });
        TQLibrary::CheckForUpdate(nullptr, folder, true, true, SystemClock());
    }
    {
        DialogDriver driver([&](HWND dialog) {
            Sleep(500);
            SaveWindowPicture(dialog, folder + L"message-popup.bmp");
            PressButton(dialog, IDOK);
        });
        TQLibrary::ShowMessagePopup(
                nullptr,
                L"<body><p><font size=+2 color=#8C5A2E>New in the shop</font></p><p>Welcome back, "
                L"collector! The <b>spring fair</b> catalogue is out, with <i>Conus gloriamaris</i> on "
                L"the cover.</p><p><u>Tip:</u> press F5 to add a specimen, and keep a backup.</p></body>");
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: screens_tool <folder> [sample catalog [suffix]]\n", stderr);
        return 2;
    }
    std::wstring folder = argv[1];
    EnsureTrailing(folder, L'\\');
    // With a suffix ("-192dpi"), only the main window and Specimen Details, named with it.
    const std::wstring suffix = argc >= 4 ? argv[3] : L"";
    const std::wstring catalogPath = folder + L"sample.xml";
    Settings settings;
    settings.columns = {kFieldTag, kFieldLatinName, kFieldCommonName, kFieldLocation, kFieldPrice, kFieldSize};
    settings.splitter = 260;  // room for the picture pane
    // The shipped sample catalog when it is given, else specimens made up here.
    std::vector<Specimen> specimens;
    std::vector<std::wstring> categories;
    StoredCatalog sample;
    if (argc >= 3 && sample.Read(argv[2])) {
        specimens = sample.catalog.Specimens();
        categories = sample.catalog.Categories();
        settings.captions = sample.settings.captions;
        settings.sizeUnits = sample.settings.sizeUnits;
        settings.storeImages = true;
    } else {
        specimens = SampleSpecimens(12);
        for (size_t i = 0; i < specimens.size(); ++i)
            specimens[i].pictureData = ShellPicture(static_cast<int>(i));
    }
    WriteCatalogFile(catalogPath, specimens, categories, settings);

    if (suffix.empty())
        SaveStandaloneDialogs(folder);

    TQLibrary::StartOptions options{L"orvelle.exe \"-F" + catalogPath + L"\"", folder, folder};
    ProgramUnderTest program(options);
    if (!program.WaitUntilLoaded())
        return 1;
    SetWindowPos(program.Window(), HWND_TOP, 20, 20, 900, 600, SWP_SHOWWINDOW);
    program.SelectTab(0);
    // Share the columns out over the list's width at this size.
    program.Application().CurrentSettings().columnWidths.assign(kFieldCount, -1);
    program.Application().RefreshViews(TQLibrary::RefreshColumns);
    program.SelectRows({0});  // the tiger cowrie, with its picture
    Settle();
    if (!suffix.empty()) {
        SaveWindowPicture(program.Window(), folder + L"main-window" + suffix + L".bmp");
        DialogDriver driver([&](HWND dialog) {
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"specimen-details" + suffix + L".bmp");
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_EDIT_SPECIMEN);
        return 0;
    }
    SaveWindowPicture(program.Window(), folder + L"main-window.bmp");
    // The File menu with the catalogs opened last.
    {
        std::thread watcher([&] {
            for (int i = 0; i < 100; ++i) {
                Sleep(50);
                HWND menu = FindWindowW(L"#32768", nullptr);
                if (menu != nullptr && IsWindowVisible(menu)) {
                    Sleep(300);
                    SaveWindowPicture(menu, folder + L"file-menu.bmp");
                    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                    return;
                }
            }
        });
        // Dropped down where the menu bar's File item would drop it.
        RECT item{};
        GetMenuItemRect(program.Window(), GetMenu(program.Window()), 0, &item);
        SetForegroundWindow(program.Window());
        TrackPopupMenu(GetSubMenu(GetMenu(program.Window()), 0), TPM_LEFTALIGN | TPM_TOPALIGN, item.left, item.bottom,
                       0, program.Window(), nullptr);
        watcher.join();
    }
    // The whole catalog narrowed by the find box, as typed.
    {
        program.SelectTab(static_cast<int>(program.TabTexts().size()) - 1);
        HWND box = GetDlgItem(program.Application().Tabs().Window(), IDC_FIND_BOX);
        for (wchar_t letter : std::wstring(L"philippines"))
            PostMessageW(box, WM_CHAR, letter, 1);
        Settle();
        SaveWindowPicture(program.Window(), folder + L"main-window-find.bmp");
        program.Application().Find().Clear();
        program.SelectTab(0);
        program.SelectRows({0});
        Settle();
    }
    {
        DialogDriver driver([&](HWND dialog) {
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"picture-popup.bmp");
            PressButton(dialog, IDCANCEL);
        });
        const Rect placement = program.Application().Picture().Placement();
        SendMessageW(program.Window(), WM_LBUTTONDOWN, 0, MAKELPARAM(placement.left + 1, placement.top + 1));
    }

    {
        DialogDriver driver([&](HWND box) {
            Sleep(300);
            SaveWindowPicture(box, folder + L"restore-question.bmp");
            PressButton(box, IDNO);
        });
        program.Command(IDM_RESTORE_BACKUP);
    }
    {
        DialogDriver driver([&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, L"Shells of the Pacific");
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"category-name.bmp");
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_EDIT_CATEGORY);
    }
    {
        DialogDriver driver([&](HWND dialog) {
            HWND available = GetDlgItem(dialog, IDC_AVAILABLE_COLUMNS);
            SendMessageW(available, LB_SETCURSEL, 3, 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_AVAILABLE_COLUMNS, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(available));
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"customize-columns.bmp");
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_CUSTOMIZE_COLUMNS);
    }
    {
        DialogDriver driver([&](HWND dialog) {
            Sleep(500);
            SaveWindowPicture(dialog, folder + L"customize-toolbar.bmp");
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_CUSTOMIZE_TOOLBAR);
    }
    // Specimen Details, every page, and the date picker over it.
    {
        DialogDriver driver([&](HWND dialog) {
            const wchar_t* pages[] = {L"general", L"category", L"appearance", L"collection", L"misc", L"picture"};
            HWND tabs = GetDlgItem(dialog, IDC_DETAIL_PAGES);
            for (int page = 0; page < 6; ++page) {
                SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
                Sleep(300);
                SaveWindowPicture(dialog, folder + L"specimen-details-" + pages[page] + L".bmp");
            }
            SendMessageW(tabs, TCM_SETCURFOCUS, 3, 0);
            PressButton(dialog, IDC_PICK_DATE);
            for (int i = 0; i < 100; ++i) {
                if (HWND picker = FindDialog(dialog)) {
                    Sleep(300);
                    SaveWindowPicture(picker, folder + L"select-date.bmp");
                    PressButton(picker, IDCANCEL);
                    break;
                }
                Sleep(50);
            }
            Sleep(300);
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_EDIT_SPECIMEN);
    }
    // The same for every specimen of <All> at once: the General and Category pages.
    {
        program.SelectTab(static_cast<int>(program.TabTexts().size()) - 1);
        program.Command(IDM_SELECT_ALL);
        DialogDriver driver([&](HWND dialog) {
            HWND tabs = GetDlgItem(dialog, IDC_DETAIL_PAGES);
            for (int page = 0; page < 2; ++page) {
                SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
                Sleep(300);
                SaveWindowPicture(dialog,
                                  folder + (page == 0 ? L"batch-edit-general.bmp" : L"batch-edit-category.bmp"));
            }
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_EDIT_SPECIMEN);
        program.SelectTab(0);
        program.SelectRows({0});
    }
    // Orvelle Options, every page.
    {
        DialogDriver driver([&](HWND dialog) {
            const wchar_t* pages[] = {L"program", L"date-format", L"specimen-data", L"custom-fields"};
            HWND tabs = GetDlgItem(dialog, IDC_OPTION_PAGES);
            for (int page = 0; page < 4; ++page) {
                SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
                Sleep(300);
                SaveWindowPicture(dialog, folder + L"options-" + pages[page] + L".bmp");
            }
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_OPTIONS);
    }
    {
        DialogDriver driver([&](HWND dialog) {
            SendMessageW(GetDlgItem(dialog, IDC_CHANGE_CATEGORY_LIST), LB_SETSEL, TRUE, 0);
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"change-category.bmp");
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_CHANGE_CATEGORY);
    }
    {
        DialogDriver driver([&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_EXPORT_PATH, L"C:\\Collection\\shells.csv");
            CheckDlgButton(dialog, IDC_EXPORT_PICTURES, BST_CHECKED);
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"export.bmp");
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_EXPORT);
    }
    // The import's replace-or-add question, after the file chooser.
    {
        program.Application().Session().SaveIfDue();
        DialogDriver driver([&](HWND chooser) {
            TypeFileNameAndAccept(chooser, catalogPath);
            for (int i = 0; i < 100; ++i) {
                if (HWND box = FindDialog(chooser, IsMessageBox)) {
                    Sleep(300);
                    SaveWindowPicture(box, folder + L"import-question.bmp");
                    PressButton(box, IDCANCEL);
                    break;
                }
                Sleep(50);
            }
        });
        program.Command(IDM_IMPORT);
    }
    // Orvelle Reporting with the labels chosen, then the preview of the summary.
    {
        DialogDriver driver([&](HWND dialog) {
            SendMessageW(GetDlgItem(dialog, IDC_REPORT_LABELS), BM_CLICK, 0, 0);
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"report-settings.bmp");
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_PRINT);
    }
    {
        DialogDriver driver([&](HWND dialog) {
            SendMessageW(GetDlgItem(dialog, IDC_REPORT_SUMMARY), BM_CLICK, 0, 0);
            SendMessageW(GetDlgItem(dialog, IDC_REPORT_ALL), BM_CLICK, 0, 0);
            // Wine has no Times New Roman; a plain serif face rather than the first in the list.
            HWND fonts = GetDlgItem(dialog, IDC_REPORT_FONT);
            const LRESULT serif = SendMessageW(fonts, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(L"DejaVu Serif"));
            if (serif != CB_ERR)
                SendMessageW(fonts, CB_SETCURSEL, static_cast<WPARAM>(serif), 0);
            PressButton(dialog, IDOK);
            for (int i = 0; i < 100; ++i) {
                if (HWND preview = FindDialog(dialog)) {
                    Sleep(500);
                    SaveWindowPicture(preview, folder + L"print-preview.bmp");
                    PressButton(preview, IDCANCEL);
                    break;
                }
                Sleep(50);
            }
        });
        program.Command(IDM_PRINT);
    }
    {
        DialogDriver driver([&](HWND dialog) {
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"statistics.bmp");
            PressButton(dialog, IDOK);
        });
        program.Command(IDM_STATISTICS);
    }
    {
        DialogDriver driver([&](HWND dialog) {
            Sleep(300);
            SaveWindowPicture(dialog, folder + L"about.bmp");
            PressButton(dialog, IDCANCEL);
        });
        program.Command(IDM_ABOUT);
    }
    SaveReportPages(specimens, folder);
    program.Close();
    return 0;
}
