#include <gtest/gtest.h>

#include "base/DataFile.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogFileOldLayout.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/ScriptedHost.h"
#include "support/TestFolder.h"

namespace {

using Names = std::vector<std::wstring>;

class OldLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateFolderPath(folder.File(L"data"), false));
        ASSERT_TRUE(CreateFolderPath(folder.File(L"desk"), false));
        ASSERT_TRUE(CreateFolderPath(folder.File(L"oldpics"), false));
        host.dataFolder = folder.File(L"data\\");
        host.desktopFolder = folder.File(L"desk\\");
        catalog.SetFilePath(path);
    }

    void WriteOldCatalog(const std::wstring& text) { ASSERT_TRUE(WriteFileBytes(path, Utf16Bytes(text))); }
    void WriteOldSettings(const std::wstring& text) {
        ASSERT_TRUE(WriteFileBytes(folder.File(L"data\\OrvelleOptionsxml"), Utf16Bytes(text)));
    }
    bool Read() { return ReadCatalog(catalog, path, false, screen, nullptr, outcome); }

    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    FixedScreen screen;
    CatalogReadOutcome outcome;
};

const wchar_t kOldCatalog[] =
        L"<ORVELLE>\r\n<NEXTTAG>15</NEXTTAG>\r\n<TAGFORMAT>OLD-#</TAGFORMAT>\r\n<COLS>0,1,2,9,17,18,30</COLS>\r\n"
        L"<SORTCOL>40</SORTCOL>\r\n<SORTREVERSE>1</SORTREVERSE>\r\n<SIZEUNITS>in</SIZEUNITS>\r\n"
        L"<CATEGORYLIST>\r\n<CATEGORYNAME>Shells &amp; Snails</CATEGORYNAME>\r\n<SPECIMENLIST>\r\n"
        L"<SPECIMEN>\r\n<SPECIMENID>7</SPECIMENID>\r\n<SPECIMENTAG>S1</SPECIMENTAG>\r\n<LATINNAME>Conus</LATINNAME>\r\n"
        L"<PICTURENAME>C:\\Old\\Pics\\conus.jpg</PICTURENAME>\r\n<QUALITY>3</QUALITY>\r\n<ABUNDANCE>4107</ABUNDANCE>\r\n"
        L"<PRICE>2.5</PRICE>\r\n<SIZE>1.25</SIZE>\r\n<MASK>1</MASK>\r\n<USERFIELD2>u2</USERFIELD2>\r\n</SPECIMEN>\r\n"
        L"<SPECIMEN>\r\n<SPECIMENTAG>S2</SPECIMENTAG>\r\n<PICTURENAME>missing.png</PICTURENAME>\r\n"
        L"<ABUNDANCE>0</ABUNDANCE>\r\n</SPECIMEN>\r\n</SPECIMENLIST>\r\n"
        L"<CATEGORYNAME>Empty</CATEGORYNAME>\r\n<CATEGORYNAME>Fossils</CATEGORYNAME>\r\n<SPECIMENLIST>\r\n"
        L"<SPECIMEN>\r\n<SPECIMENTAG>F1</SPECIMENTAG>\r\n<QUALITY>99</QUALITY>\r\n<ABUNDANCE>-3</ABUNDANCE>\r\n"
        L"</SPECIMEN>\r\n</SPECIMENLIST>\r\n</CATEGORYLIST>\r\n</ORVELLE>\r\n";

TEST_F(OldLayoutTest, AnOldCatalogIsUpgradedWithItsSettingsAndPictures) {
    WriteOldCatalog(kOldCatalog);
    WriteOldSettings(L"<DIR>C:\\ignored</DIR>\r\n<ORVELLEOPTIONS>\r\n<DIR>C:\\Collections</DIR>\r\n<FILENAME>" +
                     folder.File(L"oldpics\\any.jpg") +
                     L"</FILENAME>\r\n<LASTABUNDANCE>2</LASTABUNDANCE>\r\n<DATESTYLE>3</DATESTYLE>\r\n"
                     L"<SPLITTERBAR>5</SPLITTERBAR>\r\n<REPORTFONT>Arial</REPORTFONT>\r\n<BACKUP>0</BACKUP>\r\n"
                     L"<COLS>1,2</COLS>\r\n</ORVELLEOPTIONS>\r\n<LASTDATE>after</LASTDATE>\r\n");
    ASSERT_TRUE(WriteFileBytes(folder.File(L"oldpics\\conus.jpg"), {9, 8, 7}));
    host.answer = false;

    ASSERT_TRUE(Read());
    EXPECT_TRUE(outcome.upgraded);
    EXPECT_EQ(catalog.Categories(), (Names{L"Shells & Snails", L"Empty", L"Fossils"}));
    ASSERT_EQ(catalog.Specimens().size(), 3u);

    const Specimen& conus = catalog.Specimens()[0];
    EXPECT_EQ(conus.categories, (Names{L"Shells & Snails"}));
    EXPECT_EQ(conus.order, 7);
    EXPECT_EQ(conus.tag, L"S1");
    EXPECT_EQ(conus.latinName, L"Conus");
    EXPECT_EQ(conus.pictureName, L"conus.jpg");
    EXPECT_EQ(conus.pictureData, (std::vector<std::uint8_t>{9, 8, 7}));
    EXPECT_EQ(conus.quality, L"Very Good");
    EXPECT_EQ(conus.abundance, L"Rare");
    EXPECT_EQ(conus.price, 2.5);
    EXPECT_EQ(conus.size, 1.25);
    EXPECT_TRUE(conus.mask);
    EXPECT_EQ(conus.userFields[1], L"u2");

    const Specimen& missing = catalog.Specimens()[1];
    EXPECT_EQ(missing.pictureName, L"missing.png");
    EXPECT_TRUE(missing.pictureData.empty());
    EXPECT_EQ(missing.abundance, L"Abundant");

    const Specimen& fossil = catalog.Specimens()[2];
    EXPECT_EQ(fossil.categories, (Names{L"Fossils"}));
    EXPECT_EQ(fossil.quality, L"");  // no such word
    EXPECT_EQ(fossil.abundance, L"");

    EXPECT_EQ(settings.nextTagNumber, 15u);
    EXPECT_EQ(settings.tagFormat, L"OLD-#");
    EXPECT_EQ(settings.columns, (std::vector<std::uint8_t>{18, 10, 6, 13, 19, 5, 23}));
    EXPECT_EQ(settings.sortColumn, 23);
    EXPECT_TRUE(settings.sortDescending);
    EXPECT_EQ(settings.sizeUnits, L"in");
    EXPECT_EQ(settings.lastFolder, L"C:\\Collections");
    EXPECT_EQ(settings.lastAbundance, L"Common");
    EXPECT_EQ(settings.dateStyle, 3);
    EXPECT_EQ(settings.splitter, 20);
    EXPECT_EQ(settings.reportFont, L"Arial");
    EXPECT_FALSE(settings.backup);
    EXPECT_EQ(settings.lastDate, L"");
}

