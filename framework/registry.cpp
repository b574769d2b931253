#include "framework/registry.h"

#include "framework/exceptions.h"

void TRegistry::SetRootKey(platform::RegistryRoot root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
  static_cast<void>(canCreate);  // the store always creates a missing key
  CloseKey();
  const std::string relative = !path.empty() && path.front() == '\\' ? path.substr(1) : path;
  key_ = registry_.CreateKey(root_, relative);
  return key_ != nullptr;
}

bool TRegistry::ValueExists(const std::string& name) const { return key_ && key_->Read(name).has_value(); }

std::int32_t TRegistry::ReadInteger(const std::string& name) const {
  const auto value = key_ ? key_->Read(name) : std::nullopt;
  if (!value || value->data.size() > 4) throw ERegistryException(FormatMessage(messages::kRegistryGetFailed, name));
  if (value->type != platform::kRegDword) throw ERegistryException(FormatMessage(messages::kRegistryBadType, name));
  // A number without a byte is no number; reading it as 0 would start the
  // program with a zero interval.
  if (value->data.empty()) throw ERegistryException(FormatMessage(messages::kRegistryGetFailed, name));
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value->data.size(); ++i) number |= static_cast<std::uint32_t>(value->data[i]) << (8 * i);
  return static_cast<std::int32_t>(number);
}

std::string TRegistry::ReadString(const std::string& name) const {
  const auto value = key_ ? key_->Read(name) : std::nullopt;
  if (!value) throw ERegistryException(FormatMessage(messages::kRegistryGetFailed, name));
  if (value->data.empty()) return {};  // no data reads as empty, whatever the type
  if (value->type != platform::kRegSz && value->type != platform::kRegExpandSz) {
    throw ERegistryException(FormatMessage(messages::kRegistryBadType, name));
  }
  std::string text(value->data.begin(), value->data.end());
  return text.substr(0, text.find('\0'));
}

void TRegistry::Write(const std::string& name, const platform::RegistryValue& value) {
  if (!key_ || !key_->Write(name, value)) throw ERegistryException(FormatMessage(messages::kRegistrySetFailed, name));
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) {
  const auto number = static_cast<std::uint32_t>(value);
  Write(name, {platform::kRegDword,
               {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}});
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  std::vector<std::uint8_t> data(value.begin(), value.end());
  data.push_back(0);  // stored with its terminating zero
  Write(name, {platform::kRegSz, std::move(data)});
}
