// Clicks per second that a single-point run delivers to a target window
// at three intervals (and at 10 ms with every core busy), and a list run of
// 100 entries at 10 ms, with the spread of the gaps between clicks; then
// what the program costs: processor time per 1,000 clicks and while idle,
// the time to its window, its working set and the size of tapfinch.exe.
// Each cost stands beside the floor's: tapfinch_floor.exe, the least a
// Win32 program clicking at 10 ms needs, built with the same toolchain and
// measured the same way in the same run. Then runs minimised and restored,
// and the time a close takes, beside the floor's. Run under Wine like the
// end-to-end tests (./scripts/bench); prints four tables.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <tuple>
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
  double p99Error = 0;  // how far from the set interval 99 gaps in 100 keep
};

// The figures of the left-button downs in [from, to), against the set interval.
Figures FiguresOf(const std::vector<double>& downs, double from, double to, double intervalMs) {
  Figures f;
  f.seconds = (to - from) / 1000.0;
  std::vector<double> gaps;
  double previous = -1;
  for (double at : downs) {
    if (at < from || at >= to) continue;
    ++f.clicks;
    if (previous >= 0) gaps.push_back(at - previous);
    previous = at;
  }
  if (gaps.empty()) return f;
  f.mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / static_cast<double>(gaps.size());
  f.low = *std::min_element(gaps.begin(), gaps.end());
  f.high = *std::max_element(gaps.begin(), gaps.end());
  double sum = 0;
  std::vector<double> errors;
  for (double g : gaps) {
    sum += (g - f.mean) * (g - f.mean);
    errors.push_back(std::fabs(g - intervalMs));
  }
  f.deviation = std::sqrt(sum / static_cast<double>(gaps.size()));
  std::sort(errors.begin(), errors.end());
  f.p99Error = errors[std::min(errors.size() - 1, errors.size() * 99 / 100)];
  return f;
}

// The left-button downs of a measurement, in time order.
std::vector<double> Downs(const Target& target) {
  std::vector<double> downs;
  for (const auto& click : target.clicks()) {
    if (click.message == WM_LBUTTONDOWN) downs.push_back(click.time);
  }
  return downs;
}

// Counts the left-button downs that reach the target for a while.
Figures Measure(Target& target, DWORD milliseconds, double intervalMs = 10) {
  target.clear();
  const double began = NowMilliseconds();
  Pump(milliseconds);
  return FiguresOf(Downs(target), began, NowMilliseconds(), intervalMs);
}

void Print(const char* name, const Figures& f) {
  std::printf("| %s | %zu | %.2f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f |\n", name, f.clicks, f.seconds,
              static_cast<double>(f.clicks) / f.seconds, f.mean, f.low, f.high, f.deviation, f.p99Error);
  std::fflush(stdout);
}

// Fills the list with that many Click entries at the target's centre,
// each with the delay the fields hold: the first captured with Ctrl+A, the
// rest added. False when the list did not fill.
bool FillList(const Tapfinch& app, const Target& target, int entries) {
  HWND list = app.control("TListBox");
  HWND add = app.control("TButton", "Add to List");
  Click(app.control("TButton", "Start"));
  MoveCursor(target.center());
  Pump(100);
  PressCombination({VK_CONTROL}, 'A');
  for (int i = 1; i < entries; ++i) Click(add);
  if (!WaitFor([&] { return ListCount(list) == entries; }, 5000)) return false;
  Click(app.control("TButton", "Stop"));
  return true;
}

// A list of 100 Click entries at the target with a 10 ms delay each,
// started unless told not to; false when it could not be made.
bool StartTenMsList(const Tapfinch& app, const Target& target, bool start = true) {
  const auto fields = app.controls("TzcFloatSpinEdit");
  if (fields.size() != 5) return false;
  app.stepField(fields[2], VK_DOWN, 5);
  app.stepField(fields[4], VK_UP, 1);
  if (!FillList(app, target, 100)) return false;
  if (start) Click(app.control("TButton", "Click the List"));
  return true;
}

// A list of three Click entries of 1 s each run for a minute: how far the
// sixty-first click is from a minute after the first (the list run's
// drift), or a negative number when the run could not be made.
double ListDriftMilliseconds() {
  Tapfinch app;
  if (!app.started()) return -1;
  Target target(1000, 780, 200, 150);
  const auto fields = app.controls("TzcFloatSpinEdit");
  if (fields.size() != 5) return -1;
  app.stepField(fields[2], VK_DOWN, 4);  // 5 s to 1 s
  if (!FillList(app, target, 3)) return -1;
  target.clear();
  Click(app.control("TButton", "Click the List"));
  Pump(61500);
  PressCombination({VK_CONTROL}, VK_F10);
  std::vector<double> downs;
  for (const auto& click : target.clicks()) {
    if (click.message == WM_LBUTTONDOWN) downs.push_back(click.time);
  }
  if (downs.size() < 61) return -1;
  return downs[60] - downs[0] - 60000.0;
}

