// TCustomForm: a top-level window with border styles, placement, showing
// and hiding, closing with its events, and the modal loop.
#include "framework/forms.h"

#include "framework/application.h"
#include "framework/menus.h"
#include "framework/exceptions.h"
#include "framework/screen.h"

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetVisible(false);
  SetParentColor(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  formState_.Include(fsCreating);
  EnsureScreen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::BeforeDestruction() {
  if (created_ && OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  if (Screen) Screen->RemoveForm(this);
  TWinControl::BeforeDestruction();
}

void TCustomForm::AfterConstruction() {
  if (created_) return;
  created_ = true;
  formState_.Exclude(fsCreating);
  DoCreate();
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}
void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}
void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CLIPCHILDREN;
  params.ExStyle = 0;
  params.WndParent = nullptr;
  switch (borderStyle_) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) params.ExStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
    params.Style |= WS_SYSMENU;
    if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
      if (borderIcons_.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
      if (borderIcons_.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (!Enabled()) params.Style |= WS_DISABLED;
  params.WindowClass.style = CS_DBLCLKS;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (formStyle_ == fsStayOnTop)
    SetWindowPos(WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::PaintWindow(HDC dc) {
  if (OnPaint) PaintWithCanvas(canvas_.get(), dc, [this] { OnPaint(this); });
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
  Realign();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetPosition(TPosition position) { position_ = position; }

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  formStyle_ = style;
  if (WindowHandle())
    SetWindowPos(WindowHandle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  if (WindowHandle() && Visible())
    ShowWindow(WindowHandle(), state == wsMinimized ? SW_MINIMIZE : state == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  menu_ = menu;
  if (menu) menu->FreeNotification(this);
  Perform(CM_MENUCHANGED);
}

// ---- placement and showing

void TCustomForm::PlaceOnScreen() {
  if (position_ != poScreenCenter && position_ != poDesktopCenter) return;
  const TRect area = position_ == poScreenCenter ? Rect(0, 0, EnsureScreen()->Width(), EnsureScreen()->Height())
                                                 : EnsureScreen()->WorkAreaRect();
  SetBounds(area.left + (RectWidth(area) - Width()) / 2, area.top + (RectHeight(area) - Height()) / 2, Width(),
            Height());
}

void TCustomForm::ShowFormWindow(bool show) {
  HWND h = Handle();
  if (show) {
    formState_.Include(fsShowing);
    try {
      DoShow();
    } catch (...) {
      formState_.Exclude(fsShowing);
      throw;
    }
    formState_.Exclude(fsShowing);
    PlaceOnScreen();
    const int cmd = windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                    : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                  : SW_SHOWNORMAL;
    ShowWindow(h, cmd);
    formState_.Include(fsVisible);
    SetForegroundWindow(h);
  } else {
    DoHide();
    ShowWindow(h, SW_HIDE);
    formState_.Exclude(fsVisible);
  }
}

void TCustomForm::Show() {
  AfterConstruction();
  SetVisible(true);
  BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::CanFocus() { return Visible() && Enabled(); }

void TCustomForm::SetFocus() {
  if (!Visible() || !Enabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  HWND target = activeControl_ && activeControl_->CanFocus() ? activeControl_->Handle() : Handle();
  ::SetFocus(target);
}

// ---- closing

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (formState_.Contains(fsModal)) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    if (action == caHide) Hide();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() {
  if (WindowHandle())
    PostMessageA(WindowHandle(), CM_RELEASE, 0, 0);
  else
    Free(this);
}

// ---- the modal loop

namespace {
struct DisabledWindows {
  HWND keep;
  std::vector<HWND> list;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM param) {
  auto* d = reinterpret_cast<DisabledWindows*>(param);
  if (hwnd != d->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    d->list.push_back(hwnd);
    EnableWindow(hwnd, FALSE);
  }
  return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || formState_.Contains(fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  AfterConstruction();
  if (GetCapture()) ReleaseCapture();
  formState_.Include(fsModal);
  HWND previous = GetActiveWindow();
  DisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
  auto restore = [&] {
    for (HWND h : disabled.list)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    formState_.Exclude(fsModal);
  };
  try {
    Show();
    SetActiveWindow(Handle());
    modalResult_ = mrNone;
    while (modalResult_ == mrNone) {
      EnsureApplication()->HandleMessage();
      if (Application->Terminated()) modalResult_ = mrCancel;
      if (modalResult_ != mrNone) {
        TCloseAction action = caNone;
        if (CloseQuery()) {
          action = caHide;
          DoClose(action);
        }
        if (action == caNone) modalResult_ = mrNone;
        if (action == caFree) Release();
      }
    }
    const TModalResult result = modalResult_;
    restore();
    Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return result;
  } catch (...) {
    restore();
    if (WindowHandle()) Hide();
    throw;
  }
}
