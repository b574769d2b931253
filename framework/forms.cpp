#include "framework/forms.h"

#include "framework/comctrls.h"
#include "framework/exceptions.h"
#include "framework/menus.h"

// ------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* owner, std::string className)
    : TWinControl(owner, platform::PeerKind::kForm, std::move(className)) {
  SetLoading(true);
  visible_ = false;
  parentColor_ = false;
  CreatePeer();
}

TCustomForm::~TCustomForm() = default;

void TCustomForm::FillPeerParams(platform::PeerParams& params) const { params.owner = Application().Window(); }

void TCustomForm::UpdateClientSize() {
  if (auto* window = PeerAs<platform::TopLevelPeer>()) {
    const platform::Size client = window->ClientSize();
    if (client.width > 0 || client.height > 0) {
      clientWidth_ = client.width;
      clientHeight_ = client.height;
      return;
    }
  }
  const platform::Size frame = Platform().windows().FormFrameSize(menu_ != nullptr, border_);
  clientWidth_ = bounds_.width - frame.width;
  clientHeight_ = bounds_.height - frame.height;
}

void TCustomForm::SetResizable(bool resizable) {
  SetBorder(resizable ? platform::FormBorder::kSizeable : platform::FormBorder::kSingle);
}

void TCustomForm::SetBorder(platform::FormBorder border) {
  border_ = border;
  if (auto* window = PeerAs<platform::TopLevelPeer>()) window->SetBorder(border);
  UpdateClientSize();
}

void TCustomForm::SetClientSize(int clientWidth, int clientHeight) {
  const platform::Size frame = Platform().windows().FormFrameSize(menu_ != nullptr, border_);
  SetBounds(Left(), Top(), clientWidth + frame.width, clientHeight + frame.height);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control != nullptr && (control == this || control->ParentForm() != this || !(Loading() || control->CanFocus()))) {
    throw EInvalidOperation(messages::kCannotFocus);
  }
  activeControl_ = control;
  // An inactive form only remembers the control; it gets the focus when
  // the form is next activated.
  if (control != nullptr && active_ && !Loading() && control->Peer() != nullptr) control->Peer()->SetFocus();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (menu_ != nullptr) menu_->SetForm(this);
  MenuChanged();
}

void TCustomForm::MenuChanged() {
  if (auto* window = PeerAs<platform::TopLevelPeer>()) {
    window->SetMenu(menu_ != nullptr ? menu_->Describe() : std::vector<platform::MenuItemSpec>{});
  }
  UpdateClientSize();
  Realign();
}

void TCustomForm::Show() { SetVisible(true); }

void TCustomForm::ScaleToMonitor() {
  if (auto* window = PeerAs<platform::TopLevelPeer>()) ScaleTo(window->Dpi());
}

void TCustomForm::ScaleTo(int pixelsPerInch) {
  if (pixelsPerInch <= 0 || pixelsPerInch == pixelsPerInch_) return;
  const int from = pixelsPerInch_;
  pixelsPerInch_ = pixelsPerInch;
  ChangeScale(pixelsPerInch, from);
}

void TCustomForm::PeerDpiChanged(int dpi, const platform::Rect& suggested) {
  Guard([&] {
    ScaleTo(dpi);
    // The system's rectangle keeps the window under the pointer that dragged it.
    SetBounds(suggested.left, suggested.top, suggested.width, suggested.height);
  });
}

void TCustomForm::VisibleChanged() {
  auto* window = PeerAs<platform::TopLevelPeer>();
  if (window == nullptr) return;
  if (!visible_) {
    window->Show(platform::ShowMode::kHide);
    return;
  }
  const bool center = !shownOnce_ && position_ == TPosition::poScreenCenter;
  if (!shownOnce_) ScaleToMonitor();
  shownOnce_ = true;
  window->Show(center ? platform::ShowMode::kShowCentered : platform::ShowMode::kShowNormal);
}

void TCustomForm::ButtonClicked(const TControl& button, int result) {
  if (result == mrNone) return;
  if (TCustomForm* form = button.ParentForm()) form->SetModalResult(result);
}

int TCustomForm::ShowModal() {
  auto* window = PeerAs<platform::TopLevelPeer>();
  if (Visible() || modal_ || window == nullptr) throw EInvalidOperation(messages::kModalVisible);
  // The other forms take no input meanwhile; whatever ends the run, they
  // get it back and this form is hidden again.
  std::vector<TCustomForm*> disabled;
  for (TCustomForm* form : Application().Forms()) {
    if (form != this && form->Enabled()) {
      form->SetEnabled(false);
      disabled.push_back(form);
    }
  }
  struct Restore {
    TCustomForm& self;
    std::vector<TCustomForm*>& others;
    ~Restore() {
      self.modal_ = false;
      for (TCustomForm* form : others) form->SetEnabled(true);
      self.Hide();
    }
  } restore{*this, disabled};
  modalResult_ = mrNone;
  modal_ = true;
  Show();
  window->RunModal([this] { return modalResult_ != mrNone || Application().Terminated(); });
  return modalResult_;
}

