#include "app/program.h"

#include "framework/exceptions.h"
#include "framework/forms.h"
#include "ui/Unit1.h"

Program::Program(platform::Platform& platform)
    : platform_(platform), application_(std::make_unique<TApplication>(platform)) {}

Program::~Program() { application_.reset(); }

bool Program::Start() {
  application_->Initialize();
  application_->SetTitle(kApplicationTitle);
  try {
    form1_ = application_->CreateForm<TForm1>("Form1");
  } catch (const ProcessExit&) {
    return false;
  }
  return true;
}

void Program::Run() { application_->Run(); }

int RunProgram(platform::Platform& platform) {
  Program program(platform);
  if (program.Start()) program.Run();
  return 0;
}
