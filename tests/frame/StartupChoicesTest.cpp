#include <gtest/gtest.h>

#include "frame/StartupChoices.h"

namespace {

TEST(StartupChoices, TheLastFileSwitchOnTheCommandLineWins) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
            {L"orvelle.exe", L""},
            {L"orvelle.exe -FC:\\cat.xml", L"C:\\cat.xml"},
            {L"orvelle.exe /fD:\\a.xml", L"D:\\a.xml"},
            {L"\"C:\\Program Files\\orvelle.exe\" \"-FC:\\My Shells\\cat.xml\"", L"C:\\My Shells\\cat.xml"},
            {L"orvelle.exe -F\"C:\\My Shells\\cat.xml\" -x", L"C:\\My Shells\\cat.xml"},
            {L"orvelle.exe -Fone.xml /Ftwo.xml", L"two.xml"},
            {L"orvelle.exe -Gone.xml", L""},
            {L"orvelle.exe F:\\x.xml", L""},
            {L"orvelle.exe -F", L""},
            {L"  orvelle.exe\t-Fa.xml  ", L"a.xml"},
    };
    for (const auto& [line, file] : cases)
        EXPECT_EQ(CatalogFileFromCommandLine(line), file) << line;
}

TEST(StartupChoices, TheStatusBarCountsTheCategory) {
    EXPECT_EQ(CategoryCountText(L"Shells", 12), L"Shells: 12");
    EXPECT_EQ(CategoryCountText(L"<All>", 0), L"<All>: 0");
}

}  // namespace
