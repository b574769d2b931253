// UTF-8 inside the program, UTF-16 at the Windows edge: every name and
// every text the user may see or type crosses here, whatever the system's
// code page. Names (files, paths, classes, keys) convert strictly, so that
// a bad byte can never name something else; shown text leniently, so that
// a bad byte costs one character and not the whole message.
#pragma once

#include <climits>
#include <cstddef>
#include <string>

#include "platform/win32/handles.h"

namespace platform::win32 {

// A name: embedded nulls cross too. Text that is not UTF-8 gives nothing,
// so that it can never name another file than the one meant.
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

// Shown text (captions, messages, rows, menus, drawn text): every byte
// that is not part of a UTF-8 character becomes U+FFFD, as the system does
// without MB_ERR_INVALID_CHARS; embedded nulls are kept.
inline std::wstring WideText(const char* text, std::size_t size) {
  if (size == 0 || size > static_cast<std::size_t>(INT_MAX)) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  const int written = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), wide.data(), length);
  wide.resize(static_cast<std::size_t>(written > 0 ? written : 0));
  return wide;
}
inline std::wstring WideText(const std::string& text) { return WideText(text.data(), text.size()); }

// Back to UTF-8: a lone surrogate becomes U+FFFD, as the system does
// without WC_ERR_INVALID_CHARS; embedded nulls are kept.
inline std::string Utf8(const wchar_t* wide, std::size_t size) {
  if (size == 0 || size > static_cast<std::size_t>(INT_MAX)) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  const int written =
      WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(size), text.data(), length, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(written > 0 ? written : 0));
  return text;
}
inline std::string Utf8(const std::wstring& wide) { return Utf8(wide.data(), wide.size()); }

}  // namespace platform::win32
