#include "framework/graphics_objects.h"

#include <cstdlib>

namespace {

// a x b / c rounded half away from zero, as the window system's MulDiv.
int MulDivRounded(int a, int b, int c) {
  long long n = static_cast<long long>(a) * b;
  long long q = (std::llabs(n) + std::llabs(c) / 2) / std::llabs(c);
  return static_cast<int>((n < 0) != (c < 0) ? -q : q);
}

}  // namespace

void TFont::SetData(const TFontData& data) {
  EditData(data_, [&](TFontData& d) { d = data; });
}

void TFont::SetName(const std::string& name) {
  if (name.empty()) return;  // a font needs a face
  EditData(data_, [&](TFontData& d) { d.name = name; });
}

void TFont::SetHeight(int height) {
  EditData(data_, [&](TFontData& d) { d.height = height; });
}

int TFont::Size() const { return -MulDivRounded(data_.height, 72, pixelsPerInch_); }

void TFont::SetSize(int size) { SetHeight(-MulDivRounded(size, pixelsPerInch_, 72)); }

void TFont::SetColor(TColor color) {
  EditData(color_, [&](TColor& c) { c = color; });
}

void TFont::SetStyle(TFontStyles style) {
  EditData(data_, [&](TFontData& d) { d.style = style; });
}

void TFont::SetPitch(TFontPitch pitch) {
  EditData(data_, [&](TFontData& d) { d.pitch = pitch; });
}

void TFont::SetCharset(std::uint8_t charset) {
  EditData(data_, [&](TFontData& d) { d.charset = charset; });
}

void TFont::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TFont*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  TFontData d = other->data_;
  if (pixelsPerInch_ != other->pixelsPerInch_) d.height = -MulDivRounded(other->Size(), pixelsPerInch_, 72);
  bool changed = !(d == data_) || color_ != other->color_;
  data_ = d;
  color_ = other->color_;
  if (changed) Changed();
}

void TPen::SetColor(TColor color) {
  EditData(data_, [&](TPenData& d) { d.color = color; });
}

void TPen::SetWidth(int width) {
  if (width < 0) return;
  EditData(data_, [&](TPenData& d) { d.width = width; });
}

void TPen::SetStyle(TPenStyle style) {
  EditData(data_, [&](TPenData& d) { d.style = style; });
}

void TPen::SetMode(TPenMode mode) {
  EditData(mode_, [&](TPenMode& m) { m = mode; });
}

void TPen::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TPen*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  bool changed = !(other->data_ == data_) || other->mode_ != mode_;
  data_ = other->data_;
  mode_ = other->mode_;
  if (changed) Changed();
}

// A colour makes a clear brush solid again.
void TBrush::SetColor(TColor color) {
  EditData(data_, [&](TBrushData& d) {
    d.color = color;
    if (d.style == bsClear) d.style = bsSolid;
  });
}

void TBrush::SetStyle(TBrushStyle style) {
  EditData(data_, [&](TBrushData& d) { d.style = style; });
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  EditData(data_, [&](TBrushData& d) { d.bitmap = bitmap; });
}

void TBrush::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TBrush*>(source)) {
    EditData(data_, [&](TBrushData& d) { d = other->data_; });
    return;
  }
  TPersistent::Assign(source);
}
