// The number conversions every text field and list file goes through. Any
// text: the throwing and the trying forms agree, a number converts back
// from the text the program writes for it, and plain decimal numbers read
// as the C library reads them.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "tests/fuzz/fuzz_support.h"

using fuzz_support::Fail;
using fuzz_support::Printable;

namespace {

std::string Quote(const std::string& text) { return "'" + Printable(text) + "'"; }

std::string Show(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// A conversion's message; what() ends at a NUL in the text.
std::string Message(const std::string& text, const char* kind) {
  const std::string message = "'" + text + "' is not a valid " + kind + " value";
  return message.substr(0, message.find('\0'));
}

// ---- integers

// The value of blanks, a sign and decimal digits, or nothing when the text
// is not of that form; out of range gives the form but no value.
struct Decimal {
  bool plain = false;
  std::optional<std::int64_t> value;
};
Decimal PlainDecimal(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return {};
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  if (i == text.size()) return {};
  std::int64_t value = 0;
  bool inRange = true;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return {};
    if (inRange) value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) inRange = false;
  }
  if (!inRange) return {true, std::nullopt};
  return {true, negative ? -value : value};
}

void CheckInteger(const std::string& text) {
  const std::optional<std::int32_t> tried = TryStrToInt(text);
  try {
    const std::int32_t value = StrToInt(text);
    if (!tried || *tried != value) Fail("StrToInt(" + Quote(text) + ") gives a value TryStrToInt does not");
  } catch (const EConvertError& e) {
    if (tried) Fail("StrToInt(" + Quote(text) + ") throws but TryStrToInt gives " + IntToStr(*tried));
    if (e.what() != Message(text, "integer")) {
      Fail("StrToInt(" + Quote(text) + ") throws " + Quote(e.what()));
    }
  }

  const Decimal decimal = PlainDecimal(text);
  if (decimal.plain) {
    const bool fits = decimal.value && *decimal.value >= std::numeric_limits<std::int32_t>::min() &&
                      *decimal.value <= std::numeric_limits<std::int32_t>::max();
    if (fits != tried.has_value() || (fits && *tried != *decimal.value)) {
      Fail("the decimal " + Quote(text) + " reads as " + (tried ? IntToStr(*tried) : std::string("nothing")));
    }
  }
  if (!tried) return;
  // Leading blanks never change a number.
  if (TryStrToInt(" " + text) != tried) Fail("a blank before " + Quote(text) + " changes it");
  const std::string written = IntToStr(*tried);
  if (TryStrToInt(written) != tried) Fail(Quote(text) + " is written " + Quote(written) + ", which reads otherwise");
}

// ---- floating point

// The text with the separator as the C library's '.', and without the
// trailing blanks it stops at; nothing when the text holds other
// characters than digits, signs, the separator, exponents and blanks.
std::optional<std::string> ForTheCLibrary(const std::string& text, char separator) {
  std::string plain = text;
  while (!plain.empty() && plain.back() == ' ') plain.pop_back();
  const std::size_t start = plain.find_first_not_of(' ');
  for (std::size_t i = start == std::string::npos ? plain.size() : start; i < plain.size(); ++i) {
    char& c = plain[i];
    if (c == separator) {
      c = '.';
    } else if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E')) {
      return std::nullopt;
    }
  }
  return plain;
}

