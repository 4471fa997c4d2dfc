#include <win32/gdi32.h>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/exceptions.h"
#include "framework/graphics.h"
#include "framework/image_list.h"

namespace {

// The brush where the source is black (ROP "DSPDxax").
constexpr DWORD kRopBrushWhereBlack = 0x00E20746;

// A private copy of a bitmap, selected into no context, for calls that
// select the bitmap themselves.
struct LooseCopy {
  explicit LooseCopy(TBitmap* source) {
    if (source) copy.Assign(source);
  }
  HBITMAP Handle() { return copy.Handle(); }
  TBitmap copy;
};

}  // namespace

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::TCustomImageList(int width, int height, TComponent* owner)
    : TComponent(owner), width_(width), height_(height) {}

TCustomImageList::~TCustomImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

HIMAGELIST TCustomImageList::Handle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLORDDB | (masked_ ? ILC_MASK : 0), 4, 4);
    if (!handle_) throw EInvalidOperation("Error creating window image list");
    ImageList_SetBkColor(handle_, bkColor_ == clNone ? CLR_NONE : ColorToRGB(bkColor_));
  }
  return handle_;
}

void TCustomImageList::Recreate() {
  if (!handle_) return;
  int had = ImageList_GetImageCount(handle_);
  ImageList_Destroy(handle_);
  handle_ = nullptr;
  if (had > 0) Change();
}

void TCustomImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  if (width <= 0 || height <= 0) throw EInvalidOperation("Invalid image size");
  width_ = width;
  height_ = height;
  Recreate();
}

void TCustomImageList::SetMasked(bool masked) {
  if (masked == masked_) return;
  masked_ = masked;
  Recreate();
}

void TCustomImageList::SetBkColor(TColor color) {
  bkColor_ = color;
  if (handle_) ImageList_SetBkColor(handle_, color == clNone ? CLR_NONE : ColorToRGB(color));
  Change();
}

int TCustomImageList::Count() { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::CheckImage(TBitmap* image) const {
  if (!image || image->Width() < width_ || image->Height() < height_) throw EInvalidOperation("Invalid image size");
}

void TCustomImageList::CheckIndex(int index) {
  if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  CheckImage(image);
  LooseCopy picture(image), masks(mask);
  int index = ImageList_Add(Handle(), picture.Handle(), mask ? masks.Handle() : nullptr);
  if (index < 0) throw EInvalidOperation("Failed to add image");
  Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  CheckImage(image);
  LooseCopy picture(image);  // the call blackens masked pixels of what it is given
  int index = ImageList_AddMasked(Handle(), picture.Handle(), ColorToRGB(maskColor));
  if (index < 0) throw EInvalidOperation("Failed to add image");
  Change();
  return index;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  CheckIndex(index);
  CheckImage(image);
  LooseCopy picture(image), masks(mask);
  if (!ImageList_Replace(handle_, index, picture.Handle(), mask ? masks.Handle() : nullptr))
    throw EInvalidOperation("Failed to replace image");
  Change();
}

void TCustomImageList::Delete(int index) {
  CheckIndex(index);
  ImageList_Remove(handle_, index);
  Change();
}

void TCustomImageList::Clear() {
  if (Count() == 0) return;
  ImageList_Remove(handle_, -1);
  Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  if (!canvas || index < 0 || index >= Count()) return;
  HDC dc = canvas->Handle();
  if (enabled)
    ImageList_Draw(handle_, index, dc, x, y, masked_ ? ILD_TRANSPARENT : ILD_NORMAL);
  else
    DrawDisabled(dc, x, y, index);
}

// The image drawn onto white in a monochrome bitmap marks every painted
// pixel black; that silhouette is laid down twice, offset in the
// highlight colour and in place in the shadow colour.
void TCustomImageList::DrawDisabled(HDC dc, int x, int y, int index) {
  HBITMAP mono = CreateBitmap(width_, height_, 1, 1, nullptr);
  HDC monoDc = CreateCompatibleDC(dc);
  HGDIOBJ oldBitmap = SelectObject(monoDc, mono);
  PatBlt(monoDc, 0, 0, width_, height_, WHITENESS);
  ::SetBkColor(monoDc, RGB(255, 255, 255));
  ImageList_Draw(handle_, index, monoDc, 0, 0, ILD_TRANSPARENT);

  COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
  COLORREF oldBk = ::SetBkColor(dc, RGB(0, 0, 0));
  const TColor passes[2] = {clBtnHighlight, clBtnShadow};
  for (int pass = 0; pass < 2; ++pass) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(passes[pass]));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    int offset = pass == 0 ? 1 : 0;
    BitBlt(dc, x + offset, y + offset, width_, height_, monoDc, 0, 0, kRopBrushWhereBlack);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  }
  SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
  SelectObject(monoDc, oldBitmap);
  DeleteDC(monoDc);
  DeleteObject(mono);
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
  if (!image) return;
  CheckIndex(index);
  image->SetSize(width_, height_);
  ImageList_Draw(handle_, index, image->Canvas()->Handle(), 0, 0, ILD_NORMAL);
}

void TCustomImageList::Change() {
  if (OnChange && !ComponentState().Contains(csDestroying)) OnChange(this);
}
