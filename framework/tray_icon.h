// TTrayIcon: the program's icon in the notification area while Visible,
// with an image, a hint (the tip) and a menu of entries, each with its own
// OnClick. It adds itself again when the shell restarts, and goes with the
// component.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/classes.h"
#include "platform/tray.h"

class TTrayIcon : public TComponent, private platform::TrayIconSink {
 public:
  explicit TTrayIcon(TComponent* owner);
  ~TTrayIcon() override;

  [[nodiscard]] bool Visible() const noexcept { return visible_; }
  void SetVisible(bool visible);
  [[nodiscard]] platform::TrayImage Image() const noexcept { return image_; }
  void SetImage(platform::TrayImage image);
  [[nodiscard]] const std::string& Hint() const noexcept { return hint_; }
  void SetHint(const std::string& hint);

  struct Item {
    std::string caption;
    TNotifyEvent OnClick;
  };
  void SetItems(std::vector<Item> items);
  TNotifyEvent OnDblClick;

 private:
  void TrayDoubleClicked() override;
  void TrayMenuPicked(std::size_t item) override;
  void TrayShellRestarted() override;
  void Update();

  std::unique_ptr<platform::TrayIcon> icon_;
  std::vector<Item> items_;
  platform::TrayImage image_ = platform::TrayImage::kIdle;
  std::string hint_;
  bool visible_ = false;
};
