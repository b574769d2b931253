// Hotkey names, as the settings store and the combo boxes read them: any
// text gives a code or 0, a code's name reads back as that code, and
// case never matters.
#include <cstdint>
#include <cstdio>
#include <string>

#include "hotkeys/shortcut.h"
#include "platform/fake/fake_services.h"
#include "tests/fuzz/fuzz_support.h"

using fuzz_support::Fail;
using fuzz_support::Printable;

namespace {

std::string Hex(unsigned code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", code);
  return text;
}

std::string AsciiCase(std::string text, bool upper) {
  for (char& c : text) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::fake::FakeKeyboardLayout keyboard;
  static platform::fake::FakeLocale locale;
  const std::string text(reinterpret_cast<const char*>(data), size);

  const TShortCut code = ParseShortcut(text, keyboard, locale);
  for (const bool upper : {false, true}) {
    const std::string other = AsciiCase(text, upper);
    if (other != text && ParseShortcut(other, keyboard, locale) != code) {
      Fail("'" + Printable(text) + "' reads as " + Hex(code) + " but '" + Printable(other) + "' does not");
    }
  }
  if (code == 0) return 0;

  const unsigned key = code & 0x1FFFu;
  if (key < 8 || key > 0x255) Fail("'" + Printable(text) + "' reads as " + Hex(code) + ", outside the named keys");
  const std::string name = FormatShortcut(code, keyboard);
  if (name.empty()) Fail("'" + Printable(text) + "' reads as " + Hex(code) + ", which has no name");
  const TShortCut again = ParseShortcut(name, keyboard, locale);
  if (again != code) {
    Fail("'" + Printable(text) + "' reads as " + Hex(code) + ", named '" + Printable(name) + "', which reads as " +
         Hex(again));
  }
  // A code among the combo boxes' choices is shown as that choice, which
  // reads back as the code.
  const int choice = FindHotkeyChoice(code, keyboard, locale);
  if (choice >= 0) {
    const std::string& shown = HotkeyChoices().at(static_cast<std::size_t>(choice));
    if (!locale.SameTextIgnoringCase(shown, name) || ParseShortcut(shown, keyboard, locale) != code) {
      Fail(Hex(code) + " is shown as the choice '" + shown + "', which is not its name '" + Printable(name) + "'");
    }
  }
  return 0;
}
