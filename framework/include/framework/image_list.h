// TCustomImageList / TImageList: a comctl32 image list of equally sized
// images (16 x 16 by default), each with an optional mask.
#pragma once

#include <win32/comctl32_imagelist.h>
#include <win32/windef.h>

#include "framework/component.h"
#include "framework/types.h"

class TBitmap;
class TCanvas;

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner);
  TCustomImageList(int width, int height, TComponent* owner);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size empties the list (its images no longer fit).
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  void SetSize(int width, int height);
  // Whether images carry masks; changing it empties the list.
  bool Masked() const { return masked_; }
  void SetMasked(bool masked);
  // The colour behind transparent pixels when drawn without
  // transparency; clNone draws them transparently.
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor color);

  int Count();
  // Adds the images of `image` (several when it is a multiple of Width
  // wide) with the masks of `mask` (may be null); the index of the first.
  // EInvalidOperation "Invalid image size" for a bitmap smaller than the
  // list's images. The bitmaps stay the caller's.
  int Add(TBitmap* image, TBitmap* mask);
  // As Add, masking every pixel of `maskColor`.
  int AddMasked(TBitmap* image, TColor maskColor);
  void Replace(int index, TBitmap* image, TBitmap* mask);
  // EInvalidOperation "Invalid ImageList Index" for an index outside the list.
  void Delete(int index);
  void Clear();

  // Draws image `index` at (x, y), transparently when masked; a disabled
  // image is drawn as an embossed silhouette in the button shadow and
  // highlight colours.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  // Sizes `image` to one image and draws image `index` into it.
  void GetBitmap(int index, TBitmap* image);

  HIMAGELIST Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  void Recreate();
  void CheckIndex(int index);
  void CheckImage(TBitmap* image) const;
  void DrawDisabled(HDC dc, int x, int y, int index);

  int width_ = 16;
  int height_ = 16;
  bool masked_ = true;
  TColor bkColor_ = clNone;
  HIMAGELIST handle_ = nullptr;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};
