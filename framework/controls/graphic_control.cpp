// TGraphicControl and TCustomControl: controls that paint themselves on a
// canvas, the first on its parent's context, the second on its own window.
#include "framework/wincontrol.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& message) {
  if (message.Msg == WM_PAINT && message.WParam) {
    PaintWithCanvas(canvas_.get(), reinterpret_cast<HDC>(message.WParam), [this] { Paint(); });
    return;
  }
  TControl::WndProc(message);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {}
TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  PaintWithCanvas(canvas_.get(), dc, [this] { Paint(); });
}

void PaintWithCanvas(TCanvas* canvas, HDC dc, const std::function<void()>& paint) {
  canvas->Lock();
  canvas->SetHandle(dc);
  try {
    paint();
  } catch (...) {
    canvas->SetHandle(nullptr);
    canvas->Unlock();
    throw;
  }
  canvas->SetHandle(nullptr);
  canvas->Unlock();
}
