#include "button_glyph.h"

#include <algorithm>

#include "framework/graphics.h"
#include "glyph_cache.h"

namespace {

// Where the mask is black the brush is painted, elsewhere the destination
// stays; the older style is the brush where the mask is black, else white.
constexpr DWORD kBrushWhereBlack = 0xB8074A;
constexpr DWORD kOldBrushWhereBlack = 0xE20746;

struct MemoryDc {
  MemoryDc(HBITMAP bitmap) : dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, bitmap)) {}
  ~MemoryDc() {
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  HDC dc;
  HGDIOBJ old;
};

HBITMAP ScreenBitmap(int w, int h) {
  HDC screen = GetDC(nullptr);
  HBITMAP b = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(nullptr, screen);
  return b;
}

}  // namespace

TButtonGlyph::TButtonGlyph(std::function<void()> changed) : changed_(std::move(changed)) {
  std::fill(&indexes_[0][0], &indexes_[0][0] + 10, -1);
}

TButtonGlyph::~TButtonGlyph() { Invalidate(); }

void TButtonGlyph::Invalidate() {
  for (int l = 0; l < 2; ++l) {
    for (int& index : indexes_[l]) {
      if (index >= 0 && lists_[l]) lists_[l]->Delete(index);
      index = -1;
    }
    if (lists_[l]) GlyphCache()->ReturnList(lists_[l]);
    lists_[l] = nullptr;
  }
  ReleaseGlyphCacheIfEmpty();
}

void TButtonGlyph::Changed() {
  Invalidate();
  if (changed_) changed_();
}

void TButtonGlyph::SetGlyph(TBitmap* glyph) {
  Invalidate();
  glyph_.Assign(glyph);
  const int w = glyph_.GetWidth(), h = glyph_.GetHeight();
  if (!glyph_.GetEmpty() && h > 0 && w % h == 0 && w / h >= 1 && w / h <= 5)
    numGlyphs_ = w / h;
  else
    numGlyphs_ = 1;
  if (!glyph_.GetEmpty()) transparent_ = GetPixel(glyph_.Canvas()->Handle(), 0, h - 1);
  Changed();
}

void TButtonGlyph::SetGlyphMask(TBitmap* mask) {
  mask_.Assign(mask);
  Changed();
}

void TButtonGlyph::SetImageList(TCustomImageList* images, int index) {
  if (images == images_ && index == imageIndex_) return;
  images_ = images;
  imageIndex_ = index;
  if (HasImageList()) numGlyphs_ = 1;
  Changed();
}

void TButtonGlyph::SetNumGlyphs(int count) {
  const int n = !HasImageList() && count >= 1 && count <= 5 ? count : 1;
  if (n == numGlyphs_) return;
  numGlyphs_ = n;
  Changed();
}

void TButtonGlyph::SetOldDisabledStyle(bool on) {
  if (on == oldDisabledStyle_) return;
  oldDisabledStyle_ = on;
  Changed();
}

TSize TButtonGlyph::ImageSize() {
  if (HasImageList()) return TSize{images_->Width(), images_->Height()};
  if (glyph_.GetEmpty()) return TSize{0, 0};
  return TSize{glyph_.GetWidth() / numGlyphs_, glyph_.GetHeight()};
}

HBITMAP TButtonGlyph::SourceImage(int image, HBITMAP* mask) {
  const TSize s = ImageSize();
  HBITMAP bitmap = ScreenBitmap(s.cx, s.cy);
  MemoryDc dst(bitmap);
  *mask = nullptr;
  if (HasImageList()) {
    PatBlt(dst.dc, 0, 0, s.cx, s.cy, BLACKNESS);
    ImageList_Draw(images_->Handle(), imageIndex_, dst.dc, 0, 0, ILD_NORMAL);
    *mask = CreateBitmap(s.cx, s.cy, 1, 1, nullptr);
    MemoryDc m(*mask);
    PatBlt(m.dc, 0, 0, s.cx, s.cy, WHITENESS);
    ImageList_Draw(images_->Handle(), imageIndex_, m.dc, 0, 0, ILD_MASK);
    return bitmap;
  }
  BitBlt(dst.dc, 0, 0, s.cx, s.cy, glyph_.Canvas()->Handle(), image * s.cx, 0, SRCCOPY);
  if (!mask_.GetEmpty()) {
    *mask = CreateBitmap(s.cx, s.cy, 1, 1, nullptr);
    MemoryDc m(*mask);
    BitBlt(m.dc, 0, 0, s.cx, s.cy, mask_.Canvas()->Handle(), image * s.cx, 0, SRCCOPY);
  }
  return bitmap;
}

