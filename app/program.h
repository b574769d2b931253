// The program's entry sequence and its end, the same on Windows and on the
// fake platform: WinMain calls RunProgram; tests run the phases one by one
// and drive the program between Start and shutdown.
#pragma once

#include <memory>

#include "platform/platform.h"

class TApplication;
class TForm1;
class TForm2;

inline constexpr const char* kApplicationTitle = "Tapfinch by BRENMOOR";

class Program {
 public:
  explicit Program(platform::Platform& platform);
  ~Program();  // shutdown: windows first, then the application object
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Start-up up to the message loop. False when this copy ended during
  // start-up (it was a second instance).
  bool Start();
  // Shows the main window, builds the instructions window and runs the
  // message loop until it closes.
  void Run();

  [[nodiscard]] TApplication& Application() const noexcept { return *application_; }
  [[nodiscard]] TForm1* Form1() const noexcept { return form1_; }
  [[nodiscard]] TForm2* Form2() const noexcept { return form2_; }

 private:
  platform::Platform& platform_;
  std::unique_ptr<TApplication> application_;
  TForm1* form1_ = nullptr;
  TForm2* form2_ = nullptr;
};

// The whole life of one copy of the program; returns the exit code.
int RunProgram(platform::Platform& platform);
