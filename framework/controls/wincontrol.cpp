// TWinControl: the window made from CreateParams, the framework's window
// procedure and the window messages every windowed control handles.
#include "framework/wincontrol.h"

#include "framework/exceptions.h"
#include "framework/format.h"
#include "framework/gdi_resources.h"

namespace controls_detail {
void SetMouseControl(TControl* control);
void SetCaptureControl(TControl* control);
}  // namespace controls_detail

namespace {
constexpr char kObjectProp[] = "xvt.framework.control";
constexpr char kDefProcProp[] = "xvt.framework.defproc";
thread_local TWinControl* gCreating = nullptr;

WNDPROC StoredDefProc(HWND hwnd) {
  auto proc = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kDefProcProp));
  return proc ? proc : DefWindowProcA;
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { brush_.SetColor(Color()); }

TWinControl::~TWinControl() {
  DestroyChildren();
  ReleaseWindow();
}

void TWinControl::BeforeDestruction() {
  Destroying();
  if (Parent()) RemoveFocus(true);
  DestroyChildren();
  ReleaseWindow();
  TControl::BeforeDestruction();
}

void TWinControl::DestroyChildren() {
  while (!winControls_.empty()) Free(winControls_.back());
  while (!controls_.empty()) Free(controls_.back());
}

void TWinControl::ReleaseWindow() {
  if (!handle_) return;
  HWND h = handle_;
  RemovePropA(h, kObjectProp);
  handle_ = nullptr;
  DestroyWindow(h);
}

TWinControl* TWinControl::FindControl(HWND hwnd) {
  return hwnd ? static_cast<TWinControl*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

LRESULT CALLBACK TWinControl::FrameworkWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(hwnd);
  if (!control && gCreating) {
    control = gCreating;
    gCreating = nullptr;
    control->handle_ = hwnd;
    SetPropA(hwnd, kObjectProp, control);
    SetPropA(hwnd, kDefProcProp, reinterpret_cast<HANDLE>(control->defWndProc_));
  }
  if (!control) {
    LRESULT r = CallWindowProcA(StoredDefProc(hwnd), hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) RemovePropA(hwnd, kDefProcProp);
    return r;
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    control->WindowProc(m);
  } catch (...) {
    HandleControlException(control);
  }
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kObjectProp);
    RemovePropA(hwnd, kDefProcProp);
    if (control->handle_ == hwnd) control->handle_ = nullptr;
  }
  return m.Result;
}

// ---- creation

void TWinControl::CreateParams(TCreateParams& params) {
  params = TCreateParams{};
  params.Caption = text_;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle().Contains(csAcceptsControls)) {
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WndParent = Parent() ? Parent()->Handle() : parentWindow_;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = DefWindowProcA;
  params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* controlClassName) {
  InitCommonControls();
  WNDCLASSA info{};
  if (!GetClassInfoA(nullptr, controlClassName, &info)) return;
  params.WindowClass.style = info.style;
  params.WindowClass.lpfnWndProc = info.lpfnWndProc;
  params.WindowClass.cbClsExtra = info.cbClsExtra;
  params.WindowClass.cbWndExtra = info.cbWndExtra;
  params.WindowClass.hCursor = info.hCursor;
  params.WindowClass.hbrBackground = info.hbrBackground;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD))
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
  defWndProc_ = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : DefWindowProcA;
  // A class of that name that is not ours (a system class: a control
  // called "Button") would bypass the framework; take a name of our own.
  WNDCLASSA existing{};
  while (GetClassInfoA(nullptr, params.WinClassName.c_str(), &existing) && existing.lpfnWndProc != FrameworkWndProc)
    params.WinClassName = "Xvt" + params.WinClassName;
  if (!GetClassInfoA(nullptr, params.WinClassName.c_str(), &existing)) {
    WNDCLASSA wc = params.WindowClass;
    wc.lpfnWndProc = FrameworkWndProc;
    wc.lpszClassName = params.WinClassName.c_str();
    RegisterClassA(&wc);
  }
  CreateWindowHandle(params);
  if (!handle_) throw EOutOfResources("Error creating window");
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  TWinControl* previous = gCreating;
  gCreating = this;
  HWND h = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                           params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr, nullptr,
                           params.Param);
  gCreating = previous;
  if (h && !handle_) {
    handle_ = h;
    SetPropA(h, kObjectProp, this);
    SetPropA(h, kDefProcProp, reinterpret_cast<HANDLE>(defWndProc_));
  }
}

