// Loads arbitrary bytes as the vendor's version file and decides whether it publishes an update.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/MarkupDocument.h"
#include "online/VersionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    MarkupDocument document;
    document.LoadFromBytes(data, size);
    const PublishedVersion published = ReadVersionFile(document);
    // No installer is trusted without a hash, and a hash read is one that reads back the same.
    if (IsUpdatePublished(published, L"1.0.0.0") && !published.installerHash)
        std::abort();
    if (published.installerHash && ParseSha256Hex(Sha256Hex(*published.installerHash)) != published.installerHash)
        std::abort();
    return 0;
}
