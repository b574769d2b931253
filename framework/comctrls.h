// The page control and its tab sheets. Only the active sheet is visible,
// so the controls of the other sheets cannot take the focus.
#pragma once

#include <vector>

#include "framework/controls.h"

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  [[nodiscard]] TPageControl* PageControl() const noexcept { return pageControl_; }
  void SetPageControl(TPageControl* pageControl);
  [[nodiscard]] int PageIndex() const noexcept;

 protected:
  void TextChanged() override;
  // A page's controls get their windows when it first shows.
  [[nodiscard]] bool DefersChildren() const noexcept override { return !Visible(); }
  void VisibleChanged() override;

 private:
  TPageControl* pageControl_ = nullptr;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);

  [[nodiscard]] int PageCount() const noexcept { return static_cast<int>(pages_.size()); }
  [[nodiscard]] TTabSheet* Pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
  [[nodiscard]] TTabSheet* ActivePage() const noexcept { return activePage_; }
  void SetActivePage(TTabSheet* page);
  [[nodiscard]] int ActivePageIndex() const noexcept;
  void SetActivePageIndex(int index);
  TNotifyEvent OnChange;

  void PeerTabSelected(int index) override;

 protected:
  platform::Rect AdjustClientRect() const override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page) noexcept;
  void UpdateTab(TTabSheet* page);
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};