void TWinControl::DestroyWnd() {
  if (handle_) SetTextInternal(Text());
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() { ReleaseWindow(); }

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  PlaceWindowInZOrder();
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font()->Data())), 0);
  UpdateBoundsFromWindow();
  CreateChildHandles();
  CreateHandleDone();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* child : winControls_) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::CreateChildHandles() {
  for (TWinControl* child : std::vector<TWinControl*>(winControls_))
    if (child->Visible()) child->UpdateShowing();
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(HWND window) {
  if (window == parentWindow_) return;
  if (handle_) DestroyHandle();
  parentWindow_ = window;
  if (window && Visible()) UpdateShowing();
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  if (Parent() || parentWindow_) {
    if (Visible() && !handle_ && (parentWindow_ || Parent()->HandleAllocated())) CreateHandle();
    if (!handle_) return;
    const bool shown = (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != Visible()) Perform(CM_SHOWINGCHANGED, Visible() ? 1 : 0);
    return;
  }
  if (Visible()) HandleNeeded();
  if (!handle_) return;
  const bool shown = IsWindowVisible(handle_) != FALSE;
  if (shown != Visible()) Perform(CM_SHOWINGCHANGED, Visible() ? 1 : 0);
}

// ---- bounds

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (!handle_) {
    TControl::SetBounds(left, top, width, height);
    return;
  }
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  SetWindowPos(handle_, nullptr, left, top, width < 0 ? 0 : width, height < 0 ? 0 : height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateBoundsFromWindow();
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  HWND parent = GetParent(handle_);
  if (parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::BoundsChanged() { Realign(); }

TRect TWinControl::ClientRect() {
  if (handle_) {
    RECT r{};
    GetClientRect(handle_, &r);
    return r;
  }
  TCreateParams params;
  CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  const int w = width_ - (frame.right - frame.left), h = height_ - (frame.bottom - frame.top);
  return Rect(0, 0, w < 0 ? 0 : w, h < 0 ? 0 : h);
}

TPoint TWinControl::ClientOrigin() {
  if (handle_) {
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return p;
  }
  TCreateParams params;
  CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  TPoint o = Parent() ? Parent()->ClientOrigin() : Point(0, 0);
  return Point(o.x + left_ - frame.left, o.y + top_ - frame.top);
}

bool TWinControl::Showing() {
  if (!Visible()) return false;
  if (Parent()) return Parent()->Showing();
  if (parentWindow_) return IsWindowVisible(parentWindow_) != FALSE;
  return true;
}

std::string TWinControl::Text() {
  if (!handle_) return TControl::Text();
  const int n = GetWindowTextLengthA(handle_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  const int got = GetWindowTextA(handle_, s.data(), n + 1);
  s.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return s;
}

void TWinControl::SetText(const std::string& text) {
  if (!handle_) {
    TControl::SetText(text);
    return;
  }
  SetWindowTextA(handle_, text.c_str());
}

// ---- painting

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !ControlStyle().Contains(csOpaque));
}
void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}
void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintHandler(TMessage& message) {
  PAINTSTRUCT ps{};
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  const bool began = dc == nullptr;
  if (began) dc = BeginPaint(handle_, &ps);
  const int saved = SaveDC(dc);
  PaintWindow(dc);
  RestoreDC(dc, saved);
  PaintControls(dc, nullptr);
  if (began) EndPaint(handle_, &ps);
}

// ---- the message entry

void TWinControl::WndProc(TMessage& message) {
  if (KeyMessage(message)) return;
  if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST && RouteMouseToChild(message)) return;
  if (WindowMessage(message)) return;
  if (NotificationMessage(message)) return;
  TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!handle_) return;
  if (message.Msg >= CM_BASE && message.Msg < 0xC000) return;  // ours: no window procedure knows them
  message.Result = CallWindowProcA(defWndProc_ ? defWndProc_ : DefWindowProcA, handle_, message.Msg,
                                   message.WParam, message.LParam);
}

void TWinControl::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
}
