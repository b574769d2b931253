// Clicks per second that a single-point run delivers to a target window
// at three intervals, with the spread of the gaps between clicks. Run under
// Wine like the end-to-end tests (./scripts/bench); prints a table.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

struct Setting {
  const char* name;
  int seconds;
  int hundredths;
  DWORD measureMs;
};

bool SetInterval(Tapfinch& app, const Setting& s) {
  const auto fields = app.controls("TzcFloatSpinEdit");
  if (fields.size() != 5) return false;
  app.stepField(fields[2], VK_DOWN, 59);
  app.stepField(fields[4], VK_DOWN, 9);
  app.stepField(fields[2], VK_UP, s.seconds);
  app.stepField(fields[4], VK_UP, s.hundredths);
  return WaitFor(
      [&] {
        return TextOf(fields[2]) == std::to_string(s.seconds) && TextOf(fields[4]) == std::to_string(s.hundredths);
      },
      3000);
}

}  // namespace

int main() {
  const Setting settings[] = {{"10 ms", 0, 1, 5000}, {"50 ms", 0, 5, 5000}, {"1 s", 1, 0, 10500}};
  std::printf("| interval | clicks | seconds | clicks/s | mean gap ms | min gap ms | max gap ms | gap std dev ms |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  for (const Setting& setting : settings) {
    Tapfinch app;
    if (!app.started()) {
      std::fprintf(stderr, "tapfinch.exe did not start\n");
      return 1;
    }
    app.selectTab(0);
    Target target(1000, 780, 200, 150);
    if (!SetInterval(app, setting)) {
      std::fprintf(stderr, "could not set the interval %s\n", setting.name);
      return 1;
    }
    HWND start = app.control("TzColorBtn", "START");
    HWND stop = app.control("TzColorBtn", "STOP");
    app.clickUntil(start, [&] { return IsWindowEnabled(stop) != FALSE; });
    MoveCursor(target.center());
    Pump(300);
    target.clear();
    const double began = NowMilliseconds();
    Pump(setting.measureMs);
    const double elapsed = (NowMilliseconds() - began) / 1000.0;
    std::vector<double> downs;
    for (const auto& click : target.clicks()) {
      if (click.message == WM_LBUTTONDOWN) downs.push_back(click.time);
    }
    app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; });
    std::vector<double> gaps;
    for (std::size_t i = 1; i < downs.size(); ++i) gaps.push_back(downs[i] - downs[i - 1]);
    double mean = 0, low = 0, high = 0, deviation = 0;
    if (!gaps.empty()) {
      mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / static_cast<double>(gaps.size());
      low = *std::min_element(gaps.begin(), gaps.end());
      high = *std::max_element(gaps.begin(), gaps.end());
      double sum = 0;
      for (double g : gaps) sum += (g - mean) * (g - mean);
      deviation = std::sqrt(sum / static_cast<double>(gaps.size()));
    }
    std::printf("| %s | %zu | %.2f | %.1f | %.1f | %.1f | %.1f | %.1f |\n", setting.name, downs.size(), elapsed,
                static_cast<double>(downs.size()) / elapsed, mean, low, high, deviation);
    std::fflush(stdout);
  }
  return 0;
}
