// TCustomPanel: bevels, border and caption of the framework's panel.
#include "framework/panel.h"

#include "framework/gdi_resources.h"
#include "framework/style_painter.h"

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  canvas->Pen()->SetWidth(1);
  --rect.right;
  --rect.bottom;
  for (int i = 0; i < width; ++i) {
    canvas->Pen()->SetColor(topColor);
    const TPoint topLeft[3] = {Point(rect.left, rect.bottom), Point(rect.left, rect.top), Point(rect.right, rect.top)};
    canvas->Polyline(topLeft, 3);
    canvas->Pen()->SetColor(bottomColor);
    const TPoint bottomRight[3] = {Point(rect.right, rect.top), Point(rect.right, rect.bottom),
                                   Point(rect.left - 1, rect.bottom)};
    canvas->Polyline(bottomRight, 3);
    InflateRect(&rect, -1, -1);
  }
  ++rect.right;
  ++rect.bottom;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                   csReplicatable});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (borderStyle_ == bsSingle) params.Style |= WS_BORDER;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  int inset = 0;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  auto bevel = [&](TPanelBevel kind) {
    if (kind == bvNone) return;
    r = StylePainter::Bevel(c->Handle(), r, kind == bvRaised, bevelWidth_);
  };
  bevel(bevelOuter_);
  Frame3D(c, r, Color(), Color(), BorderWidth());
  bevel(bevelInner_);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Brush()->SetStyle(bsClear);
  c->SetFont(Font());
  const std::string text = Caption();
  const TSize extent = c->TextExtent(text);
  const TRect all = ClientRect();
  int x = (RectWidth(all) - extent.cx) / 2;
  if (alignment_ == taLeftJustify) x = r.left;
  if (alignment_ == taRightJustify) x = r.right - extent.cx;
  const int y = (RectHeight(all) - extent.cy) / 2;
  c->TextRect(r, x, y, text);
}

void TCustomPanel::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_BORDERCHANGED:
      Invalidate();
      return;
    default:
      TCustomControl::WndProc(message);
  }
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel bevel) {
  if (bevel == bevelInner_) return;
  bevelInner_ = bevel;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel bevel) {
  if (bevel == bevelOuter_) return;
  bevelOuter_ = bevel;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth width) {
  if (width == bevelWidth_) return;
  bevelWidth_ = width < 1 ? 1 : width;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
  Realign();
}
