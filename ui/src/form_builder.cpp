#include "ui/form_builder.h"

#include <stdexcept>

#include "display/ASLink.h"
#include "display/GIFCtrl.h"
#include "display/RXClock.h"
#include "display/RXCtrls.h"
#include "framework/panel.h"
#include "framework/stdctrls.h"
#include "menus/am2000menubar.h"
#include "panels/AdvStatusBar.h"
#include "panels/MegaPanl.h"
#include "panels/TB97Ctls.h"
#include "panels/TFlatEditUnit.h"

namespace ui {

TControl* FormControls::Find(std::string_view name) const {
  for (const auto& [n, control] : controls_)
    if (n == name) return control;
  return nullptr;
}

void FormControls::Missing(std::string_view name) {
  throw std::logic_error("the window has no control " + std::string(name) + " of that class");
}

void ApplyFont(TFont& font, const FontDesc& spec) {
  font.SetName(spec.face);
  font.SetHeight(spec.height);
  font.SetColor(static_cast<TColor>(spec.color));
  TFontStyles style;
  if (spec.style & fbBold) style.Include(fsBold);
  if (spec.style & fbItalic) style.Include(fsItalic);
  font.SetStyle(style);
}

void ApplyFormLayout(TCustomForm& form, const FormLayout& spec) {
  form.SetName(spec.name);
  form.SetCaption(spec.caption);
  static constexpr TFormBorderStyle kBorders[] = {bsSingle, bsDialog, bsSizeable};
  form.SetBorderStyle(kBorders[spec.border]);
  TBorderIcons icons;
  if (spec.systemMenu) icons.Include(biSystemMenu);
  if (spec.minimizeBox) icons.Include(biMinimize);
  if (spec.maximizeBox) icons.Include(biMaximize);
  form.SetBorderIcons(icons);
  if (spec.place == pkScreenCenter) {
    form.SetPosition(poScreenCenter);
  } else {
    form.SetPosition(poDesigned);
    form.SetLeft(spec.left);
    form.SetTop(spec.top);
  }
  if (spec.outerSize)
    form.SetBounds(form.Left(), form.Top(), spec.width, spec.height);
  else
    form.SetClientSize(spec.width, spec.height);
  ApplyFont(*form.Font(), kFormFont);
  if (spec.stayOnTop) form.SetFormStyle(fsStayOnTop);
}

namespace {

bool SameFont(const FontDesc& a, const FontDesc& b) {
  return std::string_view(a.face) == b.face && a.height == b.height && a.color == b.color && a.style == b.style;
}

TControl* MakeMenuBar(TComponent* owner) {
  // The drop-downs fade in; the bar draws its captions over the window's
  // own background and hands its item hints to the status bar, which the
  // window names once it exists.
  auto* bar = new TMenuBar2000(owner);
  bar->Options()->Animation = anFadeIn;
  ApplyFont(*bar->Font(), kFormFont);
  bar->SetParentFont(false);
  bar->SetShowHint(true);
  bar->SetParentShowHint(false);
  bar->SetTransparent(true);
  return bar;
}

TControl* MakeLabel(TComponent* owner) {
  // Labels size themselves to their caption (the table's box is where
  // the designer left them); a window turns that off where it must not.
  auto* label = new TLabel(owner);
  label->SetAutoSize(true);
  return label;
}

TControl* MakeFlatEdit(TComponent* owner) {
  auto* edit = new TFlatEdit(owner);
  edit->SetReadOnly(true);
  edit->SetColorFocused(clBtnFace);
  edit->SetColorFlat(clBtnFace);
  edit->SetParentColor(true);
  return edit;
}

TControl* MakeStatusBar(TComponent* owner) {
  auto* bar = new TAdvStatusBar(owner);
  bar->SetSizeGrip(false);
  bar->Panels()->Add()->SetWidth(300);
  bar->Panels()->Add()->SetWidth(275);
  return bar;
}

TControl* MakeTreeView(TComponent* owner) {
  auto* tree = new TTreeView(owner);
  tree->SetIndent(19);
  return tree;
}

TControl* MakeMegaPanel(TComponent* owner) {
  auto* panel = new TMegaPanel(owner);
  panel->SetPanelBevelInner(bvLowered);
  ApplyFont(*panel->CaptionFont(), kFormFont);
  ApplyFont(*panel->LabelFont(), kFormFont);
  return panel;
}

TControl* MakeControl(TComponent* owner, const ControlLayout& spec) {
  switch (spec.kind) {
    case ckMenuBar: return MakeMenuBar(owner);
    case ckTreeView: return MakeTreeView(owner);
    case ckLabel: return MakeLabel(owner);
    case ckRxLabel: return new TRxLabel(owner);
    case ckASLink: return new TASLink(owner);
    case ckGIFAnimator: return new TRxGIFAnimator(owner);
    case ckMegaPanel: return MakeMegaPanel(owner);
    case ckToolbarButton: return new TToolbarButton97(owner);
    case ckCheckBox: return new TCheckBox(owner);
    case ckComboBox: return new TComboBox(owner);
    case ckEdit97: return new TEdit97(owner);
    case ckFlatEdit: return MakeFlatEdit(owner);
    case ckRadioGroup: return new TRadioGroup(owner);
    case ckRadioButton: return new TRadioButton(owner);
    case ckStatusBar: return MakeStatusBar(owner);
    case ckClock: return new TRxClock(owner);
    case ckMemo: return new TMemo(owner);
  }
  throw std::logic_error("unknown control kind");
}

void ApplyState(TControl* control, const ControlLayout& spec) {
  if (auto* check = dynamic_cast<TCustomCheckBox*>(control)) check->SetChecked(spec.checked);
  if (auto* radio = dynamic_cast<TRadioButton*>(control)) radio->SetChecked(spec.checked);
  control->SetEnabled(spec.enabled);
}

}  // namespace

FormControls BuildControls(TCustomForm& form, const FormLayout& spec) {
  FormControls made;
  for (const ControlLayout& c : spec.controls) {
    TControl* control = MakeControl(&form, c);
    control->SetName(c.name);
    TWinControl* parent = &form;
    if (*c.parent) parent = made.Get<TWinControl>(c.parent);
    control->SetParent(parent);
    if (c.width == kAutoSize)
      control->SetBounds(c.left, c.top, control->Width(), control->Height());
    else
      control->SetBounds(c.left, c.top, c.width, c.height);
    if (!SameFont(c.font, kFormFont)) ApplyFont(*control->Font(), c.font);
    control->SetCaption(c.caption);
    ApplyState(control, c);
    made.Add(c.name, control);
  }
  return made;
}

}  // namespace ui
