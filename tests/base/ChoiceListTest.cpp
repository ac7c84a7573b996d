#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ChoiceList.h"

namespace {

wchar_t Fold(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 0x20) : c;
}

// A plain case-folded order; the system's linguistic one is tried in the Windows suite.
int FoldedOrder(std::wstring_view a, std::wstring_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i]))
            return Fold(a[i]) < Fold(b[i]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::vector<std::wstring> Texts(const ChoiceList& list) {
    std::vector<std::wstring> texts;
    for (const Choice& entry : list.Entries())
        texts.push_back(entry.text);
    return texts;
}

TEST(ChoiceList, SortedListKeepsTextsInOrderAndTellsWhereEachWent) {
    ChoiceList list(true, FoldedOrder);
    EXPECT_EQ(list.Add(L"Uncommon", 3), 0u);
    EXPECT_EQ(list.Add(L"abundant", 1), 0u);
    EXPECT_EQ(list.Add(L"Common", 2), 1u);
    EXPECT_EQ(list.Add(L"rare", 4), 2u);
    EXPECT_EQ(Texts(list), (std::vector<std::wstring>{L"abundant", L"Common", L"rare", L"Uncommon"}));
    EXPECT_EQ(list.Count(), 4);
    // Each item data stays with its text.
    for (const Choice& entry : list.Entries())
        EXPECT_EQ(list.TextOfData(entry.data), entry.text);
}

TEST(ChoiceList, TextEqualIgnoringCaseIsNotAddedInEitherMode) {
    for (bool sorted : {true, false}) {
        ChoiceList list(sorted, FoldedOrder);
        EXPECT_TRUE(list.Add(L"Red", 1));
        EXPECT_TRUE(list.Add(L"Blue", 2));
        EXPECT_FALSE(list.Add(L"red", 3));
        EXPECT_FALSE(list.Add(L"BLUE", 4));
        EXPECT_TRUE(list.Add(L"Reddish", 5));
        EXPECT_EQ(list.Count(), 3) << "sorted " << sorted;
        EXPECT_EQ(list.TextOfData(1), L"Red");
        EXPECT_EQ(list.TextOfData(3), std::nullopt);
    }
}

TEST(ChoiceList, CaseTwinsCanBeKeptAndGoAfterTheirTwin) {
    for (bool sorted : {true, false}) {
        ChoiceList list(sorted, FoldedOrder, CaseTwins::Kept);
        EXPECT_EQ(list.Add(L"Shells", 1), 0u);
        EXPECT_EQ(list.Add(L"Fossils", 2), sorted ? 0u : 1u);
        EXPECT_EQ(list.Add(L"shells", 3), 2u);
        EXPECT_FALSE(list.Add(L"Shells", 4));
        EXPECT_EQ(list.Add(L"SHELLS", 5), 3u);
        EXPECT_EQ(Texts(list), (std::vector<std::wstring>{sorted ? L"Fossils" : L"Shells",
                                                          sorted ? L"Shells" : L"Fossils", L"shells", L"SHELLS"}));
        EXPECT_EQ(list.TextOfData(3), L"shells");
    }
}

TEST(ChoiceList, LookingUpAnItemDataGivesTheFirstEntryWithIt) {
    ChoiceList list(false, FoldedOrder);
    list.Add(L"Shell", 7);
    list.Add(L"Fossil", 7);
    list.Add(L"Mineral", -1);
    EXPECT_EQ(list.TextOfData(7), L"Shell");
    EXPECT_EQ(list.TextOfData(-1), L"Mineral");
    EXPECT_EQ(list.TextOfData(0), std::nullopt);
    EXPECT_EQ(ChoiceList(true, FoldedOrder).TextOfData(0), std::nullopt);
}

}  // namespace
