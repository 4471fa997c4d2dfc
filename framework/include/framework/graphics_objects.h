// The drawing attributes as data: TFont, TPen and TBrush hold what their
// GDI objects are made from and announce every real change through
// OnChange. The drawing layer makes (and caches) the handles from the
// data records, so these classes need no window system.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "framework/object.h"
#include "framework/types.h"

class TBitmap;  // the drawing layer's bitmap, used as a brush pattern

inline constexpr std::uint8_t DEFAULT_FONT_CHARSET = 1;

class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;

 protected:
  virtual void Changed() {
    if (OnChange) OnChange(this);
  }
  // Applies `edit` to a copy of `data` and keeps it, announcing the change,
  // only when it differs.
  template <class Data, class Edit>
  void EditData(Data& data, Edit edit) {
    Data next = data;
    edit(next);
    if (next == data) return;
    data = std::move(next);
    Changed();
  }
};

struct TFontData {
  int height = -11;  // pixels; negative: the character height without internal leading
  TFontPitch pitch = fpDefault;
  TFontStyles style;
  std::uint8_t charset = DEFAULT_FONT_CHARSET;
  std::string name = "MS Sans Serif";
  bool operator==(const TFontData&) const = default;
};

// Default: "MS Sans Serif", 8 points (height -11 at 96 dpi), clWindowText.
class TFont : public TGraphicsObject {
 public:
  const TFontData& Data() const { return data_; }
  void SetData(const TFontData& data);

  const std::string& Name() const { return data_.name; }
  void SetName(const std::string& name);
  int Height() const { return data_.height; }
  void SetHeight(int height);
  // Points: -Height x 72 / PixelsPerInch, rounded; setting does the inverse.
  int Size() const;
  void SetSize(int size);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return data_.style; }
  void SetStyle(TFontStyles style);
  TFontPitch Pitch() const { return data_.pitch; }
  void SetPitch(TFontPitch pitch);
  std::uint8_t Charset() const { return data_.charset; }
  void SetCharset(std::uint8_t charset);
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi > 0 ? ppi : 96; }

  // From another font: its data and colour; its size in points is kept
  // when the two fonts have different resolutions.
  void Assign(TPersistent* source) override;

 private:
  TFontData data_;
  TColor color_ = clWindowText;
  int pixelsPerInch_ = 96;
};

struct TPenData {
  TColor color = clBlack;
  int width = 1;
  TPenStyle style = psSolid;
  bool operator==(const TPenData&) const = default;
};

// Default: black, one pixel, solid, copy mode.
class TPen : public TGraphicsObject {
 public:
  const TPenData& Data() const { return data_; }
  TColor Color() const { return data_.color; }
  void SetColor(TColor color);
  int Width() const { return data_.width; }
  void SetWidth(int width);
  TPenStyle Style() const { return data_.style; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);
  void Assign(TPersistent* source) override;

 private:
  TPenData data_;
  TPenMode mode_ = pmCopy;
};

struct TBrushData {
  TColor color = clWhite;
  TBitmap* bitmap = nullptr;
  TBrushStyle style = bsSolid;
  bool operator==(const TBrushData&) const = default;
};

// Default: white, solid, no pattern bitmap (the bitmap is not owned).
class TBrush : public TGraphicsObject {
 public:
  const TBrushData& Data() const { return data_; }
  TColor Color() const { return data_.color; }
  // A colour makes a clear brush solid again.
  void SetColor(TColor color);
  TBrushStyle Style() const { return data_.style; }
  void SetStyle(TBrushStyle style);
  TBitmap* Bitmap() const { return data_.bitmap; }
  void SetBitmap(TBitmap* bitmap);
  void Assign(TPersistent* source) override;

 private:
  TBrushData data_;
};
