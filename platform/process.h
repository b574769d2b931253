// What one running copy of the program knows of the others.
// The single-instance contract: a named mutex called after the program's
// file name, and a top-level "TApplication" window titled with the
// application title that a second copy finds and activates.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/types.h"

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

// What the about box tells of the machine.
struct SystemFacts {
  std::uint64_t totalPhysicalMemory = 0;  // bytes
  std::uint32_t processorCount = 0;
  std::uint32_t processorType = 0;  // SYSTEM_INFO's dwProcessorType: 386, 486, 586, ...
  bool ntFamily = true;
  std::uint32_t freeResourcesPercent = 0;  // older systems only
};

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
  virtual SystemFacts SystemInformation() = 0;
  // ShellExecuteA with no verb, parameters or folder, shown normally: the
  // system's default handler for the target. Its result: above 32 when done.
  virtual std::intptr_t ShellOpen(const std::string& target) = 0;
  // The title of the top-level window at a screen point when it belongs to
  // a program running with higher rights than this one (an installer, a
  // tool started as administrator): the system silently drops synthetic
  // input aimed at it. Nothing for any other window, or none.
  virtual std::optional<std::string> HigherRightsWindowAt(Point at) = 0;
};

}  // namespace platform