void TCustomForm::Close() {
  if (OnClose) OnClose(this);
  if (modal_) {
    modalResult_ = mrCancel;
  } else if (Application().MainForm() == this) {
    // Out of sight at once: the way out (the settings written, every
    // window taken down one by one) is nothing the user need watch.
    Hide();
    Application().Terminate();
  } else {
    Hide();
  }
}

void TCustomForm::LoadedTree(TComponent& component) {
  for (std::size_t i = 0; i < component.ComponentCount(); ++i) {
    TComponent* child = component.Components(i);
    child->Loaded();
    LoadedTree(*child);
  }
}

void TCustomForm::FinishLoading() {
  LoadedTree(*this);
  Loaded();
}

void TCustomForm::DoCreate() {
  created_ = true;
  Guard([&] {
    if (OnCreate) OnCreate(this);
  });
}

void TCustomForm::BeforeDestruction() {
  // A form whose creation was never completed (a second instance ending
  // during its loaded step) has no OnDestroy to run.
  if (created_ && !destroyed_) {
    destroyed_ = true;
    Guard([&] {
      if (OnDestroy) OnDestroy(this);
    });
  }
}

void TCustomForm::PeerCloseRequested() {
  Guard([&] { Close(); });
}

void TCustomForm::PeerMenuCommand(int id) {
  Guard([&] {
    if (menu_ == nullptr) return;
    if (TMenuItem* item = menu_->FindCommand(id)) item->Click();
  });
}

void TCustomForm::PeerMinimizeRequested() {
  Guard([&] {
    if (Application().MainForm() == this) Application().Minimize();
  });
}

namespace {
// The first visible and enabled control below parent that a dialog key clicks.
TWinControl* FindDialogKeyTarget(const TWinControl& parent, platform::DialogKey key) {
  for (TControl* child : parent.Controls()) {
    auto* control = dynamic_cast<TWinControl*>(child);
    if (control == nullptr || !control->Visible() || !control->Enabled()) continue;
    if (control->ClicksOnDialogKey(key, false)) return control;
    if (TWinControl* inner = FindDialogKeyTarget(*control, key)) return inner;
  }
  return nullptr;
}
}  // namespace

namespace {
TPageControl* FirstPageControl(const TWinControl& parent) {
  for (TControl* child : parent.Controls()) {
    if (!child->Visible()) continue;
    if (auto* pages = dynamic_cast<TPageControl*>(child)) return pages;
    if (auto* holder = dynamic_cast<TWinControl*>(child)) {
      if (TPageControl* found = FirstPageControl(*holder)) return found;
    }
  }
  return nullptr;
}
}  // namespace

bool TCustomForm::PeerPageKey(std::uint16_t key, platform::ShiftBits shift) {
  bool taken = false;
  Guard([&] {
    TPageControl* pages = nullptr;
    for (TControl* c = activeControl_; c != nullptr && pages == nullptr; c = c->Parent()) {
      pages = dynamic_cast<TPageControl*>(c);
    }
    if (pages == nullptr) pages = FirstPageControl(*this);
    if (pages == nullptr || pages->PageCount() == 0 || !pages->CanFocus()) return;
    const bool back = key == platform::kVkPrior || (key == platform::kVkTab && (shift & platform::kShift) != 0);
    const int count = pages->PageCount();
    const int next = (pages->ActivePageIndex() + (back ? count - 1 : 1)) % count;
    taken = true;
    pages->PeerTabSelected(next);  // as a click on its tab
    pages->SetFocus();
  });
  return taken;
}

void TCustomForm::PeerDialogKey(platform::DialogKey key) {
  Guard([&] {
    TWinControl* target = nullptr;
    if (activeControl_ != nullptr && activeControl_->Focused() && activeControl_->ClicksOnDialogKey(key, true)) {
      target = activeControl_;
    } else {
      target = FindDialogKeyTarget(*this, key);
    }
    if (target != nullptr) target->Click();
  });
}

void TCustomForm::PeerFocusChanged(bool focused) {
  // For a form this is activation: give the remembered control the focus.
  const bool activated = focused && !active_;
  active_ = focused;
  if (focused && activeControl_ != nullptr && activeControl_->Peer() != nullptr && activeControl_->CanFocus()) {
    activeControl_->Peer()->SetFocus();
  }
  if (activated && OnActivate) Guard([&] { OnActivate(this); });
}

