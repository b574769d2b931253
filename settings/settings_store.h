// The settings store: nineteen values under one registry key, as a plain
// value. A value absent from the store is absent from what Read gives; a
// value absent from what Write is given keeps what the store holds.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "framework/registry.h"
#include "hotkeys/shortcut.h"
#include "platform/hotkeys.h"
#include "platform/locale.h"
#include "platform/registry.h"

struct Settings {
  std::optional<std::int32_t> x;
  std::optional<std::int32_t> y;
  // Hours, minutes, seconds, tenths and hundredths of the click interval.
  std::array<std::optional<std::int32_t>, 5> interval;
  std::optional<bool> mouse;
  std::optional<std::int32_t> numclicks;
  std::optional<bool> orig;
  std::optional<bool> doubleclick;
  // Rounds of a list run, 0 until stopped; absent in a store of before.
  std::optional<std::int32_t> rounds;
  // Start, stop, click, click-hold, release, right click, double click.
  std::array<std::optional<TShortCut>, 7> hotkeys;
  // Read only: a stored text that names no combination (absent from
  // hotkeys above, so the hotkey keeps its default). An empty text is no
  // such thing: it unassigns the hotkey, as an emptied box does.
  std::array<std::optional<std::string>, 7> unreadableHotkeys;
};

class SettingsStore {
 public:
  SettingsStore(platform::Registry& registry, platform::Keyboard& keyboard, platform::Locale& locale);
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  ~SettingsStore();

  // Reads in the order above. A value that cannot be read ends the
  // reading with its error; `into` keeps what came before it.
  void Read(Settings& into);
  // Writes every value given; throws the registry's error when it refuses.
  void Write(const Settings& values);

 private:
  std::unique_ptr<TRegistry> store_;
  platform::Keyboard& keyboard_;
  platform::Locale& locale_;
};
