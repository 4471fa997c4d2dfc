#include "ui/plain_menu_bar.h"

#include <cctype>
#include <vector>

#include "framework/application.h"
#include "framework/style_painter.h"

namespace {

// Room on each side of a caption's text inside its cell.
constexpr int kCaptionPadding = 6;

// The bar whose drop-down is being tracked, for the message filter.
TPlainMenuBar* g_tracking = nullptr;
HHOOK g_filter = nullptr;

// The message filter is installed for one drop-down and removed whatever
// happens in it.
struct FilterScope {
  explicit FilterScope(TPlainMenuBar* bar, HOOKPROC proc) {
    g_tracking = bar;
    g_filter = SetWindowsHookExA(WH_MSGFILTER, proc, nullptr, 0);
  }
  ~FilterScope() {
    UnhookWindowsHookEx(g_filter);
    g_filter = nullptr;
    g_tracking = nullptr;
  }
  FilterScope(const FilterScope&) = delete;
  FilterScope& operator=(const FilterScope&) = delete;
};

}  // namespace

TPlainMenuBar::TPlainMenuBar(TComponent* owner) : TCustomControl(owner) {
  // Clicks open menus at once; no capture, click or double-click handling.
  SetControlStyle({csOpaque});
  SetColor(clBtnFace);
  SetParentColor(false);
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  Font()->SetName(ncm.lfMenuFont.lfFaceName);
  Font()->SetHeight(ncm.lfMenuFont.lfHeight);
  SetParentFont(false);
  SetBounds(0, 0, 200, GetSystemMetrics(SM_CYMENU));
}

TPlainMenuBar::~TPlainMenuBar() { UnhookForm(); }

void TPlainMenuBar::BeforeDestruction() {
  // The form is still whole while its components go: give back its procedure.
  UnhookForm();
  TCustomControl::BeforeDestruction();
}

void TPlainMenuBar::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) RemoveFreeNotification(menu_);
  menu_ = menu;
  if (menu_) FreeNotification(menu_);
  hot_ = -1;
  Invalidate();
}

void TPlainMenuBar::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == menu_) {
    menu_ = nullptr;
    hot_ = -1;
    if (HandleAllocated()) Invalidate();
  }
  if (component == form_) {
    // The form is still whole while it tells its partners it is going,
    // and it still sends itself messages while its controls go: give its
    // procedure back now, or those would reach a bar that is gone.
    form_->WindowProc = formProc_;
    form_ = nullptr;
    formProc_ = nullptr;
  }
}

int TPlainMenuBar::ItemCount() const {
  if (!menu_) return 0;
  int n = 0;
  for (int i = 0; i < menu_->Items()->Count(); ++i) n += menu_->Items()->Items(i)->Visible();
  return n;
}

TMenuItem* TPlainMenuBar::Item(int index) const {
  if (!menu_ || index < 0) return nullptr;
  for (int i = 0; i < menu_->Items()->Count(); ++i) {
    TMenuItem* item = menu_->Items()->Items(i);
    if (item->Visible() && index-- == 0) return item;
  }
  return nullptr;
}

std::vector<TRect> TPlainMenuBar::CaptionCells() {
  std::vector<TRect> cells;
  HDC dc = CreateCompatibleDC(nullptr);
  TCanvas measure;
  measure.SetHandle(dc);
  measure.Font()->Assign(Font());
  int x = 0;
  const int height = ClientHeight();
  for (int i = 0; i < ItemCount(); ++i) {
    const int w = measure.TextWidth(StripHotkey(Item(i)->Caption())) + 2 * kCaptionPadding;
    cells.push_back(Rect(x, 0, x + w, height));
    x += w;
  }
  measure.SetHandle(nullptr);
  DeleteDC(dc);
  return cells;
}

TRect TPlainMenuBar::ItemRect(int index) {
  const std::vector<TRect> cells = CaptionCells();
  return index >= 0 && index < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(index)]
                                                                : Rect(0, 0, 0, 0);
}

