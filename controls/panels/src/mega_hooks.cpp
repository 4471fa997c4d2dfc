#include "mega_hooks.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "framework/checkbox.h"
#include "framework/combobox.h"
#include "framework/forms.h"
#include "framework/label.h"
#include "framework/strings.h"

namespace mega_hooks {

namespace {

using Records = std::vector<std::unique_ptr<TMegaInfo>>;

Records& List() {
  static Records records;
  return records;
}

TControl* live = nullptr;

LRESULT CALLBACK HookProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

TMegaInfo* ByWindow(HWND h) {
  for (auto& r : List())
    if (r->window == h) return r.get();
  return nullptr;
}

bool CaseEqual(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

void Hook(TMegaInfo& info, HWND window) {
  info.window = window;
  info.previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
}

// Gives the window its procedure back when ours is still the one in
// place. When another procedure was put over ours since, unhooking would
// cut that one out of the chain: the record then stays as a plain
// pass-through until the window is destroyed.
bool Unhook(TMegaInfo& info) {
  if (!info.window || !IsWindow(info.window)) return true;
  if (GetWindowLongPtrA(info.window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HookProc)) {
    SetWindowLongPtrA(info.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(info.previous));
    return true;
  }
  info.panel = nullptr;
  info.control = nullptr;
  info.owner = nullptr;
  return false;
}

template <class Pred>
void FreeWhere(Pred pred) {
  Records& list = List();
  for (auto it = list.begin(); it != list.end();) {
    TMegaInfo& info = **it;
    if (!pred(info)) {
      ++it;
      continue;
    }
    if (info.control && info.control == live) live = nullptr;
    if (Unhook(info)) it = list.erase(it);
    else ++it;
  }
}

char LabelAccel(TMegaPanel* panel, TControl* control) {
  const std::string text = panel->ChildLabelText(control);
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return text[i + 1];
  }
  return 0;
}

TMegaInfo& AddRecord(TMegaPanel* panel, TControl* control, TControl* owner) {
  auto info = std::make_unique<TMegaInfo>();
  info->panel = panel;
  info->control = control;
  info->owner = owner;
  TControl* subject = control ? control : owner;
  ClassFlags(panel, subject, info->keys, info->effects);
  info->bounds = subject->BoundsRect();
  info->fontHeight = subject->Font()->Height();
  info->accel = control ? LabelAccel(panel, control) : 0;
  List().push_back(std::move(info));
  return *List().back();
}

void HookComboWindows(TMegaPanel* panel, TWinControl* combo, const TMegaInfo& comboInfo) {
  for (HWND c = GetWindow(combo->WindowHandle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (ByWindow(c)) continue;
    TMegaInfo& inner = AddRecord(panel, nullptr, combo);
    inner.keys = comboInfo.keys;
    inner.effects = comboInfo.effects;
    Hook(inner, c);
  }
}

TMegaInfo* ByControl(TMegaPanel* panel, TControl* control) {
  for (auto& r : List())
    if (r->panel == panel && r->control == control) return r.get();
  return nullptr;
}

}  // namespace

void ClassFlags(TMegaPanel* panel, TControl* control, TFixKeys& keys, std::uint8_t& effects) {
  const std::string cls = control->ClassName();
  TStrings* fixes = panel->FixClasses();
  for (int i = 0; i < fixes->Count(); ++i) {
    const std::string e = fixes->Strings(i);
    if (e.size() < 6 || !CaseEqual(e.substr(6), cls)) continue;
    keys = {};
    if (e[0] == '1') keys.Include(TMegaTypes::fkEnter);
    if (e[1] == '1') keys.Include(TMegaTypes::fkUpDown);
    effects = (e[2] == '1' ? efShadow : 0) | (e[3] == '1' ? efLabel : 0) | (e[4] == '1' ? efLabelInside : 0) |
              (e[5] == '1' ? efFocus : 0);
    return;
  }
  keys = {TMegaTypes::fkEnter, TMegaTypes::fkUpDown};
  effects = efLabel;
  if (dynamic_cast<TWinControl*>(control)) effects |= efShadow | efFocus;
}

void Update(TMegaPanel* panel) {
  FreeWhere([panel](const TMegaInfo& i) {
    TControl* c = i.control ? i.control : i.owner;
    return i.panel == panel && (!c || c->Parent() != panel);
  });
  for (int n = 0; n < panel->ControlCount(); ++n) {
    TControl* child = panel->Controls(n);
    TMegaInfo* info = ByControl(panel, child);
    if (!info) info = &AddRecord(panel, child, nullptr);
    auto* win = dynamic_cast<TWinControl*>(child);
    if (!win || !win->HandleAllocated()) continue;
    if (info->window != win->WindowHandle()) Hook(*info, win->WindowHandle());
    if (dynamic_cast<TCustomComboBox*>(child)) HookComboWindows(panel, win, *info);
  }
}

void FreePanel(TMegaPanel* panel) {
  FreeWhere([panel](const TMegaInfo& i) { return i.panel == panel; });
}

void ForgetControl(TControl* control) {
  if (!control) return;
  FreeWhere([control](const TMegaInfo& i) { return i.control == control || i.owner == control; });
}

const TMegaInfo* Find(const TControl* control) {
  for (auto& r : List())
    if (r->control == control && r->panel) return r.get();
  return nullptr;
}

int RecordCount() { return static_cast<int>(List().size()); }

TControl* LiveChild() { return live; }

void Trace(const char* text) {
  HWND target = FindWindowA("TDbWinScrn", nullptr);
  if (!target) return;
  COPYDATASTRUCT data{0, static_cast<DWORD>(std::strlen(text) + 1), const_cast<char*>(text)};
  SendMessageA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void EndLiveLabel() {
  if (!live) return;
  TControl* old = live;
  live = nullptr;
  if (auto* panel = dynamic_cast<TMegaPanel*>(old->Parent())) panel->InvalidateChildLabel(old);
  Trace("LiveLabel");
}

namespace {

bool LabelEffectsApply(const TMegaInfo& info) {
  const auto style = info.panel->LabelStyle();
  return (info.effects & efFocus) && (style == TMegaTypes::lsInPanel || style == TMegaTypes::lsMixed);
}

void FocusEffect(TMegaInfo& info, bool gained) {
  TControl* c = info.control ? info.control : info.owner;
  TFocusEffect* fx = info.panel->LabelFocusEffect();
  if (!c || !(info.effects & efFocus)) return;
  if (fx->Effect() == TMegaTypes::feColor) {
    if (gained) {
      info.savedColor = c->Color();
      info.savedFontColor = c->Font()->Color();
      c->SetColor(fx->LabelBackground());
      c->Font()->SetColor(fx->LabelFontColor());
    } else {
      c->SetColor(info.savedColor);
      c->Font()->SetColor(info.savedFontColor);
    }
    Trace("FocusEffect");
  } else if (fx->Effect() == TMegaTypes::feFocus && LabelEffectsApply(info)) {
    info.panel->SetFocusedChild(gained ? c : nullptr);
    Trace("FocusEffect");
  }
}

void LiveEffect(TMegaInfo& info) {
  TControl* c = info.control ? info.control : info.owner;
  if (!c || c == live || info.panel->LabelFocusEffect()->Effect() != TMegaTypes::feLive) return;
  if (!LabelEffectsApply(info)) return;
  if (live)
    if (auto* old = dynamic_cast<TMegaPanel*>(live->Parent())) old->InvalidateChildLabel(live);
  live = c;
  info.panel->InvalidateChildLabel(c);
  Trace("LiveLabel");
}

bool ModifierHeld() {
  return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

// Runs the key events the window would have run: the form's when it
// previews keys, then the control's own.
void RaiseKeyEvents(TWinControl* form, TWinControl* control, UINT msg, WPARAM wp) {
  const bool preview = form->Perform(CM_KEYPREVIEW) != 0;
  std::uint16_t key = static_cast<std::uint16_t>(wp);
  char ch = static_cast<char>(wp);
  for (TWinControl* target : {preview ? form : nullptr, control}) {
    if (!target) continue;
    if (msg == WM_KEYDOWN && target->OnKeyDown) target->OnKeyDown(target, key, TShiftState{});
    if (msg == WM_KEYUP && target->OnKeyUp) target->OnKeyUp(target, key, TShiftState{});
    if (msg == WM_CHAR && target->OnKeyPress) target->OnKeyPress(target, ch);
  }
}

// Enter, Up and Down move the focus instead of acting in the control.
// Only Enter is a character as well: the characters 38 and 40 are '&' and
// '(' and are typed as usual.
TWinControl* FixingControl(const TMegaInfo& info, UINT msg, WPARAM wp) {
  const bool enter = wp == VK_RETURN;
  const bool upDown = (wp == VK_UP || wp == VK_DOWN) && msg != WM_CHAR && msg != CN_CHAR;
  if (!enter && !upDown) return nullptr;
  const TMegaTypes::TFixKey which = enter ? TMegaTypes::fkEnter : TMegaTypes::fkUpDown;
  if (!info.panel->FixKeys().Contains(which) || !info.keys.Contains(which) || ModifierHeld()) return nullptr;
  auto* control = dynamic_cast<TWinControl*>(info.control ? info.control : info.owner);
  return control && control->GetParentForm() ? control : nullptr;
}

bool FixKey(TMegaInfo& info, UINT msg, WPARAM wp) {
  TWinControl* control = FixingControl(info, msg, wp);
  if (!control) return false;
  TWinControl* form = control->GetParentForm();
  if (msg == WM_KEYDOWN) PostMessageA(form->Handle(), WM_NEXTDLGCTL, wp == VK_UP ? 1 : 0, 0);
  RaiseKeyEvents(form, control, msg, wp);
  return true;
}

bool IsButtonKind(TWinControl* c) {
  char cls[64] = {};
  GetClassNameA(c->WindowHandle(), cls, sizeof cls);
  return CaseEqual(cls, "BUTTON") || dynamic_cast<TButtonControl*>(c) != nullptr;
}

TWinControl* AccelTarget(TWinControl* parent, char letter) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* c = dynamic_cast<TWinControl*>(parent->Controls(i));
    const TMegaInfo* info = c ? Find(c) : nullptr;
    if (!info || !c->Visible() || !c->Enabled() || !info->accel) continue;
    if ((static_cast<unsigned char>(info->accel) & 0xDF) == (static_cast<unsigned char>(letter) & 0xDF)) return c;
  }
  return nullptr;
}

bool Accelerator(TMegaInfo& info, WPARAM wp) {
  if (!info.panel->Visible()) return false;
  TWinControl* target = AccelTarget(info.panel, static_cast<char>(wp));
  if (!target)
    if (TWinControl* form = info.panel->GetParentForm()) target = AccelTarget(form, static_cast<char>(wp));
  if (!target) return false;
  target->SetFocus();
  if (IsButtonKind(target)) {
    PostMessageA(target->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    PostMessageA(target->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  }
  return true;
}

bool Consumed(TMegaInfo& info, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: return FixKey(info, msg, wp);
    case WM_SYSCHAR: return Accelerator(info, wp);
    case WM_SETFOCUS: FocusEffect(info, true); return false;
    case WM_KILLFOCUS: FocusEffect(info, false); return false;
    case WM_MOUSEMOVE: LiveEffect(info); return false;
    case WM_WINDOWPOSCHANGING: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      if (info.control && !(pos->flags & SWP_NOMOVE && pos->flags & SWP_NOSIZE))
        info.panel->InvalidateChildShadow(info.control);
      return false;
    }
    default: return false;
  }
}

LRESULT CALLBACK HookProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  TMegaInfo* info = ByWindow(h);
  if (!info) return DefWindowProcA(h, msg, wp, lp);
  const WNDPROC previous = info->previous;
  // The framework offers keys to the form's dialog handling before the
  // window sees them; a key the hook fixes is declined there, so that it
  // arrives here as the key itself.
  if (info->panel && (msg == CN_KEYDOWN || msg == CN_CHAR) && FixingControl(*info, msg, wp)) return 0;
  if (info->panel && Consumed(*info, msg, wp, lp)) return 0;
  const LRESULT result = CallWindowProcA(previous, h, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // The window is gone: its record (looked up again, the call may have
    // freed it) has nothing left to give back.
    auto& list = List();
    std::erase_if(list, [h](const auto& r) {
      if (r->window != h) return false;
      if (r->control == live) live = nullptr;
      return true;
    });
  }
  return result;
}

}  // namespace

}  // namespace mega_hooks