void TCustomForm::PeerSessionEnding(bool final) {
  const TNotifyEvent& handler = final ? OnSessionEnding : OnQueryEndSession;
  if (handler) Guard([&] { handler(this); });
}

// ------------------------------------------------------------ TApplication

TApplication::TApplication(platform::Platform& platform) : TComponent(*this, *this), platform_(platform) {
  platform_.loop().SetErrorHandler([this](const std::exception_ptr& error) { HandleException(error); });
}

TApplication::~TApplication() {
  DestroyComponents();
  window_.reset();
  if (fastTimers_ > 0) platform_.timers().SetHighResolution(false);
  if (fastPreciseTimers_ > 0) platform_.timers().SetThrottlingExempt(false);
  platform_.loop().SetErrorHandler(nullptr);
}

void TApplication::Initialize() {
  if (window_) return;
  platform::PeerParams params;
  params.kind = platform::PeerKind::kApplicationWindow;
  params.className = "TApplication";
  params.text = title_;
  window_ = platform_.windows().CreatePeer(params, *this);
  if (!window_) throw EOutOfResources(messages::kCreateWindow);
}

std::vector<TCustomForm*> TApplication::Forms() const {
  std::vector<TCustomForm*> forms;
  for (std::size_t i = 0; i < ComponentCount(); ++i) {
    if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) forms.push_back(form);
  }
  return forms;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  SetWindowText(title);
}

void TApplication::SetWindowText(const std::string& text) {
  if (window_) window_->SetText(text);
}

void TApplication::Run(const std::function<void()>& afterShown) {
  if (auto* window = TopLevelWindow()) window->Show(platform::ShowMode::kShowNormal);  // the taskbar entry
  if (mainForm_ != nullptr) {
    Guard([&] { mainForm_->Show(); });
  }
  if (afterShown && !terminated_) {
    // What is waiting first, the main window's painting among it.
    platform_.loop().ProcessPending();
    if (!terminated_) afterShown();
  }
  if (!terminated_) platform_.loop().Run();
}

void TApplication::Terminate() {
  terminated_ = true;
  platform_.loop().Quit();
}

void TApplication::HandleException(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    // Silent by design.
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unexpected error");
  }
}

void TApplication::ShowException(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  MessageBox(text, title_, platform::kMbOk | platform::kMbIconStop);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
  return platform_.dialogs().ShowMessageBox(text, caption, flags);
}

char TApplication::DecimalSeparator() const { return platform_.locale().DecimalSeparator(); }

void TApplication::Minimize() {
  if (minimized_) return;
  minimized_ = true;
  if (mainForm_ != nullptr) {
    if (auto* form = mainForm_->PeerAs<platform::TopLevelPeer>()) form->Show(platform::ShowMode::kHide);
  }
  if (auto* window = TopLevelWindow()) window->Show(platform::ShowMode::kMinimize);
  if (OnMinimize) Guard([&] { OnMinimize(this); });
}

void TApplication::Restore() {
  if (auto* window = TopLevelWindow()) window->Show(platform::ShowMode::kRestore);
  PeerRestored();
}

void TApplication::BringToFront() {
  // While minimised the main window stays hidden until restored.
  if (minimized_) return;
  if (mainForm_ != nullptr && mainForm_->Visible()) {
    if (auto* form = mainForm_->PeerAs<platform::TopLevelPeer>()) form->Show(platform::ShowMode::kShowNormal);
  }
}

void TApplication::PeerRestored() {
  if (!minimized_) return;
  minimized_ = false;
  BringToFront();
  if (OnRestore) Guard([&] { OnRestore(this); });
}

void TApplication::PeerRaised() { BringToFront(); }

void TApplication::PeerMinimizeRequested() { Minimize(); }

void TApplication::PeerCloseRequested() {
  // Closing the program from its taskbar entry closes the main window.
  if (mainForm_ != nullptr) Guard([&] { mainForm_->Close(); });
}

void TApplication::FastTimerStarted(bool precise) {
  if (fastTimers_++ == 0) platform_.timers().SetHighResolution(true);
  if (precise && fastPreciseTimers_++ == 0) platform_.timers().SetThrottlingExempt(true);
}

void TApplication::FastTimerStopped(bool precise) {
  if (fastTimers_ > 0 && --fastTimers_ == 0) platform_.timers().SetHighResolution(false);
  if (precise && fastPreciseTimers_ > 0 && --fastPreciseTimers_ == 0) platform_.timers().SetThrottlingExempt(false);
}

void ShowInformation(TApplication& application, const std::string& text) {
  application.MessageBox(text, "Information", platform::kMbOk | platform::kMbIconInformation);
}
