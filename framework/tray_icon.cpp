#include "framework/tray_icon.h"

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner), icon_(Platform().tray().CreateIcon(*this)) {}

TTrayIcon::~TTrayIcon() = default;  // the icon goes with its peer

void TTrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible_) {
    Update();
  } else {
    icon_->Hide();
  }
}

void TTrayIcon::SetImage(platform::TrayImage image) {
  if (image == image_) return;
  image_ = image;
  if (visible_) Update();
}

void TTrayIcon::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (visible_) Update();
}

void TTrayIcon::SetItems(std::vector<Item> items) {
  items_ = std::move(items);
  std::vector<std::string> captions;
  for (const Item& item : items_) captions.push_back(item.caption);
  icon_->SetMenu(captions);
}

// A shell that refused the icon (not up yet) announces itself when it
// comes, and the icon is added then.
void TTrayIcon::Update() { icon_->Show(image_, hint_); }

void TTrayIcon::TrayDoubleClicked() {
  Guard([&] {
    if (OnDblClick) OnDblClick(this);
  });
}

void TTrayIcon::TrayMenuPicked(std::size_t item) {
  Guard([&] {
    if (item < items_.size() && items_[item].OnClick) items_[item].OnClick(this);
  });
}

void TTrayIcon::TrayShellRestarted() {
  if (visible_) Update();
}
