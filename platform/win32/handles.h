// Move-only owners of Windows handles, one per kind, and guards for device
// contexts, so that every handle the program creates or borrows is released
// exactly once, whichever way the code leaves.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <utility>

namespace platform::win32 {

template <class H, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(H handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Traits::invalid()));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  [[nodiscard]] H get() const noexcept { return handle_; }
  [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }
  void reset(H handle = Traits::invalid()) noexcept {
    if (handle_ != Traits::invalid()) Traits::close(handle_);
    handle_ = handle;
  }
  [[nodiscard]] H release() noexcept { return std::exchange(handle_, Traits::invalid()); }

 private:
  H handle_ = Traits::invalid();
};

// A failed release leaves nothing the program could do about it, so the
// close functions' results are not looked at.
struct WindowTraits {
  static HWND invalid() noexcept { return nullptr; }
  static void close(HWND h) noexcept { DestroyWindow(h); }
};
struct KernelTraits {
  static HANDLE invalid() noexcept { return nullptr; }
  static void close(HANDLE h) noexcept { CloseHandle(h); }
};
struct GdiTraits {
  static HGDIOBJ invalid() noexcept { return nullptr; }
  static void close(HGDIOBJ h) noexcept { DeleteObject(h); }
};
struct MenuTraits {
  static HMENU invalid() noexcept { return nullptr; }
  static void close(HMENU h) noexcept { DestroyMenu(h); }
};
struct MemoryDcTraits {
  static HDC invalid() noexcept { return nullptr; }
  static void close(HDC h) noexcept { DeleteDC(h); }
};
struct RegistryKeyTraits {
  static HKEY invalid() noexcept { return nullptr; }
  static void close(HKEY h) noexcept { RegCloseKey(h); }
};

using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;

// Selects an object into a device context for the lifetime of the guard.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectGuard() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A borrowed device context of a window (GetDC, or GetWindowDC for the
// whole window with its frame); null window: the screen.
class WindowDc {
 public:
  enum class Area : unsigned char { kClient, kWhole };
  explicit WindowDc(HWND window, Area area = Area::kClient) noexcept
      : window_(window), dc_(area == Area::kWhole ? GetWindowDC(window) : GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  [[nodiscard]] HDC get() const noexcept { return dc_; }
  [[nodiscard]] explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// SaveDC and RestoreDC around drawing on a context someone else owns, so
// that what the drawing selects or clips ends with it.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
  // Restoring a state that was saved fails only for a broken context.
  ~SavedDc() {
    if (saved_ != 0) RestoreDC(dc_, saved_);
  }
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;
  [[nodiscard]] explicit operator bool() const noexcept { return saved_ != 0; }

 private:
  HDC dc_;
  int saved_;
};

// BeginPaint and EndPaint around the handling of one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  // Ends the paint even without a context: BeginPaint validated the region
  // and hid the caret either way.
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  [[nodiscard]] HDC get() const noexcept { return dc_; }
  [[nodiscard]] explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace platform::win32
