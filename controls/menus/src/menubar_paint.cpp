#include <win32/gdi32.h>
#include <win32/user32.h>

#include "framework/graphics.h"
#include "menus/am2000menubar.h"

namespace {

void FillColour(HDC dc, const RECT& r, TColor colour) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

void TCustomMenuBar2000::FillBuffer() {
  HDC dc = itemBuffer_.Canvas()->Handle();
  if (transparent_) {
    BitBlt(dc, 0, 0, itemBuffer_.Width() + 2, itemBuffer_.Height() + 2, parentImage_.Canvas()->Handle(), Left(),
           Top(), SRCCOPY);
  } else {
    FillColour(dc, RECT{0, 0, itemBuffer_.Width(), itemBuffer_.Height()}, options_.Colors()->Menu);
  }
  textColor_ = options_.Colors()->MenuText;
  MakeBarOptions(barOptions_, options_);
  for (int i = 0; i < ItemCount(); ++i) DrawBarItem(i, dc);
  currentRect_ = ItemRect(currentIndex_);
  bufferValid_ = true;
}

void TCustomMenuBar2000::DrawBarItem(int index, HDC dc) {
  TMenuItem* item = Item(index);
  const TRect r = ItemRect(index);
  if (!item) return;
  if (transparent_)
    BitBlt(dc, r.left, r.top, RectWidth(r), RectHeight(r), parentImage_.Canvas()->Handle(), Left() + r.left,
           Top() + r.top, SRCCOPY);
  else
    FillColour(dc, r, options_.Colors()->Menu);
  const bool current = index == currentIndex_ && barState_ != bsIdle;
  const bool pressed = current && barState_ == bsSelected;
  std::uint16_t state = isKeepBackground;
  if (!item->Enabled()) state |= isDisabled;
  if (current && !ctl3D_) state |= isSelected;
  barOptions_.Colors()->MenuText = barActive_ ? textColor_ : options_.Colors()->DisabledText;

  T_AM2000_MenuItemRect cols;
  const int shift = pressed && ctl3D_ ? 1 : 0;
  cols.Left = r.left + shift;
  cols.Right = r.right + shift;
  cols.GlyphLeft = r.left + 4;
  cols.GlyphWidth = item->HasBitmap() ? item->Bitmap()->Width() : 0;
  cols.TextLeft = r.left + cols.GlyphWidth + shift;
  cols.TextWidth = r.right - cols.TextLeft + shift;
  cols.Top = r.top + shift;
  cols.Height = RectHeight(r);
  TCanvas* canvas = itemBuffer_.Canvas();
  canvas->Font()->Assign(DrawFont());
  T_AM2000_ItemContext context{canvas, item, &barOptions_, &cols, nullptr, state};
  DrawItem(context);
  if (current && ctl3D_) {
    RECT edge = r;
    DrawEdge(dc, &edge, barState_ == bsHot ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
  } else if (current) {
    HBRUSH frame = CreateSolidBrush(ColorToRGB(options_.Colors()->HighlightText));
    FrameRect(dc, &r, frame);
    DeleteObject(frame);
  }
}

void TCustomMenuBar2000::Paint() {
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
  if (Parent() && Parent()->ControlState().Contains(csPaintCopy)) return;
  if (transparent_) CaptureParent();
  if (!bufferValid_ && ItemCount() > 0) FillBuffer();
  HDC dc = Canvas()->Handle();
  const int bufferW = ItemCount() > 0 ? itemBuffer_.Width() : 0;
  const int bufferH = ItemCount() > 0 ? itemBuffer_.Height() : 0;
  const int x0 = options_.Alignment == taRightToLeft ? Width() - bufferW : 0;
  if (bufferW > 0) BitBlt(dc, x0, 0, bufferW, bufferH, itemBuffer_.Canvas()->Handle(), 0, 0, SRCCOPY);
  // The rest of the bar: beside the items and below them.
  const RECT rests[] = {{0, 0, x0, Height()}, {x0 + bufferW, 0, Width(), Height()}, {x0, bufferH, x0 + bufferW, Height()}};
  for (const RECT& r : rests) {
    if (r.right <= r.left || r.bottom <= r.top) continue;
    if (transparent_ && Parent())
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, parentImage_.Canvas()->Handle(), Left() + r.left,
             Top() + r.top, SRCCOPY);
    else
      FillColour(dc, r, options_.Colors()->Menu);
  }
}

// Only the item changes: it is drawn into the buffer and copied out.
void TCustomMenuBar2000::RedrawItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  if (!bufferValid_ || !HandleAllocated()) {
    Invalidate();
    return;
  }
  HDC buffer = itemBuffer_.Canvas()->Handle();
  DrawBarItem(index, buffer);
  const TRect r = ItemRect(index);
  const int x0 = options_.Alignment == taRightToLeft ? Width() - itemBuffer_.Width() : 0;
  HDC dc = GetDC(Handle());
  BitBlt(dc, x0 + r.left, r.top, RectWidth(r), RectHeight(r), buffer, r.left, r.top, SRCCOPY);
  ReleaseDC(Handle(), dc);
  if (index == currentIndex_) currentRect_ = r;
}

void TCustomMenuBar2000::SetState(T_AM2000_BarState state) {
  if (state == barState_) return;
  const T_AM2000_BarState old = barState_;
  barState_ = state;
  if (state == bsIdle) keyboardMode_ = false;
  if (state == bsSelected && !caretHidden_) caretHidden_ = HideCaret(nullptr) != FALSE;
  if (old == bsSelected && caretHidden_) {
    ShowCaret(nullptr);
    caretHidden_ = false;
  }
  RedrawItem(currentIndex_);
}
