#include <gtest/gtest.h>

#include "base/StringTable.h"

namespace {

TEST(StringTable, TextsOfEveryAreaAreInTheTable) {
    const std::pair<unsigned, const wchar_t*> samples[] = {
            // Catalog model
            {3204, L"This category is not empty.  Do you want to delete it anyway?"},
            {3700, L"<All>"},
            {4000, L"Category"},
            {4002, L"Color"},
            {4017, L"Size"},
            {4022, L"User Field 5"},
            {4100, L"Abundant"},
            {4104, L"Moderately Common"},
            {4108, L"Unique"},
            {4300, L"Poor"},
            {4307, L"Flawless"},
            {3216, L"Yes"},
            {3210, L"No"},
            {3207, L"$"},
            // Catalog file, settings, exchange, dates
            {3209, L"Images\\"},
            {3203, L"Orvelle has backed up your data to: "},
            {3214,
             L"There was a problem saving your Orvelle.  Please check that your hard disk is not full and try "
             L"again."},
            {3402, L"User Field 3"},
            {3405, L"mm"},
            {3308, L"Comma Separated Value Files (*.csv)"},
            {3208, L"General"},
            {20112, L"December "},
            {40213, L"Jan "},
            {20126, L"PM"},
            {3301, L"Specify a Name for Your Catalog"},
            {3303, L".bak"},
            // Application frame
            {3105, L"Orvelle is already running.  Use your task bar to restore the application."},
            {3106, L"Orvelle"},
            {3102, L"Brackenfield"},
            {3108, L"Each tab represents a category for Specimens"},
            {22901, L"Change the category of a Specimen"},
            // Specimen views
            {3206, L"You must select at least one column to display."},
            {3605, L"Select a picture for this specimen"},
            {3201, L"Are you sure you want to delete the selected Specimens?"},
            // Reports
            {3501, L"-- None --"},
            {3502, L" of "},
            {3505, L"Specimen Summary Report"},
            // Online services
            {20702, L"2 Weeks"},
            {20712, L"There is no update available at this time."},
            {3302, L"A file with that name already exists, do you want to overwrite the existing file?"},
    };
    for (const auto& [id, text] : samples)
        EXPECT_EQ(LoadText(id), text) << id;
}

TEST(StringTable, IdentifiersWithoutAnEntryGiveTheEmptyText) {
    for (unsigned id : {0u, 1u, 3101u, 4023u, 20902u, 65535u, 65536u + 3106u, 4000000000u})
        EXPECT_EQ(LoadText(id), L"") << id;
}

}  // namespace