// Processor time in milliseconds, read two ways; negative where unknown.
struct Reading {
  double threads = -1;  // the Windows threads' times, added up
  double linux = -1;    // Linux's account of the process Wine runs it in
};

Reading Spent(const Reading& before, const Reading& after) {
  const auto spent = [](double b, double a) { return b >= 0 && a >= 0 ? a - b : -1; };
  return {spent(before.threads, after.threads), spent(before.linux, after.linux)};
}

// The whole contents of a small file, or nothing.
std::string ReadSmallFile(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  // /proc reports a size of 0, so read until the end instead.
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0 && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

// The Linux process that Wine runs the program `exeName` in, found through
// Wine's Z: drive: its first argument is the program's Windows path. 0 if
// none, or more than one, matches, or this is not Wine.
unsigned LinuxProcessOf(const std::string& exeName) {
  const std::string tail = "\\" + exeName;
  const auto endsWithName = [&](const std::string& argument) {
    return argument.size() >= tail.size() &&
           lstrcmpiA(argument.c_str() + argument.size() - tail.size(), tail.c_str()) == 0;
  };
  WIN32_FIND_DATAA entry{};
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  unsigned found = 0;
  int matches = 0;
  do {
    const std::string name = entry.cFileName;
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string commandLine = ReadSmallFile("Z:\\proc\\" + name + "\\cmdline");
    if (endsWithName(commandLine.substr(0, commandLine.find('\0')))) {
      found = static_cast<unsigned>(std::strtoul(name.c_str(), nullptr, 10));
      ++matches;
    }
  } while (FindNextFileA(search, &entry) != 0);
  FindClose(search);
  return matches == 1 ? found : 0;
}

// What another process has cost so far: processor time and memory.
class Probe {
 public:
  Probe(DWORD processId, const std::string& exeName)
      : processId_(processId),
        process_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)),
        linuxProcess_(LinuxProcessOf(exeName)) {}
  ~Probe() {
    if (process_ != nullptr) CloseHandle(process_);
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  [[nodiscard]] Reading read() const { return {threadMilliseconds(), linuxMilliseconds()}; }

  [[nodiscard]] PROCESS_MEMORY_COUNTERS memory() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (process_ == nullptr || GetProcessMemoryInfo(process_, &counters, sizeof counters) == 0) counters = {};
    return counters;
  }

 private:
  // User and kernel time together, in milliseconds; negative if unknown.
  // Wine answers GetProcessTimes with the caller's own times whatever the
  // process (its "only work for current process"), but reads each thread's
  // real times: so the times of the process's threads are added up. That
  // leaves out threads that have ended; the program keeps the ones it has.
  [[nodiscard]] double threadMilliseconds() const {
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

  // User and system time of the whole Linux process, ended threads and
  // Wine's own work in it included (fields 14 and 15 of its stat, in ticks
  // of 10 ms: Linux's USER_HZ is 100 on x86). Negative if unknown.
  [[nodiscard]] double linuxMilliseconds() const {
    if (linuxProcess_ == 0) return -1;
    const std::string stat = ReadSmallFile("Z:\\proc\\" + std::to_string(linuxProcess_) + "\\stat");
    // The name in parentheses may hold spaces; the fields after it do not.
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::vector<std::string> fields;
    std::size_t at = close + 1;
    while ((at = stat.find_first_not_of(' ', at)) != std::string::npos) {
      const std::size_t end = stat.find(' ', at);
      fields.push_back(stat.substr(at, end - at));
      at = end;
    }
    // fields[0] is field 3, the state; so utime is fields[11], stime fields[12].
    if (fields.size() < 13) return -1;
    return static_cast<double>(std::strtoull(fields[11].c_str(), nullptr, 10) +
                               std::strtoull(fields[12].c_str(), nullptr, 10)) *
           10.0;
  }

  static double Milliseconds(FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  }

  DWORD processId_;
  HANDLE process_;
  unsigned linuxProcess_;
};

// The 10 ms runs whose processor time is kept: long enough that Wine's
// 10 ms steps of thread time and the machine's own spells weigh little.
constexpr DWORD kCostedRunMs = 15000;

constexpr const char* kTapfinchExe = "tapfinch.exe";
constexpr const char* kFloorExe = "tapfinch_floor.exe";

Reading PerThousand(const Reading& spent, std::size_t clicks) {
  const auto per = [&](double ms) { return ms >= 0 && clicks > 0 ? ms * 1000.0 / static_cast<double>(clicks) : -1; };
  return {per(spent.threads), per(spent.linux)};
}

// A list of 100 Click entries at one point with a 10 ms delay each, run
// for five seconds with its row highlight moving at every click; its
// processor time per 1,000 clicks goes to *perThousand.
bool ListRun(Reading* perThousand = nullptr) {
  Tapfinch app;
  if (!app.started()) return false;
  Target target(1000, 780, 200, 150);
  if (!StartTenMsList(app, target)) return false;
  Pump(300);
  Probe probe(app.processId(), kTapfinchExe);
  const Reading before = probe.read();
  const Figures figures = Measure(target, 5000);
  const Reading after = probe.read();
  Print("list, 100 entries of 10 ms", figures);
  if (perThousand != nullptr) *perThousand = PerThousand(Spent(before, after), figures.clicks);
  PressCombination({VK_CONTROL}, VK_F10);
  return true;
}

