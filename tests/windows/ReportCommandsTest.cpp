#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main/Application.h"
#include "app/printing/DeviceSurface.h"
#include "reports/DrawReport.h"
#include "reports/PageRecording.h"
#include "reports/ReportSettings.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "support/SpecimenSamples.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/DialogSequence.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/PictureBytes.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

using Names = std::vector<std::wstring>;
using TQLibrary::BitmapHandle;

std::wstring SelectedText(HWND dialog, int item) {
    HWND box = GetDlgItem(dialog, item);
    const LRESULT selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return L"";
    std::wstring text(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, selected, 0)), L'\0');
    SendMessageW(box, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

Names ItemsOf(HWND dialog, int item) {
    HWND box = GetDlgItem(dialog, item);
    Names items;
    for (LRESULT i = 0; i < SendMessageW(box, CB_GETCOUNT, 0, 0); ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0)), L'\0');
        SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(text);
    }
    return items;
}

void Choose(HWND dialog, int item, const std::wstring& text) {
    HWND box = GetDlgItem(dialog, item);
    SendMessageW(box, CB_SETCURSEL, SendMessageW(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(text.c_str())),
                 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(item, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

void Click(HWND dialog, int item) {
    SendMessageW(GetDlgItem(dialog, item), BM_CLICK, 0, 0);
}

bool Enabled(HWND dialog, int item) {
    return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE;
}

// What Orvelle Reporting shows of its choices.
struct ReportScreen {
    bool summary, all;
    std::wstring category, sort, firstLine, firstSize, fourthLine;
    bool labelsEnabled;
    bool operator==(const ReportScreen&) const = default;
};

ReportScreen ScreenOf(HWND dialog) {
    return {IsDlgButtonChecked(dialog, IDC_REPORT_SUMMARY) == BST_CHECKED,
            IsDlgButtonChecked(dialog, IDC_REPORT_ALL) == BST_CHECKED,
            SelectedText(dialog, IDC_REPORT_CATEGORY),
            SelectedText(dialog, IDC_REPORT_SORT),
            SelectedText(dialog, IDC_REPORT_LABEL_FIELD1),
            SelectedText(dialog, IDC_REPORT_LABEL_SIZE1),
            SelectedText(dialog, IDC_REPORT_LABEL_FIELD4),
            Enabled(dialog, IDC_REPORT_LABEL_SIZE4)};
}

Specimen Priced(const std::wstring& tag, Names categories, const std::wstring& quality, double price) {
    Specimen specimen;
    specimen.tag = tag;
    specimen.commonName = L"Shell " + tag;
    specimen.categories = std::move(categories);
    specimen.quality = quality;
    specimen.price = price;
    specimen.value = 2 * price;
    return specimen;
}

class ReportCommandsTest : public LoadedProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(
                StartWith({Priced(L"A", {L"Shells"}, L"Good", 1.5), Priced(L"B", {L"Shells", L"Fossils"}, L"Fine", 10),
                           Priced(L"C", {L"Fossils"}, L"good", 100)},
                          {L"Shells", L"Fossils"}));
    }
};

TEST_F(ReportCommandsTest, ReportChoicesAreStoredOnOkAndUntouchedOnCancel) {
    App().CurrentSettings().currentCategory = L"Fossils";
    ReportScreen opened{};
    ReportScreen labels{};
    ReportScreen detail{};
    int previewPages = 0;
    Names fonts;
    {
        DialogSequence user({[&](HWND dialog) {
                                 opened = ScreenOf(dialog);
                                 fonts = ItemsOf(dialog, IDC_REPORT_FONT);
                                 Click(dialog, IDC_REPORT_LABELS);
                                 labels = ScreenOf(dialog);
                                 Click(dialog, IDC_REPORT_DETAIL);
                                 Click(dialog, IDC_REPORT_ALL);
                                 Choose(dialog, IDC_REPORT_SORT, L"Price");
                                 Choose(dialog, IDC_REPORT_LABEL_FIELD1, L"Tag");
                                 Choose(dialog, IDC_REPORT_LABEL_SIZE1, L"24 pt");
                                 detail = ScreenOf(dialog);
                                 PressButton(dialog, IDOK);
                             },
                             [&](HWND preview) {
                                 previewPages = std::stoi(WindowText(GetDlgItem(preview, IDC_PREVIEW_PAGE_NUMBER))
                                                                  .substr(std::wstring(L"Page 1 of ").size()));
                                 PressButton(preview, IDCANCEL);
                             }});
        program->Command(IDM_PRINT);
        EXPECT_EQ(user.StepsPlayed(), 2);
    }
    // The defaults, on the current category.
    EXPECT_EQ(opened,
              (ReportScreen{true, false, L"Fossils", L"Common Name", L"Common Name", L"16 pt", L"Category", false}));
    EXPECT_TRUE(labels.labelsEnabled);
    // The screen's fonts without the vertical-writing twins ("@" names) of CJK fonts.
    EXPECT_FALSE(fonts.empty());
    EXPECT_TRUE(std::none_of(fonts.begin(), fonts.end(), [](const std::wstring& face) { return face[0] == L'@'; }));
    EXPECT_EQ(detail, (ReportScreen{false, true, L"Fossils", L"Price", L"Tag", L"24 pt", L"Category", false}));
    EXPECT_EQ(previewPages, 2);  // one page for each specimen under Fossils

    const Settings& settings = App().CurrentSettings();
    EXPECT_EQ(settings.reportType, kDetailReport);
    EXPECT_TRUE(settings.reportSpecimens);
    EXPECT_EQ(settings.reportSort, 13u);
    EXPECT_EQ(settings.reportLabels, (std::vector<int>{10, 7, 0, 0}));
    EXPECT_EQ(settings.reportSizes, (std::vector<int>{24, 12, 12, 12}));
    App().WaitForSaves();
    StoredCatalog stored;
    ASSERT_TRUE(stored.Read(catalogPath));
    EXPECT_EQ(stored.settings.reportType, kDetailReport);

    // Cancel stores nothing, whatever was changed.
    {
        DialogDriver driver([](HWND dialog) {
            Click(dialog, IDC_REPORT_SUMMARY);
            Choose(dialog, IDC_REPORT_SORT, L"Tag");
            PressButton(dialog, IDCANCEL);
        });
        program->Command(IDM_PRINT);
        EXPECT_TRUE(driver.Handled());
    }
    EXPECT_EQ(settings.reportType, kDetailReport);
    EXPECT_EQ(settings.reportSort, 13u);
}

// A sheet of paper at a printer's resolution, which counts the pages it is given.
class Paper final : public TQLibrary::DeviceSurface {
public:
    Paper(int dpi, double widthInches, double heightInches)
        : DeviceSurface(TQLibrary::MemoryDC(CreateCompatibleDC(nullptr)), SheetOf(dpi, widthInches, heightInches)) {}
    bool StartPage() override { return true; }
    bool EndPage() override {
        ++pages;
        return true;
    }
    int pages = 0;

private:
    static DeviceMetrics SheetOf(int dpi, double widthInches, double heightInches) {
        DeviceMetrics metrics = TQLibrary::MetricsOf(nullptr);
        metrics.dpiX = metrics.dpiY = dpi;
        metrics.horzRes = static_cast<int>(dpi * widthInches);
        metrics.vertRes = static_cast<int>(dpi * heightInches);
        return metrics;
    }
};

// The report dialog's step that chooses the report on all specimens of every category.
DialogSequence::Step ChooseReportOnAll(std::uint32_t reportType) {
    return [reportType](HWND dialog) {
        Click(dialog, reportType == kSummaryReport  ? IDC_REPORT_SUMMARY
                      : reportType == kDetailReport ? IDC_REPORT_DETAIL
                                                    : IDC_REPORT_LABELS);
        Click(dialog, IDC_REPORT_ALL);
        Choose(dialog, IDC_REPORT_CATEGORY, L"<All>");
        PressButton(dialog, IDOK);
    };
}

// The page count the preview shows ("Page 1 of N").
int PreviewPageCount(HWND preview) {
    const std::wstring shown = WindowText(GetDlgItem(preview, IDC_PREVIEW_PAGE_NUMBER));
    return std::stoi(shown.substr(shown.rfind(L' ') + 1));
}

int PreviewedPages(ProgramUnderTest& program, std::uint32_t reportType) {
    int pages = 0;
    DialogSequence user({ChooseReportOnAll(reportType), [&](HWND preview) {
                             pages = PreviewPageCount(preview);
                             // Each page is drawn as it is shown.
                             SendMessageW(preview, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_NEXT, BN_CLICKED),
                                          reinterpret_cast<LPARAM>(GetDlgItem(preview, IDC_PREVIEW_NEXT)));
                             UpdateWindow(GetDlgItem(preview, IDC_PREVIEW_PAGE));
                             EXPECT_EQ(WindowText(GetDlgItem(preview, IDC_PREVIEW_PAGE_NUMBER)),
                                       L"Page 2 of " + std::to_wstring(pages));
                             PressButton(preview, IDCANCEL);
                         }});
    program.Command(IDM_PRINT);
    EXPECT_EQ(user.StepsPlayed(), 2);
    return pages;
}

