// What one running copy of the program knows of the others.
// The single-instance contract: a named mutex called after the program's
// file name, and a top-level "TApplication" window titled with the
// application title that a second copy finds and activates.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

constexpr std::uint32_t kErrorAlreadyExists = 183;

class KernelHandle {
 public:
  virtual ~KernelHandle() = default;  // CloseHandle
};

struct MutexResult {
  std::unique_ptr<KernelHandle> handle;  // null when creation failed
  std::uint32_t lastError = 0;
};

using WindowRef = std::uintptr_t;  // 0: none

class Process {
 public:
  virtual ~Process() = default;
  // The program's own path as the system reports it.
  virtual std::string ModuleFileName() = 0;
  // CreateMutexA(nullptr, FALSE, name) with the GetLastError that followed.
  virtual MutexResult CreateNamedMutex(const std::string& name) = 0;
  virtual WindowRef FindTopLevelWindow(const std::string& className, const std::string& title) = 0;
  virtual bool IsIconic(WindowRef window) = 0;
  virtual void ShowWindowRestore(WindowRef window) = 0;  // ShowWindow(SW_RESTORE)
  virtual void BringWindowToTop(WindowRef window) = 0;
};

}  // namespace platform
