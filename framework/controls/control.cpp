// TControl: properties, bounds, the message entry and the framework's
// notifications common to windowless and windowed controls.
#include <cstdio>

#include "framework/exceptions.h"
#include "framework/menus.h"
#include "framework/wincontrol.h"

namespace {
TControl* gMouseControl = nullptr;
TControl* gCaptureControl = nullptr;
TCursor gGlobalCursor = crDefault;
}  // namespace

TControl* MouseControl() { return gMouseControl; }
TControl* CaptureControl() { return gCaptureControl; }
void SetGlobalCursor(TCursor cursor) { gGlobalCursor = cursor; }
TCursor GlobalCursor() { return gGlobalCursor; }

namespace controls_detail {
void SetMouseControl(TControl* control) { gMouseControl = control; }
void SetCaptureControl(TControl* control) { gCaptureControl = control; }
}  // namespace controls_detail

void HandleControlException(TObject* sender) {
  if (ControlExceptionHandler) {
    ControlExceptionHandler(sender);
    return;
  }
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "unknown exception\n");
  }
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  static unsigned long long created = 0;
  creationOrder_ = ++created;
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_.OnChange = [this](TObject* sender) { FontChanged(sender); };
}

TControl::~TControl() {
  if (gMouseControl == this) gMouseControl = nullptr;
  if (gCaptureControl == this) gCaptureControl = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

void TControl::BeforeDestruction() {
  Destroying();
  if (parent_) parent_->RemoveControl(this);
  TComponent::BeforeDestruction();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

void TControl::Guarded(const std::function<void()>& body) {
  try {
    body();
  } catch (...) {
    HandleControlException(this);
  }
}

void TControl::WndProc(TMessage& message) {
  if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST) {
    HandleMouseMessage(message);
    return;
  }
  if (HandleNotification(message)) return;
  DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

bool TControl::HandleNotification(TMessage& message) {
  switch (message.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_VISIBLECHANGED:
      Invalidate();
      return true;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        updatingFont_ = true;
        font_.Assign(parent_->Font());
        updatingFont_ = false;
      }
      return true;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
      }
      return true;
    case CM_PARENTSHOWHINTCHANGED:
      if (parentShowHint_ && parent_ && showHint_ != parent_->ShowHint()) {
        showHint_ = parent_->ShowHint();
        Perform(CM_SHOWHINTCHANGED);
      }
      return true;
    case CM_HITTEST:
      message.Result = HTCLIENT;
      return true;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      const bool enter = message.Msg == CM_MOUSEENTER;
      if (parent_) parent_->Perform(message.Msg, 0, reinterpret_cast<LPARAM>(this));
      if (message.LParam == 0) {
        TNotifyEvent& event = enter ? OnMouseEnter : OnMouseLeave;
        if (event) event(this);
      }
      return true;
    }
    case CM_CANCELMODE:
      if (reinterpret_cast<TControl*>(message.LParam) != this && MouseCapture()) {
        SetMouseCapture(false);
        controlState_.Exclude(csLButtonDown).Exclude(csClicked);
      }
      return true;
    default:
      return false;
  }
}

namespace {
TShiftState KeysToShift(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}
}  // namespace

// The window's own procedure sees a mouse message first, as a standard
// control must (a button that lost the capture before its button-up would
// never click); the framework's events follow.
void TControl::HandleMouseMessage(TMessage& message) {
  DefaultHandler(message);
  const int x = static_cast<short>(LOWORD(message.LParam));
  const int y = static_cast<short>(HIWORD(message.LParam));
  TShiftState shift = KeysToShift(message.WParam);
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (message.Msg == WM_LBUTTONDBLCLK && controlStyle_.Contains(csDoubleClicks)) {
        DblClick();
        shift.Include(ssDouble);
      }
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
      controlState_.Include(csLButtonDown);
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      const bool clicked = controlState_.Contains(csClicked);
      controlState_.Exclude(csClicked).Exclude(csLButtonDown);
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
      const TRect r = ClientRect();
      if (clicked && x >= r.left && x < r.right && y >= r.top && y < r.bottom) Click();
      MouseUp(mbLeft, shift, x, y);
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const bool right = message.Msg == WM_RBUTTONDOWN || message.Msg == WM_RBUTTONDBLCLK;
      if (message.Msg == WM_RBUTTONDBLCLK || message.Msg == WM_MBUTTONDBLCLK) shift.Include(ssDouble);
      MouseDown(right ? mbRight : mbMiddle, shift, x, y);
      break;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseUp(message.Msg == WM_RBUTTONUP ? mbRight : mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown && !controlStyle_.Contains(csNoStdEvents)) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove && !controlStyle_.Contains(csNoStdEvents)) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp && !controlStyle_.Contains(csNoStdEvents)) OnMouseUp(this, button, shift, x, y);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// ---- parent

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

