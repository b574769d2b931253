// Registry values as the store writes them, for tests that read or plant
// them in the fake registry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace testing_support {

inline platform::RegistryValue Dword(std::uint32_t value) {
  return {platform::kRegDword,
          {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
           static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}};
}

inline platform::RegistryValue Text(const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return {platform::kRegSz, data};
}

}  // namespace testing_support
