#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reports/ReportSettings.h"

struct Specimen;

// The figures of the Statistics dialog, counted without a window so that the dialog only
// shows them.

struct StatisticsFilter {
    std::wstring category;   // "<All>" or empty for every category; else matched exactly
    std::wstring quality;    // "<All>" for every quality; else the Quality text matched exactly
    std::wstring abundance;  // "<All>" for every abundance; else matched exactly
};

struct StatisticsFigures {
    long long count = 0;
    double cost = 0;   // total of the prices
    double value = 0;  // total of the current values
};

// Counts each specimen once, whatever its number of categories.
StatisticsFigures ComputeStatistics(std::span<const Specimen> specimens, const StatisticsFilter& filter);

// The dialog's three texts: the count as a decimal number, and each total as "$" followed by
// the amount with two decimals ("$0.00", "$-12.50").
struct StatisticsTexts {
    std::wstring count;
    std::wstring cost;
    std::wstring value;

    bool operator==(const StatisticsTexts&) const = default;
};
StatisticsTexts StatisticsTextsOf(const StatisticsFigures& figures);

// The quality and abundance choices: "<All>" (0), then the names with values from 1.
std::vector<Choice> QualityChoices();
std::vector<Choice> AbundanceChoices();
