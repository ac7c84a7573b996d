#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The publisher signs the version file with a key the update server never holds: an ECDSA
// P-256 signature over SHA-256 of the file's exact bytes, as `openssl dgst -sha256 -sign`
// writes it. The arithmetic is the platform's (CNG on Windows, libcrypto elsewhere); this side
// reads the formats the key and the signature come in.

using Sha256Digest = std::array<std::uint8_t, 32>;
using P256Key = std::array<std::uint8_t, 65>;        // the public point: 0x04, then X and Y
using P256Signature = std::array<std::uint8_t, 64>;  // r, then s, each 32 bytes, high byte first

// The DER of a P-256 public key (SubjectPublicKeyInfo, id-ecPublicKey on prime256v1) up to its
// 65-byte point.
inline constexpr std::array<std::uint8_t, 26> kP256KeyInfoPrefix = {
        0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x02, 0x01,
        0x06, 0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00};

// The platform's SHA-256 of the bytes; none when it cannot hash.
std::optional<Sha256Digest> Sha256Of(std::span<const std::uint8_t> bytes);
// The platform's verdict on the signature of the digest under the key.
bool VerifyP256(const P256Key& key, const Sha256Digest& digest, const P256Signature& signature);

// 64 lower-case hexadecimal digits.
std::wstring Sha256Hex(const Sha256Digest& digest);
// Exactly 64 hexadecimal digits of either case, with white space around them; none otherwise.
std::optional<Sha256Digest> ParseSha256Hex(std::wstring_view text);

// The key of a PEM "PUBLIC KEY" block (as `openssl ec -pubout` writes it) holding a P-256 key;
// none for any other text or key.
std::optional<P256Key> P256KeyFromPem(std::string_view pem);
// The signature as DER (a SEQUENCE of the INTEGERs r and s); none when malformed.
std::optional<P256Signature> P256SignatureFromDer(std::span<const std::uint8_t> der);

// True only for a well-formed signature that the key made over exactly these bytes.
bool IsSignedBy(std::string_view pem, std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> signature);
