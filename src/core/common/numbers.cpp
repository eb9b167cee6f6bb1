#include "core/common/numbers.h"

#include <algorithm>
#include <cctype>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace edid {

namespace {

// The leading number's text, "" when there is none; see leadingNumber.
std::string leadingNumberText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  bool anyDigit = i > digitsStart;
  if (i < text.size() && text[i] == '.') {
    ++i;
    const std::size_t fracStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    anyDigit = anyDigit || i > fracStart;
  }
  if (!anyDigit) return {};
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expStart = j;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
    if (j > expStart) end = j;
  }
  std::string number(text.substr(start, end - start));
  for (char& c : number) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  return number;
}

// Reads a leading number's text; out-of-range when it overflows or underflows.
std::errc readNumber(const std::string& number, double& value) {
  // from_chars ignores the C locale, which the GUI toolkit sets from the user's
  // environment: strtod would stop at the point of "2.2" under a comma locale.
  const char* first = number.c_str();
  if (*first == '+') ++first;
  value = 0.0;
  return std::from_chars(first, number.c_str() + number.size(), value).ec;
}

}  // namespace

double leadingNumber(std::string_view text) {
  const std::string number = leadingNumberText(text);
  double value = 0.0;
  if (number.empty() || readNumber(number, value) != std::errc()) return 0.0;
  return std::isfinite(value) ? value : 0.0;
}

Result<double> enteredNumber(std::string_view text, bool decimalComma) {
  const std::string number = leadingNumberText(decimalComma ? decimalEntry(text) : text);
  if (number.empty()) return failure("Not a number: " + std::string(text));
  double value = 0.0;
  if (readNumber(number, value) == std::errc()) return value;
  // Out of range: a negative exponent means a magnitude too small to hold.
  const auto e = number.find_first_of("eE");
  if (e != std::string::npos && number[e + 1] == '-') return 0.0;
  return number[0] == '-' ? -std::numeric_limits<double>::max()
                          : std::numeric_limits<double>::max();
}

std::string decimalEntry(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  std::string out(text);
  for (char& c : out) {
    if (c == ',') c = '.';
  }
  return out;
}

std::int64_t roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = 9.2e18;
  if (value >= kMax) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kMax) return std::numeric_limits<std::int64_t>::min();
  if (std::fabs(value) < 0x1p52) {
    // Below 2^52 the whole part and the rest are exact, so halves can be told
    // apart without switching the rounding mode, which costs far more.
    const double whole = std::floor(value);
    const double rest = value - whole;
    auto n = static_cast<std::int64_t>(whole);
    if (rest > 0.5 || (rest == 0.5 && (n & 1) != 0)) ++n;
    return n;
  }
  const int mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  std::fesetround(mode);
  return static_cast<std::int64_t>(rounded);
}

namespace {

struct Pattern {
  int decimals = 0;
  int minIntDigits = 0;  // the '0's before the point
};

Pattern patternOf(std::string_view pattern) {
  // One pass: the '0's before the first point, every character after it.
  Pattern p;
  bool decimals = false;
  for (const char c : pattern) {
    if (decimals)
      ++p.decimals;
    else if (c == '.')
      decimals = true;
    else if (c == '0')
      ++p.minIntDigits;
  }
  return p;
}

constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
constexpr int kMaxFastDecimals = 6;

// units, the value times 10^decimals already rounded, as the pattern shows it.
void appendUnits(std::string& out, std::uint64_t units, const Pattern& p, bool negative) {
  char buf[64];
  char* const end = buf + sizeof buf;
  char* at = end;
  negative = negative && units != 0;
  for (int k = 0; k < p.decimals; ++k, units /= 10) *--at = static_cast<char>('0' + units % 10);
  if (p.decimals > 0) *--at = '.';
  int length = 0;
  for (; units != 0; units /= 10, ++length) *--at = static_cast<char>('0' + units % 10);
  for (; length < p.minIntDigits && at > buf + 1; ++length) *--at = '0';
  if (negative) *--at = '-';
  out.append(at, static_cast<std::size_t>(end - at));
}

}  // namespace

void appendRatio(std::string& out, std::uint32_t numerator, std::uint32_t denominator,
                 std::string_view pattern) {
  const Pattern p = patternOf(pattern);
  if (denominator == 0 || p.decimals > kMaxFastDecimals)
    return appendNumber(out, denominator == 0 ? 0.0 : double(numerator) / denominator, pattern);
  // Halves away from zero: add half a denominator before dividing.
  const std::uint64_t scaled = std::uint64_t{numerator} * kPowers[p.decimals];
  appendUnits(out, (2 * scaled + denominator) / (2 * std::uint64_t{denominator}), p, false);
}

