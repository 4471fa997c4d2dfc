// The option records that set the look and the opening animation of the
// menu bar and its drop-down windows. Every record copies field by field:
// a copy never shares its nested records or its bitmap with the source.
#pragma once

#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/object.h"
#include "framework/set.h"
#include "framework/types.h"

// The row alignments are the framework's three plus a mirrored layout.
using T_AM2000_Alignment = TAlignment;
inline constexpr T_AM2000_Alignment taRightToLeft = static_cast<T_AM2000_Alignment>(3);

enum T_AM2000_BackgroundDisplay { bdDefault, bdCenter, bdTile, bdStretch, bdExpand };

enum T_AM2000_Animation { anNone, anVSlide, anHSlide, anSmart, anUnfold, anPopup, anRandom, anFadeIn };

enum T_AM2000_Flag {
  mfHiddenAsRegular,
  mfHiddenIsVisible,
  mfNoAutoShowHidden,
  mfNoBitmapRect,
  mfNoChangeHidden,
  mfNoHighDisabled,
  mfNoShortDividers,
  mfShowCheckMark,
  mfStandardAlign
};
using T_AM2000_Flags = Set<T_AM2000_Flag>;

class T_AM2000_MenuOptions : public TPersistent {};

class T_AM2000_Colors : public T_AM2000_MenuOptions {
 public:
  void Assign(TPersistent* source) override;
  // True when every colour is the default (a form stores the record only
  // when one differs).
  bool IsDefault() const;

  TColor Border = clMenu;
  TColor BorderShadow = clMenu;
  TColor Menu = clMenu;
  TColor MenuText = clMenuText;
  TColor Highlight = clHighlight;
  TColor HighlightText = clHighlightText;
  TColor DisabledText = clBtnShadow;
  TColor DisabledShadow = clBtnHighlight;
  TColor Line = clBtnShadow;
  TColor LineShadow = clBtnHighlight;
};

class T_AM2000_Margins : public T_AM2000_MenuOptions {
 public:
  void Assign(TPersistent* source) override;

  int Left = 23;
  int Top = 0;
  int Right = 23;
  int Bottom = 0;
  int Space = 0;
  int Border = 1;
};

class T_AM2000_BaseOptions : public T_AM2000_MenuOptions {
 public:
  T_AM2000_BaseOptions();
  ~T_AM2000_BaseOptions() override;
  void Assign(TPersistent* source) override;

  T_AM2000_Colors* Colors() { return &colors_; }
  const T_AM2000_Colors* Colors() const { return &colors_; }
  T_AM2000_Margins* Margins() { return &margins_; }
  const T_AM2000_Margins* Margins() const { return &margins_; }
  TBitmap* Background() { return background_.get(); }
  void SetBackground(TBitmap* bitmap) { background_->Assign(bitmap); }

  int ItemHeight = 19;
  int SeparatorHeight = 9;
  std::string Caption;
  T_AM2000_Alignment Alignment = taLeftJustify;
  bool Draggable = false;
  T_AM2000_BackgroundDisplay BackgroundDisplay = bdDefault;

 private:
  T_AM2000_Colors colors_;
  T_AM2000_Margins margins_;
  std::unique_ptr<TBitmap> background_;
};

class T_AM2000_Options : public T_AM2000_BaseOptions {
 public:
  void Assign(TPersistent* source) override;

  T_AM2000_Flags Flags;
  T_AM2000_Animation Animation = anSmart;
};

// The options the bar draws its own items with: centred, no margins.
void MakeBarOptions(T_AM2000_Options& bar, T_AM2000_Options& source);
