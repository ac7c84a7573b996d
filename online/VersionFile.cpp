#include "online/VersionFile.h"

#include <vector>

#include "base/DataFile.h"
#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"
#include "base/NumberFormat.h"

namespace {

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

std::wstring LowerCase(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = AsciiLower(c);
    return lower;
}

}  // namespace

PublishedVersion ReadVersionFile(MarkupDocument& document) {
    PublishedVersion published;
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        if (document.IsEndTag())
            continue;
        const bool isVersion = SameIgnoringCase(name, L"Version");
        const bool isHash = SameIgnoringCase(name, L"SHA256");
        if (!isVersion && !isHash)
            continue;
        const wchar_t* text = document.ReadText(name);
        if (!text)
            continue;
        std::wstring value = Unescape({text, document.TextLength()});
        // An empty element publishes nothing; it does not undo an earlier one.
        if (value.empty())
            continue;
        if (isVersion)
            published.version = std::move(value);
        else
            published.installerHash = ParseSha256Hex(value);
    }
    return published;
}

bool IsUpdatePublished(const PublishedVersion& published, std::wstring_view ownVersion) {
    return published.version && *published.version != ownVersion && published.installerHash;
}

std::wstring FileVersionText(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
    return FormatInteger(mostSignificant >> 16) + L"." + FormatInteger(mostSignificant & 0xFFFF) + L"." +
           FormatInteger(leastSignificant >> 16) + L"." + FormatInteger(leastSignificant & 0xFFFF);
}

std::wstring VersionFileName(std::wstring_view productName) {
    return LowerCase(productName) + L".ver";
}

std::wstring InstallerFileName(std::wstring_view productName) {
    return LowerCase(productName) + L"setup.exe";
}

bool FileMatchesSha256(const std::wstring& path, const Sha256Digest& expected) {
    std::vector<std::uint8_t> bytes;
    DataFile file(path);
    if (!file.ReadAll(bytes))
        return false;
    return Sha256Of(bytes) == expected;
}

std::wstring InstallerCommandLine(std::wstring_view path) {
    return L"\"" + std::wstring(path) + L"\"";
}