// Around a moment (a minimise, a restore): the first click after it and
// the largest gap between clicks from a second before it to the end.
struct AroundMoment {
  double firstAfter = -1;  // ms after the moment
  double largestGap = -1;  // ms
};

AroundMoment Around(const std::vector<double>& downs, double moment) {
  AroundMoment around;
  double previous = -1;
  for (double at : downs) {
    if (at >= moment && around.firstAfter < 0) around.firstAfter = at - moment;
    if (previous >= 0 && at >= moment - 1000) around.largestGap = std::max(around.largestGap, at - previous);
    previous = at;
  }
  return around;
}

// A run minimised the way its title bar's button does it and restored the
// way its taskbar entry does: the figures of each half, and of the time
// around each of the two moments.
struct MinimisedRun {
  Figures minimised;  // from a second after the minimise until the restore
  AroundMoment minimise;
  AroundMoment restore;
  Reading perThousand;  // processor time while minimised, per 1,000 clicks
};

// The program's window and its taskbar's window (itself for the floor)
// are given; the run is going. Minimised for `minimisedMs`, then restored
// and watched for two seconds more.
MinimisedRun MinimiseAndRestore(Target& target, HWND window, HWND taskbarWindow, const Probe& probe,
                                DWORD minimisedMs) {
  MinimisedRun run;
  target.clear();
  Pump(1000);
  const double minimisedAt = NowMilliseconds();
  PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump(1000);
  const Reading before = probe.read();
  const double settledAt = NowMilliseconds();
  Pump(minimisedMs);
  const Reading after = probe.read();
  const double restoredAt = NowMilliseconds();
  PostMessageA(taskbarWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump(2000);
  const std::vector<double> downs = Downs(target);
  run.minimised = FiguresOf(downs, settledAt, restoredAt, 10);
  run.perThousand = PerThousand(Spent(before, after), run.minimised.clicks);
  const std::vector<double> untilRestore(downs.begin(), std::lower_bound(downs.begin(), downs.end(), restoredAt));
  run.minimise = Around(untilRestore, minimisedAt);
  run.restore = Around(downs, restoredAt);
  return run;
}

std::string Figure(double value, const char* unit);
std::string Ratio(double ours, double floor);

void PrintMinimised(const char* name, const MinimisedRun& run) {
  std::printf("| %s | %.1f | %.0f | %.0f | %.0f | %.0f | %.1f | %s |\n", name,
              static_cast<double>(run.minimised.clicks) / run.minimised.seconds, run.minimise.firstAfter,
              run.minimise.largestGap, run.restore.firstAfter, run.restore.largestGap, run.minimised.high,
              Figure(run.perThousand.linux, "ms").c_str());
  std::fflush(stdout);
}

// From WM_CLOSE to the main window out of sight, gone, and to the process
// ended, in ms.
struct Closing {
  double windowHidden = -1;
  double windowGone = -1;
  double processEnded = -1;
};

Closing TimeClose(HWND window, HANDLE process) {
  Closing closing;
  const double began = NowMilliseconds();
  PostMessageA(window, WM_CLOSE, 0, 0);
  while (NowMilliseconds() - began < 20000) {
    if (closing.windowHidden < 0 && IsWindowVisible(window) == FALSE) closing.windowHidden = NowMilliseconds() - began;
    if (closing.windowGone < 0 && IsWindow(window) == FALSE) closing.windowGone = NowMilliseconds() - began;
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
      closing.processEnded = NowMilliseconds() - began;
      if (closing.windowGone < 0) closing.windowGone = closing.processEnded;
      if (closing.windowHidden < 0) closing.windowHidden = closing.windowGone;
      break;
    }
    Sleep(1);
  }
  return closing;
}

// The floor's figures, measured as Tapfinch's are.
struct FloorCosts {
  Figures run;
  Reading runProcessor;  // over the measured run
  Figures list;          // with a list box's selection moving at each click
  Reading listProcessor;
  Figures pacedList;  // the selection moving at most once a frame
  Reading pacedListProcessor;
  Reading idleProcessor;
  double idleSeconds = 0;
  std::vector<double> startMs;
  PROCESS_MEMORY_COUNTERS afterStart{};
  PROCESS_MEMORY_COUNTERS afterRun{};
  long long exeBytes = -1;
};

// Where a start's time goes, seen from outside: the moments at which the
// application window, the main window, the main window's showing and the
// instructions window (built once the main window shows) first appear,
// polled every millisecond.
struct Phases {
  double application = -1;
  double mainWindow = -1;
  double instructions = -1;
  double shown = -1;
};

struct Costs {
  Reading listPerThousand;  // per 1,000 clicks of the list run
  std::vector<Phases> phases;
  Reading runProcessor;  // over the measured 10 ms run
  std::size_t runClicks = 0;
  Reading idleProcessor;
  double idleSeconds = 0;
  std::vector<double> startMs;
  PROCESS_MEMORY_COUNTERS afterStart{};
  PROCESS_MEMORY_COUNTERS afterRun{};
  long long exeBytes = -1;
};

