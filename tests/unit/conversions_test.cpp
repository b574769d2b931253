#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/exceptions.h"
#include "framework/sysutils.h"

TEST(IntegerConversion, AcceptsBlanksSignAndHexPrefixes) {
  EXPECT_EQ(StrToInt("512"), 512);
  EXPECT_EQ(StrToInt(" 12"), 12);
  EXPECT_EQ(StrToInt("   -200"), -200);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x10"), 16);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(IntegerConversion, RejectsWhatIsNotAWholeNumber) {
  for (const char* text :
       {"", " ", "-", "+", "12 ", "1.5", "abc", "2147483648", "-2147483649", "$", "0x", "$100000000", "1e3", "\t5"}) {
    EXPECT_FALSE(TryStrToInt(text).has_value()) << '"' << text << '"';
  }
}

TEST(IntegerConversion, ErrorMessageQuotesTheText) {
  try {
    StrToInt("abc");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
  try {
    StrToInt("");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

TEST(FloatConversion, ReadsTheSystemSeparatorAndExponent) {
  EXPECT_DOUBLE_EQ(StrToFloat(" 1.25 ", '.'), 1.25);
  EXPECT_DOUBLE_EQ(StrToFloat("-0.5", '.'), -0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("1,25", ','), 1.25);
  EXPECT_DOUBLE_EQ(StrToFloat("2E3", '.'), 2000);
  EXPECT_DOUBLE_EQ(StrToFloat(".5", '.'), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("5.", '.'), 5);
  EXPECT_FALSE(TryStrToFloat("1.25", ',').has_value());
  for (const char* text : {"", "-", ".", "1e", "1.2.3", "x", "1e999"}) {
    EXPECT_FALSE(TryStrToFloat(text, '.').has_value()) << '"' << text << '"';
  }
  try {
    StrToFloat("x", '.');
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid floating point value");
  }
}

TEST(FloatConversion, OutOfRangeGoesByTheWholeNumbersSizeNotTheExponentsSign) {
  // Too large although its exponent is negative: refused, never zero.
  EXPECT_FALSE(TryStrToFloat(std::string(400, '4') + ".24E-1", '.').has_value());
  EXPECT_FALSE(TryStrToFloat("0.0001e400", '.').has_value());
  // Too small although its exponent is positive, or has none: zero.
  EXPECT_EQ(TryStrToFloat("0." + std::string(400, '0') + "1E+5", '.'), 0.0);
  EXPECT_EQ(TryStrToFloat("0." + std::string(400, '0') + "1", '.'), 0.0);
  EXPECT_EQ(TryStrToFloat("1e-999", '.'), 0.0);
}

TEST(GeneralFloatFormat, ShortestFormWithFifteenDigits) {
  EXPECT_EQ(FloatToStr(5, '.'), "5");
  EXPECT_EQ(FloatToStr(1.25, '.'), "1.25");
  EXPECT_EQ(FloatToStr(0.01, '.'), "0.01");
  EXPECT_EQ(FloatToStr(5400, '.'), "5400");
  EXPECT_EQ(FloatToStr(0, '.'), "0");
  EXPECT_EQ(FloatToStr(-0.5, '.'), "-0.5");
  EXPECT_EQ(FloatToStr(1.25, ','), "1,25");
  EXPECT_EQ(FloatToStr(3603599.99, '.'), "3603599.99");
  EXPECT_EQ(FloatToStr(0.1 + 0.2, '.'), "0.3");  // 15 digits hide the binary error
  EXPECT_EQ(FloatToStr(1.0 / 3, '.'), "0.333333333333333");
  EXPECT_EQ(FloatToStr(0.0001, '.'), "0.0001");
  EXPECT_EQ(FloatToStr(0.00001, '.'), "1E-5");
  EXPECT_EQ(FloatToStr(123456789012345.0, '.'), "123456789012345");
  EXPECT_EQ(FloatToStr(1e15, '.'), "1E15");
  EXPECT_EQ(FloatToStr(1.5e20, '.'), "1.5E20");
}

TEST(GeneralFloatFormat, TheLargestNumbersReadBackFromTheirText) {
  // Rounded to 15 digits, numbers from 1.797693134862315E308 on would pass
  // the largest double, and their text would not read back at all.
  const double largest = std::numeric_limits<double>::max();
  for (const double value : {largest, -largest, std::nextafter(largest, 0.0), 1.797693134862315e308}) {
    const std::string text = FloatToStr(value, '.');
    const auto back = TryStrToFloat(text, '.');
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_NEAR(*back / value, 1, 1e-14) << text;
    EXPECT_EQ(FloatToStr(*back, '.'), text);
  }
  EXPECT_EQ(FloatToStr(largest, ','), "1,79769313486231E308");
  EXPECT_EQ(FloatToStr(1.79769313486231e308, '.'), "1.79769313486231E308");
}

TEST(EntryWait, ExtendedProductTruncates) {
  EXPECT_EQ(TruncMillisecondsOf(0.3), 299);
  EXPECT_EQ(TruncMillisecondsOf(0.6), 599);
  EXPECT_EQ(TruncMillisecondsOf(0.7), 699);
  EXPECT_EQ(TruncMillisecondsOf(2.3), 2299);
  EXPECT_EQ(TruncMillisecondsOf(0.03), 29);
  EXPECT_EQ(TruncMillisecondsOf(0.1), 100);
  EXPECT_EQ(TruncMillisecondsOf(0.5), 500);
  EXPECT_EQ(TruncMillisecondsOf(1.3), 1300);
  EXPECT_EQ(TruncMillisecondsOf(5), 5000);
  EXPECT_EQ(TruncMillisecondsOf(0), 0);
  EXPECT_EQ(TruncMillisecondsOf(-0.3), -299);
  EXPECT_EQ(TruncMillisecondsOf(3603599.99), 3603599990);
}
