// The main menu bar. Items are components of the form; the form's peer
// builds the native menu from a description and reports picks by id.
#pragma once

#include <string>
#include <vector>

#include "framework/classes.h"
#include "platform/peers.h"

class TCustomForm;
class TMainMenu;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);

  [[nodiscard]] const std::string& Caption() const noexcept { return caption_; }
  void SetCaption(const std::string& caption);
  [[nodiscard]] bool Visible() const noexcept { return visible_; }
  void SetVisible(bool visible);
  TNotifyEvent OnClick;
  virtual void Click();

  void Add(TMenuItem* item);
  [[nodiscard]] const std::vector<TMenuItem*>& Items() const noexcept { return items_; }
  [[nodiscard]] int Command() const noexcept { return command_; }

 private:
  friend class TMainMenu;
  void Changed();
  std::string caption_;
  bool visible_ = true;
  std::vector<TMenuItem*> items_;
  TMainMenu* menu_ = nullptr;
  int command_ = 0;
};

class TMainMenu : public TComponent {
 public:
  explicit TMainMenu(TComponent* owner);
  // Adds a top-level menu.
  void Add(TMenuItem* item);
  [[nodiscard]] const std::vector<TMenuItem*>& Items() const noexcept { return items_; }
  [[nodiscard]] std::vector<platform::MenuItemSpec> Describe() const;
  [[nodiscard]] TMenuItem* FindCommand(int command) const noexcept;
  void SetForm(TCustomForm* form) noexcept { form_ = form; }

 private:
  friend class TMenuItem;
  void Register(TMenuItem* item);
  void Changed();
  std::vector<TMenuItem*> items_;
  std::vector<TMenuItem*> all_;
  TCustomForm* form_ = nullptr;
};
