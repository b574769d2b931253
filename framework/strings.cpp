#include "framework/strings.h"

#include <cstdint>
#include <optional>

#include "framework/exceptions.h"

int TStrings::Add(const std::string& line) {
  const int at = Count();
  Insert(at, line);
  return at;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) text += Get(i) + "\r\n";
  return text;
}

std::vector<std::string> TStrings::SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  const std::size_t end = text.find('\0');
  const std::size_t size = end == std::string::npos ? text.size() : end;
  std::size_t start = 0;
  while (start < size) {
    std::size_t stop = start;
    while (stop < size && text[stop] != '\r' && text[stop] != '\n') ++stop;
    lines.push_back(text.substr(start, stop - start));
    // CR, LF or CR LF ends it; whatever follows starts the next line.
    if (stop < size && text[stop] == '\r') ++stop;
    if (stop < size && text[stop] == '\n') ++stop;
    start = stop;
  }
  return lines;
}

namespace {

void AppendUtf8(std::string& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::optional<std::string> FromUtf16(const std::string& bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<std::uint32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    std::uint32_t code = unit(i);
    if (code >= 0xDC00 && code <= 0xDFFF) return std::nullopt;  // a low surrogate first
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (i + 3 >= bytes.size()) return std::nullopt;
      const std::uint32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(text, code);
  }
  return text;
}

}  // namespace

std::optional<std::string> TStrings::TextOfFile(const std::string& bytes) {
  std::optional<std::string> text;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text = bytes.substr(3);
  } else if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
    text = FromUtf16(bytes.substr(2), false);
  } else if (bytes.compare(0, 2, "\xFE\xFF") == 0) {
    text = FromUtf16(bytes.substr(2), true);
  } else {
    text = bytes;
  }
  if (!text) return std::nullopt;
  for (const char c : *text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\v' && byte != '\f' && byte != '\r') || byte == 0x7F) {
      return std::nullopt;
    }
  }
  return text;
}

void TStrings::SetText(const std::string& text) {
  Clear();
  for (const std::string& line : SplitLines(text)) Add(line);
}

void TStrings::SaveToFile(platform::Files& files, const std::string& path) const {
  // A file marked read-only is refused, as Windows refuses to replace it.
  if (const auto status = files.Status(path); status && status->regular && status->readOnly) {
    throw EFCreateError(FormatMessage(messages::kCannotCreateFile, path));
  }
  if (!files.Replace(path, Text())) throw EFCreateError(FormatMessage(messages::kCannotCreateFile, path));
}

std::string TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) throw EListError(FormatMessage(messages::kListIndexError, std::to_string(index)));
  return lines_[static_cast<std::size_t>(index)];
}

void TStringList::Insert(int index, const std::string& line) {
  if (index < 0 || index > Count()) throw EListError(FormatMessage(messages::kListIndexError, std::to_string(index)));
  lines_.insert(lines_.begin() + index, line);
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError(FormatMessage(messages::kListIndexError, std::to_string(index)));
  lines_.erase(lines_.begin() + index);
}

std::string DelimitedColumn(const std::string& text, char delimiter, int column) {
  std::size_t start = 0;
  for (int n = 0; n < column; ++n) {
    const std::size_t at = text.find(delimiter, start);
    if (at == std::string::npos) return {};
    start = at + 1;
  }
  const std::size_t end = text.find(delimiter, start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