int TButtonGlyph::BuildEnabled(int image) {
  const TSize s = ImageSize();
  if (!lists_[0]) lists_[0] = GlyphCache()->GetList(s.cx, s.cy);
  HBITMAP mask = nullptr;
  HBITMAP bitmap = SourceImage(image, &mask);
  const int slot = mask ? lists_[0]->Add(bitmap, mask) : lists_[0]->AddMasked(bitmap, transparent_);
  DeleteObject(bitmap);
  if (mask) DeleteObject(mask);
  return slot;
}

// Black where the glyph has ink: everything but the transparent colour
// and, in the newer style, white and silver.
HBITMAP TButtonGlyph::DisabledMask(HBITMAP source, HBITMAP explicitMask, TSize s) {
  if (explicitMask) return explicitMask;
  HBITMAP mask = MakeColourMask(source, s.cx, s.cy, transparent_);
  if (oldDisabledStyle_) return mask;
  MemoryDc m(mask);
  for (COLORREF light : {RGB(255, 255, 255), RGB(192, 192, 192)}) {
    HBITMAP extra = MakeColourMask(source, s.cx, s.cy, light);
    {
      MemoryDc e(extra);
      BitBlt(m.dc, 0, 0, s.cx, s.cy, e.dc, 0, 0, SRCPAINT);
    }
    DeleteObject(extra);
  }
  return mask;
}

int TButtonGlyph::BuildEmbossed() {
  const TSize s = ImageSize();
  if (!lists_[1]) lists_[1] = GlyphCache()->GetList(s.cx + 1, s.cy + 1);
  HBITMAP explicitMask = nullptr;
  HBITMAP source = SourceImage(0, &explicitMask);
  HBITMAP mask = DisabledMask(source, explicitMask, s);
  HBITMAP result = ScreenBitmap(s.cx + 1, s.cy + 1);
  {
    MemoryDc dst(result), m(mask);
    HBRUSH face = CreateSolidBrush(ColorToRGB(clBtnFace));
    RECT all{0, 0, s.cx + 1, s.cy + 1};
    FillRect(dst.dc, &all, face);
    DeleteObject(face);
    SetTextColor(dst.dc, 0);
    SetBkColor(dst.dc, RGB(255, 255, 255));
    const DWORD rop = oldDisabledStyle_ ? kOldBrushWhereBlack : kBrushWhereBlack;
    const std::pair<TColor, int> passes[] = {{clBtnHighlight, 1}, {clBtnShadow, 0}};
    for (auto [colour, offset] : passes) {
      HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
      HGDIOBJ old = SelectObject(dst.dc, brush);
      BitBlt(dst.dc, offset, offset, s.cx, s.cy, m.dc, 0, 0, rop);
      SelectObject(dst.dc, old);
      DeleteObject(brush);
    }
  }
  const int slot = lists_[1]->AddMasked(result, ColorToRGB(clBtnFace));
  DeleteObject(result);
  DeleteObject(mask);
  DeleteObject(source);
  return slot;
}

int TButtonGlyph::Build(int state) {
  const bool disabled = state == 1;
  const bool embossed = disabled && numGlyphs_ < 2;
  int& index = indexes_[embossed ? 1 : 0][state];
  if (index >= 0) return index;
  const int image = state < numGlyphs_ ? state : 0;
  index = embossed ? BuildEmbossed() : BuildEnabled(image);
  return index;
}

void TButtonGlyph::Draw(HDC dc, TPoint at, int state) {
  const TSize s = ImageSize();
  if (s.cx <= 0 || s.cy <= 0 || state < 0 || state > 4) return;
  const int index = Build(state);
  const bool embossed = state == 1 && numGlyphs_ < 2;
  TGlyphList* list = lists_[embossed ? 1 : 0];
  if (index < 0 || !list) return;
  ImageList_DrawEx(list->Handle(), index, dc, at.x, at.y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}
