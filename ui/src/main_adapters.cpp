#include "main_adapters.h"

#include "framework/application.h"
#include "framework/menus.h"
#include "framework/open_dialog.h"
#include "framework/stdctrls.h"
#include "panels/AdvStatusBar.h"
#include "panels/TB97Ctls.h"
#include "panels/TFlatEditUnit.h"
#include "menus/am2000menubar.h"
#include "ui/About.h"
#include "ui/Confirm.h"
#include "ui/Instructs.h"
#include "ui/LST.h"
#include "ui/Main.h"
#include "ui/program.h"

namespace ui {

using catalogue::SideButton;

// In days, as the catalogue measures time.
double TickClock::Now() const { return GetTickCount() / 86400000.0; }

// ---- the details panel

std::string DetailsPanel::FilenameCaption() const { return f_.Filename->Caption(); }
void DetailsPanel::SetFilenameCaption(const std::string& text) { f_.Filename->SetCaption(text); }
std::string DetailsPanel::MissionTypeCaption() const { return f_.MissionType->Caption(); }
void DetailsPanel::SetMissionTypeCaption(const std::string& text) { f_.MissionType->SetCaption(text); }
std::string DetailsPanel::MissionNameText() const { return f_.MissionName->Text(); }
void DetailsPanel::SetMissionNameText(const std::string& text) { f_.MissionName->SetText(text); }
std::string DetailsPanel::MissionSectionText() const { return f_.MissionSection->Text(); }
void DetailsPanel::SetMissionSectionText(const std::string& text) { f_.MissionSection->SetText(text); }
void DetailsPanel::ClearSectionItems() {
  // Clearing the list must keep what is typed in the edit field.
  std::string text = f_.MissionSection->Text();
  f_.MissionSection->Items()->Clear();
  f_.MissionSection->SetText(text);
}
void DetailsPanel::AddSectionItem(const std::string& header) { f_.MissionSection->Items()->Add(header); }

namespace {
TRadioButton* SideOf(TMainForm& f, SideButton button) {
  TRadioButton* sides[] = {f.RImperial, f.RRebel, f.RBoth};
  return sides[button];
}
}  // namespace

bool DetailsPanel::SideChecked(SideButton button) const { return SideOf(f_, button)->Checked(); }
void DetailsPanel::SetSideChecked(SideButton button) { SideOf(f_, button)->SetChecked(true); }
void DetailsPanel::SetSideEnabled(SideButton button, bool enabled) { SideOf(f_, button)->SetEnabled(enabled); }
bool DetailsPanel::SPChecked() const { return f_.SP->Checked(); }
void DetailsPanel::SetSPChecked(bool checked) { f_.SP->SetChecked(checked); }
void DetailsPanel::SetSPEnabled(bool enabled) { f_.SP->SetEnabled(enabled); }
void DetailsPanel::SetInstallEnabled(bool enabled) { f_.Install->SetEnabled(enabled); }

// ---- menu, window controls, boxes, dialog

bool MenuItemsOfForm::Checked(MenuItemId item) const { return f_.MenuItems[item]->Checked(); }
void MenuItemsOfForm::SetChecked(MenuItemId item, bool on) { f_.MenuItems[item]->SetChecked(on); }
void MenuItemsOfForm::SetEnabled(MenuItemId item, bool on) { f_.MenuItems[item]->SetEnabled(on); }
void MenuItemsOfForm::SetCaption(MenuItemId item, const std::string& caption) {
  f_.MenuItems[item]->SetCaption(caption);
}

void MainControls::SetPathCaptions(const std::string& xvt, const std::string& bop) {
  f_.XvTPath->SetCaption(xvt);
  f_.BoPPath->SetCaption(bop);
}
void MainControls::SetRefreshCaption(const std::string& caption) { f_.Refresh->SetCaption(caption); }
void MainControls::SetOpenFileEnabled(bool on) { f_.OpenFile->SetEnabled(on); }
void MainControls::ShowInstructions() {
  Instructions->Show();
  Instructions->BringToFront();
}
void MainControls::ShowAbout() { AboutForm->ShowModal(); }
void MainControls::Terminate() { Application->Terminate(); }
// Without the fade the drop-downs still open animated: they slide.
void MainControls::SetMenuFades(bool fadeIn) { f_.MenuBar->Options()->Animation = fadeIn ? anFadeIn : anSmart; }

void BoxPrompts::Information(const std::string& text) {
  Application->MessageBox(text, "Information", MB_OK | MB_ICONINFORMATION);
}
void BoxPrompts::Error(const std::string& text) { Application->MessageBox(text, "Error", MB_OK | MB_ICONERROR); }

std::optional<std::string> OpenDialogChooser::Choose(const std::string& startFolder, const std::string& filter) {
  TOpenDialog* dialog = f_.OpenDialog1;
  dialog->SetInitialDir(startFolder);
  dialog->SetFilter(filter);
  dialog->SetFileName("");
  if (!dialog->Execute()) return std::nullopt;
  return dialog->FileName();
}

// ---- the two secondary windows the install uses

void ConfirmFormDialog::SetGame(const std::string& text) { ConfirmForm->Game->SetText(text); }
void ConfirmFormDialog::SetMType(const std::string& text) { ConfirmForm->MType->SetText(text); }
void ConfirmFormDialog::SetSides(const std::string& text) { ConfirmForm->Sides->SetText(text); }
void ConfirmFormDialog::SetPlayers(const std::string& text) { ConfirmForm->Players->SetText(text); }
void ConfirmFormDialog::SetMSection(const std::string& text) { ConfirmForm->MSection->SetText(text); }
// Every result but Cancel confirms.
bool ConfirmFormDialog::ShowModal() { return ConfirmForm->ShowModal() != mrCancel; }

void LSTFormContents::SetCaption(const std::string& text) { LSTForm->SetCaption(text); }
void LSTFormContents::Show() {
  LSTForm->Show();
  LSTForm->BringToFront();
}
void LSTFormContents::Clear() {
  lines_.clear();
  LSTForm->Contents->Clear();
}
void LSTFormContents::AppendLine(std::string line) {
  LSTForm->Contents->Lines()->Add(line);
  lines_.push_back(std::move(line));
}
void LSTFormContents::SaveTo(const std::string& windowsPath) { catalogue::SaveListLines(files_, windowsPath, lines_); }

// ---- all of them

MainWindowAdapters::MainWindowAdapters(TMainForm& form, const hostfs::Drives& drives)
    : details_(form),
      tree_(*form.MissionTree->Items()),
      status_(*form.StatusBar->Panels()),
      menu_(form),
      controls_(form),
      openDialog_(form),
      files_(drives),
      contents_(files_) {}

MainWindowParts MainWindowAdapters::Parts() {
  return {details_, tree_, status_, menu_, controls_, prompts_, openDialog_, confirm_, contents_};
}

}  // namespace ui
