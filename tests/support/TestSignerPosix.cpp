#include <openssl/evp.h>
#include <openssl/pem.h>

#include <memory>

#include "support/TestSigner.h"

struct TestSigner::Key {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> pkey{EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"),
                                                             EVP_PKEY_free};
};

TestSigner::TestSigner() : key_(std::make_unique<Key>()) {
    std::unique_ptr<BIO, decltype(&BIO_free)> out(BIO_new(BIO_s_mem()), BIO_free);
    PEM_write_bio_PUBKEY(out.get(), key_->pkey.get());
    char* text = nullptr;
    const long length = BIO_get_mem_data(out.get(), &text);
    pem_ = std::string(text, static_cast<size_t>(length));
}

TestSigner::~TestSigner() = default;

std::vector<std::uint8_t> TestSigner::Sign(const std::vector<std::uint8_t>& bytes) const {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    size_t length = 0;
    EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key_->pkey.get());
    EVP_DigestSign(context.get(), nullptr, &length, bytes.data(), bytes.size());
    std::vector<std::uint8_t> signature(length);
    EVP_DigestSign(context.get(), signature.data(), &length, bytes.data(), bytes.size());
    signature.resize(length);
    return signature;
}
