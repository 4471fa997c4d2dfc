// TCanvas: drawing on a device context with the framework's font, pen and
// brush. The attributes are selected into the context only when a drawing
// call needs them, and again after they change.
#pragma once

#include <string>

#include "framework/graphics.h"
#include "framework/graphics_objects.h"
#include "framework/object.h"

class TGraphic;

using TCopyMode = DWORD;
enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = Set<TCanvasStates>;

class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // The context drawn on. A canvas that does not own one asks CreateHandle;
  // setting a handle never takes ownership.
  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont* Font() { return &font_; }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  void SetFont(TFont* font) { font_.Assign(font); }
  void SetPen(TPen* pen) { pen_.Assign(pen); }
  void SetBrush(TBrush* brush) { brush_.Assign(brush); }
  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }
  TPoint PenPos();
  void SetPenPos(TPoint p) { MoveTo(p.x, p.y); }
  TRect ClipRect();

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void Polygon(const TPoint* points, int count);
  void Polyline(const TPoint* points, int count);
  void TextOut(int x, int y, const std::string& text);
  // Text clipped to `r`; the background is filled with the brush unless
  // the brush is clear.
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  // Copies `source`'s rectangle from `canvas` with CopyMode.
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);
  // Copies the bitmap's rectangle, painting its pixels of `color` with the
  // brush instead (colour-keyed copy).
  void BrushCopy(const TRect& dest, class TBitmap* bitmap, const TRect& source, TColor color);

  // The canvas is single-threaded here; Lock counts so paired calls nest.
  void Lock() { ++lockCount_; }
  void Unlock() { --lockCount_; }
  int LockCount() const { return lockCount_; }

  void Refresh();

 protected:
  virtual void CreateHandle() {}
  // Forgets the context and the objects selected into it.
  void DeselectHandles();
  // Ensures a handle and the attributes `state` names are selected.
  void RequiredState(TCanvasState state);
  virtual void Changing();
  virtual void Changed();

 private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void FreePatternBrush();

  HDC dc_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  TCanvasState state_;
  HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
  HBRUSH patternBrush_ = nullptr;
  TCopyMode copyMode_ = SRCCOPY;
  int lockCount_ = 0;
};
