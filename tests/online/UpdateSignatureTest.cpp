#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "online/UpdateSignature.h"
#include "support/TestSigner.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(UpdateSignature, OnlyTheKeysSignatureOverTheExactBytesPasses) {
    const TestSigner publisher;
    const TestSigner other;
    const Bytes file = BytesOf("<ORVELLE><VERSION>2.1.0</VERSION></ORVELLE>\r\n");
    const Bytes signature = publisher.Sign(file);
    Bytes changed = file;
    changed[12] ^= 1;
    Bytes trailing = signature;
    trailing.push_back(0);
    struct Case {
        const char* what;
        std::string pem;
        Bytes bytes;
        Bytes signature;
        bool passes;
    } cases[] = {
            {"signed", publisher.Pem(), file, signature, true},
            {"an empty file, signed", publisher.Pem(), {}, publisher.Sign({}), true},
            {"another key", other.Pem(), file, signature, false},
            {"signed by another key", publisher.Pem(), file, other.Sign(file), false},
            {"one byte changed", publisher.Pem(), changed, signature, false},
            {"truncated", publisher.Pem(), file, Bytes(signature.begin(), signature.end() - 1), false},
            {"a byte more", publisher.Pem(), file, trailing, false},
            {"unsigned", publisher.Pem(), file, {}, false},
            {"not DER", publisher.Pem(), file, BytesOf("MEUCIQDx signature as text"), false},
            {"no key", "-----BEGIN PUBLIC KEY-----\nAAAA\n-----END PUBLIC KEY-----\n", file, signature, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSignedBy(c.pem, c.bytes, c.signature), c.passes) << c.what;
}

TEST(UpdateSignature, DigestsAreTheStandardOnesAndReadOnlyFromSixtyFourHexDigits) {
    const std::wstring abc = L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    EXPECT_EQ(Sha256Hex(*Sha256Of(BytesOf("abc"))), abc);
    EXPECT_EQ(Sha256Hex(*Sha256Of({})), L"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    std::wstring upper = abc;
    for (wchar_t& c : upper)
        c = c >= L'a' && c <= L'f' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    EXPECT_EQ(ParseSha256Hex(upper), Sha256Of(BytesOf("abc")));
    EXPECT_EQ(ParseSha256Hex(L" \r\n" + abc + L"\t"), Sha256Of(BytesOf("abc")));
    for (const std::wstring& bad : {std::wstring(), abc.substr(1), abc + L"0", abc.substr(0, 63) + L"g",
                                    abc.substr(0, 32) + L" " + abc.substr(33), L"0x" + abc.substr(2)})
        EXPECT_FALSE(ParseSha256Hex(bad)) << bad;
}

}  // namespace
