#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/main/Application.h"
#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "resources/resource.h"
#include "support/SampleCatalog.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/DialogSequence.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

using Names = std::vector<std::wstring>;

Specimen Tagged(const std::wstring& tag, Names categories) {
    Specimen specimen;
    specimen.tag = tag;
    specimen.categories = std::move(categories);
    return specimen;
}

class ImportCommandTest : public LoadedProgramTest {
protected:
    void SetUp() override {
        Settings settings;
        settings.nextTagNumber = 40;
        ASSERT_TRUE(WriteCatalogFile(catalogPath, {Tagged(L"OWN-1", {L"Shells"}), Tagged(L"OWN-2", {L"Shells"})},
                                     {L"Shells"}, settings));
        ASSERT_TRUE(StartOnCatalog());
    }

    // Imports the file, answering the replace-or-add question with the button; the question's
    // text, or empty when none came.
    std::wstring Import(const std::wstring& path, int answer) {
        // Whatever is due is saved first, under a dialog of its own.
        App().Session().SaveIfDue();
        std::wstring question;
        DialogSequence user({[&](HWND chooser) { TypeFileNameAndAccept(chooser, path); },
                             [&](HWND box) {
                                 question = MessageBoxText(box);
                                 PressButton(box, answer);
                             }});
        program->Command(IDM_IMPORT);
        return question;
    }

    Names Tags() {
        Names tags;
        for (const Specimen& specimen : App().CurrentCatalog().Specimens())
            tags.push_back(specimen.tag);
        return tags;
    }

    Names SavedTags() {
        App().WaitForSaves();
        StoredCatalog stored;
        EXPECT_TRUE(stored.Read(catalogPath));
        Names tags;
        for (const Specimen& specimen : stored.catalog.Specimens())
            tags.push_back(specimen.tag);
        return tags;
    }
};

TEST_F(ImportCommandTest, ASpreadsheetFileReplacesOrJoinsTheCatalogOrNothingHappens) {
    // UTF-8 with the mark, as spreadsheets save it.
    const std::string text =
            "\xEF\xBB\xBFTag,Latin Name,Collector\r\nX-1,\xC5\x92uvre,H\xC3\xA9l\xC3\xA8ne \xE6\x97\xA5\xE6\x9C\xAC\r\n";
    const std::wstring sheet = folder.File(L"sheet.csv");
    ASSERT_TRUE(WriteFileBytes(sheet, std::vector<std::uint8_t>(text.begin(), text.end())));

    EXPECT_EQ(Import(sheet, IDCANCEL).substr(0, 25), L"You are about to import a");
    EXPECT_EQ(Tags(), (Names{L"OWN-1", L"OWN-2"}));

    Import(sheet, IDNO);
    EXPECT_EQ(Tags(), (Names{L"OWN-1", L"OWN-2", L"X-1"}));

    Import(sheet, IDYES);
    ASSERT_EQ(Tags(), Names{L"X-1"});
    const Specimen& imported = App().CurrentCatalog().Specimens().front();
    EXPECT_EQ(imported.latinName, L"\x0152uvre");
    EXPECT_EQ(imported.collector, L"H\x00E9l\x00E8ne \x65E5\x672C");
    // Tags go on from where they were; the change is on disk at once.
    EXPECT_EQ(App().CurrentSettings().nextTagNumber, 40u);
    EXPECT_EQ(SavedTags(), Names{L"X-1"});
    EXPECT_EQ(App().List().View().RowCount(), 1);

    // Undo puts back what the replacing import took, on disk too; redo takes it again.
    program->Command(IDM_UNDO);
    EXPECT_EQ(SavedTags(), (Names{L"OWN-1", L"OWN-2", L"X-1"}));
    program->Command(IDM_REDO);
    EXPECT_EQ(SavedTags(), Names{L"X-1"});
}

