// The user's locale as far as the program reads it.
#pragma once

#include <string>

namespace platform {

class Locale {
 public:
  virtual ~Locale() = default;
  virtual char DecimalSeparator() = 0;
  // CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, ...) == CSTR_EQUAL.
  virtual bool SameTextIgnoringCase(const std::string& a, const std::string& b) = 0;
};

}  // namespace platform
