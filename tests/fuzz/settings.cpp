// The settings store reading any registry contents, and the hotkeys as
// start-up resolves what it read. The input is a flags byte (bit 0: the
// machine root refuses the program, whose values then live under the
// user's root) and records of (name length, name, type, data length,
// data). The reading must stop, if at all, with one message naming a value
// it was given; what it read is of the values' own kinds; the hotkeys
// resolved share no combination; written back whole, the values read
// again unchanged.
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "hotkeys/assignment.h"
#include "hotkeys/shortcut.h"
#include "platform/fake/fake_platform.h"
#include "settings/settings_store.h"
#include "tests/fuzz/fuzz_support.h"

using fuzz_support::Fail;
using fuzz_support::Printable;
using platform::RegistryRoot;

namespace {

constexpr const char* kPath = "Software\\Brenmoorsoft\\Tapfinch";
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

using Values = platform::fake::FakeRegistry::Values;

std::string Describe(const Settings& s) {
  auto number = [](const auto& value) { return value ? std::to_string(*value) : std::string("-"); };
  std::string text = "x " + number(s.x) + " y " + number(s.y) + " interval";
  for (const auto& part : s.interval) text += " " + number(part);
  text += " mouse " + number(s.mouse) + " clicks " + number(s.numclicks) + " orig " + number(s.orig) + " double " +
          number(s.doubleclick) + " hotkeys";
  for (const auto& code : s.hotkeys) text += " " + number(code);
  return text;
}

bool Same(const Settings& a, const Settings& b) {
  return a.x == b.x && a.y == b.y && a.interval == b.interval && a.mouse == b.mouse && a.numclicks == b.numclicks &&
         a.orig == b.orig && a.doubleclick == b.doubleclick && a.hotkeys == b.hotkeys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  platform::fake::FakePlatform fake;
  const RegistryRoot root = (data[0] & 1) != 0 ? RegistryRoot::kCurrentUser : RegistryRoot::kLocalMachine;
  fake.registryStore().makeUnwritable(RegistryRoot::kLocalMachine, root == RegistryRoot::kCurrentUser);
  Values& input = fake.registryStore().key(root, kPath);
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

  Settings read;
  try {
    SettingsStore(fake.registry(), fake.keyboard(), fake.locale()).Read(read);
  } catch (const Exception& e) {
    // Only an unreadable value stops the reading, and the message names it.
    const std::string text = e.what();
    bool clear = false;
    for (const char* name : kNames) {
      const bool named = text == std::string("Invalid data type for '") + name + "'" ||
                         text == std::string("Failed to get data for '") + name + "'";
      clear = clear || (named && given.count(name) != 0);
    }
    if (!clear) Fail("the reading said '" + Printable(text) + "'");
  }
  for (std::size_t row = 0; row < read.hotkeys.size(); ++row) {
    const auto& code = read.hotkeys[row];
    if (code && *code != 0 && FormatShortcut(*code, fake.keyboard()).empty()) {
      Fail(std::string(kNames[11 + row]) + " read as " + std::to_string(*code) + ", which no name gives");
    }
    if (code && read.unreadableHotkeys[row]) Fail(std::string(kNames[11 + row]) + " both read and unreadable");
  }

  // Start-up's hotkeys: whatever was stored, no two on one combination.
  const StoredHotkeys resolved = ResolveStoredHotkeys(read.hotkeys);
  for (std::size_t a = 0; a < resolved.codes.size(); ++a) {
    for (std::size_t b = 0; b < a; ++b) {
      if (resolved.codes[a] != 0 && resolved.codes[a] == resolved.codes[b]) {
        Fail(std::string(kNames[11 + a]) + " and " + kNames[11 + b] + " share " + std::to_string(resolved.codes[a]));
      }
    }
  }

  // An exit writes every value; what it wrote reads back the same.
  Settings written = read;
  const std::int32_t defaults[] = {0, 0, 0, 0, 5, 0, 0};
  auto fill = [](auto& value, auto standIn) {
    if (!value) value = standIn;
  };
  fill(written.x, defaults[0]);
  fill(written.y, defaults[1]);
  for (std::size_t i = 0; i < written.interval.size(); ++i) fill(written.interval[i], defaults[2 + i]);
  fill(written.mouse, true);
  fill(written.numclicks, 0);
  fill(written.orig, false);
  fill(written.doubleclick, false);
  for (std::size_t row = 0; row < written.hotkeys.size(); ++row) written.hotkeys[row] = resolved.codes[row];
  Settings again;
  try {
    SettingsStore store(fake.registry(), fake.keyboard(), fake.locale());
    store.Write(written);
    store.Read(again);
  } catch (const Exception& e) {
    Fail(std::string("what an exit wrote did not read back: ") + e.what());
  }
  if (!Same(again, written)) Fail("read back otherwise:\n  " + Describe(written) + "\n  " + Describe(again));
  if (fake.registryStore().key(root, kPath).size() < kNames.size()) Fail("the exit did not write every value");
  return 0;
}
