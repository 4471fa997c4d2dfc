// TBitmap: a GDI bitmap with a canvas of its own. Colour bitmaps are DIB
// sections of their pixel format (true colour for the device format);
// monochrome ones are 1-bit device bitmaps, so blits map colours to them by
// the background colour as GDI does. BMP files are read and written whole
// (file header, info header, colour table, rows).
#pragma once

#include <memory>
#include <vector>

#include "framework/canvas.h"
#include "framework/graphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// The bitmap's canvas: its context is a memory context with the bitmap
// selected, made on first use.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override;
  // Lets the bitmap go from the context (before it is replaced).
  void FreeContext();

 protected:
  void CreateHandle() override;
  // Drawing on the canvas changes the bitmap, whoever else listens.
  void Changed() override;

 private:
  TBitmap* bitmap_;
  HDC memDc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;

  void Assign(TPersistent* source) override;
  void Draw(TCanvas* canvas, const TRect& rect) override;
  bool GetEmpty() override { return !handle_; }
  int GetHeight() override { return height_; }
  int GetWidth() override { return width_; }
  void SetHeight(int height) override { SetSize(width_, height); }
  void SetWidth(int width) override { SetSize(width, height_); }
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  bool Equals(TGraphic* graphic) override;

  // Resizes keeping the pixels that still fit; new area is white.
  void SetSize(int width, int height);
  // The bitmap handle, made (empty size: none) on demand.
  HBITMAP Handle() const { return handle_; }
  // Takes ownership of `bitmap` (any size and depth); null empties.
  void SetHandle(HBITMAP bitmap);
  // Gives the handle away: the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  TCanvas* Canvas();
  bool Monochrome() const { return pixelFormat_ == pf1bit; }
  void SetMonochrome(bool value);
  TPixelFormat PixelFormat() const { return pixelFormat_; }
  // Converts the pixels to the new format (palette formats take the
  // standard palettes of the window layer).
  void SetPixelFormat(TPixelFormat format);

  // tmAuto takes the bottom-left pixel (clDefault when empty); tmFixed the
  // colour set. Setting a colour switches to tmFixed.
  TColor TransparentColor();
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  // A monochrome mask: 1 where the pixel is `color`, 0 elsewhere. The
  // caller deletes it.
  HBITMAP CreateMask(TColor color);
  // The context to read the pixels from (the canvas's).
  HDC SourceDc();

 protected:
  void Changed(TObject* sender) override;

 private:
  friend class TBitmapCanvas;
  void Replace(HBITMAP bitmap, int width, int height, TPixelFormat format);
  HBITMAP MakeBitmap(int width, int height, TPixelFormat format) const;
  void DrawTransparent(TCanvas* canvas, const TRect& rect);

  HBITMAP handle_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  TPixelFormat pixelFormat_ = pfDevice;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

// The bits-per-pixel of a format as stored in BMP files (24 for the device
// format) and the format for a bit count (pfCustom when there is none).
int BitsOfPixelFormat(TPixelFormat format);
TPixelFormat PixelFormatOfBits(int bits);
