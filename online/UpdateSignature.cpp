#include "online/UpdateSignature.h"

#include <algorithm>
#include <vector>

namespace {

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

int Base64Value(char c) {
    constexpr std::string_view kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const size_t at = kDigits.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The bytes of base64 text, white space skipped and "=" ending it; none for other characters.
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    unsigned bits = 0;
    int held = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (c == '=')
            break;
        const int value = Base64Value(c);
        if (value < 0)
            return std::nullopt;
        bits = (bits << 6) | static_cast<unsigned>(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<std::uint8_t>(bits >> held));
        }
    }
    return bytes;
}

// One DER INTEGER of at most 32 bytes' value at the reader's place, right-aligned into out.
bool ReadInteger(std::span<const std::uint8_t>& der, std::uint8_t* out) {
    if (der.size() < 2 || der[0] != 0x02 || der[1] == 0 || der[1] > 33 || der.size() < 2u + der[1])
        return false;
    std::span<const std::uint8_t> value = der.subspan(2, der[1]);
    der = der.subspan(2u + value.size());
    // Positive: a high bit set needs a leading zero byte, and only then is one allowed.
    if ((value[0] & 0x80) != 0 || (value.size() > 1 && value[0] == 0 && (value[1] & 0x80) == 0))
        return false;
    if (value.size() == 33)
        value = value.subspan(1);
    std::fill(out, out + 32 - value.size(), std::uint8_t{0});
    std::copy(value.begin(), value.end(), out + 32 - value.size());
    return true;
}

}  // namespace

std::wstring Sha256Hex(const Sha256Digest& digest) {
    constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring hex;
    for (std::uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

std::optional<Sha256Digest> ParseSha256Hex(std::wstring_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    if (text.size() != 64)
        return std::nullopt;
    Sha256Digest digest;
    for (size_t i = 0; i < digest.size(); ++i) {
        const int high = HexValue(text[2 * i]);
        const int low = HexValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        digest[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return digest;
}

std::optional<P256Key> P256KeyFromPem(std::string_view pem) {
    constexpr std::string_view kBegin = "-----BEGIN PUBLIC KEY-----";
    constexpr std::string_view kEnd = "-----END PUBLIC KEY-----";
    const size_t begin = pem.find(kBegin);
    const size_t end = pem.find(kEnd);
    if (begin == std::string_view::npos || end == std::string_view::npos || end < begin)
        return std::nullopt;
    const std::optional<std::vector<std::uint8_t>> der = DecodeBase64(
            pem.substr(begin + kBegin.size(), end - begin - kBegin.size()));
    constexpr size_t kHeader = kP256KeyInfoPrefix.size();
    P256Key key;
    if (!der || der->size() != kHeader + key.size() ||
        !std::equal(kP256KeyInfoPrefix.begin(), kP256KeyInfoPrefix.end(), der->begin()) || (*der)[kHeader] != 0x04)
        return std::nullopt;
    std::copy(der->begin() + kHeader, der->end(), key.begin());
    return key;
}

std::optional<P256Signature> P256SignatureFromDer(std::span<const std::uint8_t> der) {
    if (der.size() < 2 || der[0] != 0x30 || der[1] != der.size() - 2)
        return std::nullopt;
    der = der.subspan(2);
    P256Signature signature;
    if (!ReadInteger(der, signature.data()) || !ReadInteger(der, signature.data() + 32) || !der.empty())
        return std::nullopt;
    return signature;
}

bool IsSignedBy(std::string_view pem, std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> signature) {
    const std::optional<P256Key> key = P256KeyFromPem(pem);
    const std::optional<P256Signature> parsed = P256SignatureFromDer(signature);
    const std::optional<Sha256Digest> digest = Sha256Of(bytes);
    return key && parsed && digest && VerifyP256(*key, *digest, *parsed);
}