void CheckFloat(const std::string& text, char separator) {
  const std::string where = Quote(text) + " with '" + separator + "'";
  const std::optional<double> tried = TryStrToFloat(text, separator);
  try {
    const double value = StrToFloat(text, separator);
    if (!tried || std::memcmp(&*tried, &value, sizeof value) != 0) {
      Fail("StrToFloat(" + where + ") gives a value TryStrToFloat does not");
    }
  } catch (const EConvertError& e) {
    if (tried) Fail("StrToFloat(" + where + ") throws but TryStrToFloat gives " + Show(*tried));
    if (e.what() != Message(text, "floating point")) {
      Fail("StrToFloat(" + where + ") throws " + Quote(e.what()));
    }
  }

  if (const auto plain = ForTheCLibrary(text, separator)) {
    errno = 0;
    char* end = nullptr;
    const double reference = std::strtod(plain->c_str(), &end);
    const bool whole = !plain->empty() && end == plain->c_str() + plain->size();
    const bool overflow = errno == ERANGE && std::fabs(reference) > 1;
    const bool underflow = errno == ERANGE && !overflow;
    if (whole && !overflow) {
      // Underflow may read as zero; anything else exactly as strtod reads it.
      if (!tried || (*tried != reference && !(underflow && *tried == 0))) {
        Fail(where + " reads as " + (tried ? Show(*tried) : std::string("nothing")) + ", strtod " + Show(reference));
      }
    } else if (tried) {
      Fail(where + " reads as " + Show(*tried) + " but strtod refuses it");
    }
  }

  if (!tried) return;
  const double value = *tried;
  if (!std::isfinite(value)) Fail(where + " reads as " + Show(value));
  // Written with 15 significant digits, a number reads back within the
  // last of them, and that reads as the same text again.
  const std::string written = FloatToStr(value, separator);
  const std::optional<double> back = TryStrToFloat(written, separator);
  if (!back) Fail(where + " is " + Show(value) + ", written " + Quote(written) + ", which does not read back");
  const double tolerance = std::fabs(value) * 1e-14 + std::numeric_limits<double>::denorm_min();
  if (std::fabs(*back - value) > tolerance) {
    Fail(where + " is " + Show(value) + ", written " + Quote(written) + ", which reads as " + Show(*back));
  }
  if (FloatToStr(*back, separator) != written) {
    Fail(Quote(written) + " reads as " + Show(*back) + ", written " + Quote(FloatToStr(*back, separator)));
  }
}

// A number the program writes, or a user types, in decimal or hex reads
// as itself when it fits 32 bits (hex wraps into the signed range) and as
// nothing when it does not.
void CheckWrittenInteger(std::int64_t number) {
  const bool fits =
      number >= std::numeric_limits<std::int32_t>::min() && number <= std::numeric_limits<std::int32_t>::max();
  const std::string decimal = IntToStr(number);
  const auto read = TryStrToInt(decimal);
  if (read.has_value() != fits || (fits && *read != number)) {
    Fail(Quote(decimal) + " reads as " + (read ? IntToStr(*read) : std::string("nothing")));
  }
  if (number < 0) return;
  char hex[24];
  std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(number));
  const bool fitsHex = number <= 0xFFFFFFFFLL;
  for (const std::string& text : {"$" + std::string(hex), "0x" + std::string(hex), "-$" + std::string(hex)}) {
    const auto value = TryStrToInt(text);
    const auto wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    const std::int32_t expected =
        text.front() == '-' ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(wrapped)) : wrapped;
    if (value.has_value() != fitsHex || (fitsHex && *value != expected)) {
      Fail(Quote(text) + " reads as " + (value ? IntToStr(*value) : std::string("nothing")));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckInteger(text);
  CheckFloat(text, '.');
  CheckFloat(text, ',');
  // The first bytes as a number, so that every value gets written and read.
  if (size >= sizeof(std::int64_t)) {
    std::int64_t number = 0;
    std::memcpy(&number, data, sizeof number);
    CheckWrittenInteger(number);
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    if (std::isfinite(value)) {
      const std::string written = FloatToStr(value, '.');
      CheckFloat(written, '.');
      const auto back = TryStrToFloat(written, '.');
      if (!back || std::fabs(*back - value) > std::fabs(value) * 1e-14 + std::numeric_limits<double>::denorm_min()) {
        Fail(Show(value) + " is written " + Quote(written) + ", which reads as " +
             (back ? Show(*back) : std::string("nothing")));
      }
    }
  }
  return 0;
}
