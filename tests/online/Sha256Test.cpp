#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "online/Sha256.h"

namespace {

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

struct Vector {
    std::string message;
    const wchar_t* digest;
};

const Vector kStandardVectors[] = {
        {"", L"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         L"248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         L"cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), L"cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        // Lengths around the padding's block boundary.
        {std::string(55, 'a'), L"9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), L"b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(64, 'a'), L"ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
};

TEST(Sha256, GivesTheStandardDigestsWhetherFedWholeOrInPieces) {
    for (const Vector& v : kStandardVectors) {
        const std::vector<std::uint8_t> bytes = BytesOf(v.message);
        EXPECT_EQ(Sha256Hex(Sha256Of(bytes.data(), bytes.size())), v.digest) << v.message.size();
        for (size_t piece : {1u, 3u, 63u, 64u, 65u}) {
            Sha256 hash;
            for (size_t at = 0; at < bytes.size(); at += piece)
                hash.Update(bytes.data() + at, std::min(piece, bytes.size() - at));
            EXPECT_EQ(Sha256Hex(hash.Finish()), v.digest) << v.message.size() << " in pieces of " << piece;
        }
    }
}

TEST(Sha256, StartsOverAfterFinishing) {
    Sha256 hash;
    const std::vector<std::uint8_t> abc = BytesOf("abc");
    hash.Update(abc.data(), abc.size());
    hash.Finish();
    hash.Update(abc.data(), abc.size());
    EXPECT_EQ(Sha256Hex(hash.Finish()), kStandardVectors[1].digest);
}

TEST(Sha256, ReadsOnlyExactlySixtyFourHexDigits) {
    const std::wstring hex = kStandardVectors[1].digest;
    std::wstring upper = hex;
    for (wchar_t& c : upper)
        c = c >= L'a' && c <= L'f' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    const Sha256Digest expected = Sha256Of(reinterpret_cast<const std::uint8_t*>("abc"), 3);
    EXPECT_EQ(ParseSha256Hex(hex), expected);
    EXPECT_EQ(ParseSha256Hex(upper), expected);
    EXPECT_EQ(ParseSha256Hex(L" \r\n" + hex + L"\t"), expected);
    for (const std::wstring& bad : {std::wstring(), hex.substr(1), hex + L"0", hex.substr(0, 63) + L"g",
                                    hex.substr(0, 32) + L" " + hex.substr(33), L"0x" + hex.substr(2)})
        EXPECT_FALSE(ParseSha256Hex(bad)) << bad;
}

}  // namespace
