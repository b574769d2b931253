#include "platform/win32/registry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "platform/win32/handles.h"

namespace platform::win32 {

namespace {

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(UniqueRegistryKey key) noexcept : key_(std::move(key)) {}

  std::optional<RegistryValue> Read(const std::string& name) override {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      return std::nullopt;  // no such value, or no right to read it
    }
    // Once more when someone enlarged the value between the two calls.
    for (int attempt = 0; attempt < 2; ++attempt) {
      // At least one byte, so that the data pointer is never null: a null
      // one would ask for the size again instead of the data.
      std::vector<std::uint8_t> data(std::max<DWORD>(size, 1));
      size = static_cast<DWORD>(data.size());
      const LSTATUS status = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, data.data(), &size);
      if (status == ERROR_MORE_DATA) continue;  // size now holds what it needs
      if (status != ERROR_SUCCESS) return std::nullopt;
      // A string read through the ANSI call may come out shorter than announced.
      data.resize(std::min<std::size_t>(size, data.size()));
      return RegistryValue{type, std::move(data)};
    }
    return std::nullopt;
  }

  bool Write(const std::string& name, const RegistryValue& value) override {
    if (value.data.size() > std::numeric_limits<DWORD>::max()) return false;
    // Never a null pointer, even for no bytes at all.
    const BYTE none = 0;
    const BYTE* bytes = value.data.empty() ? &none : value.data.data();
    return RegSetValueExA(key_.get(), name.c_str(), 0, value.type, bytes, static_cast<DWORD>(value.data.size())) ==
           ERROR_SUCCESS;
  }

 private:
  UniqueRegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegistryRoot root, const std::string& path) {
  HKEY parent = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  HKEY opened = nullptr;
  if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  UniqueRegistryKey key(opened);  // owned before anything else can fail
  return std::make_unique<Win32RegistryKey>(std::move(key));
}

}  // namespace platform::win32
