#include "tests/support/harness.h"

namespace testing_support {

bool Reachable(const TControl& control) {
  for (const TControl* c = &control; c != nullptr; c = c->Parent()) {
    if (dynamic_cast<const TCustomForm*>(c) != nullptr) return c->Visible();
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return false;
}

void User::click(TControl& control) {
  ASSERT_TRUE(Reachable(control)) << "the user cannot click " << control.Name();
  if (auto* custom = dynamic_cast<TCustomControl*>(&control)) {
    custom->PeerMouseDown(platform::MouseButton::kLeft, 2, 2, platform::kLeftButton);
    custom->PeerMouseUp(platform::MouseButton::kLeft, 2, 2, 0);
    return;
  }
  if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed != nullptr && windowed->TabStop()) {
    windowed->SetFocus();
  }
  control.PeerClicked();
}

void User::focus(TWinControl& control) {
  ASSERT_TRUE(Reachable(control)) << "the user cannot focus " << control.Name();
  control.SetFocus();
}

void User::press(TWinControl& control, std::uint16_t virtualKey, char character) {
  ASSERT_TRUE(control.Focused()) << control.Name() << " does not have the focus";
  std::uint16_t key = virtualKey;
  control.PeerKeyDown(key, 0);
  if (character != 0 && key != 0) {
    char ch = character;
    control.PeerKeyPress(ch);
  }
  key = virtualKey;
  control.PeerKeyUp(key, 0);
  // A focused push button or check box clicks itself on the space bar.
  constexpr std::uint16_t kVkSpace = 0x20;
  if (virtualKey == kVkSpace &&
      (dynamic_cast<TButton*>(&control) != nullptr || dynamic_cast<TCheckBox*>(&control) != nullptr)) {
    control.PeerClicked();
  }
}

void User::type(TWinControl& control, char character) {
  ASSERT_TRUE(control.Focused()) << control.Name() << " does not have the focus";
  char ch = character;
  control.PeerKeyPress(ch);
}

void User::enterText(TCustomEdit& edit, const std::string& text) {
  focus(edit);
  std::string typed;  // the first character replaces the selected text
  for (char c : text) {
    char ch = c;
    edit.PeerKeyPress(ch);
    if (ch == 0) continue;
    typed += ch;
    edit.PeerTextEdited(typed);
  }
}

void User::paste(TCustomEdit& edit, const std::string& text) {
  focus(edit);
  if (edit.PeerEditCommandAllowed()) edit.PeerTextEdited(text);
}

void User::selectTab(TPageControl& pages, int index) {
  ASSERT_TRUE(Reachable(pages));
  pages.PeerTabSelected(index);
}

Tapfinch::Tapfinch()
    : ownDesktop_(std::make_unique<platform::fake::FakePlatform>()), fake_(ownDesktop_.get()), user_(*fake_) {
  program_ = std::make_unique<Program>(*fake_);
  started_ = program_->Start();
  if (started_) program_->Run();
}

Tapfinch::Tapfinch(platform::fake::FakePlatform& sharedDesktop) : fake_(&sharedDesktop), user_(sharedDesktop) {
  program_ = std::make_unique<Program>(*fake_);
  started_ = program_->Start();
  if (started_) program_->Run();
}

Tapfinch::~Tapfinch() { shutdown(); }

void Tapfinch::shutdown() { program_.reset(); }

}  // namespace testing_support
