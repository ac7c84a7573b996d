#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "app/main/Application.h"
#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "base/TextSplit.h"
#include "catalog/CommaSeparated.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "support/SpecimenSamples.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

using Names = std::vector<std::wstring>;

bool IsExportDialog(HWND dialog) {
    return GetDlgItem(dialog, IDC_EXPORT_PATH) != nullptr;
}

// A dialog other than the one given that comes up within ten seconds; none otherwise.
HWND WaitForDialog(HWND except) {
    for (int i = 0; i < 200; ++i) {
        if (HWND found = FindDialog(except))
            return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

// Answers the message box the dialog raises with the button and gives its text.
std::wstring AnswerQuestion(HWND dialog, int button) {
    HWND box = WaitForDialog(dialog);
    if (box == nullptr)
        return {};
    const std::wstring text = MessageBoxText(box);
    PressButton(box, button);
    for (int i = 0; i < 100 && IsWindow(box); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return text;
}

std::wstring CharUpper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool Enabled(HWND dialog, int item) {
    return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE;
}

bool Checked(HWND dialog, int item) {
    return IsDlgButtonChecked(dialog, item) == BST_CHECKED;
}

// What the dialog shows for the three controls that follow the path: enabled, and checked.
struct FormControls {
    bool allData, selectedColumns, preserveUnicode;
    bool allDataChecked, selectedColumnsChecked;
    bool operator==(const FormControls&) const = default;
};

FormControls FormControlsOf(HWND dialog) {
    return {Enabled(dialog, IDC_EXPORT_ALL_DATA), Enabled(dialog, IDC_EXPORT_SELECTED_COLUMNS),
            Enabled(dialog, IDC_EXPORT_PRESERVE_UNICODE), Checked(dialog, IDC_EXPORT_ALL_DATA),
            Checked(dialog, IDC_EXPORT_SELECTED_COLUMNS)};
}

void SelectColumns(HWND dialog, bool selected) {
    CheckRadioButton(dialog, IDC_EXPORT_ALL_DATA, IDC_EXPORT_SELECTED_COLUMNS,
                     selected ? IDC_EXPORT_SELECTED_COLUMNS : IDC_EXPORT_ALL_DATA);
}

Names ComboTexts(HWND dialog, int item) {
    HWND box = GetDlgItem(dialog, item);
    Names texts;
    for (LRESULT i = 0; i < SendMessageW(box, CB_GETCOUNT, 0, 0); ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0)), L'\0');
        SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text);
    }
    return texts;
}

std::wstring Utf16FileText(const std::wstring& path) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

Specimen Named(const std::wstring& latinName, Names categories) {
    Specimen specimen;
    specimen.latinName = latinName;
    specimen.tag = L"T-" + latinName;
    specimen.categories = std::move(categories);
    return specimen;
}

// Categories Shells, shells and Fossils, and three specimens.
class ExportCommandTest : public LoadedProgramTest {
protected:
    void StartWithSpecimens() {
        ASSERT_TRUE(StartWith(
                {Named(L"Conus", {L"Shells"}), Named(L"Ammonite", {L"Fossils"}), Named(L"Murex \x0152", {L"Shells"})},
                {L"Shells", L"shells", L"Fossils"}));
    }

    // Runs Export while the reaction plays the user in Export Specimens.
    bool InExportDialog(const DialogDriver::Reaction& reaction) {
        DialogDriver driver(reaction, IsExportDialog);
        program->Command(IDM_EXPORT);
        return driver.Handled();
    }

    // Exports through the dialog: the path typed in, the category chosen, the boxes set.
    bool ExportTo(const std::wstring& path, const std::wstring& category = L"<All>", bool selectedColumns = false,
                  bool preserveUnicode = true, bool pictures = false) {
        return InExportDialog([&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_EXPORT_PATH, path.c_str());
            HWND box = GetDlgItem(dialog, IDC_EXPORT_CATEGORY);
            SendMessageW(box, CB_SETCURSEL,
                         SendMessageW(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(category.c_str())), 0);
            SelectColumns(dialog, selectedColumns);
            CheckDlgButton(dialog, IDC_EXPORT_PRESERVE_UNICODE, preserveUnicode ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(dialog, IDC_EXPORT_PICTURES, pictures ? BST_CHECKED : BST_UNCHECKED);
            PressButton(dialog, IDOK);
        });
    }
};

