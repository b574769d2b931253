// Clicks per second that a single-point run delivers to a target window
// at three intervals (and at 10 ms with every core busy), and a list run of
// 100 entries at 10 ms, with the spread of the gaps between clicks; then
// what the program costs: processor time per 1,000 clicks and while idle,
// the time to its window, its working set and the size of tapfinch.exe.
// Run under Wine like the end-to-end tests (./scripts/bench); prints two
// tables.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "tests/e2e/busy_load.h"
#include "tests/e2e/driver.h"
// After windows.h.
#include <psapi.h>
#include <tlhelp32.h>

using namespace e2e;

namespace {

struct Setting {
  const char* name;
  int seconds;
  int hundredths;
  DWORD measureMs;
  bool busy;  // with every core loaded by busy loops
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

// What another process has cost so far: processor time and memory.
class Probe {
 public:
  explicit Probe(DWORD processId)
      : processId_(processId), process_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {}
  ~Probe() {
    if (process_ != nullptr) CloseHandle(process_);
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  // User and kernel time together, in milliseconds; negative if unknown.
  // Wine answers GetProcessTimes with the caller's own times whatever the
  // process (its "only work for current process"), but reads each thread's
  // real times: so the times of the process's threads are added up. That
  // leaves out threads that have ended; the program keeps the ones it has.
  [[nodiscard]] double processorMilliseconds() const {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    double total = 0;
    bool any = false;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more != FALSE; more = Thread32Next(snapshot, &entry)) {
      if (entry.th32OwnerProcessID != processId_) continue;
      HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
      if (thread == nullptr) continue;
      FILETIME created{};
      FILETIME exited{};
      FILETIME kernel{};
      FILETIME user{};
      if (GetThreadTimes(thread, &created, &exited, &kernel, &user) != 0) {
        total += Milliseconds(kernel) + Milliseconds(user);
        any = true;
      }
      CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return any ? total : -1;
  }

  [[nodiscard]] PROCESS_MEMORY_COUNTERS memory() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (process_ == nullptr || GetProcessMemoryInfo(process_, &counters, sizeof counters) == 0) counters = {};
    return counters;
  }

 private:
  static double Milliseconds(FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  }

  DWORD processId_;
  HANDLE process_;
};

struct Costs {
  double runProcessorMs = -1;  // over the measured 10 ms run
  std::size_t runClicks = 0;
  double idleProcessorMs = -1;
  double idleSeconds = 0;
  std::vector<double> startMs;
  PROCESS_MEMORY_COUNTERS afterStart{};
  PROCESS_MEMORY_COUNTERS afterRun{};
  long long exeBytes = -1;
};

// From CreateProcess to a visible main window, polled every millisecond;
// the copy is closed again before the next one starts (one copy at a time).
double StartToWindow() {
  const std::string path = TapfinchPath();
  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double began = NowMilliseconds();
  if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process) == 0) {
    return -1;
  }
  double shown = -1;
  HWND window = nullptr;
  while (NowMilliseconds() - began < 30000) {
    window = VisibleWindowOf(process.dwProcessId, "TForm1");
    if (window != nullptr) {
      shown = NowMilliseconds() - began;
      break;
    }
    Sleep(1);
  }
  Pump(500);
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return shown;
}

