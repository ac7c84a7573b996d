#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/dialogs/AboutDialog.h"
#include "app/online/VersionBlock.h"
#include "ProgramVersion.h"
#include "resources/resource.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

using TQLibrary::VersionBlock;

struct AboutTexts {
    std::wstring caption, company, description, version, copyright;
    bool operator==(const AboutTexts&) const = default;
};

// Reads the About box as it came up and closes it with Done.
DialogDriver ReadAboutBox(AboutTexts& seen) {
    return DialogDriver([&seen](HWND dialog) {
        seen = {WindowText(dialog), WindowText(GetDlgItem(dialog, IDC_ABOUT_COMPANY)),
                WindowText(GetDlgItem(dialog, IDC_ABOUT_DESCRIPTION)),
                WindowText(GetDlgItem(dialog, IDC_ABOUT_VERSION)), WindowText(GetDlgItem(dialog, IDC_ABOUT_COPYRIGHT))};
        PressButton(dialog, IDCANCEL);
    });
}

const std::wstring kBuildVersion = [] {
    const std::string text = ORVELLE_VERSION_TEXT;
    return std::wstring(text.begin(), text.end());
}();

TEST(VersionBlock, TheProgramsBlockCarriesTheBuildsVersionInBothForms) {
    const VersionBlock block = VersionBlock::OfProgram();
    ASSERT_FALSE(block.Empty());
    EXPECT_EQ(block.FileVersion(), kBuildVersion);
    EXPECT_EQ(block.String(L"FileVersion"), kBuildVersion);
    EXPECT_EQ(block.String(L"ProductName"), L"Orvelle");
    EXPECT_EQ(block.String(L"NoSuchValue"), std::nullopt);

    const VersionBlock none;
    EXPECT_EQ(none.FileVersion(), std::nullopt);
    EXPECT_EQ(none.String(L"CompanyName"), std::nullopt);
}

TEST(AboutBox, WithoutAVersionBlockTheNamesThemselvesShow) {
    AboutTexts seen;
    {
        DialogDriver user = ReadAboutBox(seen);
        TQLibrary::ShowAbout(nullptr, VersionBlock());
        EXPECT_TRUE(user.Handled());
    }
    EXPECT_EQ(seen,
              (AboutTexts{L"About Orvelle", L"CompanyName", L"FileDescription", L"FileVersion", L"LegalCopyright"}));
}

class AboutCommandTest : public LoadedProgramTest {};

TEST_F(AboutCommandTest, TheAboutCommandShowsTheProgramsVersionTexts) {
    ASSERT_TRUE(StartWith({}));
    AboutTexts seen;
    {
        DialogDriver user = ReadAboutBox(seen);
        program->Command(IDM_ABOUT);
        EXPECT_TRUE(user.Handled());
    }
    EXPECT_EQ(seen,
              (AboutTexts{L"About Orvelle", L"Brackenfield", L"Orvelle, a catalog for natural-history collections",
                          kBuildVersion, L"Copyright (C) Brackenfield"}));
}

}  // namespace
