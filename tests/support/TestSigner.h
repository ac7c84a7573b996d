#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A P-256 key made for one test, signing as the publisher signs a release's version file
// (`openssl dgst -sha256 -sign`: DER over SHA-256 of the bytes). Made with the platform's own
// cryptography: libcrypto natively, CNG under Windows.
class TestSigner {
public:
    TestSigner();
    ~TestSigner();
    TestSigner(const TestSigner&) = delete;
    TestSigner& operator=(const TestSigner&) = delete;

    std::vector<std::uint8_t> Sign(const std::vector<std::uint8_t>& bytes) const;
    // The public key as a PEM "PUBLIC KEY" block.
    const std::string& Pem() const { return pem_; }

private:
    struct Key;
    std::unique_ptr<Key> key_;
    std::string pem_;
};