// Started and left alone on its default tab: no run, no input.
bool Idle(Costs& costs, DWORD milliseconds) {
  Tapfinch app;
  if (!app.started()) return false;
  Pump(2000);
  Probe probe(app.processId());
  const double before = probe.processorMilliseconds();
  const double began = NowMilliseconds();
  Pump(milliseconds);
  const double after = probe.processorMilliseconds();
  costs.idleSeconds = (NowMilliseconds() - began) / 1000.0;
  if (before >= 0 && after >= 0) costs.idleProcessorMs = after - before;
  return true;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Kibibytes(SIZE_T bytes) { return std::to_string((bytes + 512) / 1024) + " KiB"; }

void PrintCosts(const Costs& c) {
  std::printf("\n| figure | value |\n|---|---|\n");
  if (c.runProcessorMs >= 0 && c.runClicks > 0) {
    std::printf("| processor time per 1,000 clicks at 10 ms | %.0f ms (%.0f ms for %zu clicks) |\n",
                c.runProcessorMs * 1000.0 / static_cast<double>(c.runClicks), c.runProcessorMs, c.runClicks);
  } else {
    std::printf("| processor time per 1,000 clicks at 10 ms | unknown |\n");
  }
  if (c.idleProcessorMs >= 0) {
    std::printf("| processor time while idle | %.0f ms in %.0f s (%.2f %% of one core) |\n", c.idleProcessorMs,
                c.idleSeconds, c.idleProcessorMs / (c.idleSeconds * 10.0));
  } else {
    std::printf("| processor time while idle | unknown |\n");
  }
  std::vector<double> starts;
  for (double ms : c.startMs) {
    if (ms >= 0) starts.push_back(ms);
  }
  if (!starts.empty()) {
    std::string all;
    for (double ms : c.startMs) all += (all.empty() ? "" : ", ") + std::to_string(static_cast<int>(std::lround(ms)));
    std::printf("| start to main window shown | %.0f ms, median of %zu starts (%s) |\n", Median(starts), starts.size(),
                all.c_str());
  } else {
    std::printf("| start to main window shown | no window |\n");
  }
  std::printf("| working set after start | %s (peak %s) |\n", Kibibytes(c.afterStart.WorkingSetSize).c_str(),
              Kibibytes(c.afterStart.PeakWorkingSetSize).c_str());
  std::printf("| working set after a 10 ms run | %s (peak %s) |\n", Kibibytes(c.afterRun.WorkingSetSize).c_str(),
              Kibibytes(c.afterRun.PeakWorkingSetSize).c_str());
  std::printf("| size of tapfinch.exe | %lld bytes |\n", c.exeBytes);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  DeleteSettings();  // measured from the program's defaults
  // "list" measures the list run alone, as often as asked ("list 3");
  // "idle" and "start" below measure those alone.
  if (argc > 1 && std::string(argv[1]) == "list") {
    const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    for (int i = 0; i < times; ++i) {
      if (!ListRun()) return 1;
    }
    return 0;
  }
  // "idle 60": the idle processor time over that many seconds.
  if (argc > 1 && std::string(argv[1]) == "idle") {
    Costs costs;
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;
    if (!Idle(costs, static_cast<DWORD>(seconds) * 1000)) return 1;
    std::printf("idle: %.1f ms of processor time in %.1f s\n", costs.idleProcessorMs, costs.idleSeconds);
    return 0;
  }
  // "start 5": that many starts timed.
  if (argc > 1 && std::string(argv[1]) == "start") {
    const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    for (int i = 0; i < times; ++i) {
      std::printf("start to main window shown: %.0f ms\n", StartToWindow());
      std::fflush(stdout);
      Pump(500);
    }
    return 0;
  }
  Costs costs;
  const Setting settings[] = {{"single point, 10 ms", 0, 1, 5000, false},
                              {"single point, 50 ms", 0, 5, 5000, false},
                              {"single point, 1 s", 1, 0, 10500, false},
                              {"single point, 10 ms, every core busy", 0, 1, 5000, true}};
  std::printf("| run | clicks | seconds | clicks/s | mean gap ms | min gap ms | max gap ms | gap std dev ms |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  for (const Setting& setting : settings) {
    Tapfinch app;
    if (!app.started()) {
      std::fprintf(stderr, "tapfinch.exe did not start\n");
      return 1;
    }
    // The first 10 ms run is the one whose costs are kept.
    const bool costed = &setting == &settings[0];
    Probe probe(app.processId());
    if (costed) {
      Pump(2000);
      costs.afterStart = probe.memory();
    }
    app.selectTab(0);
    Target target(1000, 780, 200, 150);
    if (!SetInterval(app, setting)) {
      std::fprintf(stderr, "could not set the interval %s\n", setting.name);
      return 1;
    }
    HWND start = app.control("TzColorBtn", "START");
    HWND stop = app.control("TzColorBtn", "STOP");
    std::unique_ptr<BusyLoad> load;
    if (setting.busy) load = std::make_unique<BusyLoad>();
    app.clickUntil(start, [&] { return IsWindowEnabled(stop) != FALSE; });
    MoveCursor(target.center());
    Pump(300);
    const double before = probe.processorMilliseconds();
    const Figures figures = Measure(target, setting.measureMs);
    const double after = probe.processorMilliseconds();
    load.reset();
    app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; });
    if (costed) {
      if (before >= 0 && after >= 0) costs.runProcessorMs = after - before;
      costs.runClicks = figures.clicks;
      Pump(500);
      costs.afterRun = probe.memory();
    }
    Print(setting.name, figures);
  }
  if (!ListRun()) {
    std::fprintf(stderr, "could not build and run the list\n");
    return 1;
  }
  for (int i = 0; i < 5; ++i) {
    costs.startMs.push_back(StartToWindow());
    Pump(500);
  }
  if (!Idle(costs, 60000)) {
    std::fprintf(stderr, "tapfinch.exe did not start for the idle minute\n");
    return 1;
  }
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (GetFileAttributesExA(TapfinchPath().c_str(), GetFileExInfoStandard, &file) != 0) {
    costs.exeBytes = static_cast<long long>((static_cast<ULONGLONG>(file.nFileSizeHigh) << 32) | file.nFileSizeLow);
  }
  PrintCosts(costs);
  return 0;
}
