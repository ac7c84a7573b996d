#include "catalog/TextCompare.h"

#include <windows.h>

#include <climits>

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

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return SystemCompare(a, b, NORM_IGNORECASE) == CSTR_EQUAL;
}

int OrderIgnoringCase(std::wstring_view a, std::wstring_view b) {
    int result = SystemCompare(a, b, NORM_IGNORECASE);
    if (result == 0)
        return a.compare(b);
    return result - CSTR_EQUAL;
}
