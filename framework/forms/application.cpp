// TApplication: forms in creation order, the message loop with idle work
// and synchronised calls, hints, and the error box for unhandled errors.
#include "framework/application.h"

#include "framework/controls.h"
#include "framework/format_settings.h"
#include "framework/forms.h"
#include "framework/synchronize.h"

TApplication* Application = EnsureApplication();

TApplication* EnsureApplication() {
  if (!Application) Application = new TApplication(nullptr);
  return Application;
}

std::string GetShortHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  ControlExceptionHandler = [](TObject* sender) { EnsureApplication()->HandleException(sender); };
  GetFormatSettings();
}

TApplication::~TApplication() {
  DestroyComponents();
  if (handle_) DestroyWindow(handle_);
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() { Handle(); }

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextA(handle_, title.c_str());
}

void TApplication::AddForm(TCustomForm* form) {
  if (form->Owner() != this) InsertComponent(form);
  if (!mainForm_) mainForm_ = form;
  form->AfterConstruction();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == mainForm_) mainForm_ = nullptr;
  if (component == mouseControl_) mouseControl_ = nullptr;
}

// ---- the loop

void TApplication::Run() {
  running_ = true;
  if (mainForm_ && showMainForm_) mainForm_->Show();
  while (!terminated_ && mainForm_) HandleMessage();
  running_ = false;
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && !IsKeyMsg(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  } catch (...) {
    HandleException(this);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
  // Calls queued by worker threads are part of what waits.
  try {
    CheckSynchronize();
  } catch (...) {
    HandleException(this);
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::Idle() {
  bool done = true;
  try {
    DoMouseIdle();
    if (OnIdle) OnIdle(this, done);
    CheckSynchronize();
  } catch (...) {
    HandleException(this);
  }
  if (!done || terminated_) return;
  // Wake for input or for a call queued by another thread.
  HANDLE event = SyncEvent();
  if (event)
    MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT);
  else
    WaitMessage();
  try {
    CheckSynchronize();
  } catch (...) {
    HandleException(this);
  }
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  if (!wnd) wnd = msg.hwnd;
  while (wnd && !TWinControl::FindControl(wnd)) wnd = GetParent(wnd);
  if (!wnd) return false;
  return SendMessageA(wnd, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

// ---- hints and activation

void TApplication::DoMouseIdle() {
  TControl* control = MouseControl();
  if (control == mouseControl_) return;
  if (mouseControl_) mouseControl_->RemoveFreeNotification(this);
  mouseControl_ = control;
  if (control) control->FreeNotification(this);
  std::string hint;
  for (TControl* c = control; c; c = c->Parent())
    if (!c->Hint().empty()) {
      hint = c->Hint();
      break;
    }
  SetHint(GetLongHint(hint));
}

void TApplication::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (OnHint) OnHint(this);
}

void TApplication::CancelHint() { SetHint(""); }

void TApplication::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  TNotifyEvent& event = active ? OnActivate : OnDeactivate;
  if (event) event(this);
}

// ---- errors

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    if (OnException)
      OnException(sender, e);
    else
      ShowException(e);
  } catch (const std::exception& e) {
    const Exception wrapped(e.what());
    if (OnException)
      OnException(sender, wrapped);
    else
      ShowException(wrapped);
  } catch (...) {
    const Exception unknown("Unknown error");
    if (OnException)
      OnException(sender, unknown);
    else
      ShowException(unknown);
  }
}

void TApplication::ShowException(const Exception& e) {
  std::string text = e.Message();
  // One full stop, even for a message that already ends in one.
  if (text.empty() || text.back() != '.') text += '.';
  MessageBox(text, title_, MB_ICONSTOP | MB_OK);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

// ---- the application window

LRESULT CALLBACK TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TApplication* app = Application;
  if (app && app->handle_ == hwnd) {
    TMessage m{msg, wParam, lParam, 0};
    // The new settings are in place before the hooks redraw with them.
    if (msg == WM_WININICHANGE) GetFormatSettings();
    for (auto& [key, hook] : std::vector<std::pair<const void*, TWindowHook>>(app->hooks_))
      if (hook && hook(m)) return m.Result;
    if (msg == WM_ACTIVATEAPP) app->SetActive(wParam != 0);
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND TApplication::Handle() {
  if (handle_) return handle_;
  WNDCLASSA wc{};
  if (!GetClassInfoA(nullptr, "TApplication", &wc)) {
    wc.lpfnWndProc = AppWndProc;
    wc.lpszClassName = "TApplication";
    RegisterClassA(&wc);
  }
  handle_ = CreateWindowExA(0, "TApplication", title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                            nullptr);
  return handle_;
}

void TApplication::HookMainWindow(const TWindowHook& hook, const void* key) {
  UnhookMainWindow(key);
  hooks_.emplace_back(key, hook);
}

void TApplication::UnhookMainWindow(const void* key) {
  std::erase_if(hooks_, [key](const auto& entry) { return entry.first == key; });
}
