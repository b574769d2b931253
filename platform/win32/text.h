// UTF-8 inside the program, UTF-16 at the Windows edge: every file name and
// path the user may type crosses here, whatever the system's code page.
#pragma once

#include <string>

#include "platform/win32/window_base.h"

namespace platform::win32 {

// Embedded nulls cross too. Text that is not UTF-8 gives nothing, so that
// it can never name another file than the one meant.
inline bool Wide(const std::string& text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<std::size_t>(length));
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(),
                             length) == length;
}

inline std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace platform::win32
