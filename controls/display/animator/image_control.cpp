#include <win32/gdi32.h>
#include <win32/user32.h>

#include "display/GIFCtrl.h"
#include "framework/forms.h"
#include "framework/wincontrol.h"

TRxImageControl::TRxImageControl(TComponent* owner) : TGraphicControl(owner) {
  TControlStyle style = ControlStyle();
  style.Include(csOpaque).Include(csCaptureMouse).Include(csClickEvents).Include(csDoubleClicks);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 105, 105);
  SetParentColor(true);
}

void TRxImageControl::WndProc(TMessage& message) {
  if (message.Msg == WM_PAINT && message.WParam && !paintBuffered_) {
    PaintBuffered(reinterpret_cast<HDC>(message.WParam));
    return;
  }
  TGraphicControl::WndProc(message);
}

void TRxImageControl::PaintBuffered(HDC dc) {
  HDC screen = GetDC(nullptr);
  HBITMAP buffer = CreateCompatibleBitmap(screen, Width(), Height());
  ReleaseDC(nullptr, screen);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, buffer);
  paintBuffered_ = true;
  try {
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  } catch (...) {
    paintBuffered_ = false;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(buffer);
    throw;
  }
  paintBuffered_ = false;
  BitBlt(dc, 0, 0, Width(), Height(), memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(buffer);
}

void TRxImageControl::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->FillRect(ClientRect());
  drawing_ = true;
  try {
    DoPaintImage();
  } catch (...) {
    drawing_ = false;
    throw;
  }
  drawing_ = false;
}

void TRxImageControl::PaintParentBackground() {
  TWinControl* parent = Parent();
  if (!parent) return;
  HDC dc = Canvas()->Handle();
  const int saved = SaveDC(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - Left(), origin.y - Top(), nullptr);
  const TRect parentArea = parent->ClientRect();
  IntersectClipRect(dc, parentArea.left, parentArea.top, parentArea.right, parentArea.bottom);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  const TRect self = BoundsRect();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* sibling = parent->Controls(i);
    if (sibling == this) break;
    TRect r = sibling->BoundsRect(), common;
    if (!sibling->Visible() || dynamic_cast<TWinControl*>(sibling) || !IntersectRect(&common, &r, &self)) continue;
    const int state = SaveDC(dc);
    SetViewportOrgEx(dc, origin.x + r.left - Left(), origin.y + r.top - Top(), nullptr);
    IntersectClipRect(dc, 0, 0, RectWidth(r), RectHeight(r));
    sibling->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, state);
  }
}

void TRxImageControl::PictureChanged() {
  if (ComponentState().Contains(csDestroying)) return;
  AdjustSize();
  if (graphic_ && graphic_->GetPalette()) {
    auto* form = dynamic_cast<TCustomForm*>(GetParentForm());
    if (form && form->Active() && form->HandleAllocated()) {
      if (drawing_)
        SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0);
      else
        PostMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0);
    }
  }
  if (!drawing_) Invalidate();
}
