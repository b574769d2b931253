// The settings read at start-up from any registry contents. The input is a
// flags byte (bit 0: the machine root refuses the program, whose values
// then live under the user's root; bit 1: the comma is the decimal
// separator) and records of (name length, name, type, data length, data).
// The program must start, show at most one clear message, hold only valid
// values in what it read, write them all back at exit and read them again
// unchanged at the next start.
//
// One copy of the program serves the whole run: two starts for every input
// made the run twenty times slower. Before each reading the window gets a
// new window's values back, through the setters the reading uses, so that
// every input is read as by a copy that has just been started.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/program.h"
#include "framework/sysutils.h"
#include "hotkeys/shortcut.h"
#include "platform/fake/fake_platform.h"
#include "tests/fuzz/fuzz_support.h"
#include "ui/Unit1.h"

using fuzz_support::Fail;
using fuzz_support::Printable;
using platform::RegistryRoot;

namespace {

constexpr const char* kPath = "Software\\Brenmoorsoft\\Tapfinch";

// Every value the program keeps, in the order it reads them.
constexpr std::array<const char*, 18> kNames = {"x",
                                                "y",
                                                "timeh",
                                                "timem",
                                                "times",
                                                "time10",
                                                "time100",
                                                "mouse",
                                                "numclicks",
                                                "orig",
                                                "doubleclick",
                                                "starthotkey",
                                                "stophotkey",
                                                "clickhotkey",
                                                "clickholdhotkey",
                                                "releasehotkey",
                                                "rightclickhotkey",
                                                "doubleclickhotkey"};
constexpr std::size_t kFirstHotkey = 11;

// What the program holds of the stored values after start-up.
struct Held {
  std::string x, y;
  std::array<std::string, 5> interval;
  bool atMouse = false, onOrig = false, doubleClick = false;
  std::string clicks;
  std::array<TShortCut, 7> hotkeys{};
  bool operator==(const Held&) const = default;
};

std::string Describe(const Held& held) {
  std::string text = "x '" + Printable(held.x) + "' y '" + Printable(held.y) + "' interval";
  for (const std::string& field : held.interval) text += " '" + Printable(field) + "'";
  text += std::string(" mouse ") + (held.atMouse ? "1" : "0") + " orig " + (held.onOrig ? "1" : "0") + " double " +
          (held.doubleClick ? "1" : "0") + " clicks '" + Printable(held.clicks) + "' hotkeys";
  for (const TShortCut code : held.hotkeys) text += " " + std::to_string(code);
  return text;
}

std::array<TzcFloatSpinEdit*, 5> IntervalFields(const TForm1& form) {
  return {form.hours, form.minutes, form.seconds, form.tenth, form.hundreth};
}
std::array<TLMDGlobalHotKey*, 7> Hotkeys(const TForm1& form) {
  return {form.starthotkey,   form.stophotkey,       form.clickhotkey,      form.clickholdhotkey,
          form.releasehotkey, form.rightclickhotkey, form.doubleclickhotkey};
}
std::array<TComboBox*, 7> HotkeyBoxes(const TForm1& form) {
  return {form.ComboBox1, form.ComboBox2, form.ComboBox3, form.ComboBox4,
          form.ComboBox5, form.ComboBox6, form.ComboBox7};
}

// Reads what the program holds and checks that each value is one it can
// use: whole numbers in their fields' ranges, the handlers of the check
// boxes and interval fields run, hotkeys that are named codes.
Held Check(const TForm1& form, platform::fake::FakePlatform& fake, const std::string& when) {
  const char separator = fake.locale().DecimalSeparator();
  Held held;
  held.x = form.xpostext->Text();
  held.y = form.ypostext->Text();
  if (!TryStrToInt(held.x) || !TryStrToInt(held.y)) Fail(when + ": the point is no number: " + Describe(held));

  constexpr std::array<double, 5> kMaximum = {23, 59, 59, 9, 9};
  constexpr std::array<std::uint32_t, 5> kMilliseconds = {3600000, 60000, 1000, 100, 10};
  std::uint32_t interval = 0;
  const auto fields = IntervalFields(form);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    held.interval[i] = fields[i]->Text();
    const auto value = TryStrToFloat(held.interval[i], separator);
    if (!value || *value < 0 || *value > kMaximum[i] || *value != std::trunc(*value)) {
      Fail(when + ": interval field " + fields[i]->Name() + " holds '" + Printable(held.interval[i]) + "'");
    }
    interval += static_cast<std::uint32_t>(*value) * kMilliseconds[i];
  }
  if (form.Timer1->Interval() != interval) {
    Fail(when + ": the fields make " + std::to_string(interval) + " ms but the timer has " +
         std::to_string(form.Timer1->Interval()));
  }

