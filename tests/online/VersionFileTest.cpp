#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/DataFile.h"
#include "base/MarkupDocument.h"
#include "online/VersionFile.h"
#include "support/TestFolder.h"

namespace {

const std::wstring kHash = L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

PublishedVersion Read(const std::wstring& text) {
    MarkupDocument document;
    document.SetText(text);
    return ReadVersionFile(document);
}

TEST(VersionFile, TakesTheLastVersionAndHashWithTextAndPassesOverEmptyOnes) {
    struct Case {
        std::wstring text;
        std::optional<std::wstring> version;
        bool hasHash;
    };
    const Case cases[] = {
            {L"<ROOT><Version>2.1.0.0</Version><SHA256>" + kHash + L"</SHA256></ROOT>", L"2.1.0.0", true},
            {L"<version>1.0</version><VERSION>1.1</VERSION><sha256>" + kHash + L"</sha256>", L"1.1", true},
            {L"<Version>a &amp; b&lt;</Version>", L"a & b<", false},
            {L"<Version>2.0</Version><Version></Version>", L"2.0", false},
            {L"<Version><b>2.0</b></Version>", std::nullopt, false},
            {L"<Version/>", std::nullopt, false},
            {L"<Other>2.0</Other>", std::nullopt, false},
            {L"<Version>2.0", std::nullopt, false},
            {L"", std::nullopt, false},
            // A hash that is not 64 hexadecimal digits is no hash, and a later bad one spoils a good one.
            {L"<Version>2.0</Version><SHA256>" + kHash.substr(1) + L"</SHA256>", L"2.0", false},
            {L"<Version>2.0</Version><SHA256>" + kHash + L"</SHA256><SHA256>zz</SHA256>", L"2.0", false},
            {L"<Version>2.0</Version><SHA256></SHA256><SHA256>" + kHash + L"</SHA256>", L"2.0", true},
    };
    for (const Case& c : cases) {
        const PublishedVersion published = Read(c.text);
        EXPECT_EQ(published.version, c.version) << c.text;
        EXPECT_EQ(published.installerHash.has_value(), c.hasHash) << c.text;
    }
    EXPECT_EQ(Read(L"<SHA256>" + kHash + L"</SHA256>").installerHash, ParseSha256Hex(kHash));
}

TEST(VersionFile, AnUpdateNeedsADifferentVersionAndAHash) {
    const std::optional<Sha256Digest> hash = ParseSha256Hex(kHash);
    struct Case {
        PublishedVersion published;
        bool update;
    };
    const Case cases[] = {
            {{L"1.0.0.2", hash}, true},  {{L"0.9.0.0", hash}, true},    {{L"1.0.0.1", hash}, false},
            {{L"1.0.0.1 ", hash}, true}, {{std::nullopt, hash}, false}, {{L"1.0.0.2", std::nullopt}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsUpdatePublished(c.published, L"1.0.0.1"), c.update) << c.published.version.value_or(L"none");
}

TEST(VersionFile, OwnVersionAndNamesComeOutAsTheServerHasThem) {
    EXPECT_EQ(FileVersionText(0x00020001, 0x00030004), L"2.1.3.4");
    EXPECT_EQ(FileVersionText(0xFFFF0000, 0x0000FFFF), L"65535.0.0.65535");
    EXPECT_EQ(VersionFileName(L"Orvelle"), L"orvelle.ver");
    EXPECT_EQ(InstallerFileName(L"Orvelle"), L"orvellesetup.exe");
    EXPECT_EQ(InstallerCommandLine(L"C:\\Users\\Ann Lee\\AppData\\orvellesetup.exe"),
              L"\"C:\\Users\\Ann Lee\\AppData\\orvellesetup.exe\"");
}

TEST(VersionFile, AnInstallerIsTrustedOnlyWhenItsBytesHaveThePublishedHash) {
    TestFolder folder;
    const std::wstring installer = folder.File(L"orvellesetup.exe");
    // More than one read buffer, so that the hash runs over pieces.
    std::vector<std::uint8_t> bytes(200000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    {
        DataFile file(installer);
        ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
    }
    const Sha256Digest digest = *Sha256Of(bytes);
    EXPECT_TRUE(FileMatchesSha256(installer, digest));
    Sha256Digest other = digest;
    other[31] ^= 1;
    EXPECT_FALSE(FileMatchesSha256(installer, other));
    EXPECT_FALSE(FileMatchesSha256(folder.File(L"missing.exe"), digest));
}

}  // namespace
