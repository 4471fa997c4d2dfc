// The windowless label.
#include "framework/label.h"

#include "framework/gdi_resources.h"
#include "framework/style_painter.h"
#include "framework/wincontrol.h"
#include "wrapper_support.h"

// ---- what every label shares

void TLabelBase::SetFocusControl(TWinControl* control) {
  if (control == focusControl_) return;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = control;
  if (control) control->FreeNotification(this);
}

void TLabelBase::SetShowAccelChar(bool on) {
  if (on == showAccelChar_) return;
  showAccelChar_ = on;
  AdjustBounds();
  Invalidate();
}

void TLabelBase::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TLabelBase::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

std::string TLabelBase::GetLabelText() { return Caption(); }

std::string TLabelBase::TextFor(UINT& flags) {
  std::string text = GetLabelText();
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return text;
}

bool TLabelBase::IsAccel(char key, const std::string& caption) { return stdctrls_detail::IsAccel(key, caption); }

bool TLabelBase::DialogChar(char key) {
  if (!focusControl_ || !Enabled() || !showAccelChar_ || !IsAccel(key, GetLabelText())) return false;
  if (focusControl_->CanFocus()) focusControl_->SetFocus();
  return true;
}

void TLabelBase::WndProc(TMessage& message) {
  if (message.Msg == CM_DIALOGCHAR && DialogChar(static_cast<char>(message.WParam))) {
    message.Result = 1;
    return;
  }
  TGraphicControl::WndProc(message);
}

// ---- the standard label

TCustomLabel::TCustomLabel(TComponent* owner) : TLabelBase(owner) {
  TControlStyle style = ControlStyle();
  style.Include(csOpaque).Include(csReplicatable);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool on) {
  if (on == wordWrap_) return;
  wordWrap_ = on;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool on) {
  if (on == autoSize_) return;
  autoSize_ = on;
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool on) {
  if (on == Transparent()) return;
  TControlStyle style = ControlStyle();
  on ? style.Exclude(csOpaque) : style.Include(csOpaque);
  SetControlStyle(style);
  Invalidate();
}

UINT TCustomLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  else if (alignment_ == taCenter) flags |= DT_CENTER;
  return flags;
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
  const std::string text = TextFor(flags);
  HDC dc = Canvas()->Handle();
  HGDIOBJ oldFont = SelectObject(dc, FontHandle(Font()->Data()));
  if (flags & DT_CALCRECT) DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  else StylePainter::Text(dc, text, rect, flags, Enabled(), Font()->Color());
  SelectObject(dc, oldFont);
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  TRect client = ClientRect();
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
  }
  canvas->Brush()->SetStyle(bsClear);
  TRect rect = client;
  UINT flags = TextFlags();
  if (layout_ != tlTop) {
    TRect measured = rect;
    DoDrawText(measured, flags | DT_CALCRECT);
    int room = RectHeight(client) - RectHeight(measured);
    int shift = layout_ == tlBottom ? room : room / 2;
    rect.top = client.top + shift;
    rect.bottom = rect.top + RectHeight(measured);
  }
  DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading)) return;
  TRect rect = ClientRect();
  HDC dc = GetDC(nullptr);
  Canvas()->SetHandle(dc);
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  Canvas()->SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int left = Left();
  int width = RectWidth(rect);
  if (alignment_ == taRightJustify) left += Width() - width;
  SetBounds(left, Top(), width, RectHeight(rect));
}

void TCustomLabel::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      TLabelBase::WndProc(message);
      AdjustBounds();
      Invalidate();
      return;
    default: break;
  }
  TLabelBase::WndProc(message);
}