int TPlainMenuBar::ItemAt(TPoint client) {
  const std::vector<TRect> cells = CaptionCells();
  for (std::size_t i = 0; i < cells.size(); ++i)
    if (PtInRect(&cells[i], client)) return static_cast<int>(i);
  return -1;
}

// ---- painting

void TPlainMenuBar::DrawCaption(HDC dc, int index, TRect cell) {
  TMenuItem* item = Item(index);
  TStyleState state;
  state.pressed = index == open_;
  state.hot = index == hot_;
  state.enabled = item->Enabled();
  StylePainter::FlatFrame(dc, cell, state);
  TRect text = cell;
  if (state.pressed) OffsetRect(&text, 1, 1);
  StylePainter::Text(dc, item->Caption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER, state.enabled, clBtnText);
}

// The bar lets the window's own windowless controls show through where
// the designer left them under it (a title, a logo), as a transparent
// menu bar does.
void TPlainMenuBar::PaintParentControls(HDC dc) {
  if (!Parent()) return;
  const int saved = SaveDC(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - Left(), origin.y - Top(), nullptr);
  IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
  Parent()->PaintControls(dc, nullptr);
  RestoreDC(dc, saved);
}

void TPlainMenuBar::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(ClientRect());
  HDC dc = canvas->Handle();
  PaintParentControls(dc);
  canvas->Font()->Assign(Font());
  const std::vector<TRect> cells = CaptionCells();
  for (std::size_t i = 0; i < cells.size(); ++i) DrawCaption(dc, static_cast<int>(i), cells[i]);
}

void TPlainMenuBar::SetHot(int index) {
  if (index == hot_) return;
  hot_ = index;
  Invalidate();
}

// ---- the pointer

void TPlainMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || open_ >= 0) return;
  const int index = ItemAt(Point(x, y));
  if (index >= 0) OpenItem(index, false);
}

void TPlainMenuBar::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  SetHot(ItemAt(Point(x, y)));
}

void TPlainMenuBar::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_MENUSELECT:
      MenuSelect(message.WParam, message.LParam);
      message.Result = 0;
      return;
    case CM_MOUSELEAVE:
      SetHot(-1);
      break;
    default:
      break;
  }
  TCustomControl::WndProc(message);
}

// ---- the drop-downs

void TPlainMenuBar::OpenItem(int index, bool fromKeyboard) {
  while (index >= 0 && !g_tracking) {
    TMenuItem* item = Item(index);
    if (!item || !item->Enabled()) return;
    if (item->Count() == 0) {
      Guarded([item] { item->Click(); });
      return;
    }
    open_ = index;
    hot_ = -1;
    switchTo_ = -1;
    selMenu_ = nullptr;
    selFlags_ = 0;
    Repaint();
    const TRect cell = ItemRect(index);
    const TPoint topLeft = ClientToScreen(Point(cell.left, cell.top));
    const TPoint bottomRight = ClientToScreen(Point(cell.right, cell.bottom));
    TPMPARAMS around{static_cast<UINT>(sizeof(TPMPARAMS)), {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}};
    // A drop-down opened from the keyboard starts on its first entry.
    if (fromKeyboard) PostMessageA(Handle(), WM_KEYDOWN, VK_DOWN, 0);
    UINT command = 0;
    {
      FilterScope filter(this, MenuFilter);
      const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_VERTICAL;
      command =
          static_cast<UINT>(TrackPopupMenuEx(item->Handle(), flags, topLeft.x, bottomRight.y, Handle(), &around));
    }
    open_ = -1;
    if (Application) Application->SetHint("");
    Repaint();
    if (command != 0) {
      if (TMenuItem* chosen = menu_ ? menu_->FindItem(command, fkCommand) : nullptr)
        Guarded([chosen] { chosen->Click(); });
      return;
    }
    index = switchTo_;
    fromKeyboard = switchByKey_;
  }
}

