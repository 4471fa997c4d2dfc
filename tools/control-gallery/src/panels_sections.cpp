// The panels, buttons and edits in the gallery.
#include <string>

#include "framework/bitmap.h"
#include "framework/panel.h"
#include "gallery.h"
#include "panels/AdvStatusBar.h"
#include "panels/MegaPanl.h"
#include "panels/TB97Ctls.h"
#include "panels/TFlatEditUnit.h"
#include <backend/headless.h>

namespace gallery {

namespace {

using M = TMegaPanel;

TMegaPanel* Panel(TWinControl* host, int i, int row = 0) {
  return Put<TMegaPanel>(host, 4 + i * 94, 4 + row * 66, 88, 60);
}

void Bevels(TWinControl* host) {
  const TPanelBevel kinds[] = {bvNone, bvLowered, bvRaised};
  int i = 0;
  for (TPanelBevel outer : kinds)
    for (TPanelBevel inner : {bvLowered, bvRaised}) {
      if (i >= 6) break;
      TMegaPanel* p = Panel(host, i++);
      p->SetPanelBevelOuter(outer);
      p->SetPanelBevelInner(inner);
    }
  TMegaPanel* wide = Panel(host, 6);
  wide->SetPanelBevelWidth(3);
  wide->SetPanelBorderWidth(2);
  wide->SetPanelBevelInner(bvLowered);
  TMegaPanel* framed = Panel(host, 7);
  framed->SetPanelBorderStyle(bsSingle);
  framed->SetDividersHorz(1);
  framed->SetDividersVert(2);
}

void ColourStyles(TWinControl* host) {
  // Over a striped ground so that the see-through styles show what lies below.
  TMegaPanel* ground = Put<TMegaPanel>(host, 0, 0, 760, 68);
  ground->SetPanelBevelOuter(bvNone);
  ground->GradientFill()->SetFillType(M::gtVertical);
  ground->GradientFill()->SetStartColor(clRed);
  ground->GradientFill()->SetEndColor(clLime);
  ground->GradientFill()->SetBands(8);
  for (int s = M::csOpaque; s <= M::csXOR; ++s) {
    TMegaPanel* p = Panel(ground, s);
    p->SetColorPanel(clNavy);
    p->SetColorPanelStyle(static_cast<TMegaPanel::TColorStyle>(s));
  }
}

void Gradients(TWinControl* host) {
  for (int g = M::gtHorizontal; g <= M::gtVertSplit; ++g) {
    TMegaPanel* p = Panel(host, g - 1);
    p->GradientFill()->SetFillType(static_cast<TMegaPanel::TGradientType>(g));
    p->GradientFill()->SetStartColor(clBlack);
    p->GradientFill()->SetEndColor(clAqua);
  }
  TMegaPanel* one = Panel(host, 4);
  one->GradientFill()->SetFillType(M::gtHorizontal);
  one->GradientFill()->SetBands(1);
  one->GradientFill()->SetStartColor(clTeal);
}

void Pictures(TWinControl* host) {
  TBitmap glyph;
  PaintSampleGlyph(glyph);
  const TMegaPanel::TPicturePos positions[] = {M::ppCenter, M::ppBottomRight, M::ppStretch, M::ppTile,
                                               M::ppStripTop, M::ppTileFast};
  for (int i = 0; i < 6; ++i) {
    TMegaPanel* p = Panel(host, i);
    p->SetPicture(&glyph);
    p->SetPicturePosition(positions[i]);
    p->SetPictureTransparent(i % 2 ? M::ptFull : M::ptSimple);
  }
}

void Captions(TWinControl* host) {
  TMegaPanel* group = Put<TMegaPanel>(host, 4, 4, 180, 80);
  group->SetCaption("Group box");
  group->SetCaptionStyle(M::csGroupBox);
  group->SetPanelBevelOuter(bvLowered);
  group->SetPanelBevelInner(bvRaised);
  TMegaPanel* band = Put<TMegaPanel>(host, 192, 4, 180, 80);
  band->SetCaption("Band caption");
  band->SetCaptionStyle(M::csPanel);
  band->SetCaptionPosition(M::cpTopCenter);
  band->SetCaptionFontStyle(M::fsRaisedHeavy);
  TMegaPanel* shadows = Put<TMegaPanel>(host, 380, 4, 376, 80);
  shadows->SetCaption("Shadows");
  shadows->SetCaptionStyle(M::csFloating);
  shadows->SetCaptionPosition(M::cpRightBottom);
  shadows->CtlShadow()->SetStyle(M::csOpaque);
  shadows->SetLabelStyle(M::lsInPanel);
  shadows->SetLabelWidth(60);
  auto* edit = Put<TEdit97>(shadows, 70, 12, 100, 19);
  edit->SetName("Shadowed_edit");
  edit->SetHint("|&Labelled|");
  TMegaPanel* dithered = Put<TMegaPanel>(shadows, 220, 10, 80, 50);
  dithered->SetColorPanelStyle(M::csDithered);
  dithered->SetColorPanel(clWhite);
  shadows->UpdateChildHooks();
  shadows->CtlShadow()->SetStyle(M::csDithered);
}

void Buttons(TWinControl* host) {
  TBitmap glyph;
  PaintSampleGlyph(glyph);
  const char* captions[] = {"Up", "Hot", "Down", "Disabled", "", "Caption only"};
  for (int i = 0; i < 6; ++i) {
    auto* b = Put<TToolbarButton97>(host, 4 + i * 110, 4, i == 4 ? 23 : 100, 22);
    b->SetName(std::string("Button") + std::to_string(i));
    b->SetCaption(captions[i]);
    if (i != 5) b->SetGlyph(&glyph);
    if (i == 2) {
      b->SetGroupIndex(1);
      b->SetDown(true);
    }
    if (i == 3) b->SetEnabled(false);
  }
  auto* framed = Put<TToolbarButton97>(host, 4, 32, 100, 22);
  framed->SetCaption("Not flat");
  framed->SetFlat(false);
}

void PointAtHotButton(TWinControl* host) {
  TControl* hot = host->FindChildControl("Button1");
  if (!hot) return;
  const TPoint p = hot->ClientToScreen(TPoint{10, 10});
  headless::MoveMouse(p.x, p.y);
}

void Edits(TWinControl* host) {
  for (int i = 0; i < 3; ++i) {
    auto* e = Put<TEdit97>(host, 4 + i * 126, 4, 120, 19);
    e->SetName(std::string("Edit97_") + std::to_string(i));
    e->SetText(i == 0 ? "Idle" : i == 1 ? "Focused" : "Disabled");
    if (i == 2) e->SetEnabled(false);
  }
  const char* texts[] = {"Hot flat", "Read-only flat", "Disabled flat"};
  for (int i = 0; i < 3; ++i) {
    auto* f = Put<TFlatEdit>(host, 382 + i * 126, 4, 120, 19);
    f->SetName(std::string("FlatEdit") + std::to_string(i));
    f->SetText(texts[i]);
    if (i == 1) {
      f->SetReadOnly(true);
      f->SetColorFocused(clBtnFace);
      f->SetColorFlat(clBtnFace);
      f->SetParentColor(true);
    }
    if (i == 2) f->SetEnabled(false);
  }
}

// The pointer is on the hot button, so the hot flat edit is told the
// mouse came onto it, as the framework tells it.
void FocusEdit(TWinControl* host) {
  if (auto* e = dynamic_cast<TWinControl*>(host->FindChildControl("Edit97_1"))) e->SetFocus();
  if (TControl* f = host->FindChildControl("FlatEdit0")) f->Perform(CM_MOUSEENTER);
}

void StatusBar(TWinControl* host) {
  auto* bar = Put<TAdvStatusBar>(host, 0, 0, 500, 19);
  bar->SetAlign(alNone);
  bar->SetSizeGrip(false);
  bar->Panels()->Add()->SetWidth(200);
  bar->Panels()->Add()->SetWidth(150);
  bar->Panels()->Items(0)->SetText("Panel 0");
  bar->Panels()->Items(1)->SetText("Right-aligned");
  bar->Panels()->Items(1)->SetAlignment(taRightJustify);
  auto* hosted = new TPanel(host->Owner());
  hosted->SetParent(bar);
  hosted->SetBounds(0, 0, 62, 19);
  hosted->SetAlign(alRight);
  hosted->SetBevelOuter(bvLowered);
  hosted->SetCaption("hosted");
}

}  // namespace

void AddPanelSections(std::vector<Section>& out) {
  out.push_back({"Effects panel: bevels, borders, dividers", 68, Bevels, nullptr});
  out.push_back({"Colour styles: opaque, dithered, transparent, AND, OR, NAND, NOR, XOR", 68, ColourStyles, nullptr});
  out.push_back({"Gradients: horizontal, vertical, split both ways, one band", 68, Gradients, nullptr});
  out.push_back({"Pictures: centred, anchored, stretched, tiled, strip, fast tiling", 68, Pictures, nullptr});
  out.push_back({"Captions, labels, control shadows", 88, Captions, nullptr});
  out.push_back({"Flat buttons: up, hot, down, disabled, glyph only, caption only", 58, Buttons, PointAtHotButton});
  out.push_back({"Flat edits: idle, focused, disabled; hot, read-only, disabled", 27, Edits, FocusEdit});
  out.push_back({"Status bar with a hosted control", 23, StatusBar, nullptr});
}

}  // namespace gallery
