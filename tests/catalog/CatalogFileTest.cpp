#include <gtest/gtest.h>

#include "base/DataFile.h"
#include "base/MarkupDocument.h"
#include "base/Paths.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/CommaSeparated.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/ScriptedHost.h"
#include "support/SpecimenSamples.h"
#include "support/TestFolder.h"

namespace {

using Names = std::vector<std::wstring>;

std::wstring DefaultOptions() {
    MarkupDocument document;
    Settings().WriteOptions(document);
    return document.Output();
}

std::wstring FileText(const std::wstring& path) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

// A catalog of its own, with the file path in the test's folder.
struct CatalogUnderTest {
    explicit CatalogUnderTest(const std::wstring& path = L"") {
        if (!path.empty())
            catalog.SetFilePath(path);
    }
    bool Write(const std::wstring& path, std::wstring_view filter = L"") {
        return WriteCatalog(catalog, path, filter, pictures, nullptr);
    }
    bool Read(const std::wstring& path, bool addMode = false) {
        return ReadCatalog(catalog, path, addMode, screen, &progress, outcome);
    }

    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    FixedScreen screen;
    RecordedProgress progress;
    RecordingPictureWriter pictures;
    CatalogReadOutcome outcome;
};

class CatalogFileTest : public ::testing::Test {
protected:
    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
};

TEST_F(CatalogFileTest, WritesTheDocumentLineByLine) {
    CatalogUnderTest source(path);
    Specimen specimen;
    specimen.categories = {L"Shells"};
    specimen.tag = L"A1";
    specimen.latinName = L"Conus";
    specimen.price = 12.5;
    source.catalog.AddSpecimen(specimen);
    ASSERT_TRUE(source.Write(path));
    EXPECT_EQ(FileText(path),
              L"<ORVELLE>\r\n<DATAVERSION>1000</DATAVERSION>\r\n<CATEGORYLIST>\r\n"
              L"<CATEGORYNAME>Shells</CATEGORYNAME>\r\n</CATEGORYLIST>\r\n" +
                      DefaultOptions() +
                      L"<SPECIMENLIST>\r\n<SPECIMEN>\r\n<CATEGORY>Shells</CATEGORY>\r\n"
                      L"<LATINNAME>Conus</LATINNAME>\r\n<SPECIMENTAG>A1</SPECIMENTAG>\r\n"
                      L"<PRICE>12.5</PRICE>\r\n</SPECIMEN>\r\n</SPECIMENLIST>\r\n</ORVELLE>\r\n");
    EXPECT_EQ(ReadFileBytes(path)[0], 0x3C);
    EXPECT_EQ(ReadFileBytes(path)[1], 0x00);
}

TEST_F(CatalogFileTest, EveryFieldSurvivesAWriteAndARead) {
    CatalogUnderTest source(path);
    source.settings.storeImages = true;
    source.settings.nextTagNumber = 42;
    source.settings.currentCategory = L"Fossils";
    source.settings.toolbarButtons = {0, 1, 22, 3};  // a separator (255) would read back as 22
    source.catalog.AddCategory(L"Empty one");
    for (int i = 0; i < 5; ++i)
        source.catalog.AddSpecimen(SampleSpecimen(i));
    Specimen bare;
    bare.tag = L"no category";
    source.catalog.AddSpecimen(bare);
    ASSERT_TRUE(source.Write(path));

    CatalogUnderTest copy;
    copy.catalog.AddSpecimen(SampleSpecimen(99));  // replaced
    ASSERT_TRUE(copy.Read(path));
    EXPECT_FALSE(copy.outcome.incomplete);
    EXPECT_FALSE(copy.outcome.upgraded);
    EXPECT_EQ(copy.catalog.Categories(), source.catalog.Categories());
    EXPECT_EQ(DescribeAll(copy.catalog.Specimens()), DescribeAll(source.catalog.Specimens()));
    EXPECT_TRUE(copy.catalog.Specimens().back().categories.empty());
    EXPECT_FALSE(copy.settings.DiffersFrom(source.settings));
    EXPECT_TRUE(copy.pictures.paths.empty());
}

TEST_F(CatalogFileTest, AllAndEmptyCategoriesInFilesAreNotAttachedToSpecimens) {
    struct Case {
        const char* kind;
        std::wstring text;
        std::vector<Names> categories;  // of each specimen read
    };
    const Case cases[] = {
            {"catalog",
             L"<ORVELLE>\r\n<DATAVERSION>1000</DATAVERSION>\r\n<SPECIMENLIST>\r\n<SPECIMEN>\r\n"
             L"<CATEGORY>&lt;All&gt;</CATEGORY>\r\n<CATEGORY>&bad;</CATEGORY>\r\n<CATEGORY>Shells</CATEGORY>\r\n"
             L"</SPECIMEN>\r\n<SPECIMEN>\r\n<CATEGORY>&lt;All&gt;</CATEGORY>\r\n<SPECIMENTAG>A2</SPECIMENTAG>\r\n"
             L"</SPECIMEN>\r\n</SPECIMENLIST>\r\n</ORVELLE>\r\n",
             {{L"Shells"}, {}}},
            {"older layout",
             L"<ORVELLE>\r\n<CATEGORYLIST>\r\n<CATEGORYNAME>&lt;All&gt;</CATEGORYNAME>\r\n<SPECIMENLIST>\r\n"
             L"<SPECIMEN>\r\n<SPECIMENTAG>A1</SPECIMENTAG>\r\n</SPECIMEN>\r\n</SPECIMENLIST>\r\n"
             L"</CATEGORYLIST>\r\n</ORVELLE>\r\n",
             {{}}},
            {"comma-separated",
             L"\"Tag\",\"Category\"\r\n\"A1\",\"<All>,,Shells\"\r\n\"A2\",\"<All>\"\r\n",
             {{L"Shells"}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        CatalogUnderTest target;
        target.host.answer = false;  // no desktop backup for the older layout
        if (c.text.starts_with(L"<")) {
            ASSERT_TRUE(WriteFileBytes(path, Utf16Bytes(c.text)));
            ASSERT_TRUE(target.Read(path));
        } else {
            ASSERT_TRUE(ParseCommaSeparated(target.catalog, c.text, folder.File(L"Images\\"), true, nullptr));
        }
        std::vector<Names> categories;
        for (const Specimen& specimen : target.catalog.Specimens())
            categories.push_back(specimen.categories);
        EXPECT_EQ(categories, c.categories);
    }
}

TEST_F(CatalogFileTest, AddModeAppendsSpecimensAndKeepsCategoriesUnique) {
    CatalogUnderTest source(path);
    Specimen specimen;
    specimen.categories = {L"Shells"};
    specimen.tag = L"A1";
    source.catalog.AddSpecimen(specimen);
    ASSERT_TRUE(source.Write(path));

    CatalogUnderTest target;
    target.settings.nextTagNumber = 9;
    ASSERT_TRUE(target.Read(path, false));
    EXPECT_EQ(target.settings.nextTagNumber, 1u);  // a catalog at 1 does not store it
    ASSERT_TRUE(target.Read(path, true));
    EXPECT_EQ(target.catalog.Categories(), (Names{L"Shells"}));
    ASSERT_EQ(target.catalog.Specimens().size(), 2u);
    EXPECT_NE(target.catalog.Specimens()[0].id, target.catalog.Specimens()[1].id);
}

TEST_F(CatalogFileTest, ReplacingStartsFromDefaultSettingsAndAddingKeepsThem) {
    const std::wstring own = folder.File(L"own.xml");
    CatalogUnderTest withOwn(own);
    withOwn.settings.backup = false;
    withOwn.settings.captions[0] = L"Depth";
    withOwn.settings.nextTagNumber = 5;
    ASSERT_TRUE(withOwn.Write(own));
    const std::wstring plain = folder.File(L"plain.xml");
    CatalogUnderTest withDefaults(plain);
    ASSERT_TRUE(withDefaults.Write(plain));
    const std::wstring other = folder.File(L"other.xml");
    ASSERT_TRUE(WriteFileBytes(other, Utf16Bytes(L"<HTML></HTML>")));

    struct Step {
        std::wstring file;
        bool addMode;
        bool read;
        bool backup;
        std::wstring caption;
        std::uint32_t nextTag;
    };
    const Step steps[] = {
            {plain, false, true, true, L"User Field 1", 1},
            {own, false, true, false, L"Depth", 5},
            {other, false, false, false, L"Depth", 5},  // not a catalog: nothing changes
            {plain, true, true, false, L"Depth", 5},
            {plain, false, true, true, L"User Field 1", 1},
            // Another catalog's specimens join; its settings do not.
            {own, true, true, true, L"User Field 1", 1},
    };
    CatalogUnderTest reader;
    reader.settings.readOnly = true;  // set by the program from the file before reading
    reader.settings.backup = false;
    reader.settings.captions[0] = L"Old";
    reader.settings.nextTagNumber = 7;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << FileNameOf(step.file) << (step.addMode ? " added" : " replacing"));
        EXPECT_EQ(reader.Read(step.file, step.addMode), step.read);
        EXPECT_EQ(reader.settings.backup, step.backup);
        EXPECT_EQ(reader.settings.captions[0], step.caption);
        EXPECT_EQ(reader.settings.nextTagNumber, step.nextTag);
        EXPECT_TRUE(reader.settings.readOnly);
    }
}

TEST_F(CatalogFileTest, ExportsWriteOnlyTheChosenCategory) {
    CatalogUnderTest source(path);
    for (auto categories : {Names{L"Shells"}, Names{L"Fossils"}, Names{L"Shells", L"Fossils"}, Names{}}) {
        Specimen specimen;
        specimen.categories = categories;
        source.catalog.AddSpecimen(specimen);
    }
    source.catalog.AddCategory(L"Minerals");

    std::wstring shells = folder.File(L"shells.xml");
    ASSERT_TRUE(source.Write(shells, L"Shells"));
    CatalogUnderTest onlyShells;
    ASSERT_TRUE(onlyShells.Read(shells));
    EXPECT_EQ(onlyShells.catalog.Categories(), (Names{L"Shells", L"Fossils"}));  // second from a specimen
    EXPECT_EQ(onlyShells.catalog.Specimens().size(), 2u);
    EXPECT_EQ(FileText(shells).find(L"<CATEGORYNAME>Fossils"), std::wstring::npos);

    std::wstring all = folder.File(L"all.xml");
    ASSERT_TRUE(source.Write(all, L"<All>"));
    EXPECT_EQ(FileText(all).find(L"<CATEGORYNAME>"), std::wstring::npos);
    CatalogUnderTest everything;
    ASSERT_TRUE(everything.Read(all));
    EXPECT_EQ(everything.catalog.Specimens().size(), 4u);
    EXPECT_EQ(everything.catalog.Categories(), (Names{L"Shells", L"Fossils"}));
}

TEST_F(CatalogFileTest, PicturesGoToTheImagesFolderUnlessStoredInTheFile) {
    CatalogUnderTest source(path);
    Specimen specimen = SampleSpecimen(1);
    source.catalog.AddSpecimen(specimen);
    Specimen noBytes = SampleSpecimen(2);
    noBytes.pictureData.clear();
    source.catalog.AddSpecimen(noBytes);
    ASSERT_TRUE(source.Write(path));
    EXPECT_EQ(source.pictures.paths, (Names{folder.File(L"Images\\pic1.jpg")}));
    EXPECT_EQ(ReadFileBytes(folder.File(L"Images\\pic1.jpg")), specimen.pictureData);
    EXPECT_EQ(FileText(path).find(L"PICTUREDATA"), std::wstring::npos);

    CatalogUnderTest copy;
    ASSERT_TRUE(copy.Read(path));
    EXPECT_TRUE(copy.catalog.Specimens()[0].pictureData.empty());
    EXPECT_EQ(copy.catalog.Specimens()[0].pictureName, L"pic1.jpg");
}

TEST_F(CatalogFileTest, HostilePictureNamesNeverLeaveTheImagesFolder) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
            {L"..\\..\\outside.jpg", L"outside.jpg"},
            {L"C:\\Windows\\win.ini", L"win.ini"},
            {L"../up.png", L"up.png"},
            {L"D:pic.bmp", L"pic.bmp"},
            {L"sub/..", nullptr},
            {L"..", nullptr},
            {L"con.jpg", nullptr},
            {L"LPT1", nullptr},
            {L"nul", nullptr},
            {L"a\\b\\", nullptr},
            {L"com9.png", nullptr},
            {L"what?.jpg", nullptr},
    };
    for (const auto& [name, written] : cases) {
        TestFolder scratch;
        std::wstring catalogPath = scratch.File(L"deep\\catalog.xml");
        ASSERT_TRUE(CreateFolderPath(scratch.File(L"deep"), false));
        CatalogUnderTest source(catalogPath);
        Specimen specimen;
        specimen.pictureName = name;
        specimen.pictureData = {1, 2, 3};
        source.catalog.AddSpecimen(specimen);
        ASSERT_TRUE(source.Write(catalogPath)) << name;
        if (written == nullptr) {
            EXPECT_TRUE(source.pictures.paths.empty()) << name;
        } else {
            EXPECT_EQ(source.pictures.paths, (Names{scratch.File(L"deep\\Images\\") + written})) << name;
        }
        EXPECT_FALSE(FileExists(scratch.File(L"outside.jpg")));
        EXPECT_FALSE(FileExists(scratch.File(L"up.png")));
    }
}

