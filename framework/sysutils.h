// Number conversions with the exact rules and messages of the program's
// text fields: integers with optional blanks, sign and "$"/"0x" hex;
// floats with the system's decimal separator; the general float format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

std::optional<std::int32_t> TryStrToInt(const std::string& text) noexcept;
// Throws EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(const std::string& text);
std::string IntToStr(std::int64_t value);

std::optional<double> TryStrToFloat(const std::string& text, char decimalSeparator) noexcept;
// Throws EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const std::string& text, char decimalSeparator);

// Shortest text with at most 15 significant digits, no trailing zeros, no
// separator for whole numbers; scientific ("1E15", "1.5E-5") only outside
// the range a fixed form shows well.
std::string FloatToStr(double value, char decimalSeparator);

// Truncation toward zero of a product that Windows forms in extended
// precision: seconds * 1000 with a 64-bit significand, computed exactly
// so that every compiler gives the same milliseconds (0.3 s -> 299).
std::int64_t TruncMillisecondsOf(double seconds) noexcept;

// A value as a message quotes it: in single quotes, cut after 40 bytes at a
// whole character ("..."), so that one of thousands still gives a box one
// can read.
std::string QuotedForMessage(const std::string& text);
