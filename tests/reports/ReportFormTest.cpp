#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "catalog/Settings.h"
#include "reports/ReportForm.h"
#include "reports/ReportSettings.h"

namespace {

Settings Unusual() {
    Settings s;
    s.reportType = kSpecimenLabels;
    s.reportSpecimens = true;
    s.reportSort = 9;
    s.reportFont = L"Arial";
    s.reportLabels = {1, 23, 22, 0};
    s.reportSizes = {72, 10, 14, 36};
    return s;
}

// The form of one settings stored onto the other makes it that one, whose category it leaves.
TEST(ReportForm, StoringAFormCarriesEveryReportSettingButNotTheCategory) {
    const Settings both[] = {Settings(), Unusual()};
    for (int from = 0; from < 2; ++from) {
        const ReportForm form = ReportFormOf(both[from], L"Fossils");
        EXPECT_EQ(form.categoryFilter, L"Fossils");
        Settings onto = both[1 - from];
        onto.currentCategory = L"Shells";
        StoreReportForm(form, onto);
        EXPECT_EQ(onto.currentCategory, L"Shells");
        onto.currentCategory.clear();
        EXPECT_FALSE(onto.DiffersFrom(both[from])) << from;
        EXPECT_EQ(ReportFormOf(onto, L"Fossils"), form) << from;
    }
}

// A damaged or hand-edited file may hold label lists of any length and sizes of nothing: the
// dialog shows, and OK stores, four lines as the labels print them.
TEST(ReportForm, LabelListsOfAnyLengthBecomeTheFourLinesThatPrint) {
    using Lists = std::vector<int>;
    const std::tuple<Lists, Lists, Lists, Lists> cases[] = {
            {{}, {}, {3, 7, 0, 0}, {16, 12, 12, 12}},
            {{5}, {20}, {5, 7, 0, 0}, {20, 12, 12, 12}},
            {{1, 2, 3, 4, 5}, {10, 11, 12, 13, 14}, {1, 2, 3, 4}, {10, 11, 12, 13}},
            {{23, -1, 99, 0}, {0, -4, 72, 12}, {23, -1, 99, 0}, {16, 12, 72, 12}},
    };
    for (const auto& [labels, sizes, fields, points] : cases) {
        Settings settings;
        settings.reportLabels = labels;
        settings.reportSizes = sizes;
        const ReportForm form = ReportFormOf(settings, L"");
        EXPECT_EQ(form.labelFields, fields) << labels.size();
        EXPECT_EQ(form.labelSizes, points) << sizes.size();
        StoreReportForm(form, settings);
        EXPECT_EQ(settings.reportLabels, fields);
        EXPECT_EQ(settings.reportSizes, points);
    }
}

}  // namespace
