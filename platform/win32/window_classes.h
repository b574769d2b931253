// The window classes the program registers, named after the framework's
// classes ("TButton", "TForm1"). Standard controls are superclassed from the
// system's class and keep its procedure as their base. One table per
// platform, owned by its services; the classes go with it.
#pragma once

#include <map>
#include <string>

#include "platform/win32/handles.h"

namespace platform::win32 {

class WindowClasses {
 public:
  struct Entry {
    ATOM atom = 0;
    WNDPROC procedure = nullptr;
    WNDPROC base = DefWindowProcW;  // the system class's procedure, or DefWindowProc for our own
    std::wstring systemClass;       // empty for our own
    // For CreateWindowEx: the class by its atom.
    [[nodiscard]] LPCWSTR name() const noexcept { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)); }
  };

  WindowClasses() = default;
  ~WindowClasses();
  WindowClasses(const WindowClasses&) = delete;
  WindowClasses& operator=(const WindowClasses&) = delete;

  // Registers name on first use: a superclass of systemClass when one is
  // given, otherwise a class of our own; Unicode classes, so every window
  // of them takes and gives its text as UTF-16. Null when the system
  // refuses, or when the name already stands for a class made differently.
  const Entry* Ensure(const std::string& name, const wchar_t* systemClass, WNDPROC procedure);

  // Whether window is of one of these classes registered with procedure.
  [[nodiscard]] bool Runs(HWND window, WNDPROC procedure) const noexcept;

 private:
  std::map<std::string, Entry> byName_;
  std::map<ATOM, const Entry*> byAtom_;
};

}  // namespace platform::win32
