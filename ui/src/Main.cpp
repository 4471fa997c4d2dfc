#include "ui/Main.h"

#include <ostream>

#include "display/ASLink.h"
#include "display/GIFCtrl.h"
#include "display/RXClock.h"
#include "display/RXCtrls.h"
#include "display/RxGIF.h"
#include "framework/application.h"
#include "framework/menus.h"
#include "framework/open_dialog.h"
#include "framework/panel.h"
#include "framework/stdctrls.h"
#include "main_adapters.h"
#include "menus/am2000menubar.h"
#include "panels/AdvStatusBar.h"
#include "panels/MegaPanl.h"
#include "panels/TB97Ctls.h"
#include "registry/registry.h"
#include "ui/artwork.h"
#include "ui/form_builder.h"

using namespace ui;

TMainForm::TMainForm(TComponent* owner, const MainFormContext& context) : TForm(owner), context_(context) {
  BuildWindow();
  BuildMenu();
  adapters_ = std::make_unique<MainWindowAdapters>(*this, *context_.drives);
  commands_ = std::make_unique<MainCommands>(adapters_->Parts(), adapters_->Files(), adapters_->Clock());
  BindEvents();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildWindow() {
  const FormLayout& spec = FormByName("MainForm");
  ApplyFormLayout(*this, spec);
  FormControls c = BuildControls(*this, spec);
  MenuBar = c.Get<TMenuBar2000>("MenuBar");
  MissionTree = c.Get<TTreeView>("MissionTree");
  RxLabel2 = c.Get<TRxLabel>("RxLabel2");
  RxLabel1 = c.Get<TRxLabel>("RxLabel1");
  GIF = c.Get<TRxGIFAnimator>("GIF");
  RxLabel3 = c.Get<TRxLabel>("RxLabel3");
  XvTPath = c.Get<TLabel>("XvTPath");
  RxLabel4 = c.Get<TRxLabel>("RxLabel4");
  BoPPath = c.Get<TLabel>("BoPPath");
  MegaPanel1 = c.Get<TMegaPanel>("MegaPanel1");
  Label1 = c.Get<TLabel>("Label1");
  OpenFile = c.Get<TToolbarButton97>("OpenFile");
  Label6 = c.Get<TLabel>("Label6");
  Filename = c.Get<TLabel>("Filename");
  Label2 = c.Get<TLabel>("Label2");
  MissionType = c.Get<TLabel>("MissionType");
  SP = c.Get<TCheckBox>("SP");
  Label5 = c.Get<TLabel>("Label5");
  MissionSection = c.Get<TComboBox>("MissionSection");
  Label3 = c.Get<TLabel>("Label3");
  MissionName = c.Get<TEdit97>("MissionName");
  RadioGroup1 = c.Get<TRadioGroup>("RadioGroup1");
  RImperial = c.Get<TRadioButton>("RImperial");
  RRebel = c.Get<TRadioButton>("RRebel");
  RBoth = c.Get<TRadioButton>("RBoth");
  Refresh = c.Get<TToolbarButton97>("Refresh");
  Install = c.Get<TToolbarButton97>("Install");
  Remove = c.Get<TToolbarButton97>("Remove");
  RxLabel5 = c.Get<TRxLabel>("RxLabel5");
  ASLink1 = c.Get<TASLink>("ASLink1");
  StatusBar = c.Get<TAdvStatusBar>("StatusBar");
  RxClock1 = c.Get<TRxClock>("RxClock1");

  MenuBar->SetStatusBar(StatusBar);
  MenuBar->SetStatusBarIndex(0);
  MenuBar->SetAlign(alTop);
  MissionTree->SetAlign(alLeft);
  StatusBar->SetAlign(alBottom);
  RxLabel1->SetAlignment(taCenter);
  RxLabel1->SetLayout(tlCenter);
  RxLabel1->SetWordWrap(true);
  RxLabel3->SetShadowSize(0);
  RxLabel4->SetShadowSize(0);
  RxClock1->SetAlign(alRight);
  // The mission name is the first thing typed after an Open; the rest keep
  // the order they were made in.
  MissionName->SetTabOrder(0);
  MegaPanel1->SetTabOrder(1);

  auto logo = MakeLogo();
  GIF->SetTransparent(false);
  GIF->SetImage(logo.get());
  const std::pair<TToolbarButton97*, GlyphKind> glyphs[] = {
      {OpenFile, glOpen}, {Refresh, glRefresh}, {Install, glInstall}, {Remove, glRemove}};
  for (auto [button, kind] : glyphs) button->SetGlyph(MakeGlyph(kind).get());

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->SetFileEditStyle(fsEdit);
  // Only an existing mission in an existing folder may be chosen.
  OpenDialog1->SetOptions(TOpenOptions{ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing});
}

void TMainForm::BuildMenu() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* top = nullptr;
  for (int id = 0; id < miCount; ++id) {
    const MenuItemDef& s = MainMenuDefs()[id];
    auto* item = new TMenuItem(this);
    item->SetName(s.name);
    item->SetCaption(s.caption);
    item->SetHint(s.hint);
    item->SetEnabled(s.enabled);
    item->SetChecked(s.checked);
    if (s.topLevel) {
      MainMenu1->Items()->Add(item);
      top = item;
    } else {
      top->Add(item);
    }
    MenuItems[id] = item;
  }
  MenuBar->SetMenu(MainMenu1);
}

