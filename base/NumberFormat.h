#pragma once

#include <string>

// Number texts in the classic "C" form, whatever the user's locale.

// General notation with six significant digits, as a C-locale stream prints a double:
// "12.5", "0.25", "1234.57", "1e+06".
std::wstring FormatGeneral(double number);

// Every digit needed to read the same number back, never with an exponent: "1234567",
// "0.0000125", "12345.67". Values that are not finite give the nearest finite value.
std::wstring FormatPlainDecimal(double number);

// Fixed notation with exactly two decimals and no grouping: "12.50".
std::wstring FormatTwoDecimals(double number);

std::wstring FormatInteger(long long number);
