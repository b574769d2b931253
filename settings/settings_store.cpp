// The settings store: eighteen values under one registry key, read into the
// controls' own setters when the main window is created (so their handlers
// run as for the user) and all written back when it is destroyed.
#include <cmath>
#include <exception>
#include <tuple>

#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "ui/Unit1.h"

namespace {

constexpr const char* kSettingsPath = "\\Software\\Brenmoorsoft\\Tapfinch";

struct FieldValue {
  const char* name;
  TzcFloatSpinEdit* TForm1::*field;
};
constexpr FieldValue kIntervalValues[] = {
    {"timeh", &TForm1::hours},  {"timem", &TForm1::minutes},    {"times", &TForm1::seconds},
    {"time10", &TForm1::tenth}, {"time100", &TForm1::hundreth},
};

constexpr const char* kHotkeyValues[] = {"starthotkey",   "stophotkey",       "clickhotkey",      "clickholdhotkey",
                                         "releasehotkey", "rightclickhotkey", "doubleclickhotkey"};

}  // namespace

void TForm1::loadSettings() {
  settingsStore = std::make_unique<TRegistry>(Platform().registry());
  TRegistry& store = *settingsStore;
  store.SetRootKey(platform::RegistryRoot::kLocalMachine);
  // An ordinary user may not write there on current Windows: the same key
  // under the user's own root then serves for reading and writing alike.
  if (!store.OpenKey(kSettingsPath, true)) {
    store.SetRootKey(platform::RegistryRoot::kCurrentUser);
    // Not checked: without a key every value counts as absent, and the
    // first write at exit says what failed.
    static_cast<void>(store.OpenKey(kSettingsPath, true));
  }
  if (store.ValueExists("x")) xpostext->SetText(IntToStr(store.ReadInteger("x")));
  if (store.ValueExists("y")) ypostext->SetText(IntToStr(store.ReadInteger("y")));
  for (const FieldValue& value : kIntervalValues) {
    if (store.ValueExists(value.name)) (this->*value.field)->SetValue(store.ReadInteger(value.name));
  }
  if (store.ValueExists("mouse")) CheckBox2->SetChecked(store.ReadBool("mouse"));
  if (store.ValueExists("numclicks")) numclicksspin->SetValue(store.ReadInteger("numclicks"));
  if (store.ValueExists("orig")) clickonorigoption->SetChecked(store.ReadBool("orig"));
  if (store.ValueExists("doubleclick")) doubleclickbox->SetChecked(store.ReadBool("doubleclick"));
  const auto hotkeys = hotkeyComponents();
  for (std::size_t i = 0; i < hotkeys.size(); ++i) {
    if (store.ValueExists(kHotkeyValues[i]))
      hotkeys[i]->SetHotKey(ParseShortcut(*this, store.ReadString(kHotkeyValues[i])));
  }
}

void TForm1::FormDestroy(TObject* /*Sender*/) {
  // Never leave the user's left button down behind the program.
  releaseHeldButton();
  saveSettings(false);
  settingsStore.reset();
}

void TForm1::FormSessionEnding(TObject* /*Sender*/) {
  releaseHeldButton();
  // Nobody can answer a message box now, and one would hold up the logoff:
  // a field that cannot be read keeps its stored value, and a registry
  // that refuses is left for the next exit to report.
  try {
    saveSettings(true);
  } catch (const Exception&) {
  }
}

void TForm1::saveSettings(bool quiet) {
  if (!settingsStore) return;
  // What the user typed into a hotkey box last counts as if it had been left.
  for (int row = 0; row < 7; ++row) {
    if (hotkeyTyped_[static_cast<std::size_t>(row)]) commitHotkeyRow(row);
  }
  TRegistry& store = *settingsStore;
  // Opened again: a key deleted while the program ran is created anew
  // instead of every write failing on the deleted one.
  static_cast<void>(store.OpenKey(kSettingsPath, true));
  // A field that is not a number keeps its stored value and the rest is
  // written all the same; its message comes last.
  std::exception_ptr unreadable;
  for (auto [name, field, target] : {std::tuple{"x", xpostext, &clickX}, std::tuple{"y", ypostext, &clickY}}) {
    try {
      *target = StrToInt(field->Text());
      store.WriteInteger(name, *target);
    } catch (const EConvertError&) {
      if (!unreadable) unreadable = std::current_exception();
    }
  }
  for (const FieldValue& value : kIntervalValues) {
    store.WriteInteger(value.name, static_cast<std::int32_t>(std::trunc((this->*value.field)->Value())));
  }
  store.WriteBool("mouse", CheckBox2->Checked());
  store.WriteInteger("numclicks", numclicksspin->Value());
  store.WriteBool("orig", clickonorigoption->Checked());
  store.WriteBool("doubleclick", doubleclickbox->Checked());
  const auto hotkeys = hotkeyComponents();
  for (std::size_t i = 0; i < hotkeys.size(); ++i) {
    store.WriteString(kHotkeyValues[i], FormatShortcut(*this, hotkeys[i]->HotKey()));
  }
  if (unreadable && !quiet) std::rethrow_exception(unreadable);
}
