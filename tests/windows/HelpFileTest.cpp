#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/main/HelpFile.h"
#include "base/Handles.h"
#include "support/TestFolder.h"
#include "windows/support/DialogDriver.h"

namespace {

using TQLibrary::ShowHelp;

// What the viewer was asked to show; the viewer is a plain function, so it reports here.
std::vector<std::wstring> shownPaths;

bool RecordingViewer(HWND, const std::wstring& path) {
    shownPaths.push_back(path);
    return true;
}

bool MissingViewer(HWND, const std::wstring&) {
    return false;
}

class HelpFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        shownPaths.clear();
        ASSERT_TRUE(WriteFileBytes(helpPath, AsciiBytes("an older help file")));
    }

    // The help command's run with a viewer; the text of any message box it raised.
    std::wstring RunHelp(TQLibrary::HelpViewer viewer) {
        return AnswerMessageBox(IDOK, [&] { ShowHelp(nullptr, folder.Path(), viewer); });
    }

    TestFolder folder;
    std::wstring helpPath = folder.File(L"Orvelle.chm");
};

TEST_F(HelpFileTest, EveryUseWritesTheCompiledHelpOverTheOlderCopyAndShowsIt) {
    for (int use = 0; use < 2; ++use) {
        EXPECT_EQ(RunHelp(RecordingViewer), L"");
        const std::vector<std::uint8_t> written = ReadFileBytes(helpPath);
        ASSERT_GT(written.size(), 10000u);
        EXPECT_EQ(std::string(written.begin(), written.begin() + 4), "ITSF");
    }
    EXPECT_EQ(shownPaths, (std::vector<std::wstring>{helpPath, helpPath}));
}

TEST_F(HelpFileTest, AHelpFileTheViewerHoldsIsKeptAndShownWithoutAWord) {
    {
        TQLibrary::FileHandle held(
                CreateFileW(helpPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(RunHelp(RecordingViewer), L"");
    }
    EXPECT_EQ(ReadFileBytes(helpPath), AsciiBytes("an older help file"));
    EXPECT_EQ(shownPaths, std::vector<std::wstring>{helpPath});
}

TEST_F(HelpFileTest, WithoutAViewerAMessageSaysWhereTheHelpFileIs) {
    const std::wstring message = RunHelp(MissingViewer);
    EXPECT_NE(message.find(L"HTML Help viewer is not installed"), std::wstring::npos) << message;
    EXPECT_NE(message.find(helpPath), std::wstring::npos) << message;
}

}  // namespace
