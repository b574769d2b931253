#include "engine/list_file.h"

#include <algorithm>
#include <cstdint>

#include "framework/exceptions.h"
#include "framework/strings.h"
#include "framework/sysutils.h"

namespace {

constexpr const char* kTooManyLines = "%s holds more than 100 click points; the list is unchanged";
constexpr const char* kNotText = "%s is not a click list: it is not plain text; the list is unchanged";
constexpr const char* kTooLarge = "%s is too large for a click list; the list is unchanged";
// A hundred rows take a few kilobytes. A larger file is refused by its
// size before a byte is read, so that a huge one costs neither time nor memory.
constexpr std::uintmax_t kMostListBytes = 64 * 1024;

bool Blank(const std::string& line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

ClickList ReadListFile(platform::Files& files, const std::string& path, char decimalSeparator) {
  // A file whose size is unknown is left to the reading below to report.
  const auto status = files.Status(path);
  if (status && status->size > kMostListBytes) throw Exception(FormatMessage(kTooLarge, path));
  const auto bytes = files.ReadAll(path);
  if (!bytes) throw EFOpenError(FormatMessage(messages::kCannotOpenFile, path));
  // A UTF-8 mark and UTF-16 are read; an icon or a video is refused.
  const auto text = TStrings::TextOfFile(*bytes);
  if (!text) throw Exception(FormatMessage(kNotText, path));
  std::vector<std::string> lines = TStrings::SplitLines(*text);
  // The blank lines an editor leaves at the end are no entries.
  while (!lines.empty() && Blank(lines.back())) lines.pop_back();
  if (lines.size() > static_cast<std::size_t>(kClickListCapacity)) throw Exception(FormatMessage(kTooManyLines, path));
  return ClickList::FromRows(std::move(lines), decimalSeparator, path);
}

void SaveListFile(platform::Files& files, const std::string& path, const std::vector<std::string>& rows) {
  TStringList lines;
  for (const std::string& row : rows) lines.Add(row);
  lines.SaveToFile(files, path);
}
