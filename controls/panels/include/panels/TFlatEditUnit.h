// TFlatEdit: a single-line edit with a border of its own in the non-client
// area: a one-pixel outline in ColorBorder and two rings in the text
// background colour, ColorFlat while idle and ColorFocused while hot.
#pragma once

#include <cstdint>
#include <string>

#include "panels/bordered_edit.h"

using TAdvColors = std::uint8_t;  // percent

class TFlatEdit : public TBorderedEdit {
 public:
  // 121 x 19, following the parent's colour.
  explicit TFlatEdit(TComponent* owner);
  ~TFlatEdit() override;

  TColor ColorFocused() const { return colors_[0]; }
  void SetColorFocused(TColor v) { SetColors(0, v); }
  TColor ColorBorder() const { return colors_[1]; }
  void SetColorBorder(TColor v) { SetColors(1, v); }
  TColor ColorFlat() const { return colors_[2]; }
  // Also turns ParentColor off.
  void SetColorFlat(TColor v) { SetColors(2, v); }
  // The one setter of the three colours: 0 focused, 1 border, 2 flat.
  void SetColors(int index, TColor value);
  bool ParentColor() const { return parentColor_; }
  // True copies the parent's colour into ColorFlat.
  void SetParentColor(bool on);
  TAdvColors AdvColorFocused() const { return advFocused_; }
  void SetAdvColorFocused(TAdvColors v);
  TAdvColors AdvColorBorder() const { return advBorder_; }
  void SetAdvColorBorder(TAdvColors v);
  bool UseAdvColors() const { return useAdvColors_; }
  void SetUseAdvColors(bool on);

  void SetParent(TWinControl* parent) override;
  void WndProc(TMessage& message) override;

 protected:
  void Loaded() override;
  // Another TFlatEdit.
  bool KeepsHotLook(TWinControl* focused) const override;
  void RedrawBorder() override { DrawBorder(1); }
  // Only while the application has an active window.
  bool MouseEnterCounts() const override;

 private:
  // With the WM_NCPAINT region `region` (1: the whole window).
  void DrawBorder(WPARAM region);
  void SetAdvColor(TAdvColors& field, TAdvColors v);
  void DeriveColors();
  void ParentColorChanged();

  TColor colors_[3] = {static_cast<TColor>(0xFFFFFF), static_cast<TColor>(0x8396A0), static_cast<TColor>(0xE1EAEB)};
  TAdvColors advFocused_ = 10;
  TAdvColors advBorder_ = 50;
  bool useAdvColors_ = false;
  bool parentColor_ = false;
};

// Lightness of `colour` moved by `percent` points (positive lighter),
// through hue, saturation and lightness in percent.
TColor AdjustLightness(TColor colour, int percent);
