// The list file's reader with any bytes as the file. Either the rows are
// the file's lines and every entry is its row's numbers, at most 100 of
// them, or one clear message says why not. (That a refused load leaves the
// list as it was is the session's, which only takes a list read whole.)
#include <stdlib.h>  // mkdtemp

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/click_interval.h"
#include "engine/list_file.h"
#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "platform/fake/fake_platform.h"
#include "tests/fuzz/fuzz_support.h"

using fuzz_support::Fail;
using fuzz_support::Printable;

namespace {

// One folder for the whole run, in memory where there is such a folder:
// a file rewritten thousands of times a second should not go to the disk.
struct Session {
  platform::fake::FakePlatform fake;
  std::string folder;
  std::string path;

  Session() {
    std::error_code error;
    const bool shm = std::filesystem::is_directory("/dev/shm", error);
    std::string name =
        (shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) / "tapfinch-fuzz-XXXXXX";
    if (mkdtemp(name.data()) == nullptr) Fail("cannot make a temporary folder");
    folder = name;
    path = folder + "/list.txt";
  }
};

Session* session = nullptr;

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(session->folder, ignored);
}

// A file's text as the documentation of list files reads it: a UTF-8 mark
// dropped, UTF-16 with its mark (either order) decoded; nothing when it
// holds a NUL or another control character than tab, line and page ends.
std::optional<std::string> Text(const std::string& bytes) {
  std::string text;
  const bool little = bytes.rfind("\xFF\xFE", 0) == 0;
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
    text = bytes.substr(3);
  } else if (little || bytes.rfind("\xFE\xFF", 0) == 0) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::u16string units;
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
      const auto a = static_cast<unsigned char>(bytes[i]);
      const auto b = static_cast<unsigned char>(bytes[i + 1]);
      units += static_cast<char16_t>(little ? a | (b << 8) : (a << 8) | b);
    }
    for (std::size_t i = 0; i < units.size(); ++i) {
      char32_t code = units[i];
      if (code >= 0xDC00 && code <= 0xDFFF) return std::nullopt;
      if (code >= 0xD800 && code <= 0xDBFF) {
        if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) return std::nullopt;
        code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
      }
      // UTF-8 by hand, one to four bytes.
      if (code < 0x80) {
        text += static_cast<char>(code);
      } else if (code < 0x800) {
        text += {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
      } else if (code < 0x10000) {
        text += {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (code & 0x3F))};
      } else {
        text += {static_cast<char>(0xF0 | (code >> 18)), static_cast<char>(0x80 | ((code >> 12) & 0x3F)),
                 static_cast<char>(0x80 | ((code >> 6) & 0x3F)), static_cast<char>(0x80 | (code & 0x3F))};
      }
    }
  } else {
    text = bytes;
  }
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0x7F || (byte < 0x20 && std::string_view("\t\n\v\f\r").find(c) == std::string_view::npos)) {
      return std::nullopt;
    }
  }
  return text;
}

// The lines of a text: CR LF, CR or LF ends a line, a last line needs no
// end, and the blank lines at the end are none.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
  }
  while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos) lines.pop_back();
  return lines;
}

// The comma-separated parts of a row; a row without commas is one part.
std::vector<std::string> Parts(const std::string& row) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma = row.find(','); comma != std::string::npos; comma = row.find(',', start)) {
    parts.push_back(row.substr(start, comma - start));
    start = comma + 1;
  }
  parts.push_back(row.substr(start));
  return parts;
}

std::string Part(const std::vector<std::string>& parts, std::size_t n) { return n < parts.size() ? parts[n] : ""; }

// The delay of a row by the rules of list files: the fourth part, joined
// again with a fifth that follows its comma without a blank (a decimal
// comma split it), read with the system's separator or else the other
// one; when the two parts make no number, the fourth alone.
std::optional<double> ExpectedDelay(const std::vector<std::string>& parts, char separator) {
  std::string text = Part(parts, 3);
  const std::string fifth = Part(parts, 4);
  if (!fifth.empty() && fifth.front() != ' ') text += "," + fifth;
  if (const auto value = TryStrToFloat(text, separator)) return value;
  if (const auto value = TryStrToFloat(text, separator == '.' ? ',' : '.')) return value;
  return TryStrToFloat(Part(parts, 3), separator);
}

