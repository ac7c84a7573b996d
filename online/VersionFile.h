#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "online/UpdateSignature.h"

class MarkupDocument;

// What the vendor's version file publishes: the newest version and its installer's SHA-256.
// A value the file does not hold, or holds in a form that cannot be read, is none.
struct PublishedVersion {
    std::optional<std::wstring> version;
    std::optional<Sha256Digest> installerHash;
};

// Reads every "Version" and "SHA256" element (names ignoring case); the last of each counts,
// and an element without text, or with an empty one, is passed over.
PublishedVersion ReadVersionFile(MarkupDocument& document);

// An update is there when a version is published that differs from the program's own (any
// difference counts, a lower number too) and the installer's hash comes with it: without a
// hash no installer could be trusted.
bool IsUpdatePublished(const PublishedVersion& published, std::wstring_view ownVersion);

// The file version of the version resource as four numbers joined by ".": the high and low
// halves of the most significant 32 bits, then of the least significant 32 bits.
std::wstring FileVersionText(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// Names on the server and on disk, from the product name in lower case.
std::wstring VersionFileName(std::wstring_view productName);
std::wstring InstallerFileName(std::wstring_view productName);

// Whether the file's bytes have the digest; false when it cannot be read.
bool FileMatchesSha256(const std::wstring& path, const Sha256Digest& expected);

// The command line that starts the installer: the path in double quotes, so that a path with
// spaces cannot start another program named by its first words.
std::wstring InstallerCommandLine(std::wstring_view path);
