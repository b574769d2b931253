// The Windows entry point. The system's types are spelled out here so that
// this layer stays free of Windows headers; the command line is not read.
#include "app/program.h"
#include "platform/win32/win32_platform.h"

struct HINSTANCE__;

extern "C" int __stdcall WinMain(HINSTANCE__* /*instance*/, HINSTANCE__* /*previous*/, char* /*commandLine*/,
                                 int /*show*/) {
  platform::win32::Win32Platform platform;
  return RunProgram(platform);
}
