#include "framework/comctrls.h"

#include <algorithm>

#include "framework/forms.h"

// --------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner, platform::PeerKind::kTabSheet, "TTabSheet") {
  visible_ = false;  // only the active page shows
  align_ = TAlign::alClient;
  parentColor_ = false;  // pages are button face whatever surrounds them
  color_ = clBtnFace;
}

TTabSheet::~TTabSheet() {
  if (pageControl_ != nullptr) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  if (pageControl == pageControl_) return;
  if (pageControl_ != nullptr) pageControl_->RemovePage(this);
  pageControl_ = pageControl;
  SetParent(pageControl);
  if (pageControl_ != nullptr) pageControl_->InsertPage(this);
}

void TTabSheet::VisibleChanged() {
  TWinControl::VisibleChanged();
  if (Visible()) CreateChildPeers();
}

int TTabSheet::PageIndex() const noexcept {
  if (pageControl_ == nullptr) return -1;
  const auto& pages = pageControl_->pages_;
  const auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::TextChanged() {
  if (pageControl_ != nullptr) pageControl_->UpdateTab(this);
}

// ------------------------------------------------------------ TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner, platform::PeerKind::kPageControl, "TPageControl") {
  tabStop_ = true;
  parentColor_ = false;
  color_ = clBtnFace;
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  UpdateTab(page);
  if (activePage_ == nullptr) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) noexcept {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  if (activePage_ == page) activePage_ = nullptr;
}

void TPageControl::UpdateTab(TTabSheet* page) {
  auto* tabs = PeerAs<platform::TabsPeer>();
  if (tabs == nullptr) return;
  tabs->SetTab(page->PageIndex(), page->Caption());
  Realign();  // the row of tabs decides where the pages go
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == activePage_) return;
  if (page != nullptr && page->PageControl() != this) return;
  TTabSheet* previous = activePage_;
  // Windows leaves the focus on a window whose parent it hides: keys would
  // reach a page nobody sees, and Wine's dialog manager, looking for a
  // mnemonic from there, loops for good. The tab row takes the focus, as
  // a click on it would.
  const TCustomForm* form = ParentForm();
  bool focusOnPrevious = false;
  for (const TControl* c = form != nullptr ? form->ActiveControl() : nullptr; c != nullptr && previous != nullptr;
       c = c->Parent()) {
    focusOnPrevious = focusOnPrevious || c == previous;
  }
  activePage_ = page;
  if (page != nullptr) page->SetVisible(true);
  if (previous != nullptr) previous->SetVisible(false);
  if (auto* tabs = PeerAs<platform::TabsPeer>(); tabs != nullptr && page != nullptr)
    tabs->SetTabIndex(page->PageIndex());
  if (focusOnPrevious && CanFocus()) SetFocus();
}

int TPageControl::ActivePageIndex() const noexcept { return activePage_ != nullptr ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  if (index >= 0 && index < PageCount()) SetActivePage(pages_[static_cast<std::size_t>(index)]);
}

void TPageControl::PeerTabSelected(int index) {
  Guard([&] {
    if (index == ActivePageIndex()) return;
    SetActivePageIndex(index);
    if (OnChange) OnChange(this);
  });
}

platform::Rect TPageControl::AdjustClientRect() const {
  if (auto* tabs = PeerAs<platform::TabsPeer>()) {
    const platform::Rect display = tabs->DisplayRect();
    if (display.width > 0 && display.height > 0) return display;
  }
  // The tab row and the frame around the pages.
  return {4, 24, clientWidth_ - 8, clientHeight_ - 28};
}
