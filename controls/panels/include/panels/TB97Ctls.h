// The flat toolbar controls: TToolbarButton97, a windowless push button
// that shows a thin frame only under the pointer or while pressed, and
// TEdit97, a single-line edit that draws its own three-pixel border.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/controls.h"
#include "framework/glyph_placement.h"
#include "framework/image_list.h"
#include "framework/menus.h"
#include "panels/bordered_edit.h"

inline constexpr const char* kToolbar97Version = "Flat toolbar controls version 1.0";

enum TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };
// The button's state byte: the four images of TButtonState, then the hot
// one.
using TButtonState97 = std::uint8_t;
inline constexpr TButtonState97 bsMouseIn = 4;
using TNumGlyphs97 = int;  // 1 to 5

class TButtonGlyph;
class TTimer;

using TDropdownEvent = std::function<void(TObject* sender, bool& showMenu)>;

class TToolbarButton97 : public TGraphicControl {
 public:
  // 23 x 22, flat, opaque, button face.
  explicit TToolbarButton97(TComponent* owner);
  ~TToolbarButton97() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  bool Default() const { return default_; }
  void SetDefault(bool v) { default_ = v; }
  TColor Color() const { return TControl::Color(); }
  void SetColor(TColor v);
  TButtonDisplayMode DisplayMode() const { return displayMode_; }
  void SetDisplayMode(TButtonDisplayMode v);
  bool Down() const { return down_; }
  // Stays false without a GroupIndex; a down button of a group that does
  // not allow all up refuses to go up.
  void SetDown(bool v);
  bool DropdownAlways() const { return dropdownAlways_; }
  void SetDropdownAlways(bool v);
  bool DropdownArrow() const { return dropdownArrow_; }
  void SetDropdownArrow(bool v);
  int DropdownArrowWidth() const { return dropdownArrowWidth_; }
  void SetDropdownArrowWidth(int v);
  bool DropdownCombo() const { return dropdownCombo_; }
  void SetDropdownCombo(bool v);
  TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(TPopupMenu* v);
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  // State images side by side; assigning sets NumGlyphs from the shape.
  TBitmap* Glyph();
  void SetGlyph(TBitmap* v);
  TBitmap* GlyphMask();
  void SetGlyphMask(TBitmap* v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  bool HighlightWhenDown() const { return highlightWhenDown_; }
  void SetHighlightWhenDown(bool v);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return margin_; }
  void SetMargin(int v);  // below -1 ignored
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  bool NoBorder() const { return noBorder_; }
  void SetNoBorder(bool v);
  TNumGlyphs97 NumGlyphs() const;
  void SetNumGlyphs(TNumGlyphs97 v);
  bool OldDisabledStyle() const;
  void SetOldDisabledStyle(bool v);
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool v);
  bool Repeating() const { return repeating_; }
  void SetRepeating(bool v) { repeating_ = v; }
  int RepeatDelay() const { return repeatDelay_; }
  void SetRepeatDelay(int v) { repeatDelay_ = v; }
  int RepeatInterval() const { return repeatInterval_; }
  void SetRepeatInterval(int v) { repeatInterval_ = v; }
  bool ShowBorderWhenInactive() const { return showBorderWhenInactive_; }
  void SetShowBorderWhenInactive(bool v);
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);
  std::string Version() const { return kToolbar97Version; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);

  TDropdownEvent OnDropdown;
  TNotifyEvent OnMouseExit;

  // Run-time state, read by tests and the scene dump.
  TButtonState97 State() const { return state_; }
  bool MouseInControl() const { return mouseIn_; }
  // The one hot button of the process, or nullptr.
  static TToolbarButton97* HotButton();

  void Click() override;
  void WndProc(TMessage& message) override;
  // The leave test: the hot button leaves when the control at the pointer
  // is no longer it (the shared timer and the posted-move hook call it).
  static void CheckHotButton();
  // The application was deactivated: the hot button leaves unless it shows
  // its border while inactive.
  static void ApplicationDeactivated();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend struct ToolbarButtonPainter;
  bool IsDropdown() const { return dropdownMenu_ || dropdownAlways_; }
  bool IsCombo() const { return dropdownCombo_ && IsDropdown(); }
  bool PointInButton(int x, int y) const;
  bool UnderPointer();
  bool CanPress();
  void MouseEntered();
  void MouseLeft();
  void BecomeHot();
  void StopRepeat();
  void RepeatTick();
  void RunClick();
  void ShowDropdown();
  void EnabledChanged();
  void DialogKey(TMessage& message);
  void DialogChar(TMessage& message);
  void UpdateGroup();
  void Redraw();
  void GlyphChanged();

  std::unique_ptr<TButtonGlyph> glyph_;
  std::unique_ptr<TTimer> repeatTimer_;
  TPopupMenu* dropdownMenu_ = nullptr;
  TCustomImageList* images_ = nullptr;
  TAlignment alignment_ = taCenter;
  TButtonDisplayMode displayMode_ = dmBoth;
  TButtonLayout layout_ = blGlyphLeft;
  int dropdownArrowWidth_ = 9;
  int groupIndex_ = 0;
  int imageIndex_ = -1;
  int margin_ = -1;
  int modalResult_ = 0;
  int repeatDelay_ = 400;
  int repeatInterval_ = 100;
  int spacing_ = 4;
  TButtonState97 state_ = bsUp;
  bool allowAllUp_ = false;
  bool cancel_ = false;
  bool default_ = false;
  bool down_ = false;
  bool dropdownAlways_ = false;
  bool dropdownArrow_ = true;
  bool dropdownCombo_ = false;
  bool flat_ = true;
  bool highlightWhenDown_ = true;
  bool noBorder_ = false;
  bool opaque_ = true;
  bool repeating_ = false;
  bool showBorderWhenInactive_ = false;
  bool wordWrap_ = false;
  bool mouseIn_ = false;
  bool tracking_ = false;
  bool inClick_ = false;
  bool onArrow_ = false;
  bool destroying_ = false;
};

// A single-line edit with a three-pixel border of its own: two rings of
// button face and one of window colour while idle, a thin sunken frame
// while hot (focused, or under the pointer while no other TEdit97 has the
// focus). Its height follows the font: text height + 6.
class TEdit97 : public TBorderedEdit {
 public:
  explicit TEdit97(TComponent* owner);
  ~TEdit97() override;
  std::string Version() const { return kToolbar97Version; }
  void WndProc(TMessage& message) override;

 protected:
  void Loaded() override;
  // Another TEdit97 (a class on the process-wide list of flat edits).
  bool KeepsHotLook(TWinControl* focused) const override;
  void RedrawBorder() override;

 private:
  void DrawBorder(HDC dc);
  void FitHeight();
  void Print(HDC dc, LPARAM flags);
};
