// The glyph of a toolbar button: its source images (a bitmap strip with an
// optional mask, or an image of an image list) and the state images built
// from them on first use, kept in the process's glyph cache.
#pragma once

#include <win32/windows.h>

#include <functional>
#include <memory>

#include "framework/bitmap.h"
#include "framework/image_list.h"

class TGlyphList;

class TButtonGlyph {
 public:
  explicit TButtonGlyph(std::function<void()> changed);
  ~TButtonGlyph();

  TBitmap* Glyph() { return &glyph_; }
  // Copies `glyph`; NumGlyphs becomes width / height when that divides
  // exactly into 1 to 5 images, else 1.
  void SetGlyph(TBitmap* glyph);
  TBitmap* GlyphMask() { return &mask_; }
  void SetGlyphMask(TBitmap* mask);
  void SetImageList(TCustomImageList* images, int index);
  int NumGlyphs() const { return numGlyphs_; }
  // 1 to 5, and only without an image list; anything else gives 1.
  void SetNumGlyphs(int count);
  bool OldDisabledStyle() const { return oldDisabledStyle_; }
  void SetOldDisabledStyle(bool on);

  // The size of one source image (0 x 0 without one).
  TSize ImageSize();
  // Draws the image of `state` (0 up ... 4 mouse-in) at `at`.
  void Draw(HDC dc, TPoint at, int state);
  // Drops every built image (system colours changed, say).
  void Invalidate();

 private:
  bool HasImageList() const { return images_ && imageIndex_ >= 0; }
  int Build(int state);
  int BuildEnabled(int image);
  int BuildEmbossed();
  // The source image `image` as a bitmap of the source size; `mask` gets
  // the explicit mask when there is one.
  HBITMAP SourceImage(int image, HBITMAP* mask);
  HBITMAP DisabledMask(HBITMAP source, HBITMAP explicitMask, TSize size);
  void Changed();

  std::function<void()> changed_;
  TBitmap glyph_;
  TBitmap mask_;
  TCustomImageList* images_ = nullptr;
  int imageIndex_ = -1;
  int numGlyphs_ = 1;
  bool oldDisabledStyle_ = false;
  COLORREF transparent_ = 0;
  TGlyphList* lists_[2] = {nullptr, nullptr};  // source size, one pixel larger
  int indexes_[2][5];
};
