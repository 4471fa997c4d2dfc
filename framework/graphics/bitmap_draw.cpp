// The canvas's colour-keyed copy, which needs the bitmap's mask.
#include "dib.h"
#include "framework/bitmap.h"

namespace {
// Where the monochrome source is 1 the pattern, elsewhere the destination.
constexpr DWORD kPatternWhereSource = 0x00E20746;
}  // namespace

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
  if (!bitmap || bitmap->Empty()) return;
  Changing();
  RequiredState(TCanvasState{csHandleValid, csBrushValid});
  HBITMAP mask = bitmap->CreateMask(color);
  {
    ScratchDc maskDc(mask);
    HDC from = bitmap->SourceDc();
    const int w = RectWidth(dest), h = RectHeight(dest);
    const int sw = RectWidth(source), sh = RectHeight(source);
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, w, h, from, source.left, source.top, sw, sh, SRCCOPY);
    // A monochrome source reaches a colour context as text colour (0) and
    // background colour (1): black and white make it a bit mask.
    COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(dc_, RGB(255, 255, 255));
    StretchBlt(dc_, dest.left, dest.top, w, h, maskDc.dc, source.left, source.top, sw, sh, kPatternWhereSource);
    SetTextColor(dc_, oldText);
    SetBkColor(dc_, oldBk);
  }
  DeleteObject(mask);
  Changed();
}
