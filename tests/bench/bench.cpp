// Clicks per second that a single-point run delivers to a target window
// at three intervals, and a list run of 100 entries at 10 ms, with the
// spread of the gaps between clicks. Run under Wine like the end-to-end
// tests (./scripts/bench); prints a table.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
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

struct Figures {
  std::size_t clicks = 0;
  double seconds = 0;
  double mean = 0;
  double low = 0;
  double high = 0;
  double deviation = 0;
};

// Counts the left-button downs that reach the target for a while.
Figures Measure(Target& target, DWORD milliseconds) {
  target.clear();
  const double began = NowMilliseconds();
  Pump(milliseconds);
  Figures f;
  f.seconds = (NowMilliseconds() - began) / 1000.0;
  std::vector<double> downs;
  for (const auto& click : target.clicks()) {
    if (click.message == WM_LBUTTONDOWN) downs.push_back(click.time);
  }
  f.clicks = downs.size();
  std::vector<double> gaps;
  for (std::size_t i = 1; i < downs.size(); ++i) gaps.push_back(downs[i] - downs[i - 1]);
  if (!gaps.empty()) {
    f.mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / static_cast<double>(gaps.size());
    f.low = *std::min_element(gaps.begin(), gaps.end());
    f.high = *std::max_element(gaps.begin(), gaps.end());
    double sum = 0;
    for (double g : gaps) sum += (g - f.mean) * (g - f.mean);
    f.deviation = std::sqrt(sum / static_cast<double>(gaps.size()));
  }
  return f;
}

void Print(const char* name, const Figures& f) {
  std::printf("| %s | %zu | %.2f | %.1f | %.1f | %.1f | %.1f | %.1f |\n", name, f.clicks, f.seconds,
              static_cast<double>(f.clicks) / f.seconds, f.mean, f.low, f.high, f.deviation);
  std::fflush(stdout);
}

// A list of 100 Click entries at one point with a 10 ms delay each, run
// for five seconds with its row highlight moving at every click.
bool ListRun() {
  Tapfinch app;
  if (!app.started()) return false;
  Target target(1000, 780, 200, 150);
  const auto fields = app.controls("TzcFloatSpinEdit");
  if (fields.size() != 5) return false;
  app.stepField(fields[2], VK_DOWN, 5);
  app.stepField(fields[4], VK_UP, 1);
  HWND list = app.control("TListBox");
  HWND add = app.control("TButton", "Add to List");
  Click(app.control("TButton", "Start"));
  MoveCursor(target.center());
  Pump(100);
  PressCombination({VK_CONTROL}, 'A');
  for (int i = 1; i < 100; ++i) Click(add);
  if (!WaitFor([&] { return ListCount(list) == 100; }, 5000)) return false;
  Click(app.control("TButton", "Stop"));
  Click(app.control("TButton", "Click the List"));
  Pump(300);
  Print("list, 100 entries of 10 ms", Measure(target, 5000));
  PressCombination({VK_CONTROL}, VK_F10);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  DeleteSettings();  // measured from the program's defaults
  // "list" measures the list run alone, as often as asked ("list 3").
  if (argc > 1 && std::string(argv[1]) == "list") {
    const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    for (int i = 0; i < times; ++i) {
      if (!ListRun()) return 1;
    }
    return 0;
  }
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
    const Figures figures = Measure(target, setting.measureMs);
    app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; });
    Print(setting.name, figures);
  }
  if (!ListRun()) {
    std::fprintf(stderr, "could not build and run the list\n");
    return 1;
  }
  return 0;
}
