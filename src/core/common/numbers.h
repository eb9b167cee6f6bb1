#pragma once
// The one place where numbers are read from text, rounded and formatted.
// Typed numbers are read by their leading decimal number; display patterns
// ("0", "00", "0.00", "##0.000", "####") round halves away from zero; turning a
// number into an integer (for a byte or its hex form) rounds halves to even.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/result.h"

namespace edid {

/// The leading decimal number of a text, as a user would type it: leading blanks,
/// an optional sign, digits, an optional fraction and exponent. Anything after the
/// number is ignored; a text without a leading number counts as 0 ("abc", "", "-").
double leadingNumber(std::string_view text);

/// A number typed into an entry box, read as leadingNumber reads it (after
/// decimalEntry when decimalComma is set); text without a leading number ("abc", "",
/// "-", ".") is refused with "Not a number: <text as typed>", so it never stands
/// for 0. A number beyond a double's range reads as the largest double of its sign
/// (or 0 for a tiny one), so range checks still refuse it.
Result<double> enteredNumber(std::string_view text, bool decimalComma = false);

/// A typed decimal fraction made uniform before it is read: surrounding blanks
/// dropped and a decimal comma taken as a point ("  2,2 " -> "2.2"), since users in
/// many countries type the comma.
std::string decimalEntry(std::string_view text);

/// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
/// Values beyond the int64 range saturate.
std::int64_t roundHalfEven(double value);

/// Formats a value with a display pattern made of '0' (a digit always shown),
/// '#' (a digit shown only when significant) and at most one '.': "0", "00",
/// "00000", "0.00", "##0.00", "##0.000", "####", "##". The value is first taken
/// to 15 significant digits, as a decimal, then rounded to the pattern's
/// decimals with halves away from zero (2.675 -> "2.68", -0.5 -> "-1").
std::string formatNumber(double value, std::string_view pattern);
/// formatNumber written onto the end of out.
void appendNumber(std::string& out, double value, std::string_view pattern);
/// numerator / denominator written as appendNumber writes it, in integers: the
/// exact quotient rounded halves up, as formatNumber rounds a quotient of few digits.
void appendRatio(std::string& out, std::uint32_t numerator, std::uint32_t denominator,
                 std::string_view pattern);

/// The shortest decimal text of a value at 15 significant digits, as a result is
/// shown: no leading space, no trailing zeros ("6", "0.25", "-0.5",
/// "0.333333333333333"). Magnitudes from 1E-5 up to below 1E+15 are written out;
/// others take an exponent ("1E+20", "2.5E-07"). Non-finite values give "0".
std::string numberText(double value);

/// Upper-case hexadecimal form of a 32-bit integer without leading zeros;
/// a negative value gives its 32-bit two's complement (-1 -> "FFFFFFFF").
std::string hexText(std::int64_t value);

}  // namespace edid
