// An image list: equally sized images kept side by side in one colour strip,
// with a parallel black (opaque) / white (transparent) mask strip when the
// list was made with ILC_MASK. Masked images are stored black where they are
// transparent, so a transparent draw is mask AND then image OR.
#pragma once

#include <win32/comctl32_imagelist.h>
#include <win32/gdi32.h>

#include <cstdint>
#include <vector>

#include "imagelist/image_strip.h"

namespace imagelist {

struct DrawRequest {
  int x = 0, y = 0, width = 0, height = 0;
  COLORREF background = CLR_DEFAULT, foreground = CLR_DEFAULT;
  UINT style = ILD_NORMAL;
};

class ImageList {
 public:
  ImageList(int cx, int cy, UINT flags, int grow) : cx_(cx), cy_(cy), flags_(flags), grow_(grow) {}

  bool Init(int initial);
  int Count() const { return count_; }
  int Cx() const { return cx_; }
  int Cy() const { return cy_; }
  bool Masked() const { return flags_ & ILC_MASK; }
  COLORREF Background() const { return background_; }
  COLORREF SetBackground(COLORREF c);

  // Appends every whole image of the bitmap; the index of the first, or -1.
  int Add(HBITMAP image, HBITMAP mask);
  int AddMasked(HBITMAP image, COLORREF key);
  bool Replace(int index, HBITMAP image, HBITMAP mask);
  bool Remove(int index);  // -1 removes all
  bool SetCount(int count);
  bool Draw(int index, HDC dc, const DrawRequest& r);

 private:
  struct Pixels {
    std::vector<std::uint32_t> px;
    int width = 0, height = 0;
  };
  static bool Read(HBITMAP bitmap, Pixels& out);
  bool Reserve(int count);
  // Writes image `sourceImage` of `image` into slot `slot`; the mask comes
  // from `mask` when given, else from the key colour, else all opaque.
  void Store(int slot, const Pixels& image, int sourceImage, const Pixels* mask, const COLORREF* key);
  int Append(const Pixels& image, const Pixels* mask, const COLORREF* key);
  void Blit(HDC dc, const DrawRequest& r, HDC source, int sx, DWORD rop) const;
  bool Blended(int index, const DrawRequest& r, ImageStrip& out) const;

  int cx_, cy_;
  UINT flags_;
  int grow_;
  int count_ = 0, capacity_ = 0;
  COLORREF background_ = CLR_NONE;
  ImageStrip image_, mask_;
};

}  // namespace imagelist
