#include "catalog/NumberFormat.h"

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

// The six significant digits of the number and its decimal exponent, rounded exactly as the
// general form rounds them.
void SixDigits(double number, std::wstring& digits, int& exponent) {
    std::wstring scientific = ToChars(std::fabs(number), std::chars_format::scientific, 5);
    size_t e = scientific.find(L'e');
    digits.clear();
    for (size_t i = 0; i < e; ++i) {
        if (scientific[i] != L'.')
            digits += scientific[i];
    }
    exponent = 0;
    bool negative = false;
    for (size_t i = e + 1; i < scientific.size(); ++i) {
        if (scientific[i] == L'-')
            negative = true;
        else if (scientific[i] >= L'0' && scientific[i] <= L'9')
            exponent = exponent * 10 + (scientific[i] - L'0');
    }
    if (negative)
        exponent = -exponent;
}

}  // namespace

std::wstring FormatGeneral(double number) {
    return ToChars(number, std::chars_format::general, 6);
}

std::wstring FormatPlainDecimal(double number) {
    if (std::isnan(number))
        return L"0";
    if (std::isinf(number))
        number = number > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    if (number == 0)
        return L"0";
    std::wstring general = FormatGeneral(number);
    if (general.find(L'e') == std::wstring::npos)
        return general;
    // Place the same six digits around the point: zeros after them for large numbers,
    // before them for small ones.
    std::wstring digits;
    int exponent = 0;
    SixDigits(number, digits, exponent);
    while (digits.size() > 1 && digits.back() == L'0' && static_cast<int>(digits.size()) - 1 > exponent)
        digits.pop_back();
    std::wstring plain = number < 0 ? L"-" : L"";
    if (exponent >= 0) {
        plain += digits;
        plain.append(static_cast<size_t>(exponent + 1) - std::min(digits.size(), static_cast<size_t>(exponent + 1)),
                     L'0');
    } else {
        plain += L"0.";
        plain.append(static_cast<size_t>(-exponent - 1), L'0');
        plain += digits;
    }
    return plain;
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
