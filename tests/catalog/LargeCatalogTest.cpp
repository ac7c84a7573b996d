#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/TextSplit.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/CommaSeparated.h"
#include "catalog/Settings.h"
#include "support/Fakes.h"
#include "support/GeneratedCatalog.h"
#include "support/ScriptedHost.h"
#include "support/SpecimenSamples.h"
#include "support/TestFolder.h"

namespace {

struct HeldCatalog {
    explicit HeldCatalog(bool storeImages = true) { settings.storeImages = storeImages; }
    ScriptedHost host;
    Settings settings;
    Catalog catalog{host, settings};
};

// What a file of one byte per character keeps of each text: a character above 255 becomes "?".
void KeepOneByteForm(Specimen& s) {
    std::vector<std::wstring*> texts = {&s.abundance,     &s.collector,  &s.colour,    &s.commonName,
                                        &s.dateCollected, &s.dimensions, &s.latinName, &s.location,
                                        &s.pictureName,   &s.quality,    &s.remarks,   &s.tag};
    for (std::wstring& text : s.userFields)
        texts.push_back(&text);
    for (std::wstring& text : s.categories)
        texts.push_back(&text);
    for (std::wstring* text : texts) {
        for (wchar_t& c : *text)
            c = static_cast<std::uint32_t>(c) > 0xFF ? L'?' : c;
    }
}

class LargeCatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        source.catalog.SetFilePath(path);
        for (Specimen& specimen : GeneratedSpecimens(1500))
            source.catalog.AddSpecimen(std::move(specimen));
    }
    bool Write(const Catalog& catalog, ProgressSink* progress = nullptr) {
        return WriteCatalog(catalog, path, L"", pictures, progress);
    }
    bool Read(Catalog& catalog, ProgressSink* progress = nullptr) {
        CatalogReadOutcome outcome;
        return ReadCatalog(catalog, path, false, screen, progress, outcome) && !outcome.incomplete;
    }

    TestFolder folder;
    std::wstring path = folder.File(L"catalog.xml");
    std::wstring csvPath = folder.File(L"catalog.csv");
    HeldCatalog source;
    RecordingPictureWriter pictures;
    FixedScreen screen;
};

TEST_F(LargeCatalogTest, AGeneratedCatalogComesBackFromItsFileAndWritesTheSameBytesAgain) {
    ASSERT_TRUE(Write(source.catalog));
    const std::vector<std::uint8_t> written = ReadFileBytes(path);
    HeldCatalog copy;
    ASSERT_TRUE(Read(copy.catalog));
    EXPECT_EQ(DescribeAll(copy.catalog.Specimens()), DescribeAll(source.catalog.Specimens()));
    EXPECT_EQ(copy.catalog.Categories(), source.catalog.Categories());
    EXPECT_EQ(copy.catalog.Colours(), source.catalog.Colours());
    ASSERT_TRUE(Write(copy.catalog));
    EXPECT_TRUE(ReadFileBytes(path) == written);
}

// The exchange keeps every field; only a category holding a comma comes back as two.
TEST_F(LargeCatalogTest, AGeneratedCatalogComesBackFromTheExchange) {
    for (bool wide : {true, false}) {
        ASSERT_TRUE(ExportCommaSeparated(source.catalog, csvPath, L"", true, wide, pictures, nullptr));
        HeldCatalog imported;
        Settings saved;
        ASSERT_TRUE(ImportCommaSeparated(imported.catalog, csvPath, false, saved, nullptr));
        const std::vector<Specimen>& back = imported.catalog.Specimens();
        ASSERT_EQ(back.size(), source.catalog.Specimens().size());
        for (size_t i = 0; i < back.size(); ++i) {
            Specimen expected = source.catalog.Specimens()[i];
            std::wstring joined;
            for (const std::wstring& category : expected.categories)
                joined += (joined.empty() ? L"" : L",") + category;
            expected.categories = Split(joined, L',', true, false);
            if (!wide)
                KeepOneByteForm(expected);
            ASSERT_EQ(Describe(back[i]), Describe(expected)) << i << (wide ? " wide" : " one byte");
        }
    }
}

TEST_F(LargeCatalogTest, ProgressReachesTheSinkOncePerWholePercent) {
    ASSERT_TRUE(Write(source.catalog));
    ASSERT_TRUE(ExportCommaSeparated(source.catalog, csvPath, L"", true, true, pictures, nullptr));
    const std::pair<const char*, std::function<bool(ProgressSink*)>> operations[] = {
            {"write", [&](ProgressSink* progress) { return Write(source.catalog, progress); }},
            {"read",
             [&](ProgressSink* progress) {
                 HeldCatalog copy;
                 return Read(copy.catalog, progress);
             }},
            {"export",
             [&](ProgressSink* progress) {
                 return ExportCommaSeparated(source.catalog, csvPath, L"", true, true, pictures, progress);
             }},
            {"import",
             [&](ProgressSink* progress) {
                 HeldCatalog imported;
                 Settings saved;
                 return ImportCommaSeparated(imported.catalog, csvPath, false, saved, progress);
             }},
    };
    for (const auto& [name, operation] : operations) {
        RecordedProgress progress;
        ASSERT_TRUE(operation(&progress)) << name;
        ASSERT_GE(progress.percents.size(), 50u) << name;
        EXPECT_LE(progress.percents.size(), 101u) << name;
        EXPECT_TRUE(std::adjacent_find(progress.percents.begin(), progress.percents.end(), std::greater_equal<int>()) ==
                    progress.percents.end())
                << name;
    }
}

}  // namespace
