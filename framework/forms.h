// The application object and forms.
// TApplication is the root of the owner tree: it owns the forms, the
// hidden "TApplication" window that gives the program its taskbar entry,
// and the default error handler that every event handler runs under.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/controls.h"

class TMainMenu;

class TCustomForm : public TWinControl {
 public:
  TCustomForm(TComponent* owner, std::string className);
  ~TCustomForm() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  // The form became the active window.
  TNotifyEvent OnActivate;
  // Logoff or shutdown asked: another program may still cancel it, so
  // nothing may change that the going on would see; keep what is to keep.
  TNotifyEvent OnQueryEndSession;
  // Logoff or shutdown under way: the last moment, the process may be
  // ended without a close.
  TNotifyEvent OnSessionEnding;
  // The form is being closed (its close button, Alt+F4, Close()).
  TNotifyEvent OnClose;

  enum class TPosition { poDesigned, poScreenCenter };
  void SetPosition(TPosition position) noexcept { position_ = position; }
  // A fixed-size window: the user can neither resize, maximise nor
  // minimise it on its own (a single frame with the close button).
  [[nodiscard]] bool Resizable() const noexcept { return border_ == platform::FormBorder::kSizeable; }
  void SetResizable(bool resizable);
  [[nodiscard]] platform::FormBorder Border() const noexcept { return border_; }
  void SetBorder(platform::FormBorder border);

  // Pixels per inch the form is laid out for: the layout's 96 until it is
  // first shown, then its monitor's.
  [[nodiscard]] int PixelsPerInch() const noexcept { return pixelsPerInch_; }
  // Lays the form out for the monitor it is on, when that is not done yet.
  void ScaleToMonitor();
  void ScaleTo(int pixelsPerInch);

  // The outer size is Width x Height; the client size follows from the frame.
  void SetClientSize(int clientWidth, int clientHeight);

  [[nodiscard]] TWinControl* ActiveControl() const noexcept { return activeControl_; }
  void SetActiveControl(TWinControl* control);

  [[nodiscard]] TMainMenu* Menu() const noexcept { return menu_; }
  void SetMenu(TMainMenu* menu);
  void MenuChanged();

  void Show();
  // Closing the main form ends the program; a modal form ends its modal
  // run with mrCancel; any other form only hides.
  void Close();

  // Shows the form with the other forms disabled and serves messages
  // (timers and hotkeys too) until ModalResult is set; then hides it.
  int ShowModal();
  [[nodiscard]] int ModalResult() const noexcept { return modalResult_; }
  void SetModalResult(int result) noexcept { modalResult_ = result; }
  // A button's click: a ModalResult other than mrNone ends the control's
  // form's modal run with it.
  static void ButtonClicked(const TControl& button, int result);
  [[nodiscard]] bool Modal() const noexcept { return modal_; }
  [[nodiscard]] bool TopLevel() const noexcept override { return true; }

  // Start-up steps driven by TApplication::CreateForm.
  void FinishLoading();
  void DoCreate();
  [[nodiscard]] bool Created() const noexcept { return created_; }
  void BeforeDestruction() override;

  // PeerEvents
  void PeerCloseRequested() override;
  void PeerSessionEnding(bool final) override;
  void PeerMenuCommand(int id) override;
  void PeerMinimizeRequested() override;
  void PeerFocusChanged(bool focused) override;
  void PeerDialogKey(platform::DialogKey key) override;
  // Ctrl+Tab and Ctrl+PageDown show the next page of the page control that
  // holds the focus (or the form's first), Ctrl+Shift+Tab and Ctrl+PageUp
  // the one before, round the ends; the tab row then has the focus.
  bool PeerPageKey(std::uint16_t key, platform::ShiftBits shift) override;
  void PeerDpiChanged(int dpi, const platform::Rect& suggested) override;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override;
  void VisibleChanged() override;
  void UpdateClientSize() override;

 private:
  friend class TWinControl;
  // The user moved the focus: remember it without focusing again.
  void NoteFocused(TWinControl* control) noexcept { activeControl_ = control; }
  void LoadedTree(TComponent& component);
  TPosition position_ = TPosition::poDesigned;
  TWinControl* activeControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  bool created_ = false;
  bool destroyed_ = false;
  bool shownOnce_ = false;
  bool active_ = false;
  bool modal_ = false;
  int modalResult_ = 0;
  platform::FormBorder border_ = platform::FormBorder::kSizeable;
  int pixelsPerInch_ = 96;
};

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner, std::string className = "TForm") : TCustomForm(owner, std::move(className)) {}
};

class TApplication : public TComponent, public ComponentRoot, private platform::PeerEvents {
 public:
  explicit TApplication(platform::Platform& platform);
  ~TApplication() override;

  [[nodiscard]] platform::Platform& PlatformServices() const noexcept override { return platform_; }

  // Creates the application window.
  void Initialize();
  [[nodiscard]] const std::string& Title() const noexcept { return title_; }
  void SetTitle(const std::string& title);
  // The application window's text, without touching the title.
  void SetWindowText(const std::string& text);

  // Creates a form from its layout, runs the loaded step of its
  // components and then its OnCreate; the first form is the main form.
  template <class F>
  F* CreateForm(std::string_view name) {
    F* form = Make<F>(*this, name);
    form->FinishLoading();
    form->DoCreate();
    if (mainForm_ == nullptr) mainForm_ = form;
    return form;
  }
  [[nodiscard]] TCustomForm* MainForm() const noexcept { return mainForm_; }

  // Shows the main form and runs the message loop until Terminate.
  // afterShown runs once the main form has been shown and what was
  // waiting (its painting) handled, before the loop: work the user need
  // not wait for to see the window.
  void Run(const std::function<void()>& afterShown = {});
  void Terminate();
  [[nodiscard]] bool Terminated() const noexcept { return terminated_; }

  // The default error handler. Errors that reach the platform's own code
  // (a window procedure) come here too.
  void HandleException(const std::exception_ptr& error) override;
  void ShowException(const std::string& message);

  int MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags);
  [[nodiscard]] char DecimalSeparator() const;

  void Minimize();
  void Restore();
  void BringToFront();
  [[nodiscard]] bool Minimized() const noexcept { return minimized_; }
  // After the program was minimised, and after it was restored.
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  [[nodiscard]] platform::WindowPeer* Window() const noexcept { return window_.get(); }
  [[nodiscard]] std::vector<TCustomForm*> Forms() const;

  // Framework timers shorter than the system tick need 1 ms resolution;
  // while one that drives clicking runs, the program is exempt from power
  // throttling, and when the last stops what was before is put back.
  void FastTimerStarted(bool precise);
  void FastTimerStopped(bool precise);

 private:
  void PeerRestored() override;
  void PeerRaised() override;
  void PeerMinimizeRequested() override;
  void PeerCloseRequested() override;
  [[nodiscard]] platform::TopLevelPeer* TopLevelWindow() const noexcept {
    return dynamic_cast<platform::TopLevelPeer*>(window_.get());
  }

  platform::Platform& platform_;
  std::string title_;
  std::unique_ptr<platform::WindowPeer> window_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool minimized_ = false;
  int fastTimers_ = 0;
  int fastPreciseTimers_ = 0;
};

// The program's own user messages: information icon, "Information", OK.
void ShowInformation(TApplication& application, const std::string& text);
