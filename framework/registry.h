// Registry access for the settings store: a root, one key open at a time,
// and values read and written with the framework's own rules and error
// texts. Integers are REG_DWORD of one to four bytes; texts REG_SZ or
// REG_EXPAND_SZ (as stored) cut at their first zero byte.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry.h"

class TRegistry {
 public:
  explicit TRegistry(platform::Registry& registry) : registry_(registry) {}

  [[nodiscard]] platform::RegistryRoot RootKey() const noexcept { return root_; }
  void SetRootKey(platform::RegistryRoot root);
  // A leading backslash means from the root. False when the key can be
  // neither opened nor created with full access.
  bool OpenKey(const std::string& path, bool canCreate);
  void CloseKey() noexcept { key_.reset(); }
  [[nodiscard]] bool HasKey() const noexcept { return key_ != nullptr; }

  [[nodiscard]] bool ValueExists(const std::string& name) const;
  // Throw ERegistryException "Failed to get data for '%s'" (more than four
  // bytes, or none) or "Invalid data type for '%s'".
  [[nodiscard]] std::int32_t ReadInteger(const std::string& name) const;
  [[nodiscard]] bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
  [[nodiscard]] std::string ReadString(const std::string& name) const;
  // Throw ERegistryException "Failed to set data for '%s'".
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  void WriteString(const std::string& name, const std::string& value);

 private:
  void Write(const std::string& name, const platform::RegistryValue& value);
  platform::Registry& registry_;
  platform::RegistryRoot root_ = platform::RegistryRoot::kCurrentUser;
  std::unique_ptr<platform::RegistryKey> key_;
};
