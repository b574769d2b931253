#include "framework/sysutils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "framework/exceptions.h"

namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) noexcept {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(const std::string& text) noexcept {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < n && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return std::nullopt;
  std::uint64_t value = 0;
  if (hex) {
    // Hex reads up to 32 bits and wraps into the signed range, as the
    // Windows-era conversions did ("$FFFFFFFF" is -1).
    for (; i < n; ++i) {
      const int digit = HexDigitValue(text[i]);
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(digit);
      if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(value);
    const auto magnitude = static_cast<std::int64_t>(static_cast<std::int32_t>(bits));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(negative ? -magnitude : magnitude));
  }
  const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
  for (; i < n; ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > limit) return std::nullopt;
  }
  const auto signedValue = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
  return static_cast<std::int32_t>(signedValue);
}

std::int32_t StrToInt(const std::string& text) {
  if (const auto value = TryStrToInt(text)) return *value;
  throw EConvertError(FormatMessage(messages::kInvalidInteger, text));
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

namespace {

// Whether a number from_chars found out of range is too large (rather than
// too small): its decimal order, the digits before the point plus the
// exponent, is above zero. The exponent's sign alone does not tell:
// "444...4.2E-1" with 400 fours is far too large.
bool TooLarge(const std::string& plain) noexcept {
  const std::size_t e = plain.find('e');
  const std::size_t mantissaEnd = e == std::string::npos ? plain.size() : e;
  const std::size_t point = std::min(plain.find('.'), mantissaEnd);
  long long order = 0;
  std::size_t first = 0;
  while (first < point && plain[first] == '0') ++first;
  if (first < point) {
    order = static_cast<long long>(point - first);
  } else {
    std::size_t zeros = 0;
    for (std::size_t i = point + 1; i < mantissaEnd && plain[i] == '0'; ++i) ++zeros;
    order = -static_cast<long long>(zeros);
  }
  long long exponent = 0;
  if (e != std::string::npos) {
    std::size_t i = e + 1;
    const bool negative = i < plain.size() && plain[i] == '-';
    if (i < plain.size() && (plain[i] == '-' || plain[i] == '+')) ++i;
    // Saturated: any exponent beyond a billion decides alone.
    for (; i < plain.size() && exponent < 1000000000; ++i) exponent = exponent * 10 + (plain[i] - '0');
    if (negative) exponent = -exponent;
  }
  return order + exponent > 0;
}

}  // namespace

std::optional<double> TryStrToFloat(const std::string& text, char decimalSeparator) noexcept {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  std::string plain;  // the number respelled for from_chars: digits, '.', 'e'
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  std::size_t digits = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++digits) plain += text[i];
  if (i < n && text[i] == decimalSeparator) {
    plain += '.';
    for (++i; i < n && IsDigit(text[i]); ++i, ++digits) plain += text[i];
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == '-' || text[i] == '+')) plain += text[i++];
    std::size_t exponentDigits = 0;
    for (; i < n && IsDigit(text[i]); ++i, ++exponentDigits) plain += text[i];
    if (exponentDigits == 0) return std::nullopt;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return std::nullopt;
  if (plain.front() == '.') plain.insert(plain.begin(), '0');
  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (end != plain.data() + plain.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is not a number the program can use.
    if (TooLarge(plain)) return std::nullopt;
    value = 0;
  } else if (error != std::errc()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

double StrToFloat(const std::string& text, char decimalSeparator) {
  if (const auto value = TryStrToFloat(text, decimalSeparator)) return *value;
  throw EConvertError(FormatMessage(messages::kInvalidFloat, text));
}

std::string FloatToStr(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  constexpr int kPrecision = 15;
  char buffer[64];
  // Correctly rounded on every C library the program is built with (glibc,
  // and mingw-w64's own printf); the C++ library's to_chars would bring
  // some 170 KB of tables into the exe for the same digits.
  const int length = std::snprintf(buffer, sizeof buffer, "%.*e", kPrecision - 1, std::fabs(value));
  std::string scientific(buffer, static_cast<std::size_t>(std::max(length, 0)));  // d.dddddddddddddde+XX
  const auto ePos = scientific.find('e');
  double readBack = 0;
  if (std::from_chars(scientific.data(), scientific.data() + scientific.size(), readBack).ec ==
      std::errc::result_out_of_range) {
    // From 1.797693134862315E308 on, 15 digits round up past the largest
    // double (to ...232E308) and would not read back: the last goes down.
    --scientific[ePos - 1];
  }
  std::string digits = scientific.substr(0, 1) + scientific.substr(2, ePos - 2);
  const int exponent = std::atoi(scientific.c_str() + ePos + 1);  // value = d.ddd * 10^exponent
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  const int pointPosition = exponent + 1;  // digits before the separator
  if (pointPosition > kPrecision || pointPosition < -3) {
    text += digits[0];
    if (digits.size() > 1) {
      text += decimalSeparator;
      text += digits.substr(1);
    }
    text += 'E';
    text += std::to_string(exponent);
    return text;
  }
  if (pointPosition <= 0) {
    text += '0';
    text += decimalSeparator;
    text.append(static_cast<std::size_t>(-pointPosition), '0');
    text += digits;
    return text;
  }
  const auto whole = static_cast<std::size_t>(pointPosition);
  if (digits.size() <= whole) {
    text += digits;
    text.append(whole - digits.size(), '0');
  } else {
    text += digits.substr(0, whole);
    text += decimalSeparator;
    text += digits.substr(whole);
  }
  return text;
}

std::int64_t TruncMillisecondsOf(double seconds) noexcept {
  constexpr std::int64_t kIndefinite = std::numeric_limits<std::int64_t>::min();
  if (!std::isfinite(seconds)) return kIndefinite;
  if (seconds == 0) return 0;
  // |seconds| = mantissa * 2^shift with a 53-bit mantissa; mantissa * 1000
  // needs at most 63 bits, so the extended product is exact and only the
  // truncation remains.
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(seconds), &exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = exponent - 53;
  const std::uint64_t product = mantissa * 1000u;
  std::uint64_t whole = 0;
  if (shift >= 0) {
    if (shift >= 63 || product > (static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) >> shift)) {
      return kIndefinite;  // what the x87 store gives for a value out of range
    }
    whole = product << shift;
  } else if (shift > -64) {
    whole = product >> -shift;
  }
  const auto magnitude = static_cast<std::int64_t>(whole);
  return seconds < 0 ? -magnitude : magnitude;
}

std::string QuotedForMessage(const std::string& text) {
  constexpr std::size_t kMostQuoted = 40;
  if (text.size() <= kMostQuoted) return "'" + text + "'";
  std::size_t end = kMostQuoted;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return "'" + text.substr(0, end) + "...'";
}
