// The click list file: the rows of listbox1, one a line, written by Save
// and read back by Load, which then rebuilds every entry from its row. A
// load that fails leaves the list exactly as it was, rows and entries.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/click_interval.h"
#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "ui/Unit1.h"

namespace {

constexpr const char* kTooManyLines = "%s holds more than 100 click points; the list is unchanged";
constexpr const char* kNotText = "%s is not a click list: it is not plain text; the list is unchanged";
// A value quoted in a message is cut to this many bytes, so that a line of
// thousands of characters still gives a box one can read.
constexpr std::size_t kMostQuoted = 40;
constexpr const char* kTooLarge = "%s is too large for a click list; the list is unchanged";
// A hundred rows take a few kilobytes. A larger file is refused by its
// size before a byte is read, so that a huge one costs neither time nor memory.
constexpr std::uintmax_t kMostListBytes = 64 * 1024;

// The delay of a row. A system whose decimal separator is the comma writes
// "2.5" as "2,5", which splits into two parts; the second then follows its
// comma without a blank, and joins the first again. A file from a system
// with the other separator reads the same.
std::optional<double> ReadDelay(const std::string& part, const std::string& next, char separator) {
  std::string text = part;
  if (!next.empty() && next.front() != ' ') text += "," + next;
  if (const auto value = TryStrToFloat(text, separator)) return value;
  std::string other = text;
  for (char& c : other) {
    if (c == '.' || c == ',') c = separator;
  }
  if (const auto value = TryStrToFloat(other, separator)) return value;
  return TryStrToFloat(part, separator);
}

// The text as a message quotes it, cut at a whole character when long.
std::string Quoted(const std::string& text) {
  if (text.size() <= kMostQuoted) return "'" + text + "'";
  std::size_t end = kMostQuoted;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return "'" + text.substr(0, end) + "...'";
}

// What is wrong with a line, and where: "Line 3 of C:\list.txt: ...".
[[noreturn]] void LineFault(int index, const std::string& source, const std::string& what) {
  throw EConvertError("Line " + IntToStr(index + 1) + (source.empty() ? "" : " of " + source) + ": " + what +
                      "; the list is unchanged");
}

bool Blank(const std::string& line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

void TForm1::SaveClickList1Click(TObject* /*Sender*/) {
  if (listbox1->Items().Count() == 0) return;
  if (!SaveDialog1->Execute()) return;
  listbox1->Items().SaveToFile(Platform().files(), SaveDialog1->FileName());
}

void TForm1::entriesFromRows(const std::string& source) {
  const char separator = Application().DecimalSeparator();
  const int rows = listbox1->Items().Count();
  for (int k = 0; k < rows && k < kClickListCapacity; ++k) {
    const std::string row = listbox1->Items()[k];
    auto part = [&](int n) { return TLMDListBox::Column(row, ',', n); };
    auto whole = [&](int n) {
      const auto value = TryStrToInt(part(n));
      if (!value) LineFault(k, source, Quoted(part(n)) + " is not a valid integer value");
      return static_cast<double>(*value);
    };
    ClickEntry entry;
    entry.x = whole(0);
    entry.y = whole(1);
    entry.option = whole(2);
    const auto delay = ReadDelay(part(3), part(4), separator);
    if (!delay) LineFault(k, source, Quoted(part(3)) + " is not a valid floating point value");
    entry.delay = *delay;
    if (!DelayIsWaitable(entry.delay)) {
      LineFault(
          k, source,
          "the delay " + FloatToStr(entry.delay, separator) + " is not between 0 and " + kLongestWaitText + " seconds");
    }
    clickList[static_cast<std::size_t>(k)] = entry;
  }
  listCount = std::min(rows, kClickListCapacity) + 1;
}

void TForm1::LoadClickList1Click(TObject* /*Sender*/) {
  std::vector<std::string> oldRows;
  for (int i = 0; i < listbox1->Items().Count(); ++i) oldRows.push_back(listbox1->Items()[i]);
  const auto oldEntries = clickList;
  const std::int32_t oldCount = listCount;
  const bool chosen = OpenDialog1->Execute();
  if (chosen) {
    // A file whose size is unknown is left to the reading below to report.
    const auto status = Platform().files().Status(OpenDialog1->FileName());
    if (status && status->size > kMostListBytes) throw Exception(FormatMessage(kTooLarge, OpenDialog1->FileName()));
    // A file that cannot be read changes nothing.
    const auto bytes = Platform().files().ReadAll(OpenDialog1->FileName());
    if (!bytes) throw EFOpenError(FormatMessage(messages::kCannotOpenFile, OpenDialog1->FileName()));
    // A UTF-8 mark and UTF-16 are read; an icon or a video is refused.
    const auto text = TStrings::TextOfFile(*bytes);
    if (!text) throw Exception(FormatMessage(kNotText, OpenDialog1->FileName()));
    std::vector<std::string> lines = TStrings::SplitLines(*text);
    // The blank lines an editor leaves at the end are no entries.
    while (!lines.empty() && Blank(lines.back())) lines.pop_back();
    if (lines.size() > static_cast<std::size_t>(kClickListCapacity)) {
      throw Exception(FormatMessage(kTooManyLines, OpenDialog1->FileName()));
    }
    pickedRow = -1;
    listbox1->Clear();
    for (const std::string& line : lines) listbox1->Items().Add(line);
  }
  try {
    entriesFromRows(chosen ? OpenDialog1->FileName() : std::string());
  } catch (...) {
    // Rows and entries must agree: the list goes back to what it was.
    listbox1->Clear();
    for (const std::string& row : oldRows) listbox1->Items().Add(row);
    clickList = oldEntries;
    listCount = oldCount;
    throw;
  }
  if (chosen) restartListWaits();
}
