#include "catalog/NumberFormat.h"

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

// The decimal exponent of the number once rounded to six significant digits.
int RoundedExponent(double number) {
    std::wstring scientific = ToChars(number, std::chars_format::scientific, 5);
    size_t e = scientific.find(L'e');
    if (e == std::wstring::npos)
        return 0;
    int exponent = 0;
    bool negative = false;
    for (size_t i = e + 1; i < scientific.size(); ++i) {
        if (scientific[i] == L'-')
            negative = true;
        else if (scientific[i] >= L'0' && scientific[i] <= L'9')
            exponent = exponent * 10 + (scientific[i] - L'0');
    }
    return negative ? -exponent : exponent;
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
    int exponent = RoundedExponent(number);
    if (exponent >= 0) {
        // Keep six significant digits: round to a multiple of the right power of ten.
        double scale = std::pow(10.0, exponent - 5);
        double rounded = std::round(number / scale) * scale;
        if (!std::isfinite(rounded))
            rounded = number;
        return ToChars(rounded, std::chars_format::fixed, 0);
    }
    std::wstring fixed = ToChars(number, std::chars_format::fixed, 5 - exponent);
    // Trailing zeros carry nothing, as in the general form.
    while (!fixed.empty() && fixed.back() == L'0')
        fixed.pop_back();
    if (!fixed.empty() && fixed.back() == L'.')
        fixed.pop_back();
    return fixed;
}

std::wstring FormatTwoDecimals(double number) {
    return ToChars(number, std::chars_format::fixed, 2);
}

std::wstring FormatInteger(long long number) {
    return std::to_wstring(number);
}
