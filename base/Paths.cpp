#include "base/Paths.h"

namespace {

size_t LastSeparator(std::wstring_view path) {
    return path.find_last_of(L"\\/");
}

}  // namespace

std::wstring FolderOf(std::wstring_view path) {
    size_t separator = LastSeparator(path);
    if (separator == std::wstring_view::npos)
        return {};
    return std::wstring(path.substr(0, separator)) + L'\\';
}

std::wstring FileNameOf(std::wstring_view path) {
    size_t separator = LastSeparator(path);
    if (separator == std::wstring_view::npos)
        return std::wstring(path);
    return std::wstring(path.substr(separator + 1));
}

void EnsureTrailing(std::wstring& text, wchar_t character) {
    if (!text.empty() && text.back() != character)
        text += character;
}
