#include "platform/fake/fake_tray.h"

#include <algorithm>

#include "platform/fake/fake_clock.h"

namespace platform::fake {

class FakeTray::Icon final : public TrayIcon {
 public:
  Icon(FakeTray& tray, TrayIconSink& sink) : tray_(tray), sink_(sink) { tray_.icons_.push_back(this); }
  ~Icon() override { tray_.icons_.erase(std::find(tray_.icons_.begin(), tray_.icons_.end(), this)); }
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;

  bool Show(TrayImage image, const std::string& tip) override {
    if (!shown_ && tray_.refuse_) return false;
    ++tray_.updates_;
    shown_ = true;
    state_.image = image;
    state_.tip = tip.substr(0, 127);
    return true;
  }
  void Hide() override { shown_ = false; }
  void SetMenu(const std::vector<std::string>& captions) override { state_.menu = captions; }

  FakeTray& tray_;
  TrayIconSink& sink_;
  Shown state_;
  bool shown_ = false;
};

FakeTray::~FakeTray() = default;

std::vector<FakeTray::Shown> FakeTray::icons() const {
  std::vector<Shown> shown;
  for (const Icon* icon : icons_) {
    if (icon->shown_) shown.push_back(icon->state_);
  }
  return shown;
}

// The first icon shown; null when the area is empty.
FakeTray::Icon* FakeTray::firstShown() const {
  const auto shown = std::find_if(icons_.begin(), icons_.end(), [](const Icon* icon) { return icon->shown_; });
  return shown != icons_.end() ? *shown : nullptr;
}

void FakeTray::deliver(Icon* icon, std::function<void(TrayIconSink&)> what) {
  clock_.post([this, icon, what = std::move(what)] {
    if (std::find(icons_.begin(), icons_.end(), icon) != icons_.end()) what(icon->sink_);
  });
}

bool FakeTray::doubleClick() {
  Icon* icon = firstShown();
  if (icon == nullptr) return false;
  deliver(icon, [](TrayIconSink& sink) { sink.TrayDoubleClicked(); });
  return true;
}

bool FakeTray::pick(const std::string& caption) {
  Icon* icon = firstShown();
  if (icon == nullptr) return false;
  const auto& menu = icon->state_.menu;
  const auto at = std::find(menu.begin(), menu.end(), caption);
  if (at == menu.end()) return false;
  const auto item = static_cast<std::size_t>(at - menu.begin());
  deliver(icon, [item](TrayIconSink& sink) { sink.TrayMenuPicked(item); });
  return true;
}

void FakeTray::restartShell() {
  // Broadcast to every top-level window: also to those whose icon the old
  // shell refused, or never had.
  for (Icon* icon : icons_) {
    icon->shown_ = false;
    deliver(icon, [](TrayIconSink& sink) { sink.TrayShellRestarted(); });
  }
}

std::unique_ptr<TrayIcon> FakeTray::CreateIcon(TrayIconSink& sink) { return std::make_unique<Icon>(*this, sink); }

}  // namespace platform::fake
