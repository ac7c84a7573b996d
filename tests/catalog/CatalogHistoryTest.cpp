#include <gtest/gtest.h>

#include <random>

#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogHistory.h"
#include "catalog/ImportUndo.h"
#include "catalog/RestyleDates.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/GeneratedCatalog.h"
#include "support/ScriptedHost.h"
#include "support/TestFolder.h"

namespace {

const FixedClock kClock({2025, 6, 17, 9, 30, 15});

struct Snapshot {
    std::vector<std::wstring> categories;
    std::vector<Specimen> specimens;
    std::set<std::wstring> colours;
    Settings settings;

    bool operator==(const Snapshot& other) const {
        return categories == other.categories && specimens == other.specimens && colours == other.colours &&
               !settings.DiffersFrom(other.settings);
    }
};

class CatalogHistoryTest : public ::testing::Test {
protected:
    Snapshot Now() const { return {catalog.Categories(), catalog.Specimens(), catalog.Colours(), settings}; }
    std::vector<std::uint8_t> FileNow() {
        RecordingPictureWriter pictures;
        EXPECT_TRUE(WriteCatalog(catalog, path, L"", pictures, nullptr));
        return ReadFileBytes(path);
    }
    std::int32_t AnyId() {
        const std::vector<Specimen>& specimens = catalog.Specimens();
        return specimens.empty() ? 0 : specimens[random() % specimens.size()].id;
    }
    std::vector<std::int32_t> SomeIds() {
        std::vector<std::int32_t> ids;
        for (int i = static_cast<int>(random() % 12); i > 0; --i)
            ids.push_back(AnyId());
        return ids;
    }
    std::wstring AnyCategory() {
        const std::vector<std::wstring>& categories = catalog.Categories();
        return categories.empty() ? L"None" : categories[random() % categories.size()];
    }

    // One of the changes the program makes, chosen by the random generator, recorded as a step.
    void RandomChange(const std::vector<Specimen>& spares) {
        const auto spare = [&] { return spares[random() % spares.size()]; };
        const int kind = static_cast<int>(random() % 11);
        std::vector<std::int32_t> ids = SomeIds();
        if (kind == 6 || kind == 7) {  // a category's specimens, which may be any
            ids.clear();
            for (const Specimen& specimen : catalog.Specimens())
                ids.push_back(specimen.id);
        }
        ChangeRecorder recorder(catalog, ids);
        switch (kind) {
            case 0:
                catalog.AddSpecimen(spare());
                break;
            case 1:
                if (Specimen* edited = ids.empty() ? nullptr : catalog.FindSpecimen(ids.front())) {
                    edited->remarks += L" (seen again)";
                    edited->colour = spare().colour;
                    catalog.AddColour(edited->colour);
                }
                break;
            case 2:
                recorder.RemoveSpecimens(catalog, ids);
                break;
            case 3:
                catalog.SetSpecimensCategories(ids, {AnyCategory()});
                break;
            case 4:
                catalog.AddCategory(L"New " + std::to_wstring(random() % 50));
                break;
            case 5:
                catalog.MoveCategory(AnyCategory(), random() % 2 == 0);
                break;
            case 6:
                catalog.RenameCategory(AnyCategory(), AnyCategory() + L" renamed");
                break;
            case 7:
                catalog.DeleteCategory(AnyCategory());
                break;
            case 8:  // an import that adds
                for (int i = 0; i < 5; ++i)
                    catalog.AddSpecimen(spare());
                break;
            case 9: {  // an import that replaces, handing over what it replaced
                ImportUndo read(catalog, false);
                for (int i = 0; i < 20; ++i)
                    catalog.AddSpecimen(spare());
                std::vector<Specimen> replaced;
                read.Commit(&replaced);
                recorder.TakeReplaced(std::move(replaced));
                break;
            }
            default: {  // Options, with the dates restyled
                settings.tagFormat = L"SH-" + std::to_wstring(random() % 3);
                settings.hideStatusBar = !settings.hideStatusBar;
                const int style = settings.dateStyle == 6 ? 1 : 6;
                RestyleDates(catalog, settings.dateStyle, style, kClock,
                             [&](size_t place) { recorder.Watch(catalog, place); });
                settings.dateStyle = style;
                break;
            }
        }
        if (std::optional<CatalogStep> step = recorder.Finish(catalog, L"change"))
            history.Record(std::move(*step));
    }

    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    CatalogHistory history;
    std::minstd_rand random{20261209};
    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
};

TEST_F(CatalogHistoryTest, UndoingEveryStepGivesBackTheStartAndRedoingThemTheEnd) {
    const std::vector<Specimen> generated = GeneratedSpecimens(400);
    for (size_t i = 0; i < 300; ++i)
        catalog.AddSpecimen(generated[i]);
    const std::vector<Specimen> spares(generated.begin() + 300, generated.end());
    const Snapshot start = Now();
    const std::vector<std::uint8_t> startFile = FileNow();

    for (int change = 0; change < 90; ++change) {
        const Snapshot before = Now();
        const size_t steps = history.Steps();
        RandomChange(spares);
        const Snapshot after = Now();
        if (history.Steps() == steps) {
            EXPECT_EQ(after, before) << "a change left no step: " << change;
            continue;
        }
        // Each step alone goes back and forth.
        history.Undo(catalog);
        ASSERT_EQ(Now(), before) << change;
        history.Redo(catalog);
        ASSERT_EQ(Now(), after) << change;
    }
    const Snapshot end = Now();
    ASSERT_LE(history.Steps(), CatalogHistory::kMaxSteps);
    while (history.Undo(catalog) != nullptr) {
    }
    EXPECT_EQ(Now(), start);
    EXPECT_EQ(FileNow(), startFile);
    while (history.Redo(catalog) != nullptr) {
    }
    EXPECT_EQ(Now(), end);
}

TEST_F(CatalogHistoryTest, TheHistoryKeepsItsLimitsDroppingTheOldestAndANewChangeEndsRedo) {
    for (size_t i = 0; i < CatalogHistory::kMaxSteps + 5; ++i) {
        Specimen specimen;
        specimen.tag = L"T-" + std::to_wstring(i);
        ChangeRecorder recorder(catalog, {});
        catalog.AddSpecimen(specimen);
        history.Record(*recorder.Finish(catalog, L"Add " + specimen.tag));
    }
    EXPECT_EQ(history.Steps(), CatalogHistory::kMaxSteps);
    EXPECT_EQ(history.UndoAction(), L"Add T-104");
    history.Undo(catalog);
    EXPECT_EQ(history.RedoAction(), L"Add T-104");
    EXPECT_EQ(catalog.Specimens().size(), CatalogHistory::kMaxSteps + 4);

    // A change after an undo: the undone step cannot come back.
    ChangeRecorder recorder(catalog, {catalog.Specimens().front().id});
    catalog.RemoveSpecimens({catalog.Specimens().front().id});
    history.Record(*recorder.Finish(catalog, L"Delete 1 Specimen"));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoAction(), L"Delete 1 Specimen");

