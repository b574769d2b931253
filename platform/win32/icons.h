// The program's icons, by the resource numbers app/tapfinch.rc gives them.
#pragma once

#include <windows.h>

#include "platform/peers.h"

namespace platform::win32 {

[[nodiscard]] constexpr WORD IconResource(ProgramIcon icon) noexcept {
  return icon == ProgramIcon::kApplication ? 2 : 1;
}

// Shared with the system: never destroyed. Null when the exe was built
// without its icons.
[[nodiscard]] inline HICON LoadProgramIcon(ProgramIcon icon) noexcept {
  return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IconResource(icon)));
}

}  // namespace platform::win32