// Whether a message quotes this part: whole, or its first 40 bytes or
// fewer (a whole character) followed by "...".
bool Quotes(const std::string& quoted, const std::string& part) {
  if (quoted == part) return true;
  if (quoted.size() < 3 || quoted.compare(quoted.size() - 3, 3, "...") != 0) return false;
  const std::string start = quoted.substr(0, quoted.size() - 3);
  return part.size() > 40 && start.size() <= 40 && part.compare(0, start.size(), start) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (session == nullptr) {
    session = new Session;  // kept for the whole run, reachable to the end
    std::atexit(RemoveFolder);
  }
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // Both decimal separators get their turn; the length decides, so an
  // input always reads the same way.
  const char separator = size % 2 == 0 ? '.' : ',';

  if (std::FILE* file = std::fopen(session->path.c_str(), "wb")) {
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) Fail("cannot write " + session->path);
  } else {
    Fail("cannot write " + session->path);
  }
  std::optional<ClickList> list;
  std::string message;
  try {
    list = ReadListFile(session->fake.files(), session->path, separator);
  } catch (const Exception& e) {
    message = e.what();
    if (message.empty()) Fail("a refusal without a word");
  }
  std::remove(session->path.c_str());  // a crash then leaves only an empty folder behind

  const std::optional<std::string> text = Text(bytes);
  const std::vector<std::string> lines = text ? Lines(*text) : std::vector<std::string>{};
  if (list) {
    const std::vector<std::string>& rows = list->Rows();
    // Loaded: the rows are the file's lines, and each entry is its row.
    if (size > 64 * 1024) Fail(std::to_string(size) + " bytes loaded without a word");
    if (!text) Fail("a file that is not plain text loaded without a word");
    if (lines.size() > static_cast<std::size_t>(kClickListCapacity)) {
      Fail(std::to_string(lines.size()) + " lines loaded without a word");
    }
    if (rows != lines) Fail("the rows are not the file's lines");
    if (list->Count() != static_cast<int>(rows.size())) {
      Fail(std::to_string(rows.size()) + " rows but the count says " + std::to_string(list->Count()));
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const ClickEntry& entry = list->At(static_cast<std::int32_t>(k) + 1);
      const std::vector<std::string> parts = Parts(rows[k]);
      const double fields[] = {static_cast<double>(entry.x), static_cast<double>(entry.y),
                               static_cast<double>(entry.option)};
      for (std::size_t n = 0; n < 3; ++n) {
        const auto value = TryStrToInt(Part(parts, n));
        if (!value || static_cast<double>(*value) != fields[n]) {
          Fail("row " + std::to_string(k) + " '" + Printable(rows[k]) + "': part " + std::to_string(n) +
               " is not the entry's " + FloatToStr(fields[n], '.'));
        }
      }
      const auto delay = ExpectedDelay(parts, separator);
      if (!DelayIsWaitable(entry.delay)) {
        Fail("row " + std::to_string(k) + " '" + Printable(rows[k]) + "': a delay the timer cannot wait loaded");
      }
      if (!delay || *delay != entry.delay) {
        Fail("row " + std::to_string(k) + " '" + Printable(rows[k]) + "': the delay " + FloatToStr(entry.delay, '.') +
             " is not the row's " + (delay ? FloatToStr(*delay, '.') : std::string("(none)")));
      }
    }
    return 0;
  }

  // Refused: the message says why.
  bool allConvert = true;
  for (const std::string& line : lines) {
    const auto parts = Parts(line);
    const auto delay = ExpectedDelay(parts, separator);
    allConvert = allConvert && TryStrToInt(Part(parts, 0)) && TryStrToInt(Part(parts, 1)) &&
                 TryStrToInt(Part(parts, 2)) && delay && DelayIsWaitable(*delay);
  }
  if (size > 64 * 1024) {
    // Refused by its size before it is read.
    if (message != session->path + " is too large for a click list; the list is unchanged") {
      Fail(std::to_string(size) + " bytes refused with '" + Printable(message) + "'");
    }
    return 0;
  }
  if (!text) {
    if (message != session->path + " is not a click list: it is not plain text; the list is unchanged") {
      Fail("a file that is not plain text refused with '" + Printable(message) + "'");
    }
    return 0;
  }
  if (lines.size() > static_cast<std::size_t>(kClickListCapacity)) {
    if (message != session->path + " holds more than 100 click points; the list is unchanged") {
      Fail(std::to_string(lines.size()) + " lines refused with '" + Printable(message) + "'");
    }
    return 0;
  }
  if (allConvert) Fail("a file whose every row converts was refused with '" + Printable(message) + "'");
  // The message names a line and the file, and quotes a part of that line
  // that does not convert, or names its delay that the timer cannot wait.
  bool named = false;
  const std::string end = "; the list is unchanged";
  for (std::size_t k = 0; k < lines.size() && !named; ++k) {
    const std::string start = "Line " + std::to_string(k + 1) + " of " + session->path + ": ";
    if (message.size() < start.size() + end.size() || message.compare(0, start.size(), start) != 0 ||
        message.compare(message.size() - end.size(), end.size(), end) != 0) {
      continue;
    }
    const std::string what = message.substr(start.size(), message.size() - start.size() - end.size());
    const auto parts = Parts(lines[k]);
    const auto delay = ExpectedDelay(parts, separator);
    const auto quotedBefore = [&](const std::string& tail) -> std::optional<std::string> {
      if (what.size() < tail.size() + 1 || what.front() != '\'' ||
          what.compare(what.size() - tail.size(), tail.size(), tail) != 0) {
        return std::nullopt;
      }
      return what.substr(1, what.size() - 1 - tail.size());
    };
    if (const auto quoted = quotedBefore("' is not a valid integer value")) {
      for (std::size_t n = 0; n < 3; ++n)
        named = named || (Quotes(*quoted, Part(parts, n)) && !TryStrToInt(Part(parts, n)));
    }
    if (const auto quoted = quotedBefore("' is not a valid floating point value")) {
      named = named || (Quotes(*quoted, Part(parts, 3)) && !delay);
    }
    named =
        named || (delay && !DelayIsWaitable(*delay) &&
                  what == "the delay " + FloatToStr(*delay, separator) + " is not between 0 and 2147483.647 seconds");
  }
  if (!named) Fail("the message '" + Printable(message) + "' names no part of the file that fails");
  return 0;
}
