#include "tests/support/harness.h"

#include <stdexcept>

namespace testing_support {

bool Reachable(const TControl& control) {
  for (const TControl* c = &control; c != nullptr; c = c->Parent()) {
    if (dynamic_cast<const TCustomForm*>(c) != nullptr) return c->Visible();
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return false;
}

platform::fake::FakeWindow& WindowOf(const TControl& control) {
  auto* window = dynamic_cast<platform::fake::FakeWindow*>(control.Peer());
  if (window == nullptr) throw std::logic_error(control.Name() + " has no window");
  return *window;
}

void User::click(TControl& control, int x, int y) {
  ASSERT_TRUE(Reachable(control)) << "the user cannot click " << control.Name();
  fake_.desktop().click(WindowOf(control), x, y);
}

void User::focus(TWinControl& control) {
  ASSERT_TRUE(Reachable(control)) << "the user cannot focus " << control.Name();
  control.SetFocus();
}

void User::press(TWinControl& control, std::uint16_t virtualKey, char character, platform::ShiftBits shift) {
  ASSERT_TRUE(control.Focused()) << control.Name() << " does not have the focus";
  fake_.desktop().pressKey(virtualKey, shift, character);
}

void User::type(TWinControl& control, char character) {
  ASSERT_TRUE(control.Focused()) << control.Name() << " does not have the focus";
  fake_.desktop().typeText(std::string(1, character));
}

void User::enterText(TCustomEdit& edit, const std::string& text) {
  focus(edit);
  // The whole text selected, as after Home and Shift+End.
  constexpr std::uint16_t kVkEnd = 0x23;
  constexpr std::uint16_t kVkHome = 0x24;
  fake_.desktop().pressKey(kVkHome);
  fake_.desktop().pressKey(kVkEnd, platform::kShift);
  fake_.desktop().typeText(text);
}

void User::paste(TCustomEdit& edit, const std::string& text) {
  focus(edit);
  fake_.clipboard().setText(text);
  constexpr char kCtrlV = 22;
  fake_.desktop().pressKey('V', platform::kCtrl, kCtrlV);
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
