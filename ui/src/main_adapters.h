// The main window's controls behind the interfaces the commands use.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/list_files.h"
#include "ui/main_commands.h"
#include "ui/tree_adapter.h"

class TMainForm;

namespace ui {

// The catalogue measures builds in days; this clock counts them from the
// window system's tick count, which the headless backend runs on its
// virtual clock, so scene runs show the same times every time.
class TickClock : public catalogue::Clock {
 public:
  double Now() const override;
};

class DetailsPanel : public catalogue::MissionDetails {
 public:
  explicit DetailsPanel(TMainForm& form) : f_(form) {}
  std::string FilenameCaption() const override;
  void SetFilenameCaption(const std::string& text) override;
  std::string MissionTypeCaption() const override;
  void SetMissionTypeCaption(const std::string& text) override;
  std::string MissionNameText() const override;
  void SetMissionNameText(const std::string& text) override;
  std::string MissionSectionText() const override;
  void SetMissionSectionText(const std::string& text) override;
  void ClearSectionItems() override;
  void AddSectionItem(const std::string& header) override;
  bool SideChecked(catalogue::SideButton button) const override;
  void SetSideChecked(catalogue::SideButton button) override;
  void SetSideEnabled(catalogue::SideButton button, bool enabled) override;
  bool SPChecked() const override;
  void SetSPChecked(bool checked) override;
  void SetSPEnabled(bool enabled) override;
  void SetInstallEnabled(bool enabled) override;

 private:
  TMainForm& f_;
};

class MenuItemsOfForm : public MenuItems {
 public:
  explicit MenuItemsOfForm(TMainForm& form) : f_(form) {}
  bool Checked(MenuItemId item) const override;
  void SetChecked(MenuItemId item, bool on) override;
  void SetEnabled(MenuItemId item, bool on) override;
  void SetCaption(MenuItemId item, const std::string& caption) override;

 private:
  TMainForm& f_;
};

class MainControls : public MainWindowControls {
 public:
  explicit MainControls(TMainForm& form) : f_(form) {}
  void SetPathCaptions(const std::string& xvt, const std::string& bop) override;
  void SetRefreshCaption(const std::string& caption) override;
  void SetOpenFileEnabled(bool on) override;
  void ShowInstructions() override;
  void ShowAbout() override;
  void Terminate() override;
  void SetMenuFades(bool fadeIn) override;

 private:
  TMainForm& f_;
};

// Message boxes, modal and centred, with the catalogue's captions.
class BoxPrompts : public catalogue::Prompts {
 public:
  void Information(const std::string& text) override;
  void Error(const std::string& text) override;
};

class OpenDialogChooser : public catalogue::FileOpenDialog {
 public:
  explicit OpenDialogChooser(TMainForm& form) : f_(form) {}
  std::optional<std::string> Choose(const std::string& startFolder, const std::string& filter) override;

 private:
  TMainForm& f_;
};

// The Confirm dialog, reached when a command runs (it is created after
// the main window).
class ConfirmFormDialog : public catalogue::ConfirmDialog {
 public:
  void SetGame(const std::string& text) override;
  void SetMType(const std::string& text) override;
  void SetSides(const std::string& text) override;
  void SetPlayers(const std::string& text) override;
  void SetMSection(const std::string& text) override;
  bool ShowModal() override;
};

// The LST File Contents window as the list writer's buffer. The lines are
// kept as written and saved from here: the text area wraps long lines on
// screen, and a wrapped display line must never reach the file.
class LSTFormContents : public catalogue::ListContents {
 public:
  explicit LSTFormContents(catalogue::ListFiles& files) : files_(files) {}
  void SetCaption(const std::string& text) override;
  void Show() override;
  void Clear() override;
  void AppendLine(std::string line) override;
  void SaveTo(const std::string& windowsPath) override;

 private:
  catalogue::ListFiles& files_;
  std::vector<std::string> lines_;
};

// Everything the commands reach, owned by the main window.
class MainWindowAdapters {
 public:
  MainWindowAdapters(TMainForm& form, const hostfs::Drives& drives);
  MainWindowParts Parts();
  catalogue::ListFiles& Files() { return files_; }
  const catalogue::Clock& Clock() const { return clock_; }

 private:
  DetailsPanel details_;
  TreeNodesTree tree_;
  StatusPanelsSink status_;
  MenuItemsOfForm menu_;
  MainControls controls_;
  BoxPrompts prompts_;
  OpenDialogChooser openDialog_;
  catalogue::HostListFiles files_;
  ConfirmFormDialog confirm_;
  LSTFormContents contents_;
  TickClock clock_;
};

}  // namespace ui
