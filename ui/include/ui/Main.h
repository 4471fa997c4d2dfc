// The main window: the mission tree, the install paths, the mission
// details panel with its buttons, the status bar and the menu MainMenu1.
// Its handlers run the catalogue through MainCommands.
#pragma once
#include <array>
#include <filesystem>
#include <iosfwd>
#include <memory>

#include "framework/forms.h"
#include "ui/main_commands.h"
#include "ui/main_menu.h"

class TMenuBar2000;
class TTreeView;
class TLabel;
class TASLink;
class TRxLabel;
class TRxGIFAnimator;
class TRxClock;
class TMegaPanel;
class TToolbarButton97;
class TCheckBox;
class TComboBox;
class TEdit97;
class TRadioGroup;
class TRadioButton;
class TAdvStatusBar;
class TOpenDialog;
class TMainMenu;
class TMenuItem;

namespace hostfs {
class Drives;
}

namespace ui {
class MainWindowAdapters;

// What the main window needs from the program: the Wine prefix whose
// registry FormCreate reads, its drives, and where registry warnings go.
struct MainFormContext {
  std::filesystem::path prefix;
  const hostfs::Drives* drives = nullptr;
  std::ostream* warnings = nullptr;
};
}  // namespace ui

class TMainForm : public TForm {
 public:
  TMainForm(TComponent* owner, const ui::MainFormContext& context);
  ~TMainForm() override;

  TMenuBar2000* MenuBar = nullptr;
  TTreeView* MissionTree = nullptr;
  TRxLabel* RxLabel2 = nullptr;
  TRxLabel* RxLabel1 = nullptr;
  TRxGIFAnimator* GIF = nullptr;
  TRxLabel* RxLabel3 = nullptr;
  TLabel* XvTPath = nullptr;
  TRxLabel* RxLabel4 = nullptr;
  TLabel* BoPPath = nullptr;
  TMegaPanel* MegaPanel1 = nullptr;
  TLabel* Label1 = nullptr;
  TToolbarButton97* OpenFile = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Filename = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* MissionType = nullptr;
  TCheckBox* SP = nullptr;
  TLabel* Label5 = nullptr;
  TComboBox* MissionSection = nullptr;
  TLabel* Label3 = nullptr;
  TEdit97* MissionName = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  TRadioButton* RImperial = nullptr;
  TRadioButton* RRebel = nullptr;
  TRadioButton* RBoth = nullptr;
  TToolbarButton97* Refresh = nullptr;
  TToolbarButton97* Install = nullptr;
  TToolbarButton97* Remove = nullptr;
  TRxLabel* RxLabel5 = nullptr;
  TASLink* ASLink1 = nullptr;
  TAdvStatusBar* StatusBar = nullptr;
  TRxClock* RxClock1 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  // MainMenu1's items by MenuItemId (File1, Open1, N1, ...).
  std::array<TMenuItem*, ui::miCount> MenuItems{};

  void FormCreate(TObject* sender);
  void RefreshClick(TObject* sender);
  void OpenFileClick(TObject* sender);
  void SideClick(TObject* sender);
  void InstallClick(TObject* sender);
  void Exit1Click(TObject* sender);
  void XvTMClick(TObject* sender);
  void BoPMClick(TObject* sender);
  void ShowLSTProcessing1Click(TObject* sender);
  void ExpandAll1Click(TObject* sender);
  void MenuFades1Click(TObject* sender);
  void Help2Click(TObject* sender);
  void About1Click(TObject* sender);

  ui::MainCommands& Commands() { return *commands_; }

 private:
  void BuildWindow();
  void BuildMenu();
  void BindEvents();

  ui::MainFormContext context_;
  std::unique_ptr<ui::MainWindowAdapters> adapters_;
  std::unique_ptr<ui::MainCommands> commands_;
};