  held.atMouse = form.CheckBox2->Checked();
  if (form.session->ClickAtMouse() != held.atMouse || form.xpostext->Visible() == held.atMouse) {
    Fail(when + ": the mode check box and the mode disagree");
  }
  held.onOrig = form.clickonorigoption->Checked();
  if (form.session->ClickOnOrig() != held.onOrig) Fail(when + ": Click on Orig and its setting disagree");
  held.doubleClick = form.doubleclickbox->Checked();
  held.clicks = form.numclicksspin->Text();
  if (!TryStrToInt(held.clicks)) Fail(when + ": the number of clicks is '" + Printable(held.clicks) + "'");

  // A code as names give them: modifier bits and a named key. That its
  // name reads back as the code is for the shortcut target to show.
  const auto hotkeys = Hotkeys(form);
  for (std::size_t i = 0; i < hotkeys.size(); ++i) {
    const TShortCut code = hotkeys[i]->HotKey();
    held.hotkeys[i] = code;
    const unsigned key = code & 0x1FFFu;
    if (code != 0 && (key < 8 || key > 0x107 || FormatShortcut(form, code).empty())) {
      Fail(when + ": " + hotkeys[i]->Name() + " holds " + std::to_string(code) + ", which no name gives");
    }
    // Whatever the store held, no two hotkeys share a combination.
    for (std::size_t j = 0; j < i; ++j) {
      if (code != 0 && held.hotkeys[j] == code)
        Fail(when + ": " + hotkeys[i]->Name() + " and " + hotkeys[j]->Name() + " share " + std::to_string(code));
    }
  }
  return held;
}

using Values = platform::fake::FakeRegistry::Values;

// The values of a new window, and the setters the reading at start-up
// uses, so that the handlers run for them as they do there.
struct NewWindow {
  std::string x, y;
  std::array<double, 5> interval{};
  bool atMouse = false, onOrig = false, doubleClick = false;
  std::int32_t clicks = 0;
  std::array<TShortCut, 7> hotkeys{};

  explicit NewWindow(const TForm1& form)
      : x(form.xpostext->Text()),
        y(form.ypostext->Text()),
        atMouse(form.CheckBox2->Checked()),
        onOrig(form.clickonorigoption->Checked()),
        doubleClick(form.doubleclickbox->Checked()),
        clicks(form.numclicksspin->Value()) {
    for (std::size_t i = 0; i < interval.size(); ++i) interval[i] = IntervalFields(form)[i]->Value();
    for (std::size_t i = 0; i < hotkeys.size(); ++i) hotkeys[i] = Hotkeys(form)[i]->HotKey();
  }
  void Restore(const TForm1& form) const {
    form.xpostext->SetText(x);
    form.ypostext->SetText(y);
    for (std::size_t i = 0; i < interval.size(); ++i) IntervalFields(form)[i]->SetValue(interval[i]);
    form.CheckBox2->SetChecked(atMouse);
    form.numclicksspin->SetValue(clicks);
    form.clickonorigoption->SetChecked(onOrig);
    form.doubleclickbox->SetChecked(doubleClick);
    for (std::size_t i = 0; i < hotkeys.size(); ++i) Hotkeys(form)[i]->SetHotKey(hotkeys[i]);
    // A new window's hotkey lists have no selection.
    for (TComboBox* box : HotkeyBoxes(form)) box->SetItemIndex(-1);
  }
};

struct Session {
  platform::fake::FakePlatform fake;
  Program program{fake};
  std::optional<NewWindow> newWindow;

  Session() {
    if (!program.Start()) Fail("the program did not start");
    program.Run();
    if (!fake.messageBoxes().empty()) Fail("a start with no settings said '" + fake.messageBoxes().front().text + "'");
    newWindow.emplace(form());
  }
  TForm1& form() const { return *program.Form1(); }