TEST_F(OldLayoutTest, ThePictureFolderDefaultsToImagesBesideTheCatalog) {
    WriteOldCatalog(
            L"<ORVELLE>\r\n<CATEGORYLIST>\r\n<CATEGORYNAME>A</CATEGORYNAME>\r\n<SPECIMENLIST>\r\n<SPECIMEN>\r\n"
            L"<PICTURENAME>..\\..\\secret.jpg</PICTURENAME>\r\n</SPECIMEN>\r\n</SPECIMENLIST>\r\n"
            L"</CATEGORYLIST>\r\n</ORVELLE>\r\n");
    ASSERT_TRUE(CreateFolderPath(folder.File(L"Images"), false));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"Images\\secret.jpg"), {1}));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"secret.jpg"), {2}));
    host.answer = false;
    ASSERT_TRUE(Read());
    ASSERT_EQ(catalog.Specimens().size(), 1u);
    EXPECT_EQ(catalog.Specimens()[0].pictureName, L"secret.jpg");
    EXPECT_EQ(catalog.Specimens()[0].pictureData, (std::vector<std::uint8_t>{1}));
}

TEST_F(OldLayoutTest, TheUpgradeOffersACopyOnTheDesktop) {
    WriteOldCatalog(L"<ORVELLE>\r\n</ORVELLE>\r\n");
    host.answer = false;
    ASSERT_TRUE(Read());
    EXPECT_EQ(host.questions, (std::vector<unsigned>{3200}));
    EXPECT_FALSE(FileExists(folder.File(L"desk\\orvellebackup.xml")));
    EXPECT_TRUE(host.notices.empty());

    host.answer = true;
    ASSERT_TRUE(Read());
    EXPECT_EQ(ReadFileBytes(folder.File(L"desk\\orvellebackup.xml")), ReadFileBytes(path));
    EXPECT_EQ(host.notices, (Names{L"Orvelle has backed up your data to: " + folder.File(L"desk\\orvellebackup.xml")}));

    // No copy made, no word of one.
    host.notices.clear();
    host.desktopFolder = folder.File(L"no such desk\\");
    ASSERT_TRUE(Read());
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(OldLayoutTest, AnOldCatalogCutShortIsNotTakenAsUpgraded) {
    std::wstring text = kOldCatalog;
    WriteOldCatalog(text.substr(0, text.find(L"<CATEGORYNAME>Fossils")));
    host.answer = false;
    Specimen kept;
    kept.tag = L"K1";
    catalog.AddCategory(L"Minerals");
    catalog.AddSpecimen(kept);
    settings.sizeUnits = L"cm";
    EXPECT_FALSE(Read());
    EXPECT_FALSE(outcome.upgraded);
    // A failed read puts back what the catalog held.
    ASSERT_EQ(catalog.Specimens().size(), 1u);
    EXPECT_EQ(catalog.Specimens()[0].tag, L"K1");
    EXPECT_EQ(catalog.Categories(), Names{L"Minerals"});
    EXPECT_EQ(settings.sizeUnits, L"cm");
}

TEST(OldLayoutNumbers, NumbersBecomeScaleWords) {
    EXPECT_EQ(AbundanceFromNumber(0), L"Abundant");
    EXPECT_EQ(AbundanceFromNumber(8), L"Unique");
    EXPECT_EQ(AbundanceFromNumber(9), L"");
    EXPECT_EQ(AbundanceFromNumber(4100), L"Abundant");
    EXPECT_EQ(AbundanceFromNumber(4108), L"Unique");
    EXPECT_EQ(AbundanceFromNumber(4300), L"");
    EXPECT_EQ(AbundanceFromNumber(-1), L"");
    EXPECT_EQ(QualityFromNumber(0), L"Poor");
    EXPECT_EQ(QualityFromNumber(7), L"Flawless");
    EXPECT_EQ(QualityFromNumber(8), L"");
    EXPECT_EQ(QualityFromNumber(4306), L"Gem");
    EXPECT_EQ(QualityFromNumber(4308), L"");
}

}  // namespace
