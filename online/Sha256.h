#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using Sha256Digest = std::array<std::uint8_t, 32>;

// SHA-256 (FIPS 180-4), fed in pieces of any size.
class Sha256 {
public:
    Sha256();
    void Update(const std::uint8_t* bytes, size_t count);
    // The digest of everything fed so far; the object then starts over.
    Sha256Digest Finish();

private:
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    size_t blockUsed_ = 0;
    std::uint64_t totalBytes_ = 0;
};

Sha256Digest Sha256Of(const std::uint8_t* bytes, size_t count);

// 64 lower-case hexadecimal digits.
std::wstring Sha256Hex(const Sha256Digest& digest);
// Exactly 64 hexadecimal digits of either case, with white space around them; none otherwise.
std::optional<Sha256Digest> ParseSha256Hex(std::wstring_view text);