TEST_F(CatalogFileTest, AFailedPictureFileFailsTheSaveButTheCatalogIsWritten) {
    CatalogUnderTest source(path);
    source.catalog.AddSpecimen(SampleSpecimen(1));
    source.pictures.fail = true;
    EXPECT_FALSE(source.Write(path));
    CatalogUnderTest copy;
    ASSERT_TRUE(copy.Read(path));
    EXPECT_EQ(copy.catalog.Specimens().size(), 1u);
}

TEST_F(CatalogFileTest, ProgressIsReportedWhileWritingAndReading) {
    CatalogUnderTest source(path);
    for (int i = 0; i < 3; ++i)
        source.catalog.AddSpecimen(SampleSpecimen(i));
    RecordedProgress writing;
    ASSERT_TRUE(WriteCatalog(source.catalog, path, L"", source.pictures, &writing));
    EXPECT_EQ(writing.percents, (std::vector<int>{25, 50, 75}));

    CatalogUnderTest copy;
    ASSERT_TRUE(copy.Read(path));
    ASSERT_FALSE(copy.progress.percents.empty());
    EXPECT_TRUE(std::is_sorted(copy.progress.percents.begin(), copy.progress.percents.end()));
    EXPECT_GE(copy.progress.percents.back(), 95);
}