TWinControl* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  auto* top = dynamic_cast<const TWinControl*>(c);
  return const_cast<TWinControl*>(top);
}

void TControl::ParentChanged() {
  Perform(CM_PARENTFONTCHANGED);
  Perform(CM_PARENTCOLORCHANGED);
  Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component != nullptr && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Loaded() {
  TComponent::Loaded();
  ParentChanged();
  RequestAlign();
}

// ---- bounds

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool sized = width != width_ || height != height_;
  if (parent_ && visible_) parent_->InvalidateChildArea(BoundsRect());
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (parent_ && visible_) parent_->InvalidateChildArea(BoundsRect());
  BoundsChanged();
  RequestAlign();
  if (sized) Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
void TControl::SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
void TControl::SetClientSize(int width, int height) {
  const TRect r = ClientRect();
  SetBounds(left_, top_, width_ + width - RectWidth(r), height_ + height - RectHeight(r));
}

TPoint TControl::ClientOrigin() {
  if (!parent_) return Point(left_, top_);
  TPoint p = parent_->ClientOrigin();
  return Point(p.x + left_, p.y + top_);
}

TPoint TControl::ClientToScreen(TPoint p) {
  const TPoint o = ClientOrigin();
  return Point(p.x + o.x, p.y + o.y);
}

TPoint TControl::ScreenToClient(TPoint p) {
  const TPoint o = ClientOrigin();
  return Point(p.x - o.x, p.y - o.y);
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_) parent_->AlignChild(this);
}

// ---- state

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  VisibleChanging();
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (parent_) {
    parent_->InvalidateChildArea(BoundsRect());
    if (align_ != alNone) RequestAlign();
  }
}

void TControl::Show() { SetVisible(true); }
void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

bool TControl::Showing() { return visible_ && parent_ && parent_->Showing(); }

std::string TControl::Text() { return text_; }

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetTextInternal(const std::string& text) { text_ = text; }

void TControl::FontChanged(TObject*) {
  if (!updatingFont_) parentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentFont(bool on) {
  parentFont_ = on;
  if (on && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetParentColor(bool on) {
  parentColor_ = on;
  if (on && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetShowHint(bool on) {
  parentShowHint_ = false;
  if (on == showHint_) return;
  showHint_ = on;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool on) {
  parentShowHint_ = on;
  if (on && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

bool TControl::ShowPopupMenu(int screenX, int screenY) {
  if (!popupMenu_ || !popupMenu_->AutoPopup()) return false;
  if (screenX == -1 && screenY == -1) {  // from the keyboard: the middle of the control
    const TPoint centre = ClientToScreen(Point(width_ / 2, height_ / 2));
    screenX = centre.x;
    screenY = centre.y;
  }
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(screenX, screenY);
  return true;
}

// ---- capture

bool TControl::MouseCapture() {
  if (auto* w = dynamic_cast<TWinControl*>(this)) return w->HandleAllocated() && GetCapture() == w->WindowHandle();
  return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool on) {
  if (MouseCapture() == on) return;
  if (!on) {
    gCaptureControl = nullptr;
    ReleaseCapture();
    return;
  }
  auto* w = dynamic_cast<TWinControl*>(this);
  TWinControl* holder = w ? w : parent_;
  if (!holder) return;
  gCaptureControl = this;
  SetCapture(holder->Handle());
}

// ---- painting

void TControl::Invalidate() {
  if (parent_ && visible_) parent_->InvalidateChildArea(BoundsRect(), !controlStyle_.Contains(csOpaque));
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (parent_) {
    parent_->SetChildZOrder(this, true);
    return;
  }
  // A window of its own (a form): to the top of the screen's windows.
  auto* self = dynamic_cast<TWinControl*>(this);
  if (self && self->HandleAllocated())
    SetWindowPos(self->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
void TControl::SendToBack() {
  if (parent_) parent_->SetChildZOrder(this, false);
}
