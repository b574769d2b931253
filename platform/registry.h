// The system registry, as far as the settings store uses it: a key opened
// (and created when missing) under a root, and its named values read and
// written as raw bytes with their type. Raw bytes keep every rule about
// types and sizes in the framework, once, for both platforms.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class RegistryRoot : std::uint8_t { kLocalMachine, kCurrentUser };

// The REG_* value types.
enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
};

struct RegistryValue {
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
};

// An open key, closed (RegCloseKey) with its owner.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // The value's type and bytes, or nothing when there is no such value or
  // it cannot be read.
  [[nodiscard]] virtual std::optional<RegistryValue> Read(const std::string& name) = 0;
  // Replaces the value whatever it was; false when the system refuses.
  [[nodiscard]] virtual bool Write(const std::string& name, const RegistryValue& value) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // RegCreateKeyEx with full access (KEY_ALL_ACCESS), non-volatile,
  // default security; path without a leading backslash. Null when the key
  // can be neither opened nor created with that access.
  virtual std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) = 0;
};

}  // namespace platform