TEST_F(ExportCommandTest, ColumnsAndEncodingAreChosenOnlyForCommaSeparatedPaths) {
    StartWithSpecimens();
    App().CurrentSettings().columns = {kFieldTag, kFieldLatinName};
    const std::wstring path = folder.File(L"columns.CSV");
    Names categories;
    std::vector<FormControls> seen;
    ASSERT_TRUE(InExportDialog([&](HWND dialog) {
        categories = ComboTexts(dialog, IDC_EXPORT_CATEGORY);
        seen.push_back(FormControlsOf(dialog));  // no path yet
        SetDlgItemTextW(dialog, IDC_EXPORT_PATH, path.c_str());
        SelectColumns(dialog, true);
        seen.push_back(FormControlsOf(dialog));
        SetDlgItemTextW(dialog, IDC_EXPORT_PATH, folder.File(L"columns.csv.xml").c_str());
        seen.push_back(FormControlsOf(dialog));  // a markup file is all data
        SetDlgItemTextW(dialog, IDC_EXPORT_PATH, path.c_str());
        seen.push_back(FormControlsOf(dialog));
        SelectColumns(dialog, true);
        CheckDlgButton(dialog, IDC_EXPORT_PRESERVE_UNICODE, BST_CHECKED);
        PressButton(dialog, IDOK);
    }));
    EXPECT_EQ(categories, (Names{L"<All>", L"Shells", L"shells", L"Fossils"}));
    const std::vector<FormControls> expected = {{false, false, false, true, false},
                                                {true, true, true, false, true},
                                                {false, false, false, true, false},
                                                {true, true, true, true, false}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(Utf16FileText(path),
              L"\"Tag\",\"Latin Name\"\r\n\"T-Conus\",\"Conus\"\r\n\"T-Ammonite\",\"Ammonite\"\r\n"
              L"\"T-Murex \x0152\",\"Murex \x0152\"\r\n");

    // OK without a path writes nothing.
    const Names before = NamesIn(folder.Path());
    ASSERT_TRUE(InExportDialog([](HWND dialog) { PressButton(dialog, IDOK); }));
    EXPECT_EQ(NamesIn(folder.Path()), before);
}

TEST_F(ExportCommandTest, AnExportOfAllDataReadsBackWithTheSameSpecimensAndFields) {
    std::vector<Specimen> specimens;
    for (int number = 1; number <= 3; ++number) {
        Specimen specimen = SampleSpecimen(number);
        specimen.pictureName.clear();
        specimen.pictureData.clear();
        specimens.push_back(specimen);
    }
    ASSERT_TRUE(StartWith(specimens));
    const std::wstring path = folder.File(L"all.csv");
    ASSERT_TRUE(ExportTo(path, L"<All>", false, true));
    EXPECT_TRUE(Utf16FileText(path).starts_with(L"\"Category\",\"Collector\",\"Color\","));

    StoredCatalog imported;
    Settings saved;
    ASSERT_TRUE(ImportCommaSeparated(imported.catalog, path, false, saved, nullptr));
    const std::vector<Specimen>& exported = App().CurrentCatalog().Specimens();
    ASSERT_EQ(imported.catalog.Specimens().size(), exported.size());
    for (size_t i = 0; i < exported.size(); ++i) {
        for (int field = 0; field < kFieldCount; ++field) {
            EXPECT_EQ(Catalog::FieldText(imported.catalog.Specimens()[i], field),
                      Catalog::FieldText(exported[i], field))
                    << "specimen " << i << ", field " << field;
        }
    }
}

TEST_F(ExportCommandTest, OneCategoryExportsAsMarkupChosenWithTheFileChooser) {
    StartWithSpecimens();
    ASSERT_TRUE(CreateFolderPath(folder.File(L"out"), false));
    const std::wstring path = folder.File(L"out\\fossils.xml");
    std::wstring shown;
    FormControls controls{};
    ASSERT_TRUE(InExportDialog([&](HWND dialog) {
        PressButton(dialog, IDC_EXPORT_BROWSE);
        HWND chooser = WaitForDialog(dialog);
        ASSERT_NE(chooser, nullptr);
        TypeFileNameAndAccept(chooser, path);
        for (int i = 0; i < 100 && IsWindow(chooser); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        shown = WindowText(GetDlgItem(dialog, IDC_EXPORT_PATH));
        controls = FormControlsOf(dialog);
        HWND box = GetDlgItem(dialog, IDC_EXPORT_CATEGORY);
        SendMessageW(box, CB_SETCURSEL, 3, 0);  // Fossils
        PressButton(dialog, IDOK);
    }));
    EXPECT_EQ(shown, path);
    EXPECT_EQ(controls, (FormControls{false, false, false, true, false}));
    EXPECT_EQ(App().CurrentSettings().lastFolder, folder.File(L"out"));

    StoredCatalog stored;
    ASSERT_TRUE(stored.Read(path));
    ASSERT_EQ(stored.catalog.Specimens().size(), 1u);
    EXPECT_EQ(stored.catalog.Specimens()[0].latinName, L"Ammonite");
    EXPECT_EQ(stored.catalog.Categories(), Names{L"Fossils"});
    EXPECT_EQ(NamesIn(folder.File(L"out")), Names{L"fossils.xml"});  // no pictures asked for
}

// An Options change made before the export is still to be saved after it, and the catalog's
// own file is not written by the export.
TEST_F(ExportCommandTest, AnExportWritesOnlyTheExportAndLeavesWhatIsStillToBeSaved) {
    StartWithSpecimens();
    App().WaitForSaves();
    const std::vector<std::uint8_t> catalogBytes = ReadFileBytes(catalogPath);
    App().CurrentSettings().sizeUnits = L"in";
    ASSERT_TRUE(App().Session().HasChangesToSave());
    ASSERT_TRUE(ExportTo(folder.File(L"everything.xml")));
    EXPECT_TRUE(App().Session().HasChangesToSave());
    EXPECT_FALSE(App().Session().HasUnsavedChanges());
    EXPECT_EQ(ReadFileBytes(catalogPath), catalogBytes);
    program->Close();
    StoredCatalog stored;
    ASSERT_TRUE(stored.Read(catalogPath));
    EXPECT_EQ(stored.settings.sizeUnits, L"in");
}

TEST_F(ExportCommandTest, AFailedWriteIsReportedAndLeavesTheFileAsItWas) {
    StartWithSpecimens();
    const std::wstring path = folder.File(L"locked.csv");
    ASSERT_TRUE(WriteFileBytes(path, {1, 2, 3}));
    std::wstring message;
    {
        // A spreadsheet program holds the file open.
        TQLibrary::FileHandle held(
                CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        DialogDriver box(
                [&](HWND dialog) {
                    message = MessageBoxText(dialog);
                    PressButton(dialog, IDOK);
                },
                [](HWND dialog) {
                    return IsMessageBox(dialog) && MessageBoxText(dialog) == LoadText(IDS_SAVE_FAILED);
                });
        ASSERT_TRUE(InExportDialog([&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_EXPORT_PATH, path.c_str());
            PressButton(dialog, IDOK);
            AnswerQuestion(dialog, IDYES);
        }));
        EXPECT_TRUE(box.Handled());
    }
    EXPECT_EQ(message, LoadText(IDS_SAVE_FAILED));
    EXPECT_EQ(ReadFileBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
}

// The open catalog and its backup are never export targets, typed in any letter case; any other
// existing file is replaced only after Yes.
TEST_F(ExportCommandTest, AnExportRefusesTheCatalogAndItsBackupAndAsksBeforeReplacingAFile) {
    StartWithSpecimens();
    App().WaitForSaves();
    const std::wstring backupPath = catalogPath + LoadText(IDS_BACKUP_EXTENSION);
    ASSERT_TRUE(WriteFileBytes(backupPath, {7}));
    const std::vector<std::uint8_t> catalogBytes = ReadFileBytes(catalogPath);
    const std::wstring other = folder.File(L"other.xml");
    ASSERT_TRUE(WriteFileBytes(other, {1}));
    std::vector<std::wstring> seen;
    ASSERT_TRUE(InExportDialog([&](HWND dialog) {
        const std::pair<std::wstring, int> tries[] = {
                {CharUpper(catalogPath), IDOK}, {backupPath, IDOK}, {other, IDNO}, {other, IDYES}};
        for (const auto& [path, answer] : tries) {
            SetDlgItemTextW(dialog, IDC_EXPORT_PATH, path.c_str());
            PressButton(dialog, IDOK);
            seen.push_back(AnswerQuestion(dialog, answer));
        }
    }));
    const std::wstring replace = LoadText(IDS_TRANSFER_OVERWRITE);
    EXPECT_EQ(seen, (Names{FillIn(LoadText(IDS_EXPORT_ONTO_CATALOG), {CharUpper(catalogPath)}),
                           FillIn(LoadText(IDS_EXPORT_ONTO_CATALOG), {backupPath}), replace, replace}));
    EXPECT_EQ(ReadFileBytes(catalogPath), catalogBytes);
    EXPECT_EQ(ReadFileBytes(backupPath), std::vector<std::uint8_t>{7});
    StoredCatalog stored;
    ASSERT_TRUE(stored.Read(other));
    EXPECT_EQ(stored.catalog.Specimens().size(), 3u);
}

}  // namespace
