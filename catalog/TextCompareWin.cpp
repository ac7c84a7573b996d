#include "catalog/TextCompare.h"

#include <windows.h>

#include <climits>

namespace {

// https://learn.microsoft.com/windows/win32/api/stringapiset/nf-stringapiset-comparestringw
bool CompareEqual(std::wstring_view a, std::wstring_view b, DWORD flags) {
    if (a.size() > INT_MAX || b.size() > INT_MAX)
        return false;
    return CompareStringW(LOCALE_SYSTEM_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace

bool SameText(std::wstring_view a, std::wstring_view b) {
    return CompareEqual(a, b, 0);
}

bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return CompareEqual(a, b, NORM_IGNORECASE);
}
