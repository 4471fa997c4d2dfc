#include "menus/am2000options.h"

void T_AM2000_Colors::Assign(TPersistent* source) {
  auto* s = dynamic_cast<T_AM2000_Colors*>(source);
  if (!s) return TPersistent::Assign(source);
  Border = s->Border;
  BorderShadow = s->BorderShadow;
  Menu = s->Menu;
  MenuText = s->MenuText;
  Highlight = s->Highlight;
  HighlightText = s->HighlightText;
  DisabledText = s->DisabledText;
  DisabledShadow = s->DisabledShadow;
  Line = s->Line;
  LineShadow = s->LineShadow;
}

bool T_AM2000_Colors::IsDefault() const {
  const T_AM2000_Colors d;
  return Border == d.Border && BorderShadow == d.BorderShadow && Menu == d.Menu && MenuText == d.MenuText &&
         Highlight == d.Highlight && HighlightText == d.HighlightText && DisabledText == d.DisabledText &&
         DisabledShadow == d.DisabledShadow && Line == d.Line && LineShadow == d.LineShadow;
}

void T_AM2000_Margins::Assign(TPersistent* source) {
  auto* s = dynamic_cast<T_AM2000_Margins*>(source);
  if (!s) return TPersistent::Assign(source);
  Left = s->Left;
  Top = s->Top;
  Right = s->Right;
  Bottom = s->Bottom;
  Space = s->Space;
  Border = s->Border;
}

T_AM2000_BaseOptions::T_AM2000_BaseOptions() : background_(std::make_unique<TBitmap>()) {}
T_AM2000_BaseOptions::~T_AM2000_BaseOptions() = default;

void T_AM2000_BaseOptions::Assign(TPersistent* source) {
  auto* s = dynamic_cast<T_AM2000_BaseOptions*>(source);
  if (!s) return TPersistent::Assign(source);
  ItemHeight = s->ItemHeight;
  SeparatorHeight = s->SeparatorHeight;
  colors_.Assign(&s->colors_);
  margins_.Assign(&s->margins_);
  Caption = s->Caption;
  Alignment = s->Alignment;
  Draggable = s->Draggable;
  background_->Assign(s->background_.get());  // a copy of the pixels
  BackgroundDisplay = s->BackgroundDisplay;
}

void T_AM2000_Options::Assign(TPersistent* source) {
  T_AM2000_BaseOptions::Assign(source);
  if (auto* s = dynamic_cast<T_AM2000_Options*>(source)) {
    Flags = s->Flags;
    Animation = s->Animation;
  }
}

void MakeBarOptions(T_AM2000_Options& bar, T_AM2000_Options& source) {
  bar.Assign(&source);
  bar.Alignment = taCenter;
  T_AM2000_Margins* m = bar.Margins();
  m->Left = m->Top = m->Right = m->Bottom = 0;
}
