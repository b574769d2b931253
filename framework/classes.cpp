#include "framework/classes.h"

#include "framework/exceptions.h"

TComponent::TComponent(TComponent* owner)
    : owner_(owner),
      application_(owner != nullptr ? owner->application_ : nullptr),
      root_(owner != nullptr ? owner->root_ : nullptr),
      loading_(owner != nullptr && owner->loading_) {}

TComponent::TComponent(TApplication& self, ComponentRoot& root) : application_(&self), root_(&root) {}

TComponent::~TComponent() { DestroyComponents(); }

platform::Platform& TComponent::Platform() const noexcept { return root_->PlatformServices(); }

TComponent* TComponent::FindComponent(std::string_view name) const noexcept {
  for (const auto& component : components_) {
    if (component->Name() == name) return component.get();
  }
  return nullptr;
}

void TComponent::Adopt(std::unique_ptr<TComponent> component) { components_.push_back(std::move(component)); }

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent* component) {
  for (auto it = components_.begin(); it != components_.end(); ++it) {
    if (it->get() != component) continue;
    std::unique_ptr<TComponent> owned = std::move(*it);
    components_.erase(it);
    return owned;
  }
  return nullptr;
}

void TComponent::DestroyComponents() noexcept {
  while (!components_.empty()) {
    std::unique_ptr<TComponent> last = std::move(components_.back());
    components_.pop_back();
    try {
      last->BeforeDestruction();
    } catch (const ProcessExit&) {
      // Already going away: there is nothing left to unwind to.
    }
    // Children go while their owner is still whole, so that they may
    // still talk to it (a control leaving its parent's list).
    last->DestroyComponents();
    last.reset();
  }
}

void TComponent::Guard(const std::function<void()>& f) const {
  try {
    f();
  } catch (const ProcessExit&) {
    throw;
  } catch (...) {
    root_->HandleException(std::current_exception());
  }
}