std::string FloorPath() {
  std::string path = TapfinchPath();
  return path.substr(0, path.find_last_of('\\') + 1) + "tapfinch_floor.exe";
}

long long FileBytes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file) == 0) return -1;
  return static_cast<long long>((static_cast<ULONGLONG>(file.nFileSizeHigh) << 32) | file.nFileSizeLow);
}

// A program started for a measurement; on leaving, its window is asked to
// close, and the process is ended if it has not gone within 10 s.
class Launched {
 public:
  Launched(const std::string& path, const char* arguments) {
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_) != 0;
  }
  ~Launched() {
    if (!started_) return;
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  Launched(const Launched&) = delete;
  Launched& operator=(const Launched&) = delete;
  [[nodiscard]] bool started() const noexcept { return started_; }
  [[nodiscard]] DWORD id() const noexcept { return process_.dwProcessId; }
  [[nodiscard]] HANDLE process() const noexcept { return process_.hProcess; }
  HWND window = nullptr;  // the window closed on leaving

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

// From CreateProcess to a visible main window, polled every millisecond;
// the copy is closed again before the next one starts (one copy at a time).
double StartToWindow(const std::string& path = TapfinchPath(), const char* className = "TForm1",
                     const char* arguments = "") {
  const double began = NowMilliseconds();
  Launched program(path, arguments);
  if (!program.started()) return -1;
  double shown = -1;
  while (NowMilliseconds() - began < 30000) {
    program.window = VisibleWindowOf(program.id(), className);
    if (program.window != nullptr) {
      shown = NowMilliseconds() - began;
      break;
    }
    Sleep(1);
  }
  Pump(500);
  return shown;
}

Phases StartPhases() {
  Phases phases;
  const double began = NowMilliseconds();
  Launched program(TapfinchPath(), "");
  if (!program.started()) return phases;
  const auto mark = [&](double& moment, bool seen) {
    if (moment < 0 && seen) moment = NowMilliseconds() - began;
  };
  while (NowMilliseconds() - began < 30000 && (phases.shown < 0 || phases.instructions < 0)) {
    mark(phases.application, !WindowsOf(program.id(), "TApplication").empty());
    mark(phases.mainWindow, !WindowsOf(program.id(), "TForm1").empty());
    mark(phases.instructions, !WindowsOf(program.id(), "TForm2").empty());
    if (program.window == nullptr) program.window = VisibleWindowOf(program.id(), "TForm1");
    mark(phases.shown, program.window != nullptr);
    Sleep(1);
  }
  Pump(500);
  return phases;
}

void PrintPhases(const Phases& p) {
  std::printf("start: application window %.0f ms, main window %.0f ms, shown %.0f ms, instructions window %.0f ms\n",
              p.application, p.mainWindow, p.shown, p.instructions);
  std::fflush(stdout);
}

// Started and left alone on its default tab: no run, no input.
bool Idle(Costs& costs, DWORD milliseconds) {
  Tapfinch app;
  if (!app.started()) return false;
  Pump(2000);
  Probe probe(app.processId(), kTapfinchExe);
  const Reading before = probe.read();
  const double began = NowMilliseconds();
  Pump(milliseconds);
  costs.idleProcessor = Spent(before, probe.read());
  costs.idleSeconds = (NowMilliseconds() - began) / 1000.0;
  return true;
}

// The floor started, left to click on the target as long as Tapfinch's costed run; then
// again with its list; then started with "idle" and left alone; its
// processor time and memory.
bool MeasureFloor(FloorCosts& costs, DWORD idleMilliseconds) {
  const std::string path = FloorPath();
  costs.exeBytes = FileBytes(path);
  for (const char* mode : {"", "list", "list paced", "idle"}) {
    const bool idle = std::string(mode) == "idle";
    const bool paced = std::string(mode) == "list paced";
    const bool list = std::string(mode) == "list";
    Launched floor(path, mode);
    if (!floor.started()) return false;
    Target target(1000, 780, 200, 150);
    MoveCursor(target.center());
    WaitFor([&] { return (floor.window = VisibleWindowOf(floor.id(), "TapfinchFloor")) != nullptr; }, 30000);
    if (floor.window == nullptr) return false;
    Probe probe(floor.id(), kFloorExe);
    Pump(2000);
    if (idle) {
      const Reading before = probe.read();
      const double began = NowMilliseconds();
      Pump(idleMilliseconds);
      costs.idleProcessor = Spent(before, probe.read());
      costs.idleSeconds = (NowMilliseconds() - began) / 1000.0;
    } else if (list || paced) {
      const Reading before = probe.read();
      (paced ? costs.pacedList : costs.list) = Measure(target, 5000);
      (paced ? costs.pacedListProcessor : costs.listProcessor) = Spent(before, probe.read());
    } else {
      costs.afterStart = probe.memory();
      const Reading before = probe.read();
      costs.run = Measure(target, kCostedRunMs);
      costs.runProcessor = Spent(before, probe.read());
      costs.afterRun = probe.memory();
    }
  }
  return true;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Ratio(double ours, double floor) {
  if (ours < 0 || floor <= 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", ours / floor);
  return text;
}

std::string Figure(double value, const char* unit) {
  if (value < 0) return "unknown";
  char text[48];
  std::snprintf(text, sizeof text, "%.0f %s", value, unit);
  return text;
}

std::string Starts(const std::vector<double>& all) {
  std::string text;
  for (double ms : all) text += (text.empty() ? "" : ", ") + std::to_string(static_cast<int>(std::lround(ms)));
  return text;
}

void Row(const char* figure, double ours, double floor, const char* unit) {
  std::printf("| %s | %s | %s | %s |\n", figure, Figure(ours, unit).c_str(), Figure(floor, unit).c_str(),
              Ratio(ours, floor).c_str());
}

// Two rows for a processor time: the threads' times, then Linux's.
void Rows(const std::string& figure, const Reading& ours, const Reading& floor) {
  Row((figure + ", threads' times").c_str(), ours.threads, floor.threads, "ms");
  Row((figure + ", Linux's account").c_str(), ours.linux, floor.linux, "ms");
}

void PrintCosts(const Costs& c, const FloorCosts& f) {
  std::printf("\n| figure | Tapfinch | floor | Tapfinch / floor |\n|---|---|---|---|\n");
  const Reading single = PerThousand(c.runProcessor, c.runClicks);
  Rows("processor time per 1,000 clicks at 10 ms", single, PerThousand(f.runProcessor, f.run.clicks));
  Rows("processor time per 1,000 clicks, list of 100 at 10 ms (the floor's a plain list box)", c.listPerThousand,
       PerThousand(f.listProcessor, f.list.clicks));
  Rows("the same, the floor's list moving at most once a frame as Tapfinch's highlight does", c.listPerThousand,
       PerThousand(f.pacedListProcessor, f.pacedList.clicks));
  std::printf("| list run per click against Tapfinch's single point | %s | - | - |\n",
              Ratio(c.listPerThousand.linux, single.linux).c_str());
  for (const auto& [name, ours, floor] :
       {std::tuple{"threads' times", c.idleProcessor.threads, f.idleProcessor.threads},
        std::tuple{"Linux's account", c.idleProcessor.linux, f.idleProcessor.linux}}) {
    std::printf("| processor time while idle, %s | %s in %.0f s | %s in %.0f s | - |\n", name,
                Figure(ours, "ms").c_str(), c.idleSeconds, Figure(floor, "ms").c_str(), f.idleSeconds);
  }
  std::vector<double> ours;
  std::vector<double> floors;
  for (double ms : c.startMs) {
    if (ms >= 0) ours.push_back(ms);
  }
  for (double ms : f.startMs) {
    if (ms >= 0) floors.push_back(ms);
  }
  Row("start to window shown, median", Median(ours), Median(floors), "ms");
  if (!c.phases.empty()) {
    std::vector<double> application;
    std::vector<double> mainWindow;
    std::vector<double> instructions;
    std::vector<double> shown;
    for (const Phases& p : c.phases) {
      application.push_back(p.application);
      mainWindow.push_back(p.mainWindow);
      instructions.push_back(p.instructions);
      shown.push_back(p.shown);
    }
    std::printf(
        "| where Tapfinch's start goes, median of %zu | application window at %.0f ms, main window's own at %.0f, "
        "its controls and settings until shown at %.0f; the instructions window after, at %.0f | - | - |\n",
        c.phases.size(), Median(application), Median(mainWindow), Median(shown), Median(instructions));
  }
  std::printf("| the starts, one after the other | %s | %s | - |\n", Starts(c.startMs).c_str(),
              Starts(f.startMs).c_str());
  Row("working set after start", static_cast<double>(c.afterStart.WorkingSetSize) / 1024.0,
      static_cast<double>(f.afterStart.WorkingSetSize) / 1024.0, "KiB");
  Row("working set after a 10 ms run", static_cast<double>(c.afterRun.WorkingSetSize) / 1024.0,
      static_cast<double>(f.afterRun.WorkingSetSize) / 1024.0, "KiB");
  Row("size of the exe", static_cast<double>(c.exeBytes), static_cast<double>(f.exeBytes), "bytes");
  std::fflush(stdout);
}

// Minimised and restored during a 10 ms single-point run, a 10 ms list run
// and the floor's run, then each closed: one table row a run, then the
// closing times.
bool MeasureMinimised() {
  std::printf(
      "\n| run, minimised | clicks/s | first click after minimising ms | largest gap around it ms | first click "
      "after restoring ms | largest gap around it ms | largest gap while minimised ms | processor time per 1,000 "
      "clicks while minimised, Linux's account |\n|---|---|---|---|---|---|---|---|\n");
  std::vector<std::pair<std::string, Closing>> closings;
  std::vector<double> minimisedCost;  // Linux's account per 1,000 clicks: single, list
  for (const char* which : {"single point, 10 ms", "list, 100 entries of 10 ms"}) {
    Tapfinch app;
    if (!app.started()) return false;
    Target target(1000, 780, 200, 150);
    const bool list = std::string(which).rfind("list", 0) == 0;
    if (list) {
      if (!StartTenMsList(app, target)) return false;
    } else {
      app.selectTab(0);
      if (!SetInterval(app, {"10 ms", 0, 1, 5000, false})) return false;
      HWND start = app.control("TzColorBtn", "START");
      HWND stop = app.control("TzColorBtn", "STOP");
      app.clickUntil(start, [&] { return IsWindowEnabled(stop) != FALSE; });
    }
    MoveCursor(target.center());
    Pump(300);
    const auto applications = WindowsOf(app.processId(), "TApplication");
    if (applications.empty()) return false;
    Probe probe(app.processId(), kTapfinchExe);
    const MinimisedRun run = MinimiseAndRestore(target, app.mainWindow(), applications.front(), probe, 5000);
    PrintMinimised(which, run);
    minimisedCost.push_back(run.perThousand.linux);
    closings.emplace_back(std::string("Tapfinch, ") + which + ", running", TimeClose(app.mainWindow(), app.process()));
  }
  Launched floor(FloorPath(), "");
  if (!floor.started()) return false;
  Target target(1000, 780, 200, 150);
  MoveCursor(target.center());
  WaitFor([&] { return (floor.window = VisibleWindowOf(floor.id(), "TapfinchFloor")) != nullptr; }, 30000);
  if (floor.window == nullptr) return false;
  Pump(1000);
  Probe probe(floor.id(), kFloorExe);
  PrintMinimised("floor, 10 ms", MinimiseAndRestore(target, floor.window, floor.window, probe, 5000));
  closings.emplace_back("floor, running", TimeClose(floor.window, floor.process()));
  std::printf("| list run per click against the single point's, minimised | %s | - | - | - | - | - | - |\n",
              Ratio(minimisedCost[1], minimisedCost[0]).c_str());
  std::printf(
      "\n| closed | to window out of sight ms | to window gone ms | to process ended ms |\n|---|---|---|---|\n");
  for (const auto& [name, closing] : closings) {
    std::printf("| %s | %.0f | %.0f | %.0f |\n", name.c_str(), closing.windowHidden, closing.windowGone,
                closing.processEnded);
  }
  std::fflush(stdout);
  return true;
}

// A 10 ms single-point run of a started Tapfinch on the Single Click tab,
// clicking a target for that long, started and stopped with its buttons.
struct TenMsRun {
  Reading perThousand;  // processor time per 1,000 clicks
  std::size_t clicks = 0;
};
std::optional<TenMsRun> RunTenMs(Tapfinch& app, DWORD milliseconds) {
  Probe probe(app.processId(), kTapfinchExe);
  app.selectTab(0);
  Target target(1000, 780, 200, 150);
  if (!SetInterval(app, {"10 ms", 0, 1, 5000, false})) return std::nullopt;
  HWND start = app.control("TzColorBtn", "START");
  HWND stop = app.control("TzColorBtn", "STOP");
  app.clickUntil(start, [&] { return IsWindowEnabled(stop) != FALSE; });
  MoveCursor(target.center());
  Pump(300);
  const Reading before = probe.read();
  const Figures figures = Measure(target, milliseconds);
  TenMsRun run{PerThousand(Spent(before, probe.read()), figures.clicks), figures.clicks};
  app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; });
  return run;
}

// The low-level mouse hook's cost: a 10 ms run's processor time per 1,000
// clicks with the keyboard's hotkeys only, and with the stop hotkey on a
// side button, which keeps the hook installed while the run goes and has
// every injected button pass through it. The two take turns.
double HookedRunPerThousand(bool hooked) {
  DeleteSettings();
  if (hooked) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brenmoorsoft\\Tapfinch", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
      return -1;
    }
    const char text[] = "Mouse Forward";
    RegSetValueExA(key, "stophotkey", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    RegCloseKey(key);
  }
  Tapfinch app;
  if (!app.started()) return -1;
  const std::optional<TenMsRun> run = RunTenMs(app, 10000);
  app.close();
  DeleteSettings();
  return run ? run->perThousand.linux : -1;
}

