// Functions of system DLLs that only some paths need: the file dialogs,
// the fine timer resolution, opening a link. Importing them would load
// those DLLs (and what they load) before the first window, which under
// Wine costs about 25 ms of every start; so each is found on first call.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32 {

// The function `name` of the system DLL `dll`, or null when either is
// missing. Only the system folder is searched, never the current one.
// By its full path rather than LOAD_LIBRARY_SEARCH_SYSTEM32, which Windows 7
// without its 2011 loader update refuses.
template <typename Function>
Function LazyProc(const wchar_t* dll, const char* name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + dll;
  HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) return nullptr;
  // Through the generic function type, which converts to any other.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace platform::win32
