// The whole program over one Wine prefix: the application with its title,
// the five windows created in order, and the message loop. The backend is
// chosen by whoever links it: the app starts SDL, the scene runner the
// headless screen; either must be started before CreateForms.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "hostfs/hostfs.h"

class TMainForm;
class TConfirmForm;
class TLSTForm;
class TAboutForm;
class TInstructions;

namespace ui {

class Program {
 public:
  // Nothing is read yet; the prefix's registry is read by the main
  // window's FormCreate.
  explicit Program(std::filesystem::path prefix);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Initialises the application, sets its title and creates the five
  // windows in order (main window, Confirm, LST File Contents, About,
  // Instructions). Registry warnings go to the stream given.
  void CreateForms(std::ostream& warnings);
  // Shows the main window and serves messages until it closes or Exit is
  // chosen.
  void Run();
  // Ends Run (as Exit does).
  void Terminate();

  const std::filesystem::path& Prefix() const { return prefix_; }
  const hostfs::Drives& Drives() const { return drives_; }

 private:
  std::filesystem::path prefix_;
  hostfs::Drives drives_;
};

}  // namespace ui

// The five windows, as the application creates them (null before
// CreateForms).
extern TMainForm* MainForm;
extern TConfirmForm* ConfirmForm;
extern TLSTForm* LSTForm;
extern TAboutForm* AboutForm;
extern TInstructions* Instructions;
