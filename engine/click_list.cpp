#include "engine/click_list.h"

#include <algorithm>
#include <optional>

#include "engine/click_interval.h"
#include "framework/exceptions.h"
#include "framework/strings.h"
#include "framework/sysutils.h"

namespace {

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

// What is wrong with a line, and where: "Line 3 of C:\list.txt: ...".
[[noreturn]] void LineFault(int index, const std::string& source, const std::string& what) {
  throw EConvertError("Line " + IntToStr(index + 1) + (source.empty() ? "" : " of " + source) + ": " + what +
                      "; the list is unchanged");
}

}  // namespace

std::string RowText(const std::string& x, const std::string& y, std::int32_t option, double delay,
                    char decimalSeparator) {
  return x + ", " + y + ", " + IntToStr(option) + ", " + FloatToStr(delay, decimalSeparator);
}

std::vector<platform::Point> ClickList::Points() const {
  std::vector<platform::Point> points;
  for (std::int32_t k = 1; k < listCount; ++k) points.push_back({At(k).x, At(k).y});
  return points;
}

void ClickList::Add(const ClickEntry& entry, std::string row, char decimalSeparator) {
  if (Full()) throw Exception(kFullListMessage);
  if (!DelayIsWaitable(entry.delay)) {
    throw Exception("A delay of " + FloatToStr(entry.delay, decimalSeparator) +
                    " seconds is longer than the longest wait of " + kLongestWaitText + " seconds; nothing was added");
  }
  clickList[static_cast<std::size_t>(listCount - 1)] = entry;
  rows_.push_back(std::move(row));
  ++listCount;
}

void ClickList::Remove(int row) {
  if (row < 0 || row >= Count()) return;
  std::copy(clickList.begin() + row + 1, clickList.begin() + (listCount - 1), clickList.begin() + row);
  rows_.erase(rows_.begin() + row);
  --listCount;
}

void ClickList::Clear() noexcept {
  rows_.clear();
  listCount = 1;
}

ClickList ClickList::FromRows(std::vector<std::string> rows, char separator, const std::string& source) {
  ClickList list;
  const int count = std::min(static_cast<int>(rows.size()), kClickListCapacity);
  for (int k = 0; k < count; ++k) {
    const std::string& row = rows[static_cast<std::size_t>(k)];
    auto part = [&](int n) { return DelimitedColumn(row, ',', n); };
    auto whole = [&](int n) {
      const auto value = TryStrToInt(part(n));
      if (!value) LineFault(k, source, QuotedForMessage(part(n)) + " is not a valid integer value");
      return *value;
    };
    ClickEntry entry;
    entry.x = whole(0);
    entry.y = whole(1);
    entry.option = whole(2);
    const auto delay = ReadDelay(part(3), part(4), separator);
    if (!delay) LineFault(k, source, QuotedForMessage(part(3)) + " is not a valid floating point value");
    entry.delay = *delay;
    if (!DelayIsWaitable(entry.delay)) {
      LineFault(
          k, source,
          "the delay " + FloatToStr(entry.delay, separator) + " is not between 0 and " + kLongestWaitText + " seconds");
    }
    list.clickList[static_cast<std::size_t>(k)] = entry;
  }
  list.listCount = count + 1;
  list.rows_ = std::move(rows);
  return list;
}
