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
  if (data == data_) return;
  data_ = data;
  Changed();
}

void TFont::SetName(const std::string& name) {
  if (name.empty()) return;  // a font needs a face
  TFontData d = data_;
  d.name = name;
  SetData(d);
}

void TFont::SetHeight(int height) {
  TFontData d = data_;
  d.height = height;
  SetData(d);
}

int TFont::Size() const { return -MulDivRounded(data_.height, 72, pixelsPerInch_); }

void TFont::SetSize(int size) { SetHeight(-MulDivRounded(size, pixelsPerInch_, 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  TFontData d = data_;
  d.style = style;
  SetData(d);
}

void TFont::SetPitch(TFontPitch pitch) {
  TFontData d = data_;
  d.pitch = pitch;
  SetData(d);
}

void TFont::SetCharset(std::uint8_t charset) {
  TFontData d = data_;
  d.charset = charset;
  SetData(d);
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

void TPen::Change(const TPenData& data) {
  if (data == data_) return;
  data_ = data;
  Changed();
}

void TPen::SetColor(TColor color) {
  TPenData d = data_;
  d.color = color;
  Change(d);
}

void TPen::SetWidth(int width) {
  if (width < 0) return;
  TPenData d = data_;
  d.width = width;
  Change(d);
}

void TPen::SetStyle(TPenStyle style) {
  TPenData d = data_;
  d.style = style;
  Change(d);
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  Changed();
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

void TBrush::Change(const TBrushData& data) {
  if (data == data_) return;
  data_ = data;
  Changed();
}

void TBrush::SetColor(TColor color) {
  TBrushData d = data_;
  d.color = color;
  if (d.style == bsClear) d.style = bsSolid;
  Change(d);
}

void TBrush::SetStyle(TBrushStyle style) {
  TBrushData d = data_;
  d.style = style;
  Change(d);
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  TBrushData d = data_;
  d.bitmap = bitmap;
  Change(d);
}

void TBrush::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TBrush*>(source)) {
    Change(other->data_);
    return;
  }
  TPersistent::Assign(source);
}
