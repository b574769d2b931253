// Components: objects with an owner and a name, destroyed with their owner.
// The owner tree is the only owner of components; the root is the
// application object, through which every component reaches the platform.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

class TApplication;

// What every component reaches through its owners at the root of the
// tree: the platform, and the handler of errors that escape an event.
// The application object is the root; components know no more of it.
class ComponentRoot {
 public:
  [[nodiscard]] virtual platform::Platform& PlatformServices() const noexcept = 0;
  virtual void HandleException(const std::exception_ptr& error) = 0;

 protected:
  ComponentRoot() = default;
  ComponentRoot(const ComponentRoot&) = default;
  ComponentRoot& operator=(const ComponentRoot&) = default;
  ~ComponentRoot() = default;
};

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// Shift, Alt and Ctrl (and mouse buttons for mouse events).
class TShiftState {
 public:
  constexpr TShiftState() = default;
  constexpr explicit TShiftState(platform::ShiftBits bits) : bits_(bits) {}
  [[nodiscard]] constexpr bool Contains(platform::ShiftFlag flag) const noexcept { return (bits_ & flag) != 0; }
  [[nodiscard]] constexpr platform::ShiftBits Bits() const noexcept { return bits_; }
  friend constexpr bool operator==(TShiftState, TShiftState) = default;

 private:
  platform::ShiftBits bits_ = 0;
};

using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  [[nodiscard]] TComponent* Owner() const noexcept { return owner_; }
  [[nodiscard]] const std::string& Name() const noexcept { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  [[nodiscard]] TApplication& Application() const noexcept { return *application_; }
  [[nodiscard]] platform::Platform& Platform() const noexcept;

  [[nodiscard]] std::size_t ComponentCount() const noexcept { return components_.size(); }
  [[nodiscard]] TComponent* Components(std::size_t index) const { return components_.at(index).get(); }
  [[nodiscard]] TComponent* FindComponent(std::string_view name) const noexcept;
  // Hands an owned component back, so that it goes when the caller is done.
  [[nodiscard]] std::unique_ptr<TComponent> RemoveComponent(TComponent* component);

  // True while the owner's layout is being applied.
  [[nodiscard]] bool Loading() const noexcept { return loading_; }
  // The loaded step: runs once for each component of a form after the
  // whole layout has been applied.
  virtual void Loaded() { loading_ = false; }

  // Runs while the object is still whole, before any destructor: forms
  // raise OnDestroy here, then the owned components go.
  virtual void BeforeDestruction() {}

  // Destroys the owned components, last created first.
  void DestroyComponents() noexcept;

  // Runs f; an exception escaping it goes to the default error handler.
  void Guard(const std::function<void()>& f) const;

  template <class T, class... Args>
  friend T* Make(TComponent& owner, std::string_view name, Args&&... args);

 protected:
  // The root of an owner tree (the application object).
  TComponent(TApplication& self, ComponentRoot& root);
  void SetLoading(bool loading) noexcept { loading_ = loading; }

 private:
  void Adopt(std::unique_ptr<TComponent> component);

  TComponent* owner_ = nullptr;
  TApplication* application_ = nullptr;
  ComponentRoot* root_ = nullptr;
  std::string name_;
  std::vector<std::unique_ptr<TComponent>> components_;
  bool loading_ = false;
};

// Creates a component that its owner owns and destroys.
template <class T, class... Args>
T* Make(TComponent& owner, std::string_view name, Args&&... args) {
  auto component = std::make_unique<T>(&owner, std::forward<Args>(args)...);
  T* raw = component.get();
  raw->SetName(std::string(name));
  owner.Adopt(std::move(component));
  return raw;
}
