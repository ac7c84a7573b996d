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

// Each source is asked only when those before it name nothing.
TEST(StartupChoices, TheFirstSourceThatNamesACatalogIsOpened) {
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* stored;
        const wchar_t* besideProgram;
        const wchar_t* opened;
        int asked;  // the lazy sources asked
    };
    const Case cases[] = {
            {L"orvelle.exe -Fline.xml", L"last.xml", L"beside.xml", L"line.xml", 0},
            {L"orvelle.exe -F", L"last.xml", L"beside.xml", L"last.xml", 0},
            {L"orvelle.exe", L"", L"beside.xml", L"beside.xml", 1},
            {L"orvelle.exe", L"", L"", L"new.xml", 2},
    };
    for (const Case& c : cases) {
        int asked = 0;
        const std::wstring opened = StartupCatalogFile({c.commandLine, c.stored,
                                                        [&] {
                                                            ++asked;
                                                            return std::wstring(c.besideProgram);
                                                        },
                                                        [&] {
                                                            ++asked;
                                                            return std::wstring(L"new.xml");
                                                        }});
        EXPECT_EQ(opened, c.opened) << c.commandLine << " " << c.stored;
        EXPECT_EQ(asked, c.asked) << c.commandLine << " " << c.stored;
    }
}

}  // namespace
