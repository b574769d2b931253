// The click list file: the rows of listbox1, one a line, written by Save
// and read back by Load, which then rebuilds every entry from its row. A
// load that fails leaves the list exactly as it was, rows and entries.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "engine/click_interval.h"
#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "ui/Unit1.h"

namespace {

constexpr const char* kTooManyLines = "%s holds more than 100 click points; the list is unchanged";
constexpr const char* kTooLarge = "%s is too large for a click list; the list is unchanged";
// A hundred rows take a few kilobytes. A larger file is refused by its
// size before a byte is read, so that a huge one costs neither time nor memory.
constexpr std::uintmax_t kMostListBytes = 64 * 1024;

// The delay of a row. A system whose decimal separator is the comma writes
// "2.5" as "2,5", which splits into two parts; the second then follows its
// comma without a blank, and joins the first again. A file from a system
// with the other separator reads the same.
double ReadDelay(const std::string& part, const std::string& next, char separator) {
  std::string text = part;
  if (!next.empty() && next.front() != ' ') text += "," + next;
  if (const auto value = TryStrToFloat(text, separator)) return *value;
  std::string other = text;
  for (char& c : other) {
    if (c == '.' || c == ',') c = separator;
  }
  if (const auto value = TryStrToFloat(other, separator)) return *value;
  return StrToFloat(part, separator);  // the conversion error names the part as written
}

}  // namespace

void TForm1::SaveClickList1Click(TObject* /*Sender*/) {
  if (listbox1->Items().Count() == 0) return;
  if (!SaveDialog1->Execute()) return;
  listbox1->Items().SaveToFile(SaveDialog1->FileName());
}

void TForm1::entriesFromRows() {
  const char separator = Application().DecimalSeparator();
  const int rows = listbox1->Items().Count();
  for (int k = 0; k < rows && k < kClickListCapacity; ++k) {
    const std::string row = listbox1->Items()[k];
    auto part = [&](int n) { return TLMDListBox::Column(row, ',', n); };
    ClickEntry entry;
    entry.x = StrToInt(part(0));
    entry.y = StrToInt(part(1));
    entry.option = StrToInt(part(2));
    entry.delay = ReadDelay(part(3), part(4), separator);
    if (!DelayIsWaitable(entry.delay)) {
      throw Exception("Line " + IntToStr(k + 1) + ": the delay " + FloatToStr(entry.delay, separator) +
                      " is not between 0 and " + kLongestWaitText + " seconds; the list is unchanged");
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
    std::error_code unknownSize;  // then the reading below reports the file
    if (std::filesystem::file_size(OpenDialog1->FileName(), unknownSize) > kMostListBytes && !unknownSize) {
      throw Exception(FormatMessage(kTooLarge, OpenDialog1->FileName()));
    }
    TStringList lines;
    lines.LoadFromFile(OpenDialog1->FileName());  // a file that cannot be read changes nothing
    if (lines.Count() > kClickListCapacity) throw Exception(FormatMessage(kTooManyLines, OpenDialog1->FileName()));
    listbox1->Clear();
    for (int i = 0; i < lines.Count(); ++i) listbox1->Items().Add(lines[i]);
  }
  try {
    entriesFromRows();
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