TEST_F(CatalogFileTest, FilesThatAreNotCatalogsAreRefused) {
    CatalogUnderTest target;
    target.catalog.AddSpecimen(SampleSpecimen(1));
    EXPECT_FALSE(target.Read(folder.File(L"missing.xml")));
    EXPECT_EQ(target.catalog.Specimens().size(), 1u);  // unreadable: untouched
    EXPECT_FALSE(target.outcome.notACatalog);

    std::wstring other = folder.File(L"other.xml");
    ASSERT_TRUE(WriteFileBytes(other, Utf16Bytes(L"<HTML><BODY>hi</BODY></HTML>")));
    EXPECT_FALSE(target.Read(other));
    EXPECT_EQ(target.catalog.Specimens().size(), 1u);  // not a catalog: untouched as well
    EXPECT_TRUE(target.outcome.notACatalog);

    ASSERT_TRUE(WriteFileBytes(other, {}));
    EXPECT_FALSE(target.Read(other));
}

TEST_F(CatalogFileTest, ADataVersionWithoutEndTagMeansTheOlderLayout) {
    CatalogUnderTest target;
    target.host.answer = false;
    ASSERT_TRUE(
            WriteFileBytes(path, Utf16Bytes(L"<ORVELLE>\r\n<DATAVERSION>7</DATAVERSION>\r\n<CATEGORYLIST>\r\n"
                                            L"<CATEGORYNAME>A</CATEGORYNAME>\r\n</CATEGORYLIST>\r\n</ORVELLE>\r\n")));
    ASSERT_TRUE(target.Read(path));
    EXPECT_FALSE(target.outcome.upgraded);
    EXPECT_TRUE(target.host.questions.empty());

    ASSERT_TRUE(WriteFileBytes(path, Utf16Bytes(L"<ORVELLE>\r\n<DATAVERSION/>\r\n</ORVELLE>\r\n")));
    ASSERT_TRUE(target.Read(path));
    EXPECT_TRUE(target.outcome.upgraded);
    EXPECT_EQ(target.host.questions, (std::vector<unsigned>{3200}));
}