  // Start-up's reading of the values stored under root, on a window that
  // holds a new window's values.
  void Start(RegistryRoot root, const Values& values) {
    newWindow->Restore(form());
    fake.registryStore().key(root, kPath) = values;
    fake.clearMessageBoxes();
    form().Guard([&] { form().FormCreate(nullptr); });
  }
  void Exit() {
    form().Guard([&] { form().FormDestroy(nullptr); });
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static Session* const session = new Session;  // kept for the whole run, reachable to the end
  auto& fake = session->fake;
  const TForm1& form = session->form();
  const std::uint8_t flags = data[0];
  const RegistryRoot root = (flags & 1) != 0 ? RegistryRoot::kCurrentUser : RegistryRoot::kLocalMachine;

  auto& registry = fake.registryStore();
  registry.deleteKey(RegistryRoot::kLocalMachine, kPath);
  registry.deleteKey(RegistryRoot::kCurrentUser, kPath);
  registry.makeUnwritable(RegistryRoot::kLocalMachine, root == RegistryRoot::kCurrentUser);
  fake.setDecimalSeparator((flags & 2) != 0 ? ',' : '.');
  Values input;
  std::set<std::string> given;
  // A record cut short by the end of the input takes what there is.
  std::size_t at = 1;
  auto take = [&](std::size_t wanted) {
    const std::size_t start = std::min(at, size);
    at = std::min(size, start + wanted);
    return start;
  };
  while (at < size) {
    const std::size_t nameLength = data[take(1)];
    const std::size_t nameStart = take(nameLength);
    std::string name(reinterpret_cast<const char*>(data + nameStart), at - nameStart);
    platform::RegistryValue value;
    if (at < size) value.type = data[take(1)];
    const std::size_t dataLength = at < size ? data[take(1)] : 0;
    const std::size_t dataStart = take(dataLength);
    value.data.assign(data + dataStart, data + at);
    given.insert(name);
    input[name] = std::move(value);
  }

  session->Start(root, input);
  const auto& boxes = fake.messageBoxes();
  if (boxes.size() > 1) Fail(std::to_string(boxes.size()) + " messages at start-up");
  if (boxes.size() == 1) {
    // Only an unreadable value stops the reading, and the message names it.
    const std::string& text = boxes.front().text;
    bool clear = false;
    for (const char* name : kNames) {
      const bool named = text == std::string("Invalid data type for '") + name + "'" ||
                         text == std::string("Failed to get data for '") + name + "'";
      clear = clear || (named && given.count(name) != 0);
    }
    if (!clear) Fail("start-up said '" + Printable(text) + "'");
  }
  // Read in full or stopped at a bad value, every box shows its hotkey.
  const auto hotkeys = Hotkeys(form);
  const auto lists = HotkeyBoxes(form);
  for (std::size_t i = 0; i < lists.size(); ++i) {
    const TShortCut code = hotkeys[i]->HotKey();
    const int position = FindHotkeyChoice(form, code);
    const std::string shown = position >= 0 ? lists[i]->Items()[static_cast<std::size_t>(position)]
                              : code != 0   ? FormatShortcut(form, code)
                                            : std::string();
    if (lists[i]->ItemIndex() != position || lists[i]->Text() != shown) {
      Fail(lists[i]->Name() + " does not show its hotkey");
    }
  }
  const Held first = Check(form, fake, "first start");

  // The exit writes every value back, each of its own type.
  fake.clearMessageBoxes();
  session->Exit();
  if (!fake.messageBoxes().empty()) Fail("the exit said '" + Printable(fake.messageBoxes().front().text) + "'");
  const Values written = registry.key(root, kPath);
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    const auto value = written.find(kNames[i]);
    if (value == written.end()) Fail(std::string("the exit did not write ") + kNames[i]);
    const bool typed = i < kFirstHotkey ? value->second.type == platform::kRegDword && value->second.data.size() == 4
                                        : value->second.type == platform::kRegSz && !value->second.data.empty() &&
                                              value->second.data.back() == 0;
    if (!typed) Fail(std::string("the exit wrote ") + kNames[i] + " as another type");
  }

  session->Start(root, written);
  if (!fake.messageBoxes().empty()) Fail("the second start said '" + Printable(fake.messageBoxes().front().text) + "'");
  const Held second = Check(form, fake, "second start");
  if (!(second == first)) Fail("read back otherwise:\n  " + Describe(first) + "\n  " + Describe(second));
  return 0;
}