void appendNumber(std::string& out, double value, std::string_view pattern) {
  const Pattern p = patternOf(pattern);
  const int decimals = p.decimals;
  const int minIntDigits = p.minIntDigits;
  if (!std::isfinite(value)) value = 0.0;

  const bool negative = value < 0;
  const double magnitude = std::fabs(value);
  if (decimals <= kMaxFastDecimals && magnitude < 1e9 / static_cast<double>(kPowers[decimals])) {
    // Scaled to the last decimal, a value that is not near a half rounds the same
    // with or without the fifteen-digit step: that step and the scaling move it by
    // under 1E-5 of a unit here. Near a half the decimal route below decides.
    const double scaled = magnitude * static_cast<double>(kPowers[decimals]);
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) > 1e-3)
      return appendUnits(out, static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0), p,
                         negative);
  }
  if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
    // A whole number, the common case: its digits are exact and need no rounding;
    // zero shows no digit of its own, only the pattern's zeros.
    char buf[24];
    const char* end = buf;
    if (magnitude != 0.0)
      end = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(magnitude)).ptr;
    const auto length = static_cast<int>(end - buf);
    if (negative && length > 0) out += '-';
    if (length < minIntDigits) out.append(static_cast<std::size_t>(minIntDigits - length), '0');
    out.append(buf, static_cast<std::size_t>(length));
    if (decimals > 0) out.append(1, '.').append(static_cast<std::size_t>(decimals), '0');
    return;
  }
  // Fifteen significant digits as a decimal string, then round that decimal.
  std::string digits = "0";
  int point = 1;  // digits before the decimal point
  if (magnitude != 0.0) {
    // to_chars rounds as printf's %.14e does, at a fraction of its cost.
    char buf[64];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14).ptr;
    digits.assign(1, buf[0]);
    digits.append(buf + 2, 14);
    int exponent = 0;
    const char* e = std::find(buf, end, 'e') + 1;
    std::from_chars(e + (*e == '+' ? 1 : 0), end, exponent);
    point = exponent + 1;
  }
  if (point <= 0) {
    digits.insert(0, static_cast<std::size_t>(1 - point), '0');
    point = 1;
  }
  const std::size_t keep = static_cast<std::size_t>(point + decimals);
  if (digits.size() < keep + 1) digits.append(keep + 1 - digits.size(), '0');
  const bool roundUp = digits[keep] >= '5';
  digits.resize(keep);
  if (roundUp) {
    int i = static_cast<int>(keep) - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
      digits[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      digits.insert(0, "1");
      ++point;
    } else {
      ++digits[static_cast<std::size_t>(i)];
    }
  }
  std::string intPart = digits.substr(0, static_cast<std::size_t>(point));
  const std::string fracPart = digits.substr(static_cast<std::size_t>(point));
  const std::size_t firstSignificant = intPart.find_first_not_of('0');
  intPart = firstSignificant == std::string::npos ? "" : intPart.substr(firstSignificant);
  if (static_cast<int>(intPart.size()) < minIntDigits)
    intPart.insert(0, static_cast<std::size_t>(minIntDigits) - intPart.size(), '0');

  const bool isZero = (intPart + fracPart).find_first_not_of('0') == std::string::npos;
  if (negative && !isZero) out += '-';
  out += intPart;
  if (decimals > 0) out.append(1, '.').append(fracPart);
}

std::string formatNumber(double value, std::string_view pattern) {
  std::string out;
  appendNumber(out, value, pattern);
  return out;
}

std::string numberText(double value) {
  if (!std::isfinite(value) || value == 0.0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string digits(1, buf[0]);
  digits.append(buf + 2, 14);
  int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  digits.erase(digits.find_last_not_of('0') + 1);
  std::string out = value < 0 ? "-" : "";
  if (exponent >= -5 && exponent < 15) {
    if (exponent < 0) {
      out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
      const auto point = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() < point) digits.append(point - digits.size(), '0');
      out += digits.substr(0, point);
      if (digits.size() > point) out += "." + digits.substr(point);
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) out += "." + digits.substr(1);
  std::snprintf(buf, sizeof buf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return out + buf;
}

std::string hexText(std::int64_t value) {
  std::uint64_t bits = static_cast<std::uint64_t>(value);
  if (value < 0 && value >= std::numeric_limits<std::int32_t>::min()) bits &= 0xFFFFFFFFu;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(bits));
  return buf;
}

}  // namespace edid
