// TWinControl: window messages (painting, erasing, focus, text, position,
// reflection to child controls, cursors) and the mouse routed to windowless
// children.
#include "framework/gdi_resources.h"
#include "framework/wincontrol.h"

namespace controls_detail {
void SetMouseControl(TControl* control);
void SetCaptureControl(TControl* control);
}  // namespace controls_detail

bool TWinControl::WindowMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (defWndProc_ == DefWindowProcA || message.WParam) {
        PaintHandler(message);
      } else {
        DefaultHandler(message);
        if (!controls_.empty() && handle_) {
          HDC dc = GetDC(handle_);
          PaintControls(dc, nullptr);
          ReleaseDC(handle_, dc);
        }
      }
      return true;
    case WM_ERASEBKGND:
      if (defWndProc_ != DefWindowProcA) return false;
      {
        RECT r{};
        GetClientRect(handle_, &r);
        FillRect(reinterpret_cast<HDC>(message.WParam), &r, BrushHandle(brush_.Data()));
        message.Result = 1;
      }
      return true;
    case WM_SETFOCUS: {
      DefaultHandler(message);
      TWinControl* form = GetParentForm();
      if (form && form != this) form->Perform(CM_SETFOCUSEDCONTROL, 0, reinterpret_cast<LPARAM>(this));
      return true;
    }
    case WM_SETTEXT: {
      DefaultHandler(message);
      const std::string text = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
      if (text != text_) {
        SetTextInternal(text);
        Perform(CM_TEXTCHANGED);
      }
      return true;
    }
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(message);
      UpdateBoundsFromWindow();
      return true;
    case WM_SETCURSOR:
      return SetCursorMessage(message);
    case WM_CONTEXTMENU: {
      const int x = static_cast<short>(LOWORD(message.LParam)), y = static_cast<short>(HIWORD(message.LParam));
      TControl* target = this;
      if (x != -1 || y != -1)
        if (TControl* child = ControlAtPos(ScreenToClient(Point(x, y)), false)) target = child;
      if (!target->ShowPopupMenu(x, y) && !(target != this && ShowPopupMenu(x, y))) DefaultHandler(message);
      return true;
    }
    case WM_MOUSELEAVE: {
      TControl* current = MouseControl();
      if (current && (current == this || (current->Parent() == this && !dynamic_cast<TWinControl*>(current)))) {
        controls_detail::SetMouseControl(nullptr);
        current->Perform(CM_MOUSELEAVE);
      }
      DefaultHandler(message);
      return true;
    }
    case WM_CAPTURECHANGED:
      if (CaptureControl() && (CaptureControl() == this || CaptureControl()->Parent() == this))
        controls_detail::SetCaptureControl(nullptr);
      DefaultHandler(message);
      return true;
    case WM_CANCELMODE:
      if (CaptureControl() && CaptureControl()->Parent() == this) CaptureControl()->Perform(WM_CANCELMODE);
      DefaultHandler(message);
      return true;
    default:
      return ReflectMessage(message);
  }
}

// Messages a child window sends its parent about itself go back to the
// child's control as CN_ messages, so each control handles its own.
bool TWinControl::ReflectMessage(TMessage& message) {
  HWND from = nullptr;
  switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      from = reinterpret_cast<HWND>(message.LParam);
      break;
    case WM_NOTIFY:
      if (message.LParam) from = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      if (message.LParam) from = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
      break;
    default:
      return false;
  }
  TWinControl* child = FindControl(from);
  if (!child || child == this) return false;
  message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

bool TWinControl::NotificationMessage(TMessage& message) {
  switch (message.Msg) {
    case CM_COLORCHANGED:
      brush_.SetColor(Color());
      Invalidate();
      NotifyControls(CM_PARENTCOLORCHANGED);
      return true;
    case CM_FONTCHANGED:
      if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font()->Data())), TRUE);
      Invalidate();
      NotifyControls(CM_PARENTFONTCHANGED);
      return true;
    case CM_SHOWHINTCHANGED:
      NotifyControls(CM_PARENTSHOWHINTCHANGED);
      return true;
    case CM_ENABLEDCHANGED:
      if (!Enabled() && Parent()) RemoveFocus(false);
      if (handle_) EnableWindow(handle_, Enabled());
      Invalidate();
      return true;
    case CM_VISIBLECHANGED:
      if (!Visible() && Parent()) RemoveFocus(false);
      UpdateShowing();
      return true;
    case CM_SHOWINGCHANGED:
      if (handle_) ShowWindow(handle_, message.WParam ? (Parent() ? SW_SHOWNOACTIVATE : SW_SHOW) : SW_HIDE);
      return true;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      message.Result = reinterpret_cast<LRESULT>(BrushHandle(brush_.Data()));
      return true;
    }
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of it; every control below is told.
      DefaultHandler(message);
      Perform(CM_SYSCOLORCHANGE);
      return true;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
    case CM_SYSCOLORCHANGE:
      Broadcast(message);
      return true;
    case CM_CHILDKEY:
      if (Parent()) message.Result = Parent()->Perform(CM_CHILDKEY, message.WParam, message.LParam);
      return true;
    case CM_ENTER:
      DoEnter();
      return true;
    case CM_EXIT:
      DoExit();
      return true;
    case CM_RECREATEWND:
      RecreateWnd();
      return true;
    default:
      return false;
  }
}

bool TWinControl::SetCursorMessage(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) != handle_ || LOWORD(message.LParam) != HTCLIENT) {
    DefaultHandler(message);
    return true;
  }
  TCursor cursor = GlobalCursor();
  if (cursor == crDefault) {
    POINT p{};
    GetCursorPos(&p);
    ::ScreenToClient(handle_, &p);
    TControl* child = ControlAtPos(p, false);
    if (child) cursor = child->Cursor();
    if (cursor == crDefault) cursor = Cursor();
  }
  if (cursor == crDefault) {
    DefaultHandler(message);
    return true;
  }
  ::SetCursor(CursorHandle(cursor));
  message.Result = TRUE;
  return true;
}

// ---- the mouse

void TWinControl::TrackMouse(TControl* control) {
  TControl* old = MouseControl();
  if (old == control) return;
  controls_detail::SetMouseControl(control);
  if (old) old->Perform(CM_MOUSELEAVE);
  if (control) control->Perform(CM_MOUSEENTER);
  if (handle_ && control) {
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle_, 0};
    TrackMouseEvent(&tme);
  }
}

bool TWinControl::RouteMouseToChild(TMessage& message) {
  if (message.Msg == WM_MOUSEWHEEL) return false;
  const TPoint p = Point(static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam)));
  TControl* under = ControlAtPos(p, false);
  if (message.Msg == WM_MOUSEMOVE) {
    const TRect r = ClientRect();
    const bool inside = p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
    TrackMouse(inside ? (under ? under : this) : nullptr);
  }
  TControl* target = under;
  TControl* capture = CaptureControl();
  if (handle_ && GetCapture() == handle_) target = capture && capture->Parent() == this ? capture : nullptr;
  if (!target) return false;
  const LPARAM local = MAKELPARAM(static_cast<WORD>(p.x - target->Left()), static_cast<WORD>(p.y - target->Top()));
  message.Result = target->Perform(message.Msg, message.WParam, local);
  return true;
}

HCURSOR CursorHandle(TCursor cursor) {
  LPCSTR id = IDC_ARROW;
  switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: case crSQLWait: id = IDC_WAIT; break;
    case crNo: case crNoDrop: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorA(nullptr, id);
}
