#include <gtest/gtest.h>

#include "base/DataFile.h"
#include "base/Paths.h"
#include "catalog/Catalog.h"
#include "catalog/CommaSeparated.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/ScriptedHost.h"
#include "support/SpecimenSamples.h"
#include "support/TestFolder.h"

namespace {

using Names = std::vector<std::wstring>;
using Bytes = std::vector<std::uint8_t>;

// A specimen with every field set to a text the file keeps: sizes of at most six digits, and
// only Latin-1 characters unless wide is set.
Specimen ExchangeSample(int number, bool wide) {
    Specimen s = SampleSpecimen(number);
    s.commonName = L"Tiger cowrie " + std::to_wstring(number);
    s.size = 2.5 * number;
    if (!wide)
        s.remarks = L"caf\x00E9 \x00A0tab\there &amp;";
    return s;
}

std::wstring Utf16FileText(const std::wstring& path) {
    Bytes bytes = ReadFileBytes(path);
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

class CommaSeparatedTest : public ::testing::Test {
protected:
    bool Export(const std::wstring& path, bool allData = true, bool preserveUnicode = true,
                std::wstring_view filter = L"<All>", ProgressSink* progress = nullptr) {
        return ExportCommaSeparated(catalog, path, filter, allData, preserveUnicode, pictures, progress);
    }
    bool Import(const std::wstring& path, bool addMode = false, ProgressSink* progress = nullptr) {
        return ImportCommaSeparated(imported, path, addMode, importedSaved, progress);
    }
    bool ImportText(std::wstring_view text) {
        return ParseCommaSeparated(imported, text, folder.File(L"Images\\"), false, nullptr);
    }

    TestFolder folder;
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
    RecordingPictureWriter pictures;

    Settings importedSettings;
    Settings importedSaved;
    Catalog imported{host, importedSettings};
};

TEST_F(CommaSeparatedTest, ExportWritesQuotedCaptionsAndFieldTexts) {
    settings.sizeUnits = L"mm";
    Specimen s;
    s.categories = {L"Shells", L"Fossils"};
    s.commonName = L"Tiger \"cowrie\"";
    s.price = 12.5;
    s.size = 2.5;
    s.mask = true;
    catalog.AddSpecimen(s);
    ASSERT_TRUE(Export(folder.File(L"all.csv")));
    EXPECT_EQ(Utf16FileText(folder.File(L"all.csv")),
              L"\"Category\",\"Collector\",\"Color\",\"Common Name\",\"Date Collected\",\"Dimensions\","
              L"\"Latin Name\",\"Location\",\"Picture\",\"Remarks\",\"Tag\","
              L"\"User Field 1\",\"User Field 2\","
              L"\"Price\",\"Value\",\"Abundance\",\"Quality\",\"Size (mm)\",\"Order\",\"Mask\","
              L"\"User Field 3\",\"User Field 4\",\"User Field 5\"\r\n"
              L"\"Shells,Fossils\",\"\",\"\",\"Tiger \"\"cowrie\"\"\","
              L"\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
              L"\"$12.50\",\"\",\"\",\"\",\"2.5\",\"0\",\"Yes\",\"\",\"\",\"\"\r\n");

    ASSERT_TRUE(Import(folder.File(L"all.csv")));
    ASSERT_EQ(imported.Specimens().size(), 1u);
    EXPECT_EQ(imported.Specimens()[0].categories, (Names{L"Shells", L"Fossils"}));
    EXPECT_EQ(imported.Specimens()[0].commonName, L"Tiger \"cowrie\"");
    EXPECT_EQ(imported.Specimens()[0].size, 2.5);
}

TEST_F(CommaSeparatedTest, DoubleQuotesInsideValuesAreDoubledAndReadBack) {
    settings.columns = {10, 5};
    const std::wstring values[] = {L"3\" long", L"\"", L"\"\"", L"say \"hi\", then go", L"\"a\"\r\nb", L"end\""};
    for (const std::wstring& value : values) {
        SCOPED_TRACE(value);
        catalog.Clear();
        Specimen quoted;
        quoted.tag = L"A1";
        quoted.dimensions = value;
        catalog.AddSpecimen(quoted);
        Specimen next;
        next.tag = L"A2";
        catalog.AddSpecimen(next);
        ASSERT_TRUE(Export(folder.File(L"quotes.csv"), false));
        imported.Clear();
        ASSERT_TRUE(Import(folder.File(L"quotes.csv")));
        ASSERT_EQ(imported.Specimens().size(), 2u);
        EXPECT_EQ(imported.Specimens()[0].dimensions, value);
        EXPECT_EQ(imported.Specimens()[1].tag, L"A2");
    }
    EXPECT_NE(Utf16FileText(folder.File(L"quotes.csv")).find(L"\"A1\",\"end\"\"\"\r\n"), std::wstring::npos);

    // Quotes that are not doubled still only switch quoting.
    imported.Clear();
    ASSERT_TRUE(ImportText(L"\"Tag\",\"Dimensions\"\r\n\"A1\",\"Tiger \"cowrie\"\"\r\n\"A2\",\"\"\r\n"));
    ASSERT_EQ(imported.Specimens().size(), 2u);
    EXPECT_EQ(imported.Specimens()[0].dimensions, L"Tiger cowrie");
    EXPECT_EQ(imported.Specimens()[1].dimensions, L"");
}

TEST_F(CommaSeparatedTest, SelectedColumnsWithoutUnitsAndUnnamedColumns) {
    settings.sizeUnits = L"";
    settings.storeImages = true;
    settings.columns = {10, 17, 30, 3};
    Specimen s = ExchangeSample(1, false);
    catalog.AddSpecimen(s);
    ASSERT_TRUE(Export(folder.File(L"some.csv"), false));
    EXPECT_EQ(Utf16FileText(folder.File(L"some.csv")),
              L"\"Tag\",\"Size\",\"\",\"Common Name\"\r\n\"S-1\",\"2.5\",\"\",\"Tiger cowrie 1\"\r\n");
    EXPECT_TRUE(pictures.paths.empty());  // no Picture column, no pictures

    ASSERT_TRUE(Import(folder.File(L"some.csv")));
    ASSERT_EQ(imported.Specimens().size(), 1u);
    Specimen expected;
    expected.tag = s.tag;
    expected.size = s.size;
    expected.commonName = s.commonName;
    EXPECT_EQ(Describe(imported.Specimens()[0]), Describe(expected));
}

TEST_F(CommaSeparatedTest, EveryFieldSurvivesARoundTripInBothEncodings) {
    settings.storeImages = true;
    for (bool preserveUnicode : {true, false}) {
        SCOPED_TRACE(preserveUnicode);
        TestFolder target;
        catalog.Clear();
        for (int number = 1; number <= 3; ++number)
            catalog.AddSpecimen(ExchangeSample(number, preserveUnicode));
        ASSERT_TRUE(Export(target.File(L"round.csv"), true, preserveUnicode));
        imported.Clear();
        ASSERT_TRUE(Import(target.File(L"round.csv")));
        EXPECT_EQ(DescribeAll(imported.Specimens()), DescribeAll(catalog.Specimens()));
        EXPECT_EQ(imported.Categories(), (Names{L"General", L"Shells", L"Cat 1", L"Cat 2", L"Cat 3"}));
    }
}

TEST_F(CommaSeparatedTest, SizesThatWouldNeedAnExponentKeepTheirValue) {
    const double sizes[] = {2500000, 0.00005, 1e6, 0.0001, 0.000123456, -35000000, 1.5e20, 1e-10, 999999, 123456e300};
    for (double size : sizes) {
        Specimen s;
        s.size = size;
        catalog.AddSpecimen(s);
    }
    ASSERT_TRUE(Export(folder.File(L"sizes.csv")));
    ASSERT_TRUE(Import(folder.File(L"sizes.csv")));
    ASSERT_EQ(imported.Specimens().size(), std::size(sizes));
    for (size_t i = 0; i < std::size(sizes); ++i)
        EXPECT_EQ(imported.Specimens()[i].size, sizes[i]) << sizes[i];
}

// A character above 255 whose low byte is a quote, a comma or a line feed would break the row;
// every such character becomes "?", in one byte as in the rows read back.
TEST_F(CommaSeparatedTest, WithoutUnicodeCharactersAbove255BecomeAQuestionMark) {
    const std::pair<std::wstring, std::string> cases[] = {
            {L"caf\x00E9 \x00FF", "caf\xE9 \xFF"},  // Latin-1 stays as it is
            {L"\x0152uvre", "?uvre"},
            {L"a\u0122b", "a?b"},            // low byte: a double quote
            {L"a\u012Cb", "a?b"},            // low byte: a comma
            {L"a\u010Ab", "a?b"},            // low byte: a line feed
            {L"\x4E2D\xD83D\xDC1A", "???"},  // a surrogate pair is two characters here
    };
    settings.columns = {10, 11};  // Tag, User Field 1
    for (const auto& [tag, bytes] : cases) {
        catalog.Clear();
        Specimen s;
        s.tag = tag;
        s.userFields[0] = L"next";
        catalog.AddSpecimen(s);
        ASSERT_TRUE(Export(folder.File(L"narrow.csv"), false, false));
        EXPECT_EQ(ReadFileBytes(folder.File(L"narrow.csv")),
                  AsciiBytes("\"Tag\",\"User Field 1\"\r\n\"" + bytes + "\",\"next\"\r\n"));
        ASSERT_TRUE(Import(folder.File(L"narrow.csv")));
        ASSERT_EQ(imported.Specimens().size(), 1u);
        EXPECT_EQ(imported.Specimens()[0].userFields[0], L"next");
    }
}

TEST_F(CommaSeparatedTest, OneByteFilesImportThroughTheSecondReading) {
    // Even and odd lengths: an odd last byte belongs to the text read one byte per character.
    const std::pair<std::string, std::wstring> cases[] = {
            {"\"Tag\",\"Latin Name\"\r\n\"A1\",\"Conus caf\xE9\"\r\nA23", L"A23"},
            {"\"Tag\",\"Latin Name\"\r\n\"A1\",\"Conus caf\xE9\"\r\nA2", L"A2"},
    };
    for (const auto& [content, lastTag] : cases) {
        SCOPED_TRACE(content.size());
        ASSERT_TRUE(WriteFileBytes(folder.File(L"narrow.csv"), AsciiBytes(content)));
        imported.Clear();
        ASSERT_TRUE(Import(folder.File(L"narrow.csv")));
        ASSERT_EQ(imported.Specimens().size(), 2u);
        EXPECT_EQ(imported.Specimens()[0].latinName, L"Conus caf\x00E9");
        EXPECT_EQ(imported.Specimens()[1].tag, lastTag);
    }
}

TEST_F(CommaSeparatedTest, SpreadsheetFilesInUtf8ImportIntactWithOrWithoutTheMark) {
    const std::string header = "Tag,Latin Name,Collector\r\n";
    const std::string row = "A1,\xC5\x92uvre,H\xC3\xA9l\xC3\xA8ne \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x90\x9A\r\n";
    std::wstring shell = L"\U0001F41A";
    if (sizeof(wchar_t) == 2)
        shell = L"\xD83D\xDC1A";
    const struct {
        std::string content;
        std::wstring latinName;
        std::wstring collector;
    } cases[] = {
            {"\xEF\xBB\xBF" + header + row, L"\x0152uvre", L"H\x00E9l\x00E8ne \x65E5\x672C " + shell},
            {header + row, L"\x0152uvre", L"H\x00E9l\x00E8ne \x65E5\x672C " + shell},
            // Not UTF-8: one byte per character, as the program's own one-byte export.
            {header + "A1,\x8Cuvre,H\xE9l\xE8ne\r\n", L"\x008Cuvre", L"H\x00E9l\x00E8ne"},
            {header + "A1,Oeuvre,Helene\r\n", L"Oeuvre", L"Helene"},
            // A lone continuation byte, an overlong form, a cut-short sequence: not UTF-8.
            {header + "A1,\xC3\xA9\xA9,x\r\n", L"\x00C3\x00A9\x00A9", L"x"},
            {header + "A1,\xC0\xAF,x\r\n", L"\x00C0\x00AF", L"x"},
            {header + "A1,x,\xE6\x97\r\n", L"x", L"\x00E6\x0097"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        ASSERT_TRUE(WriteFileBytes(folder.File(L"sheet.csv"), AsciiBytes(c.content)));
        imported.Clear();
        ASSERT_TRUE(Import(folder.File(L"sheet.csv")));
        ASSERT_EQ(imported.Specimens().size(), 1u);
        EXPECT_EQ(imported.Specimens()[0].tag, L"A1");
        EXPECT_EQ(imported.Specimens()[0].latinName, c.latinName);
        EXPECT_EQ(imported.Specimens()[0].collector, c.collector);
    }
}

TEST_F(CommaSeparatedTest, HeaderCellsMatchCaptionsByTheirLeadingWords) {
    struct Case {
        std::wstring_view header;
        int field;
        std::wstring_view text;  // the field's text for the cell "7"
    };
    const Case cases[] = {
            {L"\"  date collected\"", kFieldDateCollected, L"7"},
            {L"  date collected", kFieldDateCollected, L"7"},
            {L"\"Size (inches)\"", kFieldSize, L"7"},
            {L"\"USER FIELD 5\"", kFieldUser5, L"7"},
            {L"\"Price ($)\"", kFieldPrice, L"$7.00"},
            {L"\"Order\"", kFieldOrder, L"7"},
            {L"\"\x00FEFFTag\"", kFieldTag, L"7"},
            {L"\"Latin-Name\"", kFieldNone, L""},
            {L"\"Price in $\"", kFieldNone, L""},
    };
    Specimen unmatched;
    unmatched.colour = L"red";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field);
        imported.Clear();
        ASSERT_TRUE(ImportText(L"\"Color\"," + std::wstring(c.header) + L"\r\n\"red\",\"7\"\r\n"));
        ASSERT_EQ(imported.Specimens().size(), 1u);
        for (int field = 0; field < kFieldCount; ++field) {
            std::wstring expected = Catalog::FieldText(unmatched, field);
            if (field == c.field)
                expected = c.text;
            EXPECT_EQ(Catalog::FieldText(imported.Specimens()[0], field), expected) << field;
        }
    }
}

TEST_F(CommaSeparatedTest, LinesTakeTheCellsTheyHave) {
    ASSERT_TRUE(
            ImportText(L"\"Tag\",\"Notes\",\"tag\",\"Mask\",\"Category\"\r\n"
                       L"\"a\",\"b\",\"A1\",\"yes\",\" Shells, ,Fossils\"\r\n"
                       L"\r\n   \r\n"
                       L"\"x\",\"y\",\"A2\"\r\n"
                       L"\"x\"\r\n"));
    ASSERT_EQ(imported.Specimens().size(), 2u);  // the last line has no cell of a field
    const Specimen& first = imported.Specimens()[0];
    EXPECT_EQ(first.tag, L"A1");  // the last cell naming a field wins
    EXPECT_TRUE(first.mask);
    EXPECT_EQ(first.categories, (Names{L"Shells", L"Fossils"}));
    const Specimen& second = imported.Specimens()[1];
    EXPECT_EQ(second.tag, L"A2");
    EXPECT_FALSE(second.mask);
    EXPECT_TRUE(second.categories.empty());
    EXPECT_EQ(imported.Categories(), (Names{L"General", L"Shells", L"Fossils"}));
}

TEST_F(CommaSeparatedTest, ReplaceAndAddModes) {
    const std::wstring path = folder.File(L"one.csv");
    ASSERT_TRUE(WriteFileBytes(path, Utf16Bytes(L"\"Tag\",\"Category\"\r\n\"N1\",\"Fossils\"\r\n")));
    struct Case {
        bool addMode;
        std::wstring currentCategory;
        Names tags;
        Names categories;
        std::uint32_t nextTag;
    };
    const Case cases[] = {
            // Replacing keeps the tag numbers going: the file carries none.
            {false, L"Minerals", {L"N1"}, {L"Minerals", L"Fossils"}, 40},
            {false, L"<All>", {L"N1"}, {L"General", L"Fossils"}, 40},
            {false, L"", {L"N1"}, {L"General", L"Fossils"}, 40},
            {true, L"Minerals", {L"OLD", L"N1"}, {L"Shells", L"Fossils"}, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.currentCategory);
        imported.Clear();
        Specimen old;
        old.tag = L"OLD";
        old.categories = {L"Shells"};
        imported.AddSpecimen(old);
        importedSettings.nextTagNumber = 40;
        importedSettings.currentCategory = c.currentCategory;
        importedSaved = Settings();
        ASSERT_TRUE(Import(path, c.addMode));
        Names tags;
        for (const Specimen& specimen : imported.Specimens())
            tags.push_back(specimen.tag);
        EXPECT_EQ(tags, c.tags);
        EXPECT_EQ(imported.Specimens().back().categories, Names{L"Fossils"});
        EXPECT_EQ(imported.Categories(), c.categories);
        EXPECT_EQ(importedSettings.nextTagNumber, c.nextTag);
        EXPECT_EQ(importedSaved.nextTagNumber, c.nextTag);
        EXPECT_EQ(importedSaved.currentCategory, c.currentCategory);
    }
}

TEST_F(CommaSeparatedTest, UnusableFilesFail) {
    const std::wstring bad = L"\"Notes\",\"(Tag)\",\"\"\r\n\"a\",\"b\"\r\n";
    ASSERT_TRUE(WriteFileBytes(folder.File(L"bad.csv"), Utf16Bytes(bad)));
    for (bool addMode : {false, true}) {
        imported.Clear();
        Specimen old;
        old.categories = {L"Shells"};
        imported.AddSpecimen(old);
        importedSettings.sizeUnits = L"cm";
        importedSaved.sizeUnits = L"in";

        // Neither a file that cannot be read nor a header naming no field changes anything,
        // and each says why.
        const struct {
            const wchar_t* name;
            ImportProblem problem;
        } cases[] = {{L"missing.csv", ImportProblem::Unreadable}, {L"bad.csv", ImportProblem::NoFieldNamed}};
        for (const auto& c : cases) {
            ImportProblem problem = ImportProblem::None;
            EXPECT_FALSE(
                    ImportCommaSeparated(imported, folder.File(c.name), addMode, importedSaved, nullptr, &problem));
            EXPECT_EQ(problem, c.problem) << c.name;
            EXPECT_NE(NothingImportedText(problem, folder.File(c.name)).find(folder.File(c.name)), std::wstring::npos);
            EXPECT_EQ(imported.Specimens().size(), 1u) << c.name;
            EXPECT_EQ(imported.Categories(), Names{L"Shells"}) << c.name;
            EXPECT_EQ(importedSaved.sizeUnits, L"in");  // not copied
        }
    }
    EXPECT_FALSE(ImportText(L""));
    EXPECT_EQ(NothingImportedText(ImportProblem::NotACatalog, L"a.xml"),
              L"Nothing was imported: a.xml is not an Orvelle catalog.");
    EXPECT_EQ(NothingImportedText(ImportProblem::None, L"a.xml"), L"");
}

TEST_F(CommaSeparatedTest, PicturesGoToTheImagesFolderBesideTheExport) {
    TestFolder source;
    catalog.SetFilePath(source.File(L"catalog.xml"));
    ASSERT_TRUE(CreateFolderPath(source.File(L"Images"), false));
    ASSERT_TRUE(WriteFileBytes(source.File(L"Images\\copied.png"), {1, 2, 3}));
    Specimen fromFile;  // pictures kept beside the catalog are copied
    fromFile.pictureName = L"copied.png";
    fromFile.pictureData = {9, 9};
    catalog.AddSpecimen(fromFile);
    Specimen missing;
    missing.pictureName = L"gone.png";
    catalog.AddSpecimen(missing);

    const std::wstring path = folder.File(L"out\\export.csv");
    ASSERT_TRUE(CreateFolderPath(folder.File(L"out"), false));
    ASSERT_TRUE(Export(path));
    EXPECT_EQ(ReadFileBytes(folder.File(L"out\\Images\\copied.png")), (Bytes{1, 2, 3}));
    EXPECT_TRUE(pictures.paths.empty());

    settings.storeImages = true;  // pictures kept in the catalog file are written from their bytes
    ASSERT_TRUE(Export(path));
    EXPECT_EQ(pictures.paths, Names{folder.File(L"out\\Images\\copied.png")});
    EXPECT_EQ(ReadFileBytes(folder.File(L"out\\Images\\copied.png")), (Bytes{9, 9}));
    EXPECT_FALSE(FileExists(folder.File(L"out\\Images\\gone.png")));

    ASSERT_TRUE(Import(path));
    ASSERT_EQ(imported.Specimens().size(), 2u);
    EXPECT_EQ(imported.Specimens()[0].pictureData, (Bytes{9, 9}));
    EXPECT_EQ(imported.Specimens()[1].pictureName, L"gone.png");  // kept without bytes
    EXPECT_TRUE(imported.Specimens()[1].pictureData.empty());
}

// Writing a picture again for every specimen that shows it is left out, but the files end as
// writing each in turn would leave them: the last specimen's picture, even when a later one
// could not be copied.
TEST_F(CommaSeparatedTest, APictureShownOnSeveralSpecimensIsWrittenOnceAsTheLastLeavesIt) {
    TestFolder source;
    catalog.SetFilePath(source.File(L"catalog.xml"));
    settings.storeImages = true;
    const std::pair<const wchar_t*, Bytes> shown[] = {
            {L"x.jpg", {1}}, {L"x.jpg", {2}}, {L"x.jpg", {1}}, {L"y.jpg", {3}}, {L"y.jpg", {}}};
    for (const auto& [name, bytes] : shown) {
        Specimen s;
        s.pictureName = name;
        s.pictureData = bytes;
        catalog.AddSpecimen(s);
    }
    const std::wstring images = folder.File(L"Images\\");
    ASSERT_TRUE(Export(folder.File(L"a.csv")));
    EXPECT_EQ(pictures.paths, (Names{images + L"x.jpg", images + L"x.jpg", images + L"y.jpg"}));
    EXPECT_EQ(ReadFileBytes(images + L"x.jpg"), (Bytes{1}));
    EXPECT_EQ(ReadFileBytes(images + L"y.jpg"), (Bytes{3}));
}

TEST_F(CommaSeparatedTest, HostilePictureNamesStayInsideTheImagesFolder) {
    TestFolder source;
    catalog.SetFilePath(source.File(L"catalog.xml"));
    ASSERT_TRUE(WriteFileBytes(source.File(L"secret.jpg"), {7}));
    ASSERT_TRUE(CreateFolderPath(folder.File(L"out\\Images"), false));
    ASSERT_TRUE(WriteFileBytes(folder.File(L"out\\secret.jpg"), {7}));
    const Names hostile = {L"..\\..\\evil1.jpg", L"C:\\Windows\\evil2.jpg", L"con.jpg",           L"..",
                           L"a/../../evil3.jpg", L"..\\secret.jpg",         L"..\\..\\inside.jpg"};
    for (const std::wstring& name : hostile) {
        Specimen s;
        s.pictureName = name;
        s.pictureData = {1};
        catalog.AddSpecimen(s);
    }
    const std::wstring path = folder.File(L"out\\export.csv");
    const std::wstring images = folder.File(L"out\\Images\\");
    ASSERT_TRUE(Export(path));  // copies from the catalog's own Images folder only
    EXPECT_FALSE(FileExists(images + L"secret.jpg"));
    settings.storeImages = true;
    ASSERT_TRUE(Export(path));  // writes the bytes
    EXPECT_EQ(pictures.paths, (Names{images + L"evil1.jpg", images + L"evil2.jpg", images + L"evil3.jpg",
                                     images + L"secret.jpg", images + L"inside.jpg"}));
    for (const wchar_t* outside : {L"evil1.jpg", L"evil2.jpg", L"evil3.jpg", L"out\\evil1.jpg", L"out\\inside.jpg"})
        EXPECT_FALSE(FileExists(folder.File(outside))) << outside;

    // Reading back takes every picture from the Images folder or not at all.
    ASSERT_TRUE(WriteFileBytes(images + L"inside.jpg", {5}));
    ASSERT_TRUE(DeleteFileForce(images + L"secret.jpg"));
    ASSERT_TRUE(Import(path));
    ASSERT_EQ(imported.Specimens().size(), hostile.size());
    for (size_t i = 0; i < hostile.size(); ++i) {
        const Specimen& s = imported.Specimens()[i];
        SCOPED_TRACE(s.pictureName);
        EXPECT_EQ(s.pictureName, FileNameOf(hostile[i]));
        Bytes expected;
        if (s.pictureName == L"inside.jpg")
            expected = {5};
        else if (s.pictureName.starts_with(L"evil"))
            expected = {1};
        EXPECT_EQ(s.pictureData, expected);
    }
}

TEST_F(CommaSeparatedTest, ProgressFollowsSpecimensAndLines) {
    for (const wchar_t* category : {L"A", L"B", L"A", L"A"}) {
        Specimen s;
        s.categories = {category};
        catalog.AddSpecimen(s);
    }
    RecordedProgress exporting;
    ASSERT_TRUE(Export(folder.File(L"a.csv"), true, true, L"A", &exporting));
    // The rows from 10 to 50 percent, the pictures from there on.
    EXPECT_EQ(exporting.percents, (std::vector<int>{20, 30, 40, 62, 75, 87}));
    RecordedProgress withoutPictures;
    ASSERT_TRUE(Export(folder.File(L"a.csv"), false, true, L"A", &withoutPictures));
    EXPECT_EQ(withoutPictures.percents, (std::vector<int>{32, 55, 77}));  // 10 + 90 * k / 4

    RecordedProgress importing;
    ASSERT_TRUE(Import(folder.File(L"a.csv"), false, &importing));
    EXPECT_EQ(imported.Specimens().size(), 3u);
    EXPECT_EQ(importing.percents, (std::vector<int>{0, 50, 75, 100}));

    RecordedProgress failing;
    EXPECT_FALSE(Import(folder.File(L"none.csv"), false, &failing));
    EXPECT_EQ(failing.percents, (std::vector<int>{0, 100}));
}

TEST_F(CommaSeparatedTest, AFailedExportLeavesNothingBehind) {
    Specimen s;
    s.pictureName = L"p.jpg";
    s.pictureData = {1};
    catalog.AddSpecimen(s);
    settings.storeImages = true;
    EXPECT_FALSE(Export(folder.File(L"missing\\export.csv")));
    EXPECT_FALSE(FileExists(folder.File(L"missing\\export.csv")));
    EXPECT_FALSE(WriteFileBytes(folder.File(L"missing\\probe"), {1}));  // not even the folder was made
    EXPECT_TRUE(pictures.paths.empty());

    const std::wstring path = folder.File(L"kept.csv");
    ASSERT_TRUE(WriteFileBytes(path, {1, 2}));
    FileFaultsForTesting().FailFrom(1, FileCall::Write);
    EXPECT_FALSE(Export(path));
    FileFaultsForTesting().Reset();
    EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2}));
}

TEST(CommaSeparated, APathIsCommaSeparatedWhenItsFileNameEndsInCsv) {
    const std::pair<const wchar_t*, bool> cases[] = {
            {L"specimens.csv", true},
            {L"SPECIMENS.CSV", true},
            {L"C:\\Data\\shells.Csv", true},
            {L".csv", true},
            {L"C:\\a.b\\shells.csv", true},
            {L"shells.csvx", false},
            {L"shells.csv ", false},
            {L"C:\\Data.csv\\shells", false},
            {L"C:\\Data.csv\\", false},
            {L"sv", false},
            {L"shells.csv.xml", false},
            {L"shells.xml.csv", true},
            {L"shells.xml", false},
            {L"shells.cs", false},
            {L"shells.", false},
            {L"shells", false},
            {L"csv", false},
            {L"", false},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(IsCommaSeparatedName(name), expected) << name;
}

}  // namespace
