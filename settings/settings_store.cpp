#include "settings/settings_store.h"

namespace {

constexpr const char* kSettingsPath = "\\Software\\Brenmoorsoft\\Tapfinch";
constexpr const char* kIntervalValues[] = {"timeh", "timem", "times", "time10", "time100"};
constexpr const char* kHotkeyValues[] = {"starthotkey",   "stophotkey",       "clickhotkey",      "clickholdhotkey",
                                         "releasehotkey", "rightclickhotkey", "doubleclickhotkey"};

}  // namespace

SettingsStore::SettingsStore(platform::Registry& registry, platform::Keyboard& keyboard, platform::Locale& locale)
    : store_(std::make_unique<TRegistry>(registry)), keyboard_(keyboard), locale_(locale) {
  TRegistry& store = *store_;
  store.SetRootKey(platform::RegistryRoot::kLocalMachine);
  // An ordinary user may not write there on current Windows: the same key
  // under the user's own root then serves for reading and writing alike.
  if (!store.OpenKey(kSettingsPath, true)) {
    store.SetRootKey(platform::RegistryRoot::kCurrentUser);
    // Not checked: without a key every value counts as absent, and the
    // first write says what failed.
    static_cast<void>(store.OpenKey(kSettingsPath, true));
  }
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::Read(Settings& into) {
  TRegistry& store = *store_;
  auto integer = [&](const char* name, std::optional<std::int32_t>& value) {
    if (store.ValueExists(name)) value = store.ReadInteger(name);
  };
  auto boolean = [&](const char* name, std::optional<bool>& value) {
    if (store.ValueExists(name)) value = store.ReadBool(name);
  };
  integer("x", into.x);
  integer("y", into.y);
  for (std::size_t i = 0; i < into.interval.size(); ++i) integer(kIntervalValues[i], into.interval[i]);
  boolean("mouse", into.mouse);
  integer("numclicks", into.numclicks);
  boolean("orig", into.orig);
  boolean("doubleclick", into.doubleclick);
  integer("listrounds", into.rounds);
  for (std::size_t i = 0; i < into.hotkeys.size(); ++i) {
    if (!store.ValueExists(kHotkeyValues[i])) continue;
    const std::string text = store.ReadString(kHotkeyValues[i]);
    const TShortCut code = ParseShortcut(text, keyboard_, locale_);
    // A text that names nothing would leave the hotkey dead, and the exit
    // would store the empty text over the user's own.
    if (code == 0 && !text.empty()) {
      into.unreadableHotkeys[i] = text;
    } else {
      into.hotkeys[i] = code;
    }
  }
}

void SettingsStore::Write(const Settings& values) {
  TRegistry& store = *store_;
  // Opened again: a key deleted while the program ran is created anew
  // instead of every write failing on the deleted one.
  static_cast<void>(store.OpenKey(kSettingsPath, true));
  auto integer = [&](const char* name, const std::optional<std::int32_t>& value) {
    if (value) store.WriteInteger(name, *value);
  };
  auto boolean = [&](const char* name, const std::optional<bool>& value) {
    if (value) store.WriteBool(name, *value);
  };
  integer("x", values.x);
  integer("y", values.y);
  for (std::size_t i = 0; i < values.interval.size(); ++i) integer(kIntervalValues[i], values.interval[i]);
  boolean("mouse", values.mouse);
  integer("numclicks", values.numclicks);
  boolean("orig", values.orig);
  boolean("doubleclick", values.doubleclick);
  integer("listrounds", values.rounds);
  for (std::size_t i = 0; i < values.hotkeys.size(); ++i) {
    if (values.hotkeys[i]) store.WriteString(kHotkeyValues[i], FormatShortcut(*values.hotkeys[i], keyboard_));
  }
}
