#include "platform/win32/window_classes.h"

#include <utility>

#include "platform/win32/text.h"

namespace platform::win32 {

WindowClasses::~WindowClasses() {
  // Refused while a window of the class still exists; the process's end
  // takes it then.
  for (const auto& [name, entry] : byName_) UnregisterClassW(entry.name(), GetModuleHandleW(nullptr));
}

const WindowClasses::Entry* WindowClasses::Ensure(const std::string& name, const wchar_t* systemClass,
                                                  WNDPROC procedure) {
  const std::wstring system = systemClass != nullptr ? systemClass : L"";
  if (const auto it = byName_.find(name); it != byName_.end()) {
    const Entry& entry = it->second;
    return entry.procedure == procedure && entry.systemClass == system ? &entry : nullptr;
  }
  std::wstring wideName;
  if (!Wide(name, wideName)) return nullptr;
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  Entry entry;
  entry.procedure = procedure;
  entry.systemClass = system;
  if (!system.empty()) {
    if (GetClassInfoExW(nullptr, system.c_str(), &info) == 0) return nullptr;
    entry.base = info.lpfnWndProc;
    info.cbSize = sizeof info;
    info.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  } else {
    info.style = CS_DBLCLKS;
    // The system's cursors are numbers, whichever spelling of the name.
    info.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));  // null only costs the pointer shape
    info.hbrBackground = nullptr;  // every window erases its own background
    // The program's icon (resource 1) for its windows; none costs only the picture.
    info.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  }
  info.hInstance = GetModuleHandleW(nullptr);
  info.lpfnWndProc = procedure;
  info.lpszClassName = wideName.c_str();
  // Room in the tables first, so that a registered class is never missing from them.
  const auto stored = byName_.emplace(name, std::move(entry)).first;
  stored->second.atom = RegisterClassExW(&info);
  if (stored->second.atom == 0) {
    byName_.erase(stored);
    return nullptr;
  }
  byAtom_.emplace(stored->second.atom, &stored->second);
  return &stored->second;
}

bool WindowClasses::Runs(HWND window, WNDPROC procedure) const noexcept {
  if (window == nullptr) return false;
  const auto it = byAtom_.find(static_cast<ATOM>(GetClassWord(window, GCW_ATOM)));
  return it != byAtom_.end() && it->second->procedure == procedure;
}

}  // namespace platform::win32
