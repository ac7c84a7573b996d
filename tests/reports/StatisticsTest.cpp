#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/Specimen.h"
#include "reports/Statistics.h"

namespace {

Specimen Make(std::vector<std::wstring> categories, const wchar_t* quality, const wchar_t* abundance, double price,
              double value) {
    Specimen specimen;
    specimen.categories = std::move(categories);
    specimen.quality = quality;
    specimen.abundance = abundance;
    specimen.price = price;
    specimen.value = value;
    return specimen;
}

TEST(Statistics, CountsAndTotalsFollowTheThreeFiltersMatchedExactly) {
    const std::vector<Specimen> specimens{
            Make({L"Shells"}, L"Good", L"Rare", 10, 20),
            Make({L"Fossils", L"Shells"}, L"Gem", L"Common", 1224.5, 0),
            Make({L"shells"}, L"good", L"Rare", 3.25, 4),
            Make({L"Minerals"}, L"Good", L"Common", 0, -30),
    };
    const struct {
        StatisticsFilter filter;
        StatisticsTexts expected;
    } cases[] = {
            {{L"<All>", L"<All>", L"<All>"}, {L"4", L"$1237.75", L"$-6.00"}},  // two categories, counted once
            {{L"", L"<All>", L"<All>"}, {L"4", L"$1237.75", L"$-6.00"}},
            {{L"Shells", L"<All>", L"<All>"}, {L"2", L"$1234.50", L"$20.00"}},
            {{L"Fossils", L"<All>", L"<All>"}, {L"1", L"$1224.50", L"$0.00"}},
            {{L"shells", L"<All>", L"<All>"}, {L"1", L"$3.25", L"$4.00"}},
            {{L"<All>", L"Good", L"<All>"}, {L"2", L"$10.00", L"$-10.00"}},  // not "good"
            {{L"<All>", L"Good", L"Rare"}, {L"1", L"$10.00", L"$20.00"}},
            {{L"<All>", L"<all>", L"<All>"}, {L"0", L"$0.00", L"$0.00"}},  // "<All>" exactly only
            {{L"Minerals", L"<All>", L"Common"}, {L"1", L"$0.00", L"$-30.00"}},
            {{L"Meteorites", L"<All>", L"<All>"}, {L"0", L"$0.00", L"$0.00"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StatisticsTextsOf(ComputeStatistics(specimens, c.filter)), c.expected)
                << c.filter.category << "/" << c.filter.quality << "/" << c.filter.abundance;
    }
    EXPECT_EQ(StatisticsTextsOf(ComputeStatistics({}, {L"<All>", L"<All>", L"<All>"})),
              (StatisticsTexts{L"0", L"$0.00", L"$0.00"}));
    EXPECT_EQ(StatisticsTextsOf({1, 0.001, -0.001}), (StatisticsTexts{L"1", L"$0.00", L"$0.00"}));
}

TEST(Statistics, QualityAndAbundanceChoicesStartWithAllAndNumberTheNames) {
    const auto quality = QualityChoices();
    ASSERT_EQ(quality.size(), 9u);
    EXPECT_EQ(quality.front(), (Choice{L"<All>", 0}));
    EXPECT_EQ(quality[1], (Choice{L"Poor", 1}));
    EXPECT_EQ(quality.back(), (Choice{L"Flawless", 8}));
    const auto abundance = AbundanceChoices();
    ASSERT_EQ(abundance.size(), 10u);
    EXPECT_EQ(abundance[1], (Choice{L"Abundant", 1}));
    EXPECT_EQ(abundance.back(), (Choice{L"Unique", 9}));
}

}  // namespace
