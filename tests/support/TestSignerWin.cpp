#include <windows.h>
#include <bcrypt.h>

#include "online/UpdateSignature.h"
#include "support/TestSigner.h"

namespace {

std::string Base64(const std::vector<std::uint8_t>& bytes) {
    constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        unsigned group = static_cast<unsigned>(bytes[i]) << 16;
        if (left > 1)
            group |= static_cast<unsigned>(bytes[i + 1]) << 8;
        if (left > 2)
            group |= bytes[i + 2];
        text += kDigits[(group >> 18) & 63];
        text += kDigits[(group >> 12) & 63];
        text += left > 1 ? kDigits[(group >> 6) & 63] : '=';
        text += left > 2 ? kDigits[group & 63] : '=';
    }
    return text;
}

// One DER INTEGER of a 32-byte big-endian number.
void AppendInteger(std::vector<std::uint8_t>& der, const std::uint8_t* number) {
    size_t skip = 0;
    while (skip < 31 && number[skip] == 0)
        ++skip;
    const bool pad = (number[skip] & 0x80) != 0;
    der.push_back(0x02);
    der.push_back(static_cast<std::uint8_t>(32 - skip + (pad ? 1 : 0)));
    if (pad)
        der.push_back(0);
    der.insert(der.end(), number + skip, number + 32);
}

}  // namespace

struct TestSigner::Key {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_KEY_HANDLE key = nullptr;
};

TestSigner::TestSigner() : key_(std::make_unique<Key>()) {
    BCryptOpenAlgorithmProvider(&key_->algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0);
    BCryptGenerateKeyPair(key_->algorithm, &key_->key, 256, 0);
    BCryptFinalizeKeyPair(key_->key, 0);
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + 64);
    ULONG size = 0;
    BCryptExportKey(key_->key, nullptr, BCRYPT_ECCPUBLIC_BLOB, blob.data(), static_cast<ULONG>(blob.size()), &size, 0);
    std::vector<std::uint8_t> info(kP256KeyInfoPrefix.begin(), kP256KeyInfoPrefix.end());
    info.push_back(0x04);
    info.insert(info.end(), blob.begin() + sizeof(BCRYPT_ECCKEY_BLOB), blob.end());
    pem_ = "-----BEGIN PUBLIC KEY-----\n" + Base64(info) + "\n-----END PUBLIC KEY-----\n";
}

TestSigner::~TestSigner() {
    BCryptDestroyKey(key_->key);
    BCryptCloseAlgorithmProvider(key_->algorithm, 0);
}

std::vector<std::uint8_t> TestSigner::Sign(const std::vector<std::uint8_t>& bytes) const {
    Sha256Digest digest = Sha256Of(bytes).value_or(Sha256Digest{});
    std::uint8_t raw[64] = {};
    ULONG size = 0;
    BCryptSignHash(key_->key, nullptr, digest.data(), 32, raw, 64, &size, 0);
    std::vector<std::uint8_t> der{0x30, 0};
    AppendInteger(der, raw);
    AppendInteger(der, raw + 32);
    der[1] = static_cast<std::uint8_t>(der.size() - 2);
    return der;
}
