#include "framework/menus.h"

#include "framework/forms.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::Add(TMenuItem* item) {
  items_.push_back(item);
  if (menu_ != nullptr) menu_->Register(item);
  Changed();
}

void TMenuItem::Changed() {
  if (menu_ != nullptr) menu_->Changed();
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner) {}

void TMainMenu::Add(TMenuItem* item) {
  items_.push_back(item);
  Register(item);
  Changed();
}

void TMainMenu::Register(TMenuItem* item) {
  item->menu_ = this;
  all_.push_back(item);
  item->command_ = static_cast<int>(all_.size());
  for (TMenuItem* child : item->items_) Register(child);
}

void TMainMenu::Changed() {
  if (form_ != nullptr) form_->MenuChanged();
}

namespace {
platform::MenuItemSpec DescribeItem(const TMenuItem& item) {
  platform::MenuItemSpec entry;
  entry.id = item.Command();
  entry.caption = item.Caption();
  entry.visible = item.Visible();
  for (const TMenuItem* child : item.Items()) entry.items.push_back(DescribeItem(*child));
  return entry;
}
}  // namespace

std::vector<platform::MenuItemSpec> TMainMenu::Describe() const {
  std::vector<platform::MenuItemSpec> menu;
  for (const TMenuItem* item : items_) menu.push_back(DescribeItem(*item));
  return menu;
}

TMenuItem* TMainMenu::FindCommand(int command) const noexcept {
  if (command < 1 || command > static_cast<int>(all_.size())) return nullptr;
  return all_[static_cast<std::size_t>(command - 1)];
}
