#include <gtest/gtest.h>

#include "base/MarkupDocument.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"

namespace {

const FixedScreen kScreen(1024, 768);

std::wstring Written(const Settings& settings) {
    MarkupDocument document;
    settings.WriteOptions(document);
    return document.Output();
}

// Reads an "OPTIONS" block whose start tag the caller has already consumed.
bool ReadInto(Settings& settings, const std::wstring& elements, const ScreenMetrics& screen = kScreen) {
    MarkupDocument document;
    document.SetText(L"<OPTIONS>\r\n" + elements + L"</OPTIONS>\r\n");
    document.NextTag();
    return settings.ReadOptions(document, screen);
}

TEST(Settings, DefaultsWriteOnlyTheListsFontAndUnits) {
    EXPECT_EQ(Written(Settings()),
              L"<OPTIONS>\r\n"
              L"<TOOLBAR>0,1,2,3,255,4,5,255,6,7,8,9,10</TOOLBAR>\r\n"
              L"<REPORTLABELS>3,7,0,0</REPORTLABELS>\r\n"
              L"<REPORTSIZE>16,12,12,12</REPORTSIZE>\r\n"
              L"<COLS>10,6,3,7,16</COLS>\r\n"
              L"<COLWIDTHS>-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1</COLWIDTHS>\r\n"
              L"<REPORTFONT>Times New Roman</REPORTFONT>\r\n"
              L"<SIZEUNITS>mm</SIZEUNITS>\r\n"
              L"</OPTIONS>\r\n");
}

TEST(Settings, EveryChangedFieldIsWrittenInOrder) {
    Settings s;
    s.toolbarButtons.clear();
    s.reportLabels.clear();
    s.reportSizes.clear();
    s.dateStyle = 3;
    s.columns.clear();
    s.columnWidths.clear();
    s.captions[1] = L"Locality & <Zone>";
    s.currentCategory = L"Shells";
    s.lastAbundance = L"Rare";
    s.lastCollector = L"Ann";
    s.lastDate = L"1/2/2003";
    s.lastLocation = L"Beach";
    s.lastFolder = L"C:\\data";
    s.reportFont = L"";
    s.sizeUnits = L"";
    s.tagFormat = L"S-###";
    s.nextTagNumber = 12;
    s.reportSort = 4;
    s.reportType = 1818;
    s.windowLeft = -5;
    s.windowTop = 6;
    s.windowWidth = 700;
    s.windowHeight = 500;
    s.sortColumn = 2;
    s.splitter = 150;
    s.reportSpecimens = true;
    s.backup = false;
    s.hideStatusBar = true;
    s.showMessages = false;
    s.sortDescending = true;
    s.storeImages = true;
    s.trackWindow = false;
    EXPECT_EQ(Written(s),
              L"<OPTIONS>\r\n"
              L"<DATESTYLE>3</DATESTYLE>\r\n"
              L"<CAPTION2>Locality &amp; &lt;Zone&gt;</CAPTION2>\r\n"
              L"<CURRENTCATEGORY>Shells</CURRENTCATEGORY>\r\n"
              L"<LASTABUNDANCE>Rare</LASTABUNDANCE>\r\n"
              L"<LASTCOLLECTOR>Ann</LASTCOLLECTOR>\r\n"
              L"<LASTDATE>1/2/2003</LASTDATE>\r\n"
              L"<LASTLOCATION>Beach</LASTLOCATION>\r\n"
              L"<LASTPATH>C:\\data</LASTPATH>\r\n"
              L"<TAGFORMAT>S-###</TAGFORMAT>\r\n"
              L"<NEXTTAG>12</NEXTTAG>\r\n"
              L"<REPORTSORT>4</REPORTSORT>\r\n"
              L"<REPORTTYPE>1818</REPORTTYPE>\r\n"
              L"<X>-5</X>\r\n"
              L"<Y>6</Y>\r\n"
              L"<WIDTH>700</WIDTH>\r\n"
              L"<HEIGHT>500</HEIGHT>\r\n"
              L"<SORTCOL>2</SORTCOL>\r\n"
              L"<SPLITTERBAR>150</SPLITTERBAR>\r\n"
              L"<REPORTSPECIMENS>1</REPORTSPECIMENS>\r\n"
              L"<BACKUP/>\r\n"
              L"<HIDESTATUS>1</HIDESTATUS>\r\n"
              L"<SHOWHINT/>\r\n"
              L"<SORTREVERSE>1</SORTREVERSE>\r\n"
              L"<STOREIMAGES>1</STOREIMAGES>\r\n"
              L"<TRACK/>\r\n"
              L"</OPTIONS>\r\n");
}

TEST(Settings, WrittenSettingsReadBackEqual) {
    Settings s;
    s.toolbarButtons = {0, 22, Settings::kToolbarSeparator, 5};
    s.reportLabels = {1, 23};
    s.reportSizes = {8, 72};
    s.dateStyle = 5;
    s.columns = {0, 23, 17};
    s.columnWidths = {-1, 0, 1024, 50};
    s.captions = {L"Depth", L"User Field 2", L"Matrix; \"host\"", L"<x>", L"&"};
    s.currentCategory = L"<All>";
    s.lastFolder = L"D:\\Collections\\2024";
    s.tagFormat = L"M-&-#";
    s.nextTagNumber = 5000;
    s.reportSort = 23;
    s.reportType = 1820;
    s.windowLeft = -1024;
    s.windowTop = 768;
    s.windowWidth = 1024;
    s.windowHeight = 1;
    s.sortColumn = -3;
    s.splitter = 20;
    s.backup = false;
    s.storeImages = true;
    s.trackWindow = false;

    Settings read;
    read.nextTagNumber = 0;  // replace mode starts from 0
    ASSERT_TRUE(ReadInto(read, Written(s).substr(11)));
    EXPECT_FALSE(read.DiffersFrom(s));
    EXPECT_EQ(read.captions[2], L"Matrix; \"host\"");
}

TEST(Settings, TagNumbersPastTheSignedRangeAreStoredAsCatalogsAlwaysHadThem) {
    const std::pair<std::uint32_t, const wchar_t*> cases[] = {
            {2147483647, L"2147483647"}, {2147483648, L"-2147483648"}, {4294967295, L"-1"}};
    for (const auto& [number, stored] : cases) {
        Settings s;
        s.nextTagNumber = number;
        EXPECT_NE(Written(s).find(L"<NEXTTAG>" + std::wstring(stored) + L"</NEXTTAG>"), std::wstring::npos) << number;
        Settings read;
        ASSERT_TRUE(ReadInto(read, Written(s).substr(11)));
        EXPECT_EQ(read.nextTagNumber, number);
    }
}

TEST(Settings, AbsentElementsKeepTheirValues) {
    Settings read;
    read.backup = false;
    read.nextTagNumber = 0;
    read.currentCategory = L"Fossils";
    ASSERT_TRUE(ReadInto(read, L""));
    EXPECT_FALSE(read.backup);  // switched on is never written, so the old value stays
    EXPECT_EQ(read.nextTagNumber, 0u);
    EXPECT_EQ(read.currentCategory, L"Fossils");

    Settings off;
    off.backup = false;
    Settings readOff;
    ASSERT_TRUE(ReadInto(readOff, Written(off).substr(11)));
    EXPECT_FALSE(readOff.backup);
}

TEST(Settings, ReadingClampsOutOfRangeValues) {
    Settings s;
    ASSERT_TRUE(
            ReadInto(s,
                     L"<SPLITTERBAR>5</SPLITTERBAR>\r\n<WIDTH>5000</WIDTH>\r\n<HEIGHT>-3</HEIGHT>\r\n"
                     L"<X>-2048</X>\r\n<Y>99999</Y>\r\n<COLS>3,40,2</COLS>\r\n<TOOLBAR>1,23,255,300,254</TOOLBAR>\r\n"
                     L"<REPORTSIZE>100,8</REPORTSIZE>\r\n<REPORTLABELS>24,-2147483648</REPORTLABELS>\r\n"
                     L"<COLWIDTHS>5000,-1,20</COLWIDTHS>\r\n<REPORTSORT>40</REPORTSORT>\r\n"));
    EXPECT_EQ(s.splitter, 20);
    EXPECT_EQ(s.windowWidth, 1024);
    EXPECT_EQ(s.windowHeight, 0);
    EXPECT_EQ(s.windowLeft, -1024);
    EXPECT_EQ(s.windowTop, 768);
    EXPECT_EQ(s.columns, (std::vector<std::uint8_t>{3, 23, 2}));
    EXPECT_EQ(s.toolbarButtons, (std::vector<std::uint8_t>{1, 22, 255, 22, 22}));  // separators stay
    EXPECT_EQ(s.reportSizes, (std::vector<int>{72, 8}));
    EXPECT_EQ(s.reportLabels, (std::vector<int>{23, -2147483647}));
    EXPECT_EQ(s.columnWidths, (std::vector<int>{1024, -1, 20}));
    EXPECT_EQ(s.reportSort, 23u);
}

TEST(Settings, UnknownDateStylesReadAsTheDefault) {
    for (int style : {0, 2, 4, 7, -1, 1000}) {
        Settings s;
        s.dateStyle = 1;
        ASSERT_TRUE(ReadInto(s, L"<DATESTYLE>" + std::to_wstring(style) + L"</DATESTYLE>\r\n"));
        EXPECT_EQ(s.dateStyle, 6) << style;
    }
    for (int style : {1, 3, 5, 6}) {
        Settings s;
        ASSERT_TRUE(ReadInto(s, L"<DATESTYLE>" + std::to_wstring(style) + L"</DATESTYLE>\r\n"));
        EXPECT_EQ(s.dateStyle, style);
    }
}

TEST(Settings, ElementNamesAreMatchedIgnoringCaseAndUnknownOnesPassedOver) {
    Settings s;
    ASSERT_TRUE(
            ReadInto(s,
                     L"<nexttag>9</nexttag>\r\n<Mystery>1</Mystery>\r\n<Backup/>\r\n<storeImages>1</storeImages>\r\n"
                     L"<tagformat>A&amp;B</tagformat>\r\n<caption3>Host</caption3>\r\n<options/>\r\n"));
    EXPECT_EQ(s.nextTagNumber, 9u);
    EXPECT_FALSE(s.backup);
    EXPECT_TRUE(s.storeImages);
    EXPECT_EQ(s.tagFormat, L"A&B");
    EXPECT_EQ(s.captions[2], L"Host");
}

TEST(Settings, ACutOffBlockKeepsWhatWasReadAndReportsIt) {
    Settings s;
    MarkupDocument document;
    document.SetText(L"<OPTIONS>\r\n<NEXTTAG>7</NEXTTAG>\r\n<SPLITTERBAR>3</SPLITTERBAR>\r\n<SORTCOL>4");
    document.NextTag();
    EXPECT_FALSE(s.ReadOptions(document, kScreen));
    EXPECT_EQ(s.nextTagNumber, 7u);
    EXPECT_EQ(s.splitter, 20);
    EXPECT_EQ(s.sortColumn, 0);
}

TEST(Settings, CaptionsEqualToTheirDefaultIgnoringCaseAreNotWritten) {
    Settings s;
    s.captions[0] = L"user field 1";
    s.captions[4] = L"USER FIELD 5";
    EXPECT_EQ(Written(s), Written(Settings()));
    s.captions[0] = L"User Field 2";
    EXPECT_NE(Written(s).find(L"<CAPTION1>User Field 2</CAPTION1>"), std::wstring::npos);
}

TEST(Settings, DiffersFromComparesEveryStoredFieldButTheReadOnlyCopy) {
    Settings base;
    EXPECT_FALSE(base.DiffersFrom(Settings()));
    std::vector<void (*)(Settings&)> changes = {
            [](Settings& s) { s.toolbarButtons.push_back(3); },
            [](Settings& s) { s.reportLabels[3] = 1; },
            [](Settings& s) { s.reportSizes[0] = 10; },
            [](Settings& s) { s.dateStyle = 1; },
            [](Settings& s) { s.columns.pop_back(); },
            [](Settings& s) { s.columnWidths[22] = 5; },
            [](Settings& s) { s.captions[4] = L"user field 5"; },
            [](Settings& s) { s.currentCategory = L"x"; },
            [](Settings& s) { s.lastAbundance = L"x"; },
            [](Settings& s) { s.lastCollector = L"x"; },
            [](Settings& s) { s.lastDate = L"x"; },
            [](Settings& s) { s.lastLocation = L"x"; },
            [](Settings& s) { s.lastFolder = L"x"; },
            [](Settings& s) { s.reportFont = L"Arial"; },
            [](Settings& s) { s.sizeUnits = L"in"; },
            [](Settings& s) { s.tagFormat = L"#"; },
            [](Settings& s) { s.nextTagNumber = 2; },
            [](Settings& s) { s.reportSort = 1; },
            [](Settings& s) { s.reportType = 1; },
            [](Settings& s) { s.windowLeft = 1; },
            [](Settings& s) { s.windowTop = 1; },
            [](Settings& s) { s.windowWidth = 1; },
            [](Settings& s) { s.windowHeight = 1; },
            [](Settings& s) { s.sortColumn = 1; },
            [](Settings& s) { s.splitter = 21; },
            [](Settings& s) { s.reportSpecimens = true; },
            [](Settings& s) { s.backup = false; },
            [](Settings& s) { s.hideStatusBar = true; },
            [](Settings& s) { s.showMessages = false; },
            [](Settings& s) { s.sortDescending = true; },
            [](Settings& s) { s.storeImages = true; },
            [](Settings& s) { s.trackWindow = false; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        Settings changed;
        changes[i](changed);
        EXPECT_TRUE(changed.DiffersFrom(base)) << "change " << i;
        Settings copy;
        copy.CopyFrom(changed);
        EXPECT_FALSE(copy.DiffersFrom(changed)) << "change " << i;
    }
    Settings readOnly;
    readOnly.readOnly = true;
    EXPECT_FALSE(readOnly.DiffersFrom(base));
}

TEST(Settings, LastFolderAndWindowPlacement) {
    Settings s;
    s.SetLastFolder(L"C:\\data\\cat.xml", true);
    EXPECT_EQ(s.lastFolder, L"C:\\data");
    s.SetLastFolder(L"C:\\pictures", false);
    EXPECT_EQ(s.lastFolder, L"C:\\pictures");

    const Rect workArea{0, 0, 1024, 738};
    s.RememberWindowRect({10, 20, 610, 420}, workArea);
    EXPECT_EQ(s.windowLeft, 10);
    EXPECT_EQ(s.windowTop, 20);
    EXPECT_EQ(s.windowWidth, 600);
    EXPECT_EQ(s.windowHeight, 400);
    EXPECT_TRUE(s.HasWindowPlacement());
    s.RememberWindowRect({-4, -4, 1028, 742}, workArea);  // maximised: partly outside, not kept
    EXPECT_EQ(s.windowLeft, 10);
    EXPECT_EQ(s.windowWidth, 600);
    s.trackWindow = false;
    EXPECT_FALSE(s.HasWindowPlacement());
}

}  // namespace
