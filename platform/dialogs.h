// Modal message boxes.
// Flags and results use the Windows values so that the fake records the
// same numbers the real MessageBoxA would receive.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum MessageBoxFlag : std::uint32_t {
  kMbOk = 0x00000000,
  kMbIconStop = 0x00000010,
  kMbIconInformation = 0x00000040,
};

constexpr int kIdOk = 1;

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Blocks until closed; timers and hotkeys keep being served meanwhile.
  virtual int ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) = 0;
};

}  // namespace platform