    // Undoing Options puts its settings back, and leaves the user's view of the catalog as it is.
    ChangeRecorder options(catalog, {});
    settings.tagFormat = L"M-";
    history.Record(*options.Finish(catalog, L"Options"));
    settings.windowLeft = 321;
    settings.sortColumn = 2;
    settings.reportFont = L"Arial";  // the report dialog's, since
    history.Undo(catalog);
    EXPECT_EQ(settings.tagFormat, L"");
    EXPECT_EQ(settings.windowLeft, 321);
    EXPECT_EQ(settings.sortColumn, 2);
    EXPECT_EQ(settings.reportFont, L"Arial");
    history.Redo(catalog);
    EXPECT_EQ(settings.tagFormat, L"M-");

    // The step holds what the catalog no longer does: a deleted picture larger than the whole
    // limit stays, alone, and goes back into the catalog without a copy left behind.
    Specimen big;
    big.pictureData.assign(CatalogHistory::kMaxBytes + 1, 7);
    const std::int32_t bigId = catalog.AddSpecimen(big);
    ChangeRecorder bigRecorder(catalog, {bigId});
    catalog.RemoveSpecimens({bigId});
    history.Record(*bigRecorder.Finish(catalog, L"Delete 1 Specimen"));
    EXPECT_EQ(history.Steps(), 1u);
    EXPECT_GT(history.Bytes(), CatalogHistory::kMaxBytes);
    history.Undo(catalog);
    EXPECT_EQ(catalog.FindSpecimen(bigId)->pictureData.size(), CatalogHistory::kMaxBytes + 1);
    EXPECT_LT(history.Bytes(), size_t{1} << 20);
    history.Redo(catalog);
    EXPECT_EQ(catalog.FindSpecimen(bigId), nullptr);
    EXPECT_TRUE(history.CanUndo());
    // Nothing changed: no step.
    EXPECT_FALSE(ChangeRecorder(catalog, {catalog.Specimens().front().id}).Finish(catalog, L"none").has_value());
}

}  // namespace
