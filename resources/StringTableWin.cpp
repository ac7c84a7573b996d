#include "base/StringTable.h"

#include <windows.h>

std::wstring LoadText(unsigned id) {
    // With a zero buffer size LoadStringW hands out a pointer to the resource text itself,
    // so texts of any length come back whole.
    // Resource identifiers are 16 bits wide; a larger one would wrap onto another text.
    if (id > 0xFFFF)
        return {};
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return {};
    return std::wstring(text, static_cast<size_t>(length));
}
