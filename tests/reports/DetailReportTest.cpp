#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalog/Settings.h"
#include "catalog/Specimen.h"
#include "reports/DetailReport.h"
#include "reports/FakeSurface.h"
#include "support/TestFolder.h"

namespace {

// At 100 dots per inch the portrait page is 50, 50, 800, 1050 and the detail font 16 high.
const Rect kPage{50, 50, 800, 1050};

struct Printed {
    FakeSurface surface;
    ReportOutcome outcome;
};

Printed PrintDetails(std::vector<Specimen>& specimens, const std::wstring& pictureFolder = L"") {
    ReportSpecimens list;
    for (const Specimen& specimen : specimens)
        list.push_back(&specimen);
    Settings settings;
    settings.captions = {L"Host", L"Matrix", L"Locality Code", L"Donor", L"Box"};
    Printed printed;
    printed.outcome = PrintDetailReport(printed.surface, settings, list, pictureFolder);
    return printed;
}

Specimen Named(const std::wstring& common, const std::wstring& latin) {
    Specimen specimen;
    specimen.commonName = common;
    specimen.latinName = latin;
    return specimen;
}

TEST(DetailReport, EachSpecimenHasItsOwnPageNumberedPageKOfN) {
    for (int count : {0, 1, 3}) {
        std::vector<Specimen> specimens;
        for (int i = 0; i < count; ++i)
            specimens.push_back(Named(L"Cowrie " + std::to_wstring(i + 1), L"Cypraea"));
        Printed printed = PrintDetails(specimens);
        const auto& pages = printed.surface.pages;
        ASSERT_EQ(static_cast<int>(pages.size()), std::max(count, 1)) << count;
        EXPECT_EQ(printed.surface.endedPages, static_cast<int>(pages.size()));
        EXPECT_EQ(printed.surface.misuses, 0);
        if (count == 0) {
            EXPECT_TRUE(pages[0].texts.empty());
        }
        for (int k = 0; k < count; ++k) {
            const auto texts = printed.surface.TextsOf(static_cast<size_t>(k));
            EXPECT_EQ(texts.front(), L"Cowrie " + std::to_wstring(k + 1) + L" (Cypraea)");
            EXPECT_EQ(texts.back(), L"Page " + std::to_wstring(k + 1) + L" of " + std::to_wstring(count));
        }
    }
}

TEST(DetailReport, RowsComeInGroupsWithTheUserCaptionsAndABlankLineBetween) {
    std::vector<Specimen> specimens{Named(L"Cowrie", L"Cypraea")};
    specimens[0].price = 12.5;
    specimens[0].categories = {L"Shells", L"Gifts"};
    const Printed printed = PrintDetails(specimens);
    const struct {
        const wchar_t* label;
        int y;
        const wchar_t* value;
    } rows[] = {
            {L"Category:", 82, L"Shells,Gifts"},
            {L"Latin Name:", 130, L"Cypraea"},
            {L"Color:", 162, L""},
            {L"Abundance:", 226, L""},
            {L"Collector:", 258, L""},
            {L"Location:", 290, L""},
            {L"Price:", 322, L"$12.50"},
            {L"Value:", 338, L""},
            {L"Host:", 370, L""},
            {L"Box:", 434, L""},
            {L"Remarks:", 450, L""},
    };
    const auto& texts = printed.surface.pages[0].texts;
    for (const auto& row : rows) {
        const auto* label = printed.surface.Find(0, row.label);
        ASSERT_TRUE(label) << row.label;
        EXPECT_EQ(label->box.top, row.y) << row.label;
        EXPECT_EQ(label->flags, kTextRight) << row.label;
        const auto* value = label + 1;  // each value follows its label
        ASSERT_LT(value, texts.data() + texts.size());
        EXPECT_EQ(value->text, row.value) << row.label;
        EXPECT_EQ(value->box.top, row.y) << row.label;
        EXPECT_EQ(value->box.left, label->box.right + kPage.left / 4) << row.label;
    }
}

// The widest label, a long caption of the user's included, fits its box with its colon: a
// label wider than its box would lose its first letters at the page's left edge.
TEST(DetailReport, EveryLabelFitsItsBoxWithItsColon) {
    std::vector<Specimen> specimens{Named(L"Cowrie", L"Cypraea")};
    ReportSpecimens list{&specimens[0]};
    for (const std::wstring& caption : {std::wstring(L"Box"), std::wstring(L"Depth below the sea floor")}) {
        Settings settings;
        settings.captions[4] = caption;
        FakeSurface surface;
        PrintDetailReport(surface, settings, list, L"");
        int labels = 0;
        for (const FakeSurface::Text& text : surface.pages[0].texts) {
            if (text.flags != kTextRight)
                continue;
            ++labels;
            EXPECT_GE(text.box.Width(), static_cast<int>(text.text.size()) * text.fontHeight / 2) << text.text;
            EXPECT_EQ(text.box.left, kPage.left) << text.text;
        }
        EXPECT_EQ(labels, 20);
    }
}

TEST(DetailReport, PicturesGoBesideTheValuesBelowThemOrNowhere) {
    const auto at = [](int left, int top, int width, int height) {
        return std::optional<Rect>(Rect{left, top, left + width, top + height});
    };
    const struct {
        int besideX;
        double scale;
        int width;
        int height;
        std::optional<Rect> expected;
    } cases[] = {
            {400, 1, 200, 100, at(400, 82, 200, 100)},  // fits beside
            {400, 2, 100, 50, at(400, 82, 200, 100)},   // enlarged by the resolutions
            {400, 1, 800, 400, at(400, 82, 400, 200)},  // narrowed to the right edge
            {750, 1, 200, 100, at(50, 500, 200, 100)},  // less than an inch beside: below
            {900, 1, 300, 200, at(50, 500, 300, 200)},  // no space beside at all
            {900, 1, 3000, 200, at(50, 500, 750, 50)},  // below, fitted to the page width
            {400, 1, 0, 100, std::nullopt},             // no width
            {400, 1, 100, 0, std::nullopt},             // no height
            {400, 1, 30000, 1, std::nullopt},           // narrowed to nothing
    };
    for (const auto& c : cases) {
        PicturePlacementInput input;
        input.page = kPage;
        input.besideX = c.besideX;
        input.top = 82;
        input.belowTop = 500;
        input.footerHeight = 16;
        input.dpiX = 100;
        input.scaleX = input.scaleY = c.scale;
        input.pictureWidth = c.width;
        input.pictureHeight = c.height;
        EXPECT_EQ(PlacePicture(input), c.expected) << c.besideX << " " << c.width << "x" << c.height;
    }
    PicturePlacementInput noRoom;
    noRoom.page = kPage;
    noRoom.besideX = 900;
    noRoom.belowTop = 1040;
    noRoom.footerHeight = 16;
    noRoom.pictureWidth = noRoom.pictureHeight = 10;
    EXPECT_EQ(PlacePicture(noRoom), std::nullopt);
}

TEST(DetailReport, PicturesPrintFromTheCatalogOrFromTheirFilesAndBadOnesAreSkipped) {
    TestFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File(L"cowrie.jpg"), FakePicture(120, 60)));
    std::vector<Specimen> specimens(4, Named(L"Cowrie", L"Cypraea"));
    specimens[0].pictureData = FakePicture(100, 50);
    specimens[1].pictureName = L"cowrie.jpg";
    specimens[2].pictureName = L"missing.jpg";
    specimens[3].pictureData = {1, 2};  // cannot be decoded
    const Printed printed = PrintDetails(specimens, folder.Path());
    ASSERT_EQ(printed.surface.pages.size(), 4u);
    ASSERT_EQ(printed.surface.pages[0].pictures.size(), 1u);
    EXPECT_EQ(printed.surface.pages[0].pictures[0].Width(), 100);
    EXPECT_EQ(printed.surface.pages[0].pictures[0].top, 82);
    ASSERT_EQ(printed.surface.pages[1].pictures.size(), 1u);
    EXPECT_EQ(printed.surface.pages[1].pictures[0].Width(), 120);
    EXPECT_TRUE(printed.surface.pages[2].pictures.empty());
    EXPECT_TRUE(printed.surface.pages[3].pictures.empty());
}

TEST(DetailReport, APictureStandsRightOfTheWidestValueLine) {
    std::vector<Specimen> specimens{Named(L"Cowrie", L"Cypraea")};
    specimens[0].remarks = L"short\r\na much longer second line";
    specimens[0].pictureData = FakePicture(10, 10);
    const Printed printed = PrintDetails(specimens);
    ASSERT_EQ(printed.surface.pages[0].pictures.size(), 1u);
    const auto* remarks = printed.surface.Find(0, specimens[0].remarks);
    ASSERT_TRUE(remarks);
    // The widest line, 25 characters of 8, then an eighth of an inch; left * 5 / 4 is left /4
    // past the values' left edge.
    EXPECT_EQ(printed.surface.pages[0].pictures[0].left, remarks->box.left + 25 * 8 + 12);
}

}  // namespace