TEST_F(CatalogFileTest, CutOffFilesKeepEveryCompleteSpecimen) {
    CatalogUnderTest source(path);
    source.settings.storeImages = true;
    for (int i = 0; i < 4; ++i)
        source.catalog.AddSpecimen(SampleSpecimen(i));
    ASSERT_TRUE(source.Write(path));
    const std::vector<std::uint8_t> whole = ReadFileBytes(path);
    const std::wstring text = FileText(path);
    const std::wstring specimensStart = L"<SPECIMENLIST>";

    std::wstring cut = folder.File(L"cut.xml");
    for (size_t units = text.find(L"<DATAVERSION>") + 40; units < text.size() - 12; units += 13) {
        ASSERT_TRUE(WriteFileBytes(
                cut, std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(2 * units))));
        CatalogUnderTest copy;
        ASSERT_TRUE(copy.Read(cut)) << units;
        EXPECT_TRUE(copy.outcome.incomplete) << units;
        // Every specimen whose end tag made it into the file is there in full.
        std::wstring kept = text.substr(0, units);
        size_t complete = 0;
        for (size_t at = kept.find(L"</SPECIMEN>\r\n"); at != std::wstring::npos;
             at = kept.find(L"</SPECIMEN>\r\n", at + 1))
            ++complete;
        ASSERT_GE(copy.catalog.Specimens().size(), complete) << units;
        ASSERT_LE(copy.catalog.Specimens().size(), complete + 1) << units;
        for (size_t i = 0; i < complete; ++i)
            EXPECT_EQ(Describe(copy.catalog.Specimens()[i]), Describe(source.catalog.Specimens()[i])) << units;
    }
}

