// The main window's command handlers over the catalogue. The window hands
// in its controls through the interfaces below; the handlers catch nothing,
// so an error ends the command and reaches the application's error box.
#pragma once
#include <string>

#include "catalogue/catalogue.h"
#include "ui/main_menu.h"

namespace registry {
class Registry;
}

namespace ui {

// The tree view MissionTree as the commands need it: the catalogue's tree
// plus the first top-level node and expanding or collapsing a branch.
class MissionTreeControl : public catalogue::MissionTreeView {
 public:
  // The first top-level node; throws "Invalid index" on an empty tree.
  virtual catalogue::NodeRef FirstNode() const = 0;
  virtual void Expand(catalogue::NodeRef node, bool recurse) = 0;
  virtual void Collapse(catalogue::NodeRef node, bool recurse) = 0;
};

inline constexpr const char* kInvalidIndex = "Invalid index";
inline constexpr const char* kRefreshButtonCaption = "Refresh Mission List";
inline constexpr const char* kBuildButtonCaption = "Build Mission List";

// The main window's own controls that no catalogue interface covers, and
// the windows and application it reaches.
class MainWindowControls {
 public:
  virtual ~MainWindowControls() = default;
  virtual void SetPathCaptions(const std::string& xvt, const std::string& bop) = 0;  // XvTPath, BoPPath
  virtual void SetRefreshCaption(const std::string& caption) = 0;
  virtual void SetOpenFileEnabled(bool on) = 0;
  virtual void ShowInstructions() = 0;  // not modal, brought to the front
  virtual void ShowAbout() = 0;         // modal
  virtual void Terminate() = 0;
  virtual void SetMenuFades(bool fadeIn) = 0;  // MenuBar's animation: fade-in, or smart when off
};

struct MainWindowParts {
  catalogue::MissionDetails& details;
  MissionTreeControl& tree;
  catalogue::StatusSink& status;
  MenuItems& menu;
  MainWindowControls& controls;
  catalogue::Prompts& prompts;
  catalogue::FileOpenDialog& openDialog;
  catalogue::ConfirmDialog& confirm;
  catalogue::ListContents& contents;
};

class MainCommands {
 public:
  MainCommands(const MainWindowParts& parts, catalogue::ListFiles& files, const catalogue::Clock& clock)
      : w_(parts), files_(files), clock_(clock) {}

  // FormCreate: reads both install paths and shows them.
  void ReadInstallPaths(registry::Registry& reg);

  void RefreshClick();
  void OpenFileClick();
  void SideClick();
  void InstallClick();
  void Exit1Click() { w_.controls.Terminate(); }
  void XvTMClick() { Toggle(miXvTM); }
  void BoPMClick() { Toggle(miBoPM); }
  void ShowLSTProcessing1Click() { Toggle(miShowLSTProcessing1); }
  void ExpandAll1Click();
  void MenuFades1Click();
  void Help2Click() { w_.controls.ShowInstructions(); }
  void About1Click() { w_.controls.ShowAbout(); }

  const catalogue::GameInstalls& Installs() const { return installs_; }
  const catalogue::MissionSelection& Selection() const { return selection_; }
  const catalogue::BuildState& Build() const { return build_; }

 private:
  void Toggle(MenuItemId item) { w_.menu.SetChecked(item, !w_.menu.Checked(item)); }
  catalogue::OpenContext OpenCtx() { return {w_.details, selection_, installs_, files_}; }

  MainWindowParts w_;
  catalogue::ListFiles& files_;
  const catalogue::Clock& clock_;
  catalogue::GameInstalls installs_;
  catalogue::MissionSelection selection_;
  catalogue::BuildState build_;
};

}  // namespace ui
