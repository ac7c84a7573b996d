#include <gtest/gtest.h>

#include <atomic>
#include <new>

#include "base/DataFile.h"
#include "base/Paths.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/CommaSeparated.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/ScriptedHost.h"
#include "support/SpecimenSamples.h"
#include "support/TestFolder.h"

namespace {

enum class Stop { AtOnce, HalfWay, FailsHalfWay };

// Stops the work once it is half done, as the user's click on Cancel would, or fails there once
// as running out of memory would.
class StopHalfWay final : public ProgressSink {
public:
    explicit StopHalfWay(Stop stop) : stop_(stop) { cancelled = stop == Stop::AtOnce; }
    void ReportProgress(int percent) override {
        furthest = std::max(furthest, percent);
        if (percent < 50 || failed_)
            return;
        if (stop_ == Stop::FailsHalfWay) {
            failed_ = true;
            throw std::bad_alloc();
        }
        cancelled = true;
    }
    std::atomic<bool> cancelled{false};
    int furthest = -1;

private:
    Stop stop_;
    bool failed_ = false;
};

TEST(ImportCancel, AnImportCancelledOrFailedLeavesCategoriesSpecimensColoursAndSettingsAsTheyWere) {
    TestFolder folder;
    ScriptedHost host;
    Settings sourceSettings;
    Catalog source{host, sourceSettings};
    for (int i = 0; i < 300; ++i) {
        Specimen specimen = SampleSpecimen(i);
        specimen.categories = {L"New " + std::to_wstring(i % 7)};
        specimen.colour = L"Shade " + std::to_wstring(i);
        source.AddSpecimen(specimen);
    }
    sourceSettings.captions[0] = L"Depth";
    const std::wstring markup = folder.File(L"other.xml");
    const std::wstring commaSeparated = folder.File(L"other.csv");
    RecordingPictureWriter pictures;
    ASSERT_TRUE(WriteCatalog(source, markup, L"", pictures, nullptr));
    ASSERT_TRUE(ExportCommaSeparated(source, commaSeparated, L"<All>", true, true, pictures, nullptr));

    for (const std::wstring& file : {markup, commaSeparated}) {
        for (bool addMode : {false, true}) {
            for (Stop stop : {Stop::AtOnce, Stop::HalfWay, Stop::FailsHalfWay}) {
                SCOPED_TRACE(testing::Message() << FileNameOf(file) << (addMode ? " added" : " replacing")
                                                << " stopped " << static_cast<int>(stop));
                Settings settings;
                Catalog catalog{host, settings};
                Specimen own = SampleSpecimen(1);
                own.categories = {L"Old"};
                own.colour = L"Red";
                catalog.AddSpecimen(own);
                catalog.AddCategory(L"Empty");
                settings.nextTagNumber = 7;
                settings.captions[0] = L"Width";
                Settings settingsBefore;
                settingsBefore.CopyFrom(settings);
                const auto categoriesBefore = catalog.Categories();
                const auto specimensBefore = catalog.Specimens();
                const auto coloursBefore = catalog.Colours();

                StopHalfWay user(stop);
                if (file == markup) {
                    FixedScreen screen;
                    CatalogReadOutcome outcome;
                    try {
                        EXPECT_FALSE(ReadCatalog(catalog, file, addMode, screen, &user, outcome, &user.cancelled));
                        EXPECT_TRUE(outcome.cancelled);
                        EXPECT_FALSE(outcome.incomplete);
                    } catch (const std::bad_alloc&) {
                        EXPECT_EQ(stop, Stop::FailsHalfWay);
                    }
                } else {
                    Settings saved;
                    ImportProblem problem = ImportProblem::None;
                    EXPECT_FALSE(ImportCommaSeparated(catalog, file, addMode, saved, &user, &problem, &user.cancelled));
                    EXPECT_EQ(problem,
                              stop == Stop::FailsHalfWay ? ImportProblem::Unreadable : ImportProblem::Cancelled);
                }
                if (stop != Stop::AtOnce) {
                    EXPECT_GE(user.furthest, 50);  // the reading was well under way
                }
                EXPECT_EQ(catalog.Categories(), categoriesBefore);
                EXPECT_EQ(catalog.Specimens(), specimensBefore);
                EXPECT_EQ(catalog.Colours(), coloursBefore);
                EXPECT_FALSE(settings.DiffersFrom(settingsBefore));
                EXPECT_EQ(settings.nextTagNumber, 7u);
            }
        }
    }
}

}  // namespace