TEST_F(ImportCommandTest, AnotherCatalogJoinsWithoutItsSettingsOrReplacesWithoutItsReadOnlyMark) {
    Settings theirs;
    theirs.captions[0] = L"Depth";
    theirs.tagFormat = L"THEIRS-###";
    const std::wstring other = folder.File(L"other.xml");
    ASSERT_TRUE(WriteCatalogFile(other, {Tagged(L"THEIRS-1", {L"Fossils"})}, {L"Fossils"}, theirs));
    App().CurrentSettings().captions[0] = L"Mine";

    Import(other, IDNO);
    EXPECT_EQ(Tags(), (Names{L"OWN-1", L"OWN-2", L"THEIRS-1"}));
    EXPECT_EQ(App().CurrentSettings().captions[0], L"Mine");
    EXPECT_EQ(App().CurrentSettings().tagFormat, L"");
    EXPECT_EQ(SavedTags(), (Names{L"OWN-1", L"OWN-2", L"THEIRS-1"}));

    ASSERT_TRUE(SetFileAttributesW(other.c_str(), FILE_ATTRIBUTE_READONLY));
    Import(other, IDYES);
    EXPECT_EQ(Tags(), Names{L"THEIRS-1"});
    EXPECT_FALSE(App().IsReadOnly());
    EXPECT_EQ(GetFileAttributesW(catalogPath.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(App().CurrentCatalog().FilePath(), catalogPath);
    SetFileAttributesW(other.c_str(), FILE_ATTRIBUTE_NORMAL);
    program->Command(IDM_UNDO);
    EXPECT_EQ(SavedTags(), (Names{L"OWN-1", L"OWN-2", L"THEIRS-1"}));

    // A read-only catalog refuses.
    App().Session().SetReadOnly(true);
    EXPECT_EQ(program->CommandAnsweringBox(IDM_IMPORT, IDOK), L"Read Only");
}

// Another program holds the catalog file while a file replaces the catalog: the user is told it
// could not be saved, and the imported catalog is written once the file is free.
TEST_F(ImportCommandTest, AReplacingImportThatCannotReachTheCatalogFileIsSavedLater) {
    const std::wstring other = folder.File(L"other.xml");
    ASSERT_TRUE(WriteCatalogFile(other, {Tagged(L"THEIRS-1", {L"Fossils"})}, {L"Fossils"}, Settings()));
    App().Session().SaveIfDue();
    App().WaitForSaves();
    std::wstring message;
    {
        TQLibrary::FileHandle held(
                CreateFileW(catalogPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        DialogDriver box(
                [&](HWND dialog) {
                    message = MessageBoxText(dialog);
                    PressButton(dialog, IDOK);
                },
                [](HWND dialog) { return IsMessageBox(dialog) && GetDlgItem(dialog, IDYES) == nullptr; });
        Import(other, IDYES);
        App().WaitForSaves();
    }
    EXPECT_EQ(message, LoadText(IDS_SAVE_FAILED));
    EXPECT_EQ(Tags(), Names{L"THEIRS-1"});
    EXPECT_TRUE(App().Session().HasUnsavedChanges());
    program->Close();
    StoredCatalog stored;
    ASSERT_TRUE(stored.Read(catalogPath));
    ASSERT_EQ(stored.catalog.Specimens().size(), 1u);
    EXPECT_EQ(stored.catalog.Specimens()[0].tag, L"THEIRS-1");
}

// What one category exports, as markup or comma-separated, comes back whole through Import.
TEST_F(ImportCommandTest, AnExportedCategoryJoinsTheCatalogAgainThroughImport) {
    App().CurrentCatalog().AddCategory(L"Fossils");
    for (const wchar_t* name : {L"shells.xml", L"shells.csv"}) {
        SCOPED_TRACE(testing::Message() << name);
        const std::wstring path = folder.File(name);
        DialogDriver exporter(
                [&](HWND dialog) {
                    SetDlgItemTextW(dialog, IDC_EXPORT_PATH, path.c_str());
                    HWND box = GetDlgItem(dialog, IDC_EXPORT_CATEGORY);
                    SendMessageW(box, CB_SETCURSEL, SendMessageW(box, CB_FINDSTRINGEXACT, -1, LPARAM(L"Shells")), 0);
                    PressButton(dialog, IDOK);
                },
                [](HWND dialog) { return GetDlgItem(dialog, IDC_EXPORT_PATH) != nullptr; });
        program->Command(IDM_EXPORT);
        ASSERT_TRUE(exporter.Handled());

        // Every specimen is in Shells: the catalog doubles.
        const std::vector<Specimen> before = App().CurrentCatalog().Specimens();
        Import(path, IDNO);
        const std::vector<Specimen>& after = App().CurrentCatalog().Specimens();
        ASSERT_EQ(after.size(), 2 * before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            for (int field = 0; field < kFieldCount; ++field)
                EXPECT_EQ(Catalog::FieldText(after[before.size() + i], field), Catalog::FieldText(before[i], field));
        }
        EXPECT_EQ(App().CurrentCatalog().Categories(), (Names{L"Shells", L"Fossils"}));
        EXPECT_EQ(SavedTags().size(), after.size());
    }
}

}  // namespace