LRESULT CALLBACK TPlainMenuBar::MenuFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_MENU && g_tracking && g_tracking->FilterMenuMessage(*reinterpret_cast<MSG*>(lParam))) return 1;
  return CallNextHookEx(g_filter, code, wParam, lParam);
}

bool TPlainMenuBar::FilterMenuMessage(const MSG& msg) {
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: {
      const int index = ItemAt(ScreenToClient(msg.pt));
      if (index < 0 || index == open_) return false;  // a click on the open caption closes it
      const TMenuItem* item = Item(index);
      if (item && item->Enabled()) SwitchTo(index, false);
      return msg.message == WM_LBUTTONDOWN;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Left in the drop-down itself, Right where it opens no sub-menu: the
      // neighbouring caption, as a menu bar does.
      if (msg.wParam == VK_LEFT && (!selMenu_ || selMenu_ == Item(open_)->Handle())) {
        SwitchTo(Neighbour(open_, -1), true);
        return true;
      }
      if (msg.wParam == VK_RIGHT && !((selFlags_ & MF_POPUP) && !(selFlags_ & MF_GRAYED))) {
        SwitchTo(Neighbour(open_, +1), true);
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TPlainMenuBar::SwitchTo(int index, bool fromKeyboard) {
  if (index < 0 || index == open_) return;
  switchTo_ = index;
  switchByKey_ = fromKeyboard;
  EndMenu();
}

int TPlainMenuBar::Neighbour(int index, int dir) const {
  const int n = ItemCount();
  if (n == 0) return -1;
  for (int k = 1; k <= n; ++k) {
    const int i = ((index + dir * k) % n + n) % n;
    if (Item(i)->Enabled()) return i;
  }
  return -1;
}

void TPlainMenuBar::MenuSelect(WPARAM wParam, LPARAM lParam) {
  const UINT flags = HIWORD(wParam);
  const auto menu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !menu) {
    selMenu_ = nullptr;
    selFlags_ = 0;
    if (Application) Application->SetHint("");
    return;
  }
  selMenu_ = menu;
  selFlags_ = flags;
  TMenuItem* item = nullptr;
  if (!(flags & MF_SEPARATOR)) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (GetMenuItemInfoA(menu, LOWORD(wParam), (flags & MF_POPUP) ? TRUE : FALSE, &info))
      item = reinterpret_cast<TMenuItem*>(info.dwItemData);
  }
  if (Application) Application->SetHint(item ? item->Hint() : "");
}

// ---- the keyboard, through the form

void TPlainMenuBar::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  HookForm();
}

void TPlainMenuBar::HookForm() {
  auto* form = dynamic_cast<TCustomForm*>(GetParentForm());
  if (form == form_) return;
  UnhookForm();
  if (!form || form->ComponentState().Contains(csDestroying)) return;
  form_ = form;
  formProc_ = form->WindowProc;
  form->WindowProc = [this](TMessage& message) {
    // Alt+letter, Alt alone and F10 reach the form as SC_KEYMENU.
    if (message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_KEYMENU &&
        KeyMenu(static_cast<char>(message.LParam))) {
      message.Result = 0;
      return;
    }
    formProc_(message);
  };
  FreeNotification(form);
}

void TPlainMenuBar::UnhookForm() {
  if (!form_) return;
  form_->WindowProc = formProc_;
  RemoveFreeNotification(form_);
  form_ = nullptr;
  formProc_ = nullptr;
}

bool TPlainMenuBar::KeyMenu(char ch) {
  if (!menu_ || g_tracking || !Showing()) return false;
  int index = -1;
  if (ch == 0) {
    index = Neighbour(-1, +1);
  } else {
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    for (int i = 0; i < ItemCount() && index < 0; ++i)
      if (GetHotkey(Item(i)->Caption()) == wanted && Item(i)->Enabled()) index = i;
  }
  if (index < 0) return false;
  OpenItem(index, true);
  return true;
}
