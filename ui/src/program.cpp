#include "ui/program.h"

#include "framework/application.h"
#include "hostos/file_dialog_drives.h"
#include "ui/About.h"
#include "ui/Confirm.h"
#include "ui/Instructs.h"
#include "ui/LST.h"
#include "ui/Main.h"
#include "ui/window_layout.h"

TMainForm* MainForm = nullptr;
TConfirmForm* ConfirmForm = nullptr;
TLSTForm* LSTForm = nullptr;
TAboutForm* AboutForm = nullptr;
TInstructions* Instructions = nullptr;

namespace ui {

Program::Program(std::filesystem::path prefix) : prefix_(std::move(prefix)), drives_(prefix_) {}

Program::~Program() {
  // The application owns the windows; they go with it.
  if (Application) Free(Application);
  MainForm = nullptr;
  ConfirmForm = nullptr;
  LSTForm = nullptr;
  AboutForm = nullptr;
  Instructions = nullptr;
}

void Program::CreateForms(std::ostream& warnings) {
  // The file-open dialog browses the drives of the prefix in use.
  hostos::SetFileDialogDrives(prefix_);
  EnsureApplication()->Initialize();
  Application->SetTitle(kApplicationTitle);
  MainForm = new TMainForm(Application, MainFormContext{prefix_, &drives_, &warnings});
  try {
    // Adding it runs FormCreate, which reads the registry; a bad value is
    // reported in the error box and the program starts all the same.
    Application->AddForm(MainForm);
  } catch (...) {
    Application->HandleException(MainForm);
  }
  Application->CreateForm(ConfirmForm);
  Application->CreateForm(LSTForm);
  Application->CreateForm(AboutForm);
  Application->CreateForm(Instructions);
}

void Program::Run() { Application->Run(); }

void Program::Terminate() { Application->Terminate(); }

}  // namespace ui
