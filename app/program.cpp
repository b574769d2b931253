#include "app/program.h"

#include <exception>

#include "app/lmd_application.h"
#include "framework/exceptions.h"
#include "framework/forms.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

Program::Program(platform::Platform& platform)
    : platform_(platform), application_(std::make_unique<TApplication>(platform)) {}

Program::~Program() { application_.reset(); }

bool Program::Start() {
  // Process start: the instance mutex exists before any window. Owned by
  // the application object, it is destroyed after every form.
  Make<TLMDApplication>(*application_, TLMDApplication::kName);
  application_->Initialize();
  application_->SetTitle(kApplicationTitle);
  try {
    // Loading the layout registers the start and stop hotkeys; the
    // single-instance check ends a second copy here, before FormCreate.
    form1_ = application_->CreateForm<TForm1>("Form1");
  } catch (const ProcessExit&) {
    return false;
  }
  return true;
}

void Program::Run() {
  // The instructions window is built once the main window shows: nothing
  // needs it before, and building it took a sixth of the start.
  application_->Run([this] {
    form2_ = application_->CreateForm<TForm2>("Form2");
    form1_->Form2 = form2_;
  });
}

int RunProgram(platform::Platform& platform) {
  try {
    Program program(platform);
    if (program.Start()) program.Run();
    return 0;
  } catch (const std::exception& e) {
    // Only a failure to build the windows themselves gets here; handler
    // errors are shown by the default error handler and the program goes on.
    platform.dialogs().ShowMessageBox(e.what(), kApplicationTitle, platform::kMbOk | platform::kMbIconStop);
    return 1;
  }
}
