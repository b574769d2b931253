#include "platform/win32/registry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text.h"

namespace platform::win32 {

namespace {

// The string types are UTF-16LE in the registry and UTF-8 in the program,
// their nulls kept, so that the framework sees the bytes the ANSI calls
// gave it for ASCII text; every other type is bytes either way.
bool IsText(DWORD type) noexcept { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

std::vector<std::uint8_t> TextFromRegistry(const std::vector<std::uint8_t>& data) {
  // An odd last byte is half a character: left out.
  std::wstring wide(data.size() / 2, L'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  const std::string text = Utf8(wide);
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> TextToRegistry(const std::vector<std::uint8_t>& data) {
  const std::wstring wide = WideText(reinterpret_cast<const char*>(data.data()), data.size());
  std::vector<std::uint8_t> bytes;
  bytes.reserve(2 * wide.size());
  for (const wchar_t unit : wide) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
  }
  return bytes;
}

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(UniqueRegistryKey key) noexcept : key_(std::move(key)) {}

  std::optional<RegistryValue> Read(const std::string& name) override {
    std::wstring wideName;
    if (!Wide(name, wideName)) return std::nullopt;  // no value has such a name
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      return std::nullopt;  // no such value, or no right to read it
    }
    // Once more when someone enlarged the value between the two calls.
    for (int attempt = 0; attempt < 2; ++attempt) {
      // At least one byte, so that the data pointer is never null: a null
      // one would ask for the size again instead of the data.
      std::vector<std::uint8_t> data(std::max<DWORD>(size, 1));
      size = static_cast<DWORD>(data.size());
      const LSTATUS status = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, data.data(), &size);
      if (status == ERROR_MORE_DATA) continue;  // size now holds what it needs
      if (status != ERROR_SUCCESS) return std::nullopt;
      data.resize(std::min<std::size_t>(size, data.size()));  // shorter when it shrank meanwhile
      if (IsText(type)) data = TextFromRegistry(data);
      return RegistryValue{type, std::move(data)};
    }
    return std::nullopt;
  }

  bool Write(const std::string& name, const RegistryValue& value) override {
    std::wstring wideName;
    if (!Wide(name, wideName)) return false;
    const std::vector<std::uint8_t> data = IsText(value.type) ? TextToRegistry(value.data) : value.data;
    if (data.size() > std::numeric_limits<DWORD>::max()) return false;
    // Never a null pointer, even for no bytes at all.
    const BYTE none = 0;
    const BYTE* bytes = data.empty() ? &none : data.data();
    return RegSetValueExW(key_.get(), wideName.c_str(), 0, value.type, bytes, static_cast<DWORD>(data.size())) ==
           ERROR_SUCCESS;
  }

 private:
  UniqueRegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegistryRoot root, const std::string& path) {
  HKEY parent = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  std::wstring widePath;
  if (!Wide(path, widePath)) return nullptr;  // no key has such a path
  HKEY opened = nullptr;
  if (RegCreateKeyExW(parent, widePath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  UniqueRegistryKey key(opened);  // owned before anything else can fail
  return std::make_unique<Win32RegistryKey>(std::move(key));
}

}  // namespace platform::win32