// The preview counts the pages that a printer prints, whatever its resolution and paper: the
// summary's font rounds differently at every resolution, which once made a preview of 9 pages
// print 10.
class ReportPrintingTest : public LoadedProgramTest {};

TEST_F(ReportPrintingTest, ThePreviewShowsAsManyPagesAsAPrinterPrints) {
    std::vector<Specimen> specimens;
    for (int i = 0; i < 324; ++i)
        specimens.push_back(Priced(L"T" + std::to_wstring(i), {L"Shells"}, L"Good", i));
    ASSERT_TRUE(StartWith(specimens, {L"Shells"}));
    struct Sheet {
        int dpi;
        double width, height;
    };
    const Sheet sheets[] = {{300, 8.5, 11}, {600, 8.5, 11}, {300, 8.27, 11.69}, {600, 8.27, 11.69}};
    for (std::uint32_t type : {kSummaryReport, kSpecimenLabels}) {
        SCOPED_TRACE(type);
        const int previewed = PreviewedPages(*program, type);
        const bool landscape = type == kSummaryReport;
        const Settings& settings = App().CurrentSettings();
        ReportSpecimens list;
        for (const Specimen& specimen : specimens)
            list.push_back(&specimen);
        for (const Sheet& sheet : sheets) {
            SCOPED_TRACE(sheet.dpi);
            Paper paper(sheet.dpi, landscape ? sheet.height : sheet.width, landscape ? sheet.width : sheet.height);
            TQLibrary::ReportLayout layout(landscape);
            DrawReport(layout.Pages(), settings, list, L"");
            const int printed = PrintRecordedPages(layout.Pages(), paper, nullptr).pages;
            EXPECT_EQ(paper.pages, printed);
            EXPECT_EQ(printed, previewed) << sheet.width;
        }
    }
}

