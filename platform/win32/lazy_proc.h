// Functions of system DLLs that only some paths need: the file dialogs,
// the fine timer resolution, opening a link. Importing them would load
// those DLLs (and what they load) before the first window, which under
// Wine costs about 25 ms of every start; so each is found on first call.
#pragma once

#include <windows.h>

namespace platform::win32 {

// The function `name` of the system DLL `dll`, or null when either is
// missing. Only the system folder is searched, never the current one.
template <typename Function>
Function LazyProc(const wchar_t* dll, const char* name) noexcept {
  HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  // Through the generic function type, which converts to any other.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace platform::win32
