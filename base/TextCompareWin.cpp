#include "base/TextCompare.h"

#include <windows.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN; 0 when the texts cannot be compared.
// https://learn.microsoft.com/windows/win32/api/stringapiset/nf-stringapiset-comparestringw
int SystemCompare(std::wstring_view a, std::wstring_view b, DWORD flags) {
    if (a.size() > INT_MAX || b.size() > INT_MAX)
        return 0;
    return CompareStringW(LOCALE_SYSTEM_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size()));
}

}  // namespace

bool SameText(std::wstring_view a, std::wstring_view b) {
    return SystemCompare(a, b, 0) == CSTR_EQUAL;
}

std::wstring SameTextKey(std::wstring_view text) {
    // https://learn.microsoft.com/windows/win32/intl/handling-sorting-in-your-applications
    std::wstring key;
    if (text.size() <= INT_MAX / 8) {
        const int length = static_cast<int>(text.size());
        const int bytes = LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY, text.data(), length, nullptr, 0);
        std::vector<BYTE> sortKey(static_cast<size_t>(bytes > 0 ? bytes : 0));
        if (bytes > 0 && LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY, text.data(), length,
                                      reinterpret_cast<LPWSTR>(sortKey.data()), bytes) == bytes) {
            key.assign(sortKey.begin(), sortKey.end());
            return key;
        }
    }
    // A text without a sort key matches only itself; a sort key never starts with a NUL.
    key = L'\0';
    key += text;
    return key;
}

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return SystemCompare(a, b, NORM_IGNORECASE) == CSTR_EQUAL;
}

int OrderIgnoringCase(std::wstring_view a, std::wstring_view b) {
    int result = SystemCompare(a, b, NORM_IGNORECASE);
    if (result == 0)
        return a.compare(b);
    return result - CSTR_EQUAL;
}

std::string OrderKeyIgnoringCase(std::wstring_view text) {
    // Sort keys compare byte by byte exactly as the texts compare.
    // https://learn.microsoft.com/windows/win32/intl/handling-sorting-in-your-applications
    if (text.empty())
        return std::string();  // the system makes no key of nothing; it comes first
    if (text.size() <= INT_MAX / 8) {
        const int length = static_cast<int>(text.size());
        const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
        const int bytes = LCMapStringW(LOCALE_SYSTEM_DEFAULT, flags, text.data(), length, nullptr, 0);
        std::string key(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
        if (bytes > 0 && LCMapStringW(LOCALE_SYSTEM_DEFAULT, flags, text.data(), length,
                                      reinterpret_cast<LPWSTR>(key.data()), bytes) == bytes)
            return key;
    }
    // A text without a sort key goes after every other, ordered by its code units.
    std::string key(1, '\xFF');
    for (wchar_t c : text) {
        key += static_cast<char>((c >> 8) & 0xFF);
        key += static_cast<char>(c & 0xFF);
    }
    return key;
}

std::wstring FoldForFinding(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX / 4)
        return std::wstring(text);
    // Decomposed, an accented letter is its plain letter followed by combining marks, which go.
    const int length = static_cast<int>(text.size());
    const int decomposedLength = FoldStringW(MAP_COMPOSITE, text.data(), length, nullptr, 0);
    std::wstring decomposed(static_cast<size_t>(decomposedLength > 0 ? decomposedLength : 0), L'\0');
    if (decomposedLength <= 0 ||
        FoldStringW(MAP_COMPOSITE, text.data(), length, decomposed.data(), decomposedLength) != decomposedLength)
        decomposed.assign(text);
    std::erase_if(decomposed, [](wchar_t c) { return c >= 0x0300 && c <= 0x036F; });
    std::wstring lower(decomposed.size(), L'\0');
    const int kept = static_cast<int>(decomposed.size());
    if (kept == 0 || LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, decomposed.data(), kept, lower.data(), kept,
                                   nullptr, nullptr, 0) != kept)
        return decomposed;
    return lower;
}
