#include "framework/exceptions.h"

#include <cstring>

std::string FormatMessage(const char* pattern, const std::string& argument) {
  std::string text(pattern);
  for (const char* placeholder : {"%s", "%d"}) {
    if (const auto at = text.find(placeholder); at != std::string::npos) {
      text.replace(at, std::strlen(placeholder), argument);
      break;
    }
  }
  return text;
}