TEST_F(ReportCommandsTest, AReadOnlyCatalogPrintsAndKeepsTheChoicesForTheSessionOnly) {
    program->Close();
    ASSERT_TRUE(SetFileAttributesW(catalogPath.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<std::uint8_t> before = ReadFileBytes(catalogPath);
    ASSERT_TRUE(StartOnCatalog());
    ASSERT_TRUE(App().IsReadOnly());
    auto isSettings = [](HWND dialog) { return GetDlgItem(dialog, IDC_REPORT_SUMMARY) != nullptr; };
    std::wstring message;
    {
        DialogDriver settings(
                [](HWND dialog) {
                    Click(dialog, IDC_REPORT_LABELS);
                    PressButton(dialog, IDOK);
                },
                isSettings);
        // A message, such as a failed save's, may come up over the preview.
        DialogDriver box(
                [&](HWND found) {
                    message = MessageBoxText(found);
                    PressButton(found, IDOK);
                },
                IsMessageBox);
        DialogDriver preview([](HWND found) { PressButton(found, IDCANCEL); },
                             [&](HWND found) { return !isSettings(found) && !IsMessageBox(found); });
        program->Command(IDM_PRINT);
        App().WaitForSaves();
        EXPECT_TRUE(settings.Handled());
        EXPECT_TRUE(preview.Handled());
    }
    EXPECT_EQ(message, L"");
    EXPECT_EQ(App().CurrentSettings().reportType, kSpecimenLabels);
    program->Close();
    EXPECT_EQ(ReadFileBytes(catalogPath), before);
    SetFileAttributesW(catalogPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}

std::wstring Environment(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length < 1024 ? std::wstring(value, length) : L"";
}

// The folder where the test session's PDF printer leaves each job, with its page count beside it
// in "<job>.pdf.pages"; empty when the tests run without that printer (scripts/printer-session).
std::wstring PrinterOutput() {
    std::wstring folder = Environment(L"ORVELLE_PRINTER_OUTPUT");
    if (folder.empty())
        return L"";
    // A Unix path, reached through the drive Wine maps to the root.
    if (folder.front() == L'/')
        folder = L"Z:" + folder;
    for (wchar_t& c : folder) {
        if (c == L'/')
            c = L'\\';
    }
    return folder + L"\\";
}

std::vector<std::wstring> PageCountFiles(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*.pages").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The page count of the next job the printer finishes; -1 when none comes within a minute.
int NextPrintedJobPages(const std::wstring& folder, const std::vector<std::wstring>& before) {
    for (int wait = 0; wait < 600; ++wait) {
        for (const std::wstring& name : PageCountFiles(folder)) {
            if (std::find(before.begin(), before.end(), name) != before.end())
                continue;
            char text[32] = {};
            FILE* file = _wfopen((folder + name).c_str(), L"rb");
            if (file == nullptr)
                return -1;
            const size_t read = fread(text, 1, sizeof text - 1, file);
            fclose(file);
            return read == 0 ? -1 : std::atoi(text);
        }
        Sleep(100);
    }
    return -1;
}

// Chooses the report on all specimens, notes the preview's page count and prints on the default printer, as a
// user pressing Print and then OK would; gives the pages previewed.
int PreviewAndPrint(ProgramUnderTest& program, std::uint32_t reportType) {
    int pages = 0;
    DialogSequence user({ChooseReportOnAll(reportType),
                         [&](HWND preview) {
                             pages = PreviewPageCount(preview);
                             PressButton(preview, IDC_PREVIEW_PRINT);
                         },
                         [&](HWND print) {
                             PressButton(print, IDOK);
                             // A dialog that OK does not close (no printer chosen) is cancelled.
                             for (int wait = 0; wait < 100 && IsWindowVisible(print); ++wait)
                                 Sleep(100);
                             if (IsWindowVisible(print))
                                 PressButton(print, IDCANCEL);
                         }});
    program.Command(IDM_PRINT);
    EXPECT_EQ(user.StepsPlayed(), 3);
    return pages;
}

// Each report printed on a real printer (CUPS's PDF printer, reached through Wine's printing)
// comes out with as many pages as its preview counts.
TEST_F(ReportPrintingTest, ARealPrinterPrintsThePagesThePreviewCounts) {
    const std::wstring output = PrinterOutput();
    if (output.empty())
        GTEST_SKIP() << "no test printer: scripts/test provides one (scripts/printer-session)";
    // The test printer as the user's default, in the scratch hive, where Windows keeps it.
    const std::wstring printer = Environment(L"ORVELLE_PRINTER_NAME");
    const std::wstring device = printer + L",winspool,CUPS:" + printer;
    HKEY windows = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &windows, nullptr),
              ERROR_SUCCESS);
    TQLibrary::KeyHandle closed(windows);
    ASSERT_EQ(RegSetValueExW(windows, L"Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.c_str()),
                             static_cast<DWORD>((device.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    std::vector<Specimen> many;
    for (int i = 0; i < 324; ++i)
        many.push_back(Priced(L"T" + std::to_wstring(i), {L"Shells"}, L"Good", i));
    std::vector<Specimen> pictured;
    for (int i = 0; i < 3; ++i) {
        pictured.push_back(SampleSpecimen(i));
        pictured.back().pictureData = PlainBmp(120, 90);
    }
    struct Case {
        const std::vector<Specimen>* specimens;
        std::uint32_t type;
    };
    for (const Case& c : {Case{&many, kSummaryReport}, Case{&many, kSpecimenLabels}, Case{&pictured, kDetailReport}}) {
        SCOPED_TRACE(c.type);
        ASSERT_TRUE(StartWith(*c.specimens, {L"Shells"}));
        // Wine's PostScript driver fails on fonts without TrueType outlines, which "Times New Roman" may
        // stand for here; DejaVu Sans has them.
        App().CurrentSettings().reportFont = L"DejaVu Sans";
        const std::vector<std::wstring> before = PageCountFiles(output);
        const int previewed = PreviewAndPrint(*program, c.type);
        EXPECT_GT(previewed, c.type == kDetailReport ? 2 : 1);
        EXPECT_EQ(NextPrintedJobPages(output, before), previewed);
    }
}

TEST_F(ReportCommandsTest, StatisticsRecountAsTheFiltersChangeAndEscapeCloses) {
    App().CurrentSettings().currentCategory = L"Shells";
    struct Seen {
        std::wstring count, cost, value;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    DialogDriver driver([&](HWND dialog) {
        auto look = [&] {
            seen.push_back({WindowText(GetDlgItem(dialog, IDC_STATISTICS_COUNT)),
                            WindowText(GetDlgItem(dialog, IDC_STATISTICS_COST)),
                            WindowText(GetDlgItem(dialog, IDC_STATISTICS_VALUE))});
        };
        look();
        Choose(dialog, IDC_STATISTICS_QUALITY, L"Good");  // "good" is another text
        look();
        Choose(dialog, IDC_STATISTICS_CATEGORY, L"<All>");
        look();
        Choose(dialog, IDC_STATISTICS_QUALITY, L"<All>");
        look();
        Choose(dialog, IDC_STATISTICS_ABUNDANCE, L"Rare");
        look();
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // what Escape sends
    });
    // Returns only once the dialog has closed.
    program->Command(IDM_STATISTICS);
    ASSERT_TRUE(driver.Handled());
    const std::vector<Seen> expected = {{L"2", L"$11.50", L"$23.00"},
                                        {L"1", L"$1.50", L"$3.00"},
                                        {L"1", L"$1.50", L"$3.00"},
                                        {L"3", L"$111.50", L"$223.00"},
                                        {L"0", L"$0.00", L"$0.00"}};
    EXPECT_EQ(seen, expected);
}

// Category names are compared exactly: a file may bring in "shells" beside "Shells".
TEST_F(ReportCommandsTest, CategoriesDifferingOnlyInCaseAreBothOfferedAndTheCurrentOneChosen) {
    ASSERT_TRUE(StartWith({Priced(L"A", {L"Shells"}, L"Good", 1), Priced(L"B", {L"shells"}, L"Good", 10),
                           Priced(L"C", {L"shells"}, L"Good", 100)},
                          {L"Shells", L"shells"}));
    App().CurrentSettings().currentCategory = L"shells";
    struct Box {
        Names items;
        std::wstring selected;
    };
    Box statistics, report;
    std::wstring count;
    {
        DialogDriver driver([&](HWND dialog) {
            statistics = {ItemsOf(dialog, IDC_STATISTICS_CATEGORY), SelectedText(dialog, IDC_STATISTICS_CATEGORY)};
            count = WindowText(GetDlgItem(dialog, IDC_STATISTICS_COUNT));
            PressButton(dialog, IDOK);
        });
        program->Command(IDM_STATISTICS);
        ASSERT_TRUE(driver.Handled());
    }
    {
        DialogDriver driver([&](HWND dialog) {
            report = {ItemsOf(dialog, IDC_REPORT_CATEGORY), SelectedText(dialog, IDC_REPORT_CATEGORY)};
            PressButton(dialog, IDCANCEL);
        });
        program->Command(IDM_PRINT);
        ASSERT_TRUE(driver.Handled());
    }
    for (const Box* box : {&statistics, &report}) {
        EXPECT_EQ(std::count(box->items.begin(), box->items.end(), L"Shells"), 1);
        EXPECT_EQ(std::count(box->items.begin(), box->items.end(), L"shells"), 1);
        EXPECT_EQ(box->items.size(), 3u);
        EXPECT_EQ(box->selected, L"shells");
    }
    EXPECT_EQ(count, L"2");
}

// How many pixels of the area are not white.
int InkIn(const BitmapHandle& page, int left, int top, int right, int bottom) {
    TQLibrary::WindowDC screen = TQLibrary::WindowDC::OfClientArea(nullptr);
    TQLibrary::MemoryDC memory(CreateCompatibleDC(screen.Get()));
    TQLibrary::SelectedObject selected(memory.Get(), page.Get());
    int ink = 0;
    for (int y = top; y < bottom; y += 2) {
        for (int x = left; x < right; x += 2) {
            if ((GetPixel(memory.Get(), x, y) & 0xFFFFFF) != 0xFFFFFF)
                ++ink;
        }
    }
    return ink;
}

// Each report laid out and its first page drawn as the preview draws it: text where the title and the footer go, the
// picture beside the detail's values, and nothing past the labels' last line.
TEST(ReportPages, EachReportPutsInkWhereItsTextAndPictureGo) {
    std::vector<Specimen> specimens;
    for (int i = 0; i < 3; ++i) {
        Specimen specimen = SampleSpecimen(i);
        specimen.pictureData = PlainBmp(120, 90);
        specimens.push_back(specimen);
    }
    ReportSpecimens list;
    for (const Specimen& specimen : specimens)
        list.push_back(&specimen);
    constexpr int dpi = 72;
    struct Case {
        std::uint32_t type;
        bool landscape;
        int pages;
    };
    for (const Case& c :
         {Case{kSummaryReport, true, 1}, Case{kDetailReport, false, 3}, Case{kSpecimenLabels, false, 1}}) {
        SCOPED_TRACE(c.type);
        Settings settings;
        settings.reportType = c.type;
        settings.reportFont = L"Arial";
        TQLibrary::ReportLayout layout(c.landscape);
        DrawReport(layout.Pages(), settings, list, L"");
        ASSERT_EQ(layout.Pages().PageCount(), c.pages);
        const TQLibrary::PagePicture page = TQLibrary::DrawPagePicture(layout, 0, dpi);
        const BitmapHandle& first = page.bitmap;
        const int width = page.width;
        const int height = page.height;
        // Nothing in the half-inch margin above the page rectangle.
        EXPECT_EQ(InkIn(first, 0, 0, width, dpi / 2 - 2), 0);
        // The top line: the summary's title or the detail's name, or the first label.
        EXPECT_GT(InkIn(first, dpi / 2, dpi / 2, width - dpi / 2, dpi), 0);
        if (c.type == kDetailReport) {
            // The picture, about 90 x 67 pixels at this resolution, sampled every other pixel.
            std::vector<Specimen> bare = specimens;
            for (Specimen& specimen : bare)
                specimen.pictureData.clear();
            const ReportSpecimens bareList{&bare[0], &bare[1], &bare[2]};
            TQLibrary::ReportLayout withoutLayout(false);
            DrawReport(withoutLayout.Pages(), settings, bareList, L"");
            const TQLibrary::PagePicture without = TQLibrary::DrawPagePicture(withoutLayout, 0, dpi);
            EXPECT_GT(InkIn(first, 0, 0, width, height) - InkIn(without.bitmap, 0, 0, width, height), 1000);
        }
        if (c.type != kSpecimenLabels) {
            // The page number at the bottom right.
            EXPECT_GT(InkIn(first, width - 2 * dpi, height - dpi, width - dpi / 2, height - dpi / 2), 0);
        } else {
            // Two labels of three lines, and nothing below them.
            EXPECT_EQ(InkIn(first, 0, 3 * dpi, width, height), 0);
        }
    }
}

}  // namespace
