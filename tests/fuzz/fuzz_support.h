// What the fuzz targets share: a property that fails prints why and aborts,
// so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz_support {

// Shows bytes that may hold anything on one line: controls and high
// bytes as \xNN.
inline std::string Printable(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      out += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    }
  }
  return out;
}

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "\nProperty failed: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace fuzz_support