void TMainForm::BindEvents() {
  OnCreate = [this](TObject* s) { FormCreate(s); };
  auto bind = [this](void (TMainForm::*handler)(TObject*)) {
    return [this, handler](TObject* sender) { (this->*handler)(sender); };
  };
  OpenFile->OnClick = bind(&TMainForm::OpenFileClick);
  Refresh->OnClick = bind(&TMainForm::RefreshClick);
  Install->OnClick = bind(&TMainForm::InstallClick);
  for (TRadioButton* side : {RImperial, RRebel, RBoth}) side->OnClick = bind(&TMainForm::SideClick);

  const std::pair<MenuItemId, void (TMainForm::*)(TObject*)> items[] = {
      {miOpen1, &TMainForm::OpenFileClick},
      {miBuildMissionList1, &TMainForm::RefreshClick},
      {miInstall1, &TMainForm::InstallClick},
      {miExit1, &TMainForm::Exit1Click},
      {miXvTM, &TMainForm::XvTMClick},
      {miBoPM, &TMainForm::BoPMClick},
      {miShowLSTProcessing1, &TMainForm::ShowLSTProcessing1Click},
      {miExpandAll1, &TMainForm::ExpandAll1Click},
      {miMenuFades1, &TMainForm::MenuFades1Click},
      {miHelp2, &TMainForm::Help2Click},
      {miAbout1, &TMainForm::About1Click},
  };
  for (auto [id, handler] : items) MenuItems[id]->OnClick = bind(handler);
}

void TMainForm::FormCreate(TObject*) {
  std::ostream& warnings = *context_.warnings;
  std::unique_ptr<registry::Registry> reg = registry::OpenWineRegistry(context_.prefix, warnings);
  commands_->ReadInstallPaths(*reg);
}

void TMainForm::RefreshClick(TObject*) { commands_->RefreshClick(); }
void TMainForm::OpenFileClick(TObject*) { commands_->OpenFileClick(); }
void TMainForm::SideClick(TObject*) { commands_->SideClick(); }
void TMainForm::InstallClick(TObject*) { commands_->InstallClick(); }
void TMainForm::Exit1Click(TObject*) { commands_->Exit1Click(); }
void TMainForm::XvTMClick(TObject*) { commands_->XvTMClick(); }
void TMainForm::BoPMClick(TObject*) { commands_->BoPMClick(); }
void TMainForm::ShowLSTProcessing1Click(TObject*) { commands_->ShowLSTProcessing1Click(); }
void TMainForm::ExpandAll1Click(TObject*) { commands_->ExpandAll1Click(); }
void TMainForm::MenuFades1Click(TObject*) { commands_->MenuFades1Click(); }
void TMainForm::Help2Click(TObject*) { commands_->Help2Click(); }
void TMainForm::About1Click(TObject*) { commands_->About1Click(); }