// The sample that ships with the program reads whole: its categories, specimens and pictures.
TEST_F(CatalogFileTest, TheShippedSampleReadsWhole) {
    const std::string sample = std::string(ORVELLE_SOURCE_DIR) + "/resources/sample/Orvelle Sample.xml";
    CatalogUnderTest reader;
    ASSERT_TRUE(reader.Read(std::wstring(sample.begin(), sample.end())));
    EXPECT_FALSE(reader.outcome.incomplete);
    EXPECT_EQ(reader.catalog.Categories(), (Names{L"Shells", L"Minerals", L"Fossils", L"Wish List"}));
    ASSERT_EQ(reader.catalog.Specimens().size(), 27u);
    int pictures = 0;
    for (const Specimen& specimen : reader.catalog.Specimens()) {
        if (specimen.pictureData.empty())
            continue;
        ++pictures;
        EXPECT_EQ(std::vector<std::uint8_t>(specimen.pictureData.begin(), specimen.pictureData.begin() + 4),
                  (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'}))
                << specimen.pictureName;
    }
    EXPECT_EQ(pictures, 6);
    EXPECT_EQ(reader.settings.captions[0], L"Acquired From");
}

TEST_F(CatalogFileTest, OneBytePerCharacterCatalogsAreRead) {
    std::string content =
            "<ORVELLE>\r\n<DATAVERSION>1000</DATAVERSION>\r\n<CATEGORYLIST>\r\n<CATEGORYNAME>Min\xE9raux</CATEGORYNAME>\r\n"
            "</CATEGORYLIST>\r\n<SPECIMENLIST>\r\n<SPECIMEN>\r\n<CATEGORY>Min\xE9raux</CATEGORY>\r\n"
            "<SPECIMENTAG>M-1</SPECIMENTAG>\r\n<SIZE>2.5</SIZE>\r\n</SPECIMEN>\r\n</SPECIMENLIST>\r\n</ORVELLE>";
    ASSERT_TRUE(WriteFileBytes(path, AsciiBytes(content)));
    CatalogUnderTest target;
    ASSERT_TRUE(target.Read(path));
    EXPECT_FALSE(target.outcome.incomplete);
    EXPECT_EQ(target.catalog.Categories(), (Names{L"Min\x00E9raux"}));
    ASSERT_EQ(target.catalog.Specimens().size(), 1u);
    EXPECT_EQ(target.catalog.Specimens()[0].tag, L"M-1");
    EXPECT_EQ(target.catalog.Specimens()[0].size, 2.5);
}

TEST_F(CatalogFileTest, TenThousandSpecimensComeBackIdentical) {
    CatalogUnderTest source(path);
    source.settings.storeImages = true;
    for (int i = 0; i < 10000; ++i)
        source.catalog.AddSpecimen(SampleSpecimen(i));
    ASSERT_TRUE(source.Write(path));
    CatalogUnderTest copy;
    ASSERT_TRUE(copy.Read(path));
    EXPECT_FALSE(copy.outcome.incomplete);
    EXPECT_EQ(DescribeAll(copy.catalog.Specimens()), DescribeAll(source.catalog.Specimens()));
    EXPECT_EQ(copy.catalog.Categories(), source.catalog.Categories());
}

}  // namespace
