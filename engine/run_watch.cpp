#include "engine/run_watch.h"

#include <cmath>

namespace {
std::string Grouped(std::int64_t value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return (value < 0 ? "-" : "") + digits;
}
}  // namespace

std::string ActivityTip(Activity activity, std::int64_t clicks, double perSecond) {
  const char* what = "idle";
  switch (activity) {
    case Activity::kIdle:
      return "Tapfinch: idle";
    case Activity::kCapturing:
      return "Tapfinch: capturing click points";
    case Activity::kClickingPoint:
      what = "clicking one point";
      break;
    case Activity::kClickingList:
      what = "clicking the list";
      break;
    case Activity::kPaused:
      what = "the list paused";
      break;
  }
  const long tenths = std::lround(perSecond * 10.0);
  return std::string("Tapfinch: ") + what + ", " + Grouped(clicks) + (clicks == 1 ? " click, " : " clicks, ") +
         std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " a second";
}
