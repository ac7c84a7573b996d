#include "base/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

// Enough for a fixed-notation double with all its digits.
constexpr size_t kBufferSize = 400;

std::wstring Widen(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring ToChars(double number, std::chars_format format, int precision) {
    char buffer[kBufferSize];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number, format, precision);
    if (result.ec != std::errc())
        return L"0";
    return Widen(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

}  // namespace

std::wstring FormatGeneral(double number) {
    return ToChars(number, std::chars_format::general, 6);
}

std::wstring FormatPlainDecimal(double number) {
    if (std::isnan(number) || number == 0)
        return L"0";
    if (std::isinf(number))
        number = number > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    // The shortest fixed form that reads back as the same number; the largest double takes 309
    // digits, the smallest 327 characters.
    char buffer[kBufferSize];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    if (result.ec != std::errc())
        return L"0";
    return Widen(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

std::wstring FormatTwoDecimals(double number) {
    return ToChars(number, std::chars_format::fixed, 2);
}

std::wstring FormatInteger(long long number) {
    // The same digits as std::to_wstring, without its formatted printing: an export formats a
    // number for every row.
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    return std::wstring(digits, result.ptr);
}
