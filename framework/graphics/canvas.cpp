#include "framework/canvas.h"

#include <vector>

#include "framework/bitmap.h"
#include "framework/exceptions.h"
#include "framework/gdi_resources.h"
#include "framework/graphic.h"

namespace {
constexpr int kRop2OfPenMode[] = {R2_BLACK,       R2_WHITE,      R2_NOP,        R2_NOT,
                                  R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                                  R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,     R2_NOTXORPEN};
}  // namespace

TCanvas::TCanvas() {
  // A changed attribute is selected again on its next use.
  font_.OnChange = [this](TObject*) { state_ -= TCanvasState{csFontValid}; };
  pen_.OnChange = [this](TObject*) { state_ -= TCanvasState{csPenValid}; };
  brush_.OnChange = [this](TObject*) { state_ -= TCanvasState{csBrushValid}; };
}

TCanvas::~TCanvas() {
  DeselectHandles();
  FreePatternBrush();
}

HDC TCanvas::Handle() {
  RequiredState(TCanvasState{csHandleValid});
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectHandles();
  dc_ = dc;
  if (dc_) state_ += TCanvasState{csHandleValid};
}

void TCanvas::DeselectHandles() {
  if (dc_) {
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (oldPen_) SelectObject(dc_, oldPen_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
  }
  oldFont_ = oldPen_ = oldBrush_ = nullptr;
  dc_ = nullptr;
  state_ = TCanvasState{};
}

void TCanvas::FreePatternBrush() {
  if (patternBrush_) DeleteObject(patternBrush_);
  patternBrush_ = nullptr;
}

void TCanvas::RequiredState(TCanvasState state) {
  TCanvasState missing = state - state_;
  if (missing == TCanvasState{}) return;
  if (missing.Contains(csHandleValid)) {
    CreateHandle();
    if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
    state_ += TCanvasState{csHandleValid};
  }
  if (missing.Contains(csFontValid)) SelectFont();
  if (missing.Contains(csPenValid)) SelectPen();
  if (missing.Contains(csBrushValid)) SelectBrush();
}

void TCanvas::SelectFont() {
  HGDIOBJ old = SelectObject(dc_, FontHandle(font_.Data()));
  if (!oldFont_) oldFont_ = old;
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  state_ += TCanvasState{csFontValid};
}

void TCanvas::SelectPen() {
  HGDIOBJ old = SelectObject(dc_, PenHandle(pen_.Data()));
  if (!oldPen_) oldPen_ = old;
  SetROP2(dc_, kRop2OfPenMode[pen_.Mode()]);
  state_ += TCanvasState{csPenValid};
}

void TCanvas::SelectBrush() {
  // The pattern brush of the last selection goes once it is replaced.
  HBRUSH previous = patternBrush_;
  patternBrush_ = nullptr;
  const TBrushData& data = brush_.Data();
  HBRUSH brush = BrushHandle(data);
  if (data.bitmap && !data.bitmap->Empty()) brush = patternBrush_ = CreateBrushHandle(data);
  HGDIOBJ old = SelectObject(dc_, brush);
  if (!oldBrush_) oldBrush_ = old;
  if (previous) DeleteObject(previous);
  // Hatches and text are drawn over the brush colour, or transparently.
  SetBkColor(dc_, ColorToRGB(data.color));
  SetBkMode(dc_, data.style == bsSolid ? OPAQUE : TRANSPARENT);
  state_ += TCanvasState{csBrushValid};
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::Refresh() {
  // Select everything again on next use (after someone else drew on the DC).
  state_ = state_ * TCanvasState{csHandleValid};
}

TPoint TCanvas::PenPos() {
  RequiredState(TCanvasState{csHandleValid});
  TPoint p{};
  GetCurrentPositionEx(dc_, &p);
  return p;
}

TRect TCanvas::ClipRect() {
  RequiredState(TCanvasState{csHandleValid});
  TRect r{};
  GetClipBox(dc_, &r);
  return r;
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState(TCanvasState{csHandleValid});
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
  ::LineTo(dc_, x, y);
  Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(dc_, left, top, right, bottom);
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csBrushValid});
  ::FillRect(dc_, &r, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csBrushValid});
  ::FrameRect(dc_, &r, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
  Changed();
}

void TCanvas::Polygon(const TPoint* points, int count) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
  ::Polygon(dc_, points, count);
  Changed();
}

void TCanvas::Polyline(const TPoint* points, int count) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
  ::Polyline(dc_, points, count);
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  // The pen position follows the text, as with an updating text alignment.
  MoveToEx(dc_, x + TextWidth(text), y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED;
  if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(dc_, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
  RequiredState(TCanvasState{csHandleValid, csFontValid});
  TSize size{};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

TColor TCanvas::Pixel(int x, int y) {
  RequiredState(TCanvasState{csHandleValid});
  return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csPenValid});
  ::SetPixel(dc_, x, y, ColorToRGB(color));
  Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState(TCanvasState{csHandleValid});
  graphic->Draw(this, r);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  Changing();
  RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  HDC src = canvas->Handle();
  canvas->RequiredState(TCanvasState{csHandleValid, csBrushValid});
  StretchBlt(dc_, dest.left, dest.top, RectWidth(dest), RectHeight(dest), src, source.left, source.top,
             RectWidth(source), RectHeight(source), copyMode_);
  Changed();
}
