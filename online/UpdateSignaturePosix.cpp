// The platform side of the update signature, through OpenSSL's libcrypto: the tests' builds.
#include <openssl/ec.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <vector>

#include "online/UpdateSignature.h"

namespace {

template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, std::integral_constant<decltype(Free), Free>>;

void FreeOpenSslBytes(unsigned char* bytes) {
    OPENSSL_free(bytes);
}

}  // namespace

std::optional<Sha256Digest> Sha256Of(std::span<const std::uint8_t> bytes) {
    Sha256Digest digest;
    unsigned size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1 ||
        size != digest.size())
        return std::nullopt;
    return digest;
}

bool VerifyP256(const P256Key& key, const Sha256Digest& digest, const P256Signature& signature) {
    std::vector<std::uint8_t> info(kP256KeyInfoPrefix.begin(), kP256KeyInfoPrefix.end());
    info.insert(info.end(), key.begin(), key.end());
    const unsigned char* reading = info.data();
    Owned<EVP_PKEY, EVP_PKEY_free> publicKey(d2i_PUBKEY(nullptr, &reading, static_cast<long>(info.size())));
    Owned<ECDSA_SIG, ECDSA_SIG_free> pair(ECDSA_SIG_new());
    if (!publicKey || !pair)
        return false;
    BIGNUM* r = BN_bin2bn(signature.data(), 32, nullptr);
    BIGNUM* s = BN_bin2bn(signature.data() + 32, 32, nullptr);
    if (r == nullptr || s == nullptr || ECDSA_SIG_set0(pair.get(), r, s) != 1) {
        BN_free(r);
        BN_free(s);
        return false;
    }
    unsigned char* der = nullptr;
    const int length = i2d_ECDSA_SIG(pair.get(), &der);
    Owned<unsigned char, FreeOpenSslBytes> derOwned(der);
    Owned<EVP_PKEY_CTX, EVP_PKEY_CTX_free> context(EVP_PKEY_CTX_new(publicKey.get(), nullptr));
    return length > 0 && context && EVP_PKEY_verify_init(context.get()) == 1 &&
           EVP_PKEY_verify(context.get(), der, static_cast<size_t>(length), digest.data(), digest.size()) == 1;
}
