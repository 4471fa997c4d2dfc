// The status bar control.
#include "framework/statusbar.h"

#include "wrapper_support.h"

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>()), canvas_(std::make_unique<TCanvas>()) {
  SetBounds(Left(), Top(), 185, 19);
  SetAlign(alBottom);
  SetParentColor(false);
  SetColor(clBtnFace);
}

TStatusBar::~TStatusBar() { panels_->DetachWindow(); }

void TStatusBar::CreateParams(TCreateParams& params) {
  InitCommonControls();
  TWinControl::CreateParams(params);
  CreateSubClass(params, STATUSCLASSNAMEA);
  params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
  // The framework places the bar through Align, not the window itself.
  params.Style |= sizeGrip_ ? SBARS_SIZEGRIP : CCS_TOP;
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  HWND h = WindowHandle();
  panels_->AttachWindow(h);
  if (!simpleText_.empty()) SendMessageA(h, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
  if (simplePanel_) SendMessageA(h, SB_SIMPLE, TRUE, 0);
}

void TStatusBar::DestroyWnd() {
  panels_->DetachWindow();
  TWinControl::DestroyWnd();
}

void TStatusBar::SetSimplePanel(bool on) {
  if (on == simplePanel_) return;
  simplePanel_ = on;
  if (HandleAllocated()) SendMessageA(WindowHandle(), SB_SIMPLE, on ? TRUE : FALSE, 0);
}

void TStatusBar::SetSimpleText(const std::string& text) {
  if (text == simpleText_) return;
  simpleText_ = text;
  if (HandleAllocated())
    SendMessageA(WindowHandle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void TStatusBar::SetSizeGrip(bool on) {
  if (on == sizeGrip_) return;
  sizeGrip_ = on;
  if (HandleAllocated()) RecreateWnd();
}

void TStatusBar::DrawPanel(TStatusPanel* panel, const TRect& rect) {
  if (OnDrawPanel) OnDrawPanel(this, panel, rect);
}

void TStatusBar::DrawItem(const DRAWITEMSTRUCT& item) {
  int index = static_cast<int>(item.itemID);
  if (index < 0 || index >= panels_->Count()) return;
  canvas_->SetHandle(item.hDC);
  canvas_->Font()->Assign(Font());
  canvas_->Brush()->SetColor(Color());
  canvas_->Brush()->SetStyle(bsSolid);
  Guarded([&] { DrawPanel(panels_->Items(index), item.rcItem); });
  canvas_->SetHandle(nullptr);
}

void TStatusBar::WndProc(TMessage& message) {
  if (message.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
    message.Result = TRUE;
    return;
  }
  TWinControl::WndProc(message);
}
