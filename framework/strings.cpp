#include "framework/strings.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

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

void TStrings::SetText(const std::string& text) {
  Clear();
  for (const std::string& line : SplitLines(text)) Add(line);
}

void TStrings::SaveToFile(const std::string& path) const {
  // Written beside the file and put in its place only when whole: a disk
  // that fills up part-way leaves the old file as it was.
  const std::filesystem::path target(path);
  // A file marked read-only is refused, as Windows refuses to replace it;
  // the rename below would otherwise replace it wherever the folder is writable.
  namespace fs = std::filesystem;
  std::error_code statusError;
  const fs::file_status status = fs::status(target, statusError);
  if (!statusError && fs::is_regular_file(status) &&
      (status.permissions() & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
          fs::perms::none) {
    throw EFCreateError(FormatMessage(messages::kCannotCreateFile, path));
  }
  std::filesystem::path temporary = target;
  temporary += ".tapfinch-saving";
  const std::string text = Text();
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) throw EFCreateError(FormatMessage(messages::kCannotCreateFile, path));
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.flush();
    if (!file) {
      file.close();
      std::error_code ignored;  // the error to report is the failed write
      std::filesystem::remove(temporary, ignored);
      throw EFCreateError(FormatMessage(messages::kCannotCreateFile, path));
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;  // the error to report is the failed rename
    std::filesystem::remove(temporary, ignored);
    throw EFCreateError(FormatMessage(messages::kCannotCreateFile, path));
  }
}

void TStrings::LoadFromFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EFOpenError(FormatMessage(messages::kCannotOpenFile, path));
  std::ostringstream contents;
  contents << file.rdbuf();
  if (file.bad()) throw EFOpenError(FormatMessage(messages::kCannotOpenFile, path));
  SetText(contents.str());
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
