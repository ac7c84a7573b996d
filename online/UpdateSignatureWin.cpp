// The platform side of the update signature, through Windows' own cryptography (CNG).
#include <windows.h>
#include <bcrypt.h>

#include <vector>

#include "online/UpdateSignature.h"

namespace {

class Algorithm {
public:
    explicit Algorithm(const wchar_t* name) {
        if (BCryptOpenAlgorithmProvider(&handle_, name, nullptr, 0) != 0)
            handle_ = nullptr;
    }
    ~Algorithm() {
        if (handle_ != nullptr)
            BCryptCloseAlgorithmProvider(handle_, 0);
    }
    Algorithm(const Algorithm&) = delete;
    Algorithm& operator=(const Algorithm&) = delete;
    BCRYPT_ALG_HANDLE Get() const { return handle_; }

private:
    BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class HashOrKey {
public:
    HashOrKey() = default;
    ~HashOrKey() {
        if (hash_ != nullptr)
            BCryptDestroyHash(hash_);
        if (key_ != nullptr)
            BCryptDestroyKey(key_);
    }
    HashOrKey(const HashOrKey&) = delete;
    HashOrKey& operator=(const HashOrKey&) = delete;
    BCRYPT_HASH_HANDLE hash_ = nullptr;
    BCRYPT_KEY_HANDLE key_ = nullptr;
};

}  // namespace

// Through the hash object rather than BCryptHash, which Windows 7 and 8 lack.
std::optional<Sha256Digest> Sha256Of(std::span<const std::uint8_t> bytes) {
    const Algorithm sha256(BCRYPT_SHA256_ALGORITHM);
    HashOrKey hash;
    Sha256Digest digest;
    if (sha256.Get() == nullptr || BCryptCreateHash(sha256.Get(), &hash.hash_, nullptr, 0, nullptr, 0, 0) != 0)
        return std::nullopt;
    // In pieces: the count is 32-bit.
    for (size_t done = 0; done < bytes.size();) {
        const ULONG piece = static_cast<ULONG>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (BCryptHashData(hash.hash_, const_cast<PUCHAR>(bytes.data() + done), piece, 0) != 0)
            return std::nullopt;
        done += piece;
    }
    if (BCryptFinishHash(hash.hash_, digest.data(), static_cast<ULONG>(digest.size()), 0) != 0)
        return std::nullopt;
    return digest;
}

bool VerifyP256(const P256Key& key, const Sha256Digest& digest, const P256Signature& signature) {
    const Algorithm ecdsa(BCRYPT_ECDSA_P256_ALGORITHM);
    if (ecdsa.Get() == nullptr)
        return false;
    // The blob's header, then X and Y: the point without its leading 0x04.
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB));
    auto* header = reinterpret_cast<BCRYPT_ECCKEY_BLOB*>(blob.data());
    header->dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
    header->cbKey = 32;
    blob.insert(blob.end(), key.begin() + 1, key.end());
    HashOrKey imported;
    if (BCryptImportKeyPair(ecdsa.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &imported.key_, blob.data(),
                            static_cast<ULONG>(blob.size()), 0) != 0)
        return false;
    return BCryptVerifySignature(imported.key_, nullptr, const_cast<PUCHAR>(digest.data()),
                                 static_cast<ULONG>(digest.size()), const_cast<PUCHAR>(signature.data()),
                                 static_cast<ULONG>(signature.size()), 0) == 0;
}
