#include "display/RXCtrls.h"

#include <algorithm>

#include <win32/gdi32.h>
#include <win32/user32.h>

#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/control_messages.h"
#include "framework/gdi_resources.h"
#include "framework/label.h"
#include "framework/wincontrol.h"

TRxCustomLabel::TRxCustomLabel(TComponent* owner) : TLabelBase(owner) {
  TControlStyle style = ControlStyle();
  style.Include(csOpaque).Include(csReplicatable);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 65, 17);
}

void TRxCustomLabel::Changed(bool refit) {
  if (refit) AdjustBounds();
  Invalidate();
}

void TRxCustomLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Changed(false);
}

void TRxCustomLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TRxCustomLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Changed(false);
}

void TRxCustomLabel::SetShadowColor(TColor value) {
  if (value == shadowColor_) return;
  shadowColor_ = value;
  Changed(false);
}

void TRxCustomLabel::SetShadowSize(int value) {
  value = std::clamp(value, 0, 255);
  if (value == shadowSize_) return;
  shadowSize_ = value;
  Changed(true);
}

void TRxCustomLabel::SetShadowPos(TShadowPosition value) {
  if (value == shadowPos_) return;
  shadowPos_ = value;
  Changed(false);
}

void TRxCustomLabel::SetShowFocus(bool value) {
  if (value == showFocus_) return;
  showFocus_ = value;
  Changed(false);
}

void TRxCustomLabel::SetTransparent(bool value) {
  if (value == Transparent()) return;
  TControlStyle style = ControlStyle();
  value ? style.Exclude(csOpaque) : style.Include(csOpaque);
  SetControlStyle(style);
  Changed(false);
}

void TRxCustomLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  Changed(true);
}

TColor TRxCustomLabel::GetDefaultFontColor() { return Font()->Color(); }

void TRxCustomLabel::ShadowPlacement(TShadowPosition pos, int size, POINT& shadow, POINT& text) {
  text = {0, 0};
  const bool left = pos == spLeftTop || pos == spLeftBottom;
  const bool top = pos == spLeftTop || pos == spRightTop;
  shadow = {left ? -size : size, top ? -size : size};
}

bool TRxCustomLabel::FocusShown() {
  return showFocus_ && FocusControl() && Enabled() && FocusControl()->Focused() &&
         !ComponentState().Contains(csDesigning);
}

void TRxCustomLabel::DrawShadowText(HDC dc, const std::string& text, TRect& rect, UINT flags, int size,
                                    TColor shadow, TShadowPosition pos) {
  POINT shadowShift, textShift;
  ShadowPlacement(pos, size, shadowShift, textShift);
  TRect shadowRect = rect;
  OffsetRect(&shadowRect, shadowShift.x, shadowShift.y);
  OffsetRect(&rect, textShift.x, textShift.y);
  const COLORREF textColor = GetTextColor(dc);
  SetTextColor(dc, ColorToRGB(shadow));
  const int length = static_cast<int>(text.size());
  DrawTextA(dc, text.c_str(), length, &shadowRect, flags);
  SetTextColor(dc, textColor);
  DrawTextA(dc, text.c_str(), length, &rect, flags);
  UnionRect(&rect, &rect, &shadowRect);
}

void TRxCustomLabel::DoDrawText(TRect& rect, UINT flags) {
  const std::string text = TextFor(flags);
  HDC dc = Canvas()->Handle();
  HGDIOBJ oldFont = SelectObject(dc, FontHandle(Font()->Data()));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = GetTextColor(dc);
  if (Enabled()) {
    SetTextColor(dc, ColorToRGB(GetDefaultFontColor()));
    DrawShadowText(dc, text, rect, flags, shadowSize_, shadowColor_, shadowPos_);
  } else {
    // Disabled text is grey over a highlight; without a shadow of its own
    // it takes the engraved look, one pixel down and right.
    SetTextColor(dc, ColorToRGB(clGrayText));
    if (shadowSize_ == 0)
      DrawShadowText(dc, text, rect, flags, 1, clBtnHighlight, spRightBottom);
    else
      DrawShadowText(dc, text, rect, flags, shadowSize_, clBtnHighlight, shadowPos_);
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void TRxCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  const TRect client = ClientRect();
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
  }
  canvas->Brush()->SetStyle(bsClear);
  TRect rect = client;
  InflateRect(&rect, -1, 0);
  UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  else if (alignment_ == taCenter) flags |= DT_CENTER;
  if (layout_ != tlTop) {
    TRect measured = rect;
    DoDrawText(measured, flags | DT_CALCRECT);
    measured.left = rect.left;
    measured.right = rect.right;
    const int room = Height() - measured.bottom;
    OffsetRect(&measured, 0, layout_ == tlBottom ? room : room / 2);
    rect = measured;
  }
  DoDrawText(rect, flags);
  if (FocusShown()) {
    InflateRect(&rect, 1, 1);
    DrawFocusRect(canvas->Handle(), &rect);
  }
}

void TRxCustomLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading)) return;
  TRect rect = ClientRect();
  InflateRect(&rect, -1, 0);
  HDC dc = GetDC(nullptr);
  Canvas()->SetHandle(dc);
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  Canvas()->SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  InflateRect(&rect, 1, 0);
  int left = Left();
  const int width = RectWidth(rect);
  if (alignment_ == taRightJustify) left += Width() - width;
  SetBounds(left, Top(), width, RectHeight(rect));
}

bool TRxCustomLabel::MayEnter() { return Enabled() && Application && Application->Active(); }

void TRxCustomLabel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TRxCustomLabel::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TRxCustomLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) buttonHeld_ = true;
  TGraphicControl::MouseDown(button, shift, x, y);
}

// A leave held back while the button was down is reported once it is
// released outside the label.
void TRxCustomLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  buttonHeld_ = false;
  const TRect client = ClientRect();
  if (mouseInside_ && !PtInRect(&client, POINT{x, y})) {
    mouseInside_ = false;
    MouseLeave();
  }
}

void TRxCustomLabel::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      TLabelBase::WndProc(message);
      Changed(true);
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (message.LParam != 0) break;
      if (Parent()) Parent()->Perform(message.Msg, 0, reinterpret_cast<LPARAM>(this));
      if (message.Msg == CM_MOUSEENTER) {
        // Once until the leave.
        if (mouseInside_ || !MayEnter()) return;
        mouseInside_ = true;
        MouseEnter();
      } else if (mouseInside_ && !buttonHeld_) {
        mouseInside_ = false;
        MouseLeave();
      }
      return;
    default:
      break;
  }
  TLabelBase::WndProc(message);
}
