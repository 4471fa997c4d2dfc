#include "sample_form.h"

#include <win32/xvt_snapshot.h>

#include "framework/panel.h"
#include "framework/stdctrls.h"

namespace sample_form {

namespace {

template <class T>
T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  auto* control = new T(owner);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

}  // namespace

SampleForm::SampleForm() {
  host_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr,
                          nullptr);
  root_ = std::make_unique<TPanel>(nullptr);
  root_->SetParentWindow(host_);
  root_->SetBevelOuter(bvNone);
  root_->SetBounds(0, 0, kWidth, kHeight);
  Build();
}

SampleForm::~SampleForm() {
  root_.reset();
  if (IsWindow(host_)) DestroyWindow(host_);
}

void SampleForm::Build() {
  TPanel* p = root_.get();
  auto* tree = Place<TTreeView>(p, p, 0, 0, 160, 281);
  tree->SetAlign(alLeft);
  TTreeNode* game = tree->Items()->Add(nullptr, "XvT");
  TTreeNode* combat = tree->Items()->AddChild(game, "Combat");
  TTreeNode* section = tree->Items()->AddChild(combat, "[Rebel Missions]");
  tree->Items()->AddChild(section, "Raid on Kuat - raid.tie");
  tree->Items()->AddChild(section, "Escort - escort.tie");
  tree->Items()->AddChild(game, "Melees");
  tree->Items()->Add(nullptr, "BoP");
  game->Expand(true);

  auto* status = Place<TStatusBar>(p, p, 0, 0, kWidth, 19);
  status->SetSizeGrip(false);
  status->Panels()->Add()->SetWidth(120);
  status->Panels()->Add()->SetWidth(200);
  status->Panels()->Items(0)->SetText("Done.");
  status->Panels()->Items(1)->SetText("2 Missions, in 0 seconds.");

  auto* nameLabel = Place<TLabel>(p, p, 170, 12, 0, 0);
  nameLabel->SetCaption("Mission &Name:");
  auto* name = Place<TEdit>(p, p, 260, 8, 150, 21);
  name->SetText("Raid on Kuat");
  nameLabel->SetFocusControl(name);

  auto* sectionLabel = Place<TLabel>(p, p, 170, 40, 0, 0);
  sectionLabel->SetCaption("Mission Section:");
  auto* sections = Place<TComboBox>(p, p, 260, 36, 150, 21);
  sections->Items()->Add("[Rebel Missions]");
  sections->Items()->Add("[Imperial Missions]");
  sections->SetItemIndex(0);

  auto* single = Place<TCheckBox>(p, p, 170, 66, 120, 17);
  single->SetCaption("Single Player?");
  single->SetChecked(true);

  auto* sides = Place<TGroupBox>(p, p, 170, 88, 110, 84);
  sides->SetCaption("Side(s) Required");
  const char* names[] = {"Imperial", "Rebel", "Both"};
  for (int i = 0; i < 3; ++i) {
    auto* side = Place<TRadioButton>(p, sides, 8, 18 + i * 20, 90, 17);
    side->SetCaption(names[i]);
    side->SetChecked(i == 1);
  }

  auto* level = Place<TRadioGroup>(p, p, 288, 88, 122, 84);
  level->SetCaption("Difficulty");
  level->SetColumns(2);
  for (const char* item : {"Easy", "Fair", "Hard", "Ace"}) level->Items()->Add(item);
  level->SetItemIndex(2);

  auto* memo = Place<TMemo>(p, p, 170, 180, 240, 70);
  memo->SetScrollBars(ssVertical);
  memo->Lines()->Add("//");
  memo->Lines()->Add("[Rebel Missions]");
  memo->Lines()->Add("//");
  memo->Lines()->Add("1");
  memo->Lines()->Add("raid.tie");
  memo->SetSelStart(0);
  SendMessageA(memo->Handle(), EM_SCROLLCARET, 0, 0);

  auto* note = Place<TLabel>(p, p, 170, 258, 240, 17);
  note->SetAutoSize(false);
  note->SetAlignment(taRightJustify);
  note->SetCaption("Right-justified label");
  root_->Handle();
}

bool SampleForm::SavePng(const char* path) {
  RedrawWindow(host_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC dc = GetDC(host_);
  BOOL ok = xvtSaveDCPng(dc, path);
  ReleaseDC(host_, dc);
  return ok != FALSE;
}

}  // namespace sample_form