// The floor's 10 ms run, with or without its pass-on hook.
double FloorRunPerThousand(bool hooked) {
  Launched floor(FloorPath(), hooked ? "hooked" : "");
  if (!floor.started()) return -1;
  Target target(1000, 780, 200, 150);
  MoveCursor(target.center());
  WaitFor([&] { return (floor.window = VisibleWindowOf(floor.id(), "TapfinchFloor")) != nullptr; }, 30000);
  if (floor.window == nullptr) return -1;
  Probe probe(floor.id(), kFloorExe);
  Pump(1000);
  const Reading before = probe.read();
  const Figures figures = Measure(target, 10000);
  return PerThousand(Spent(before, probe.read()), figures.clicks).linux;
}

bool MeasureHook(int pairs) {
  std::vector<double> plain;
  std::vector<double> hooked;
  std::vector<double> floorPlain;
  std::vector<double> floorHooked;
  for (int i = 0; i < pairs; ++i) {
    plain.push_back(HookedRunPerThousand(false));
    hooked.push_back(HookedRunPerThousand(true));
    floorPlain.push_back(FloorRunPerThousand(false));
    floorHooked.push_back(FloorRunPerThousand(true));
    for (const auto* values : {&plain, &hooked, &floorPlain, &floorHooked}) {
      if (values->back() < 0) return false;
    }
  }
  auto list = [](const std::vector<double>& values) {
    std::string text;
    for (double v : values) text += (text.empty() ? "" : ", ") + std::to_string(static_cast<int>(std::lround(v)));
    return text;
  };
  const double a = Median(plain);
  const double b = Median(hooked);
  std::printf("\n| single point, 10 ms, per 1,000 clicks (Linux's account) | runs | median |\n|---|---|---|\n");
  std::printf("| keyboard hotkeys only | %s ms | %.0f ms |\n", list(plain).c_str(), a);
  std::printf("| stop hotkey on Mouse Forward: the mouse hook installed | %s ms | %.0f ms |\n", list(hooked).c_str(),
              b);
  std::printf("| the hook's cost | | %+.1f %% |\n", a > 0 ? (b - a) * 100.0 / a : 0.0);
  const double c = Median(floorPlain);
  const double d = Median(floorHooked);
  std::printf("| floor | %s ms | %.0f ms |\n", list(floorPlain).c_str(), c);
  std::printf("| floor with a low-level mouse hook that passes everything on | %s ms | %.0f ms |\n",
              list(floorHooked).c_str(), d);
  std::printf("| the floor's hook cost | | %+.1f %% |\n", c > 0 ? (d - c) * 100.0 / c : 0.0);
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  DeleteSettings();  // measured from the program's defaults
  // "list" measures the list run alone, as often as asked ("list 3");
  // "idle" and "start" below measure those alone.
  if (argc > 1 && std::string(argv[1]) == "list") {
    const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    for (int i = 0; i < times; ++i) {
      Reading perThousand;
      if (!ListRun(&perThousand)) return 1;
      std::printf("list run per 1,000 clicks: %.0f ms of the threads' times, %.0f ms by Linux's account\n",
                  perThousand.threads, perThousand.linux);
    }
    return 0;
  }
  // "cost 3": the 10 ms run's processor time per 1,000 clicks, that many
  // times, Tapfinch's and the floor's one after the other.
  if (argc > 1 && std::string(argv[1]) == "cost") {
    const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    for (int i = 0; i < times; ++i) {
      FloorCosts floor;
      if (!MeasureFloor(floor, 1000)) return 1;
      Tapfinch app;
      if (!app.started()) return 1;
      const std::optional<TenMsRun> run = RunTenMs(app, kCostedRunMs);
      if (!run) return 1;
      const Reading& ours = run->perThousand;
      const Reading floors = PerThousand(floor.runProcessor, floor.run.clicks);
      const Reading list = PerThousand(floor.listProcessor, floor.list.clicks);
      std::printf(
          "per 1,000 clicks at 10 ms (threads / Linux): Tapfinch %.0f / %.0f ms (%zu clicks), floor %.0f / %.0f ms "
          "(%zu clicks), floor with its list %.0f / %.0f ms\n",
          ours.threads, ours.linux, run->clicks, floors.threads, floors.linux, floor.run.clicks, list.threads,
          list.linux);
      std::fflush(stdout);
    }
    return 0;
  }
  // "close": the time to close, idle, with a list of 100 and with its run going.
  if (argc > 1 && std::string(argv[1]) == "close") {
    for (int rows : {0, 100, -100}) {
      Tapfinch app;
      if (!app.started()) return 1;
      Target target(1000, 780, 200, 150);
      if (rows != 0) {
        if (!StartTenMsList(app, target, rows < 0)) return 1;
      }
      Pump(500);
      const Closing closing = TimeClose(app.mainWindow(), app.process());
      std::printf("rows %d: window out of sight %.0f ms, gone %.0f ms, process ended %.0f ms\n", rows,
                  closing.windowHidden, closing.windowGone, closing.processEnded);
    }
    return 0;
  }
  // "floor": the floor's runs alone, its list moving at every click and once a frame.
  if (argc > 1 && std::string(argv[1]) == "floor") {
    FloorCosts floor;
    if (!MeasureFloor(floor, 1000)) return 1;
    const Reading list = PerThousand(floor.listProcessor, floor.list.clicks);
    const Reading paced = PerThousand(floor.pacedListProcessor, floor.pacedList.clicks);
    const Reading run = PerThousand(floor.runProcessor, floor.run.clicks);
    std::printf("floor per 1,000 clicks (Linux's account): %.0f ms, with its list %.0f ms, once a frame %.0f ms\n",
                run.linux, list.linux, paced.linux);
    return 0;
  }
  // "hook 3": the mouse hook's cost, in that many pairs of runs.
  if (argc > 1 && std::string(argv[1]) == "hook")
    return MeasureHook(argc > 2 ? std::max(1, std::atoi(argv[2])) : 3) ? 0 : 1;
  // "minimise": runs minimised and restored, then closed, beside the floor.
  if (argc > 1 && std::string(argv[1]) == "minimise") return MeasureMinimised() ? 0 : 1;
  // "drift": a list of 1 s entries over a minute.
  if (argc > 1 && std::string(argv[1]) == "drift") {
    std::printf("list of 1 s entries: the 61st click %.1f ms from a minute after the first\n", ListDriftMilliseconds());
    return 0;
  }
  // "phases 5": where the time of that many starts goes.
  if (argc > 1 && std::string(argv[1]) == "phases") {
    const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    for (int i = 0; i < times; ++i) {
      PrintPhases(StartPhases());
      Pump(500);
    }
    return 0;
  }
  // "idle 60": the idle processor time over that many seconds.
  if (argc > 1 && std::string(argv[1]) == "idle") {
    Costs costs;
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;
    if (!Idle(costs, static_cast<DWORD>(seconds) * 1000)) return 1;
    std::printf("idle: %.1f ms of the threads' times, %.1f ms by Linux's account, in %.1f s\n",
                costs.idleProcessor.threads, costs.idleProcessor.linux, costs.idleSeconds);
    return 0;
  }
  // "start 5": that many starts timed, each beside one of the floor's.
  // "start 5 D:\\other\\tapfinch.exe": beside another build's instead,
  // to compare two builds in one run.
  if (argc > 1 && std::string(argv[1]) == "start") {
    const int times = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const bool other = argc > 3;
    for (int i = 0; i < times; ++i) {
      const double before = other ? StartToWindow(argv[3]) : StartToWindow(FloorPath(), "TapfinchFloor", "idle");
      Pump(500);
      std::printf("start to window shown: Tapfinch %.0f ms, %s %.0f ms\n", StartToWindow(), other ? "other" : "floor",
                  before);
      std::fflush(stdout);
      Pump(500);
    }
    return 0;
  }
  Costs costs;
  const Setting settings[] = {{"single point, 10 ms", 0, 1, kCostedRunMs, false},
                              {"single point, 50 ms", 0, 5, 5000, false},
                              {"single point, 1 s", 1, 0, 10500, false},
                              {"single point, 10 ms, every core busy", 0, 1, 5000, true}};
  std::printf(
      "| run | clicks | seconds | clicks/s | mean gap ms | min gap ms | max gap ms | gap std dev ms | p99 gap error ms "
      "|\n");
  std::printf("|---|---|---|---|---|---|---|---|---|\n");
  for (const Setting& setting : settings) {
    Tapfinch app;
    if (!app.started()) {
      std::fprintf(stderr, "tapfinch.exe did not start\n");
      return 1;
    }
    // The first 10 ms run is the one whose costs are kept.
    const bool costed = &setting == &settings[0];
    Probe probe(app.processId(), kTapfinchExe);
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
    const Reading before = probe.read();
    const Figures figures = Measure(target, setting.measureMs, setting.seconds * 1000.0 + setting.hundredths * 10.0);
    const Reading spent = Spent(before, probe.read());
    load.reset();
    app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; });
    if (costed) {
      costs.runProcessor = spent;
      costs.runClicks = figures.clicks;
      Pump(500);
      costs.afterRun = probe.memory();
    }
    Print(setting.name, figures);
  }
  if (!ListRun(&costs.listPerThousand)) {
    std::fprintf(stderr, "could not build and run the list\n");
    return 1;
  }
  FloorCosts floor;
  // The two programs' starts take turns, so that a slower spell of the
  // machine weighs on both alike.
  for (int i = 0; i < 5; ++i) {
    floor.startMs.push_back(StartToWindow(FloorPath(), "TapfinchFloor", "idle"));
    Pump(500);
    costs.startMs.push_back(StartToWindow());
    Pump(500);
  }
  for (int i = 0; i < 3; ++i) {
    costs.phases.push_back(StartPhases());
    Pump(500);
  }
  if (!MeasureFloor(floor, 20000)) {
    std::fprintf(stderr, "tapfinch_floor.exe did not start\n");
    return 1;
  }
  Print("floor, 10 ms", floor.run);
  Print("floor, 10 ms, a list box's selection moving", floor.list);
  Print("floor, 10 ms, its selection moving once a frame", floor.pacedList);
  if (!Idle(costs, 60000)) {
    std::fprintf(stderr, "tapfinch.exe did not start for the idle minute\n");
    return 1;
  }
  costs.exeBytes = FileBytes(TapfinchPath());
  PrintCosts(costs, floor);
  if (!MeasureMinimised()) {
    std::fprintf(stderr, "could not measure the minimised runs\n");
    return 1;
  }
  if (!MeasureHook(3)) {
    std::fprintf(stderr, "could not measure the mouse hook's cost\n");
    return 1;
  }
  return 0;
}
