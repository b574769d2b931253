// The click list: up to 100 entries, each with the row of text that shows
// it (the fields as typed when added, the line as read when loaded). Rows
// and entries change together, so row k is always the text of entry k.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

struct ClickEntry {
  std::int32_t x = 0;
  std::int32_t y = 0;
  // 1 to 5 name a click kind; any other number clicks nothing.
  std::int32_t option = 0;
  double delay = 0;  // seconds to wait after this click
  friend bool operator==(const ClickEntry&, const ClickEntry&) = default;
};
inline constexpr std::int32_t kClickListCapacity = 100;
// What a full list answers an entry more.
inline constexpr const char* kFullListMessage =
    "Currently, only 100 click points can be specified\r\n"
    "Delete one or more click points by selecting it from the list, and pressing the delete key.";

class ClickList {
 public:
  [[nodiscard]] int Count() const noexcept { return listCount - 1; }
  [[nodiscard]] bool Full() const noexcept { return listCount >= kClickListCapacity + 1; }
  // Position k of the list, from 1.
  [[nodiscard]] const ClickEntry& At(std::int32_t position) const {
    return clickList.at(static_cast<std::size_t>(position - 1));
  }
  [[nodiscard]] const std::vector<std::string>& Rows() const noexcept { return rows_; }
  [[nodiscard]] std::vector<platform::Point> Points() const;

  // Throws, adding nothing, when the list is full or the delay is one the
  // run cannot wait.
  void Add(const ClickEntry& entry, std::string row, char decimalSeparator);
  // The entry of row `row` (from 0) goes; later ones move up one place.
  void Remove(int row);
  void Clear() noexcept;

  // The entries the rows give, by the list file's rules: x, y and the
  // option whole numbers, then the delay. A bad row's message names its
  // line and, when given, the file it came from.
  [[nodiscard]] static ClickList FromRows(std::vector<std::string> rows, char decimalSeparator,
                                          const std::string& source = {});

 private:
  // Position k of the click list is clickList[k - 1]; listCount is one past the last.
  std::array<ClickEntry, kClickListCapacity> clickList{};
  std::int32_t listCount = 1;
  std::vector<std::string> rows_;
};

// The row text of an entry: the fields as typed, the option, the delay.
[[nodiscard]] std::string RowText(const std::string& x, const std::string& y, std::int32_t option, double delay,
                                  char decimalSeparator);
