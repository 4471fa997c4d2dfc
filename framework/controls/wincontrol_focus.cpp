// TWinControl: tab order, focus, and the keyboard path (the form's key
// preview and shortcuts, then dialog keys when the window does not want
// the key).
#include "framework/wincontrol.h"

#include "framework/shortcut.h"

namespace {
TShiftState KeyShift() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}
}  // namespace

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == this) return static_cast<int>(i);
  return -1;
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  std::erase(list, this);
  if (order < 0) order = 0;
  if (order > static_cast<int>(list.size())) order = static_cast<int>(list.size());
  list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool on) {
  if (on == tabStop_) return;
  tabStop_ = on;
  if (handle_) {
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE, on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG>(WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus() {
  TWinControl* form = GetParentForm();
  for (TControl* c = this; c && c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return !form || (form->Visible() && form->Enabled());
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  TWinControl* form = GetParentForm();
  if (form && form != this && form->Perform(CM_FOCUSREQUEST, 0, reinterpret_cast<LPARAM>(this)) != 0) return;
  ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* child : tabList_) {
    list.push_back(child);
    child->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < count; ++i)
    if (list[static_cast<size_t>(i)] == current) start = i;
  if (start < 0) start = goForward ? count - 1 : 0;
  int i = start;
  do {
    if (goForward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[static_cast<size_t>(i)];
    // A tool control (a menu bar, say) never takes the focus from the form.
    if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) &&
        c->Perform(CM_ISTOOLCONTROL, 0, 0) == 0)
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst() {
  TWinControl* c = FindNextControl(nullptr, true, true, false);
  if (!c) c = FindNextControl(nullptr, true, false, false);
  if (c) c->SetFocus();
}

void TWinControl::RemoveFocus(bool removing) {
  TWinControl* form = GetParentForm();
  if (form && form != this) form->Perform(CM_DEFOCUSCONTROL, removing ? 1 : 0, reinterpret_cast<LPARAM>(this));
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}
void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& message) {
  TWinControl* form = GetParentForm();
  if (form && form != this && form->Perform(CM_KEYPREVIEW) != 0 && form->DoKeyDown(message)) return true;
  auto key = static_cast<std::uint16_t>(message.WParam);
  KeyDown(key, KeyShift());
  if (key == 0) return true;
  message.WParam = key;
  return false;
}

bool TWinControl::DialogKeyFor(TMessage& message) {
  TWinControl* form = GetParentForm();
  const auto key = static_cast<std::uint16_t>(message.WParam);
  if (form && form->Perform(CM_ISSHORTCUT, ShortCut(key, KeyShift())) != 0) return true;
  if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) return true;
  LRESULT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask == 0 || Perform(CM_WANTSPECIALKEY, key) != 0 || (Perform(WM_GETDLGCODE) & mask) != 0) return false;
  return form && form->Perform(CM_DIALOGKEY, key, message.LParam) != 0;
}

bool TWinControl::KeyMessage(TMessage& message) {
  switch (message.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      message.Result = DialogKeyFor(message) ? 1 : 0;
      return true;
    case CN_CHAR:
    case CN_SYSCHAR: {
      TWinControl* form = GetParentForm();
      const bool wanted = message.Msg == CN_CHAR ? (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) != 0
                                                 : message.WParam == VK_SPACE;
      message.Result = !wanted && form && form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0;
      return true;
    }
    case CN_KEYUP:
      message.Result = 0;
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return DoKeyDown(message);
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      auto key = static_cast<std::uint16_t>(message.WParam);
      KeyUp(key, KeyShift());
      if (key == 0) return true;
      message.WParam = key;
      return false;
    }
    case WM_CHAR: {
      TWinControl* form = GetParentForm();
      if (form && form != this && form->Perform(CM_KEYPREVIEW) != 0) {
        char c = static_cast<char>(message.WParam);
        form->KeyPress(c);
        if (c == 0) return true;
        message.WParam = static_cast<unsigned char>(c);
      }
      char c = static_cast<char>(message.WParam);
      KeyPress(c);
      if (c == 0) return true;
      message.WParam = static_cast<unsigned char>(c);
      return false;
    }
    default:
      return false;
  }
}
