// TApplication: the program's forms in creation order (the first is the
// main form), the message loop with its idle work, hints, and the handler
// that shows errors escaping event handlers in a message box.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/control_messages.h"
#include "framework/exceptions.h"
#include "framework/types.h"

// The method of that name is the application's; the API is MessageBoxA.
#undef MessageBox

class TCustomForm;
class TControl;

using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TExceptionEvent = std::function<void(TObject* sender, const Exception& e)>;
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
// A hook on the application window: true when it handled the message.
using TWindowHook = std::function<bool(TMessage& message)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Makes a form owned by the application; the first becomes MainForm.
  // `ref` is set before the form's OnCreate runs.
  template <class T>
  void CreateForm(T*& ref) {
    T* form = new T(this);
    ref = form;
    AddForm(form);
  }
  // Takes an already constructed form into the list (what CreateForm does
  // after constructing it): the first becomes MainForm; runs its OnCreate.
  void AddForm(TCustomForm* form);
  TCustomForm* MainForm() const { return mainForm_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool on) { showMainForm_ = on; }

  // Shows the main form and serves messages until the main form closes
  // or Terminate is called.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message waiting, then returns.
  void ProcessMessages();
  // Handles one message, or does the idle work and waits for one.
  void HandleMessage();

  // The hint of the control under the pointer (its long part) or what a
  // menu wrote; OnHint runs on every change.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on) { showHint_ = on; }
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor color) { hintColor_ = color; }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  void CancelHint();

  // Whether a window of this program is the active one.
  bool Active() const { return active_; }

  // Call inside a catch block: EAbort is dropped silently, other errors go
  // to OnException when set, else ShowException.
  void HandleException(TObject* sender);
  // The error box: the message followed by "." (not doubled when it
  // already ends in one), the title as caption, MB_ICONSTOP | MB_OK.
  void ShowException(const Exception& e);
  // Virtual so a host can route the boxes elsewhere (tests record them).
  virtual int MessageBox(const std::string& text, const std::string& caption, UINT flags = MB_OK);

  // The hidden application window and hooks on its messages.
  HWND Handle();
  void HookMainWindow(const TWindowHook& hook, const void* key);
  void UnhookMainWindow(const void* key);

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnHint;
  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TMessageEvent OnMessage;

  // ---- used by the controls
  // The control under the pointer changed: updates the hint.
  void DoMouseIdle();
  // Key messages go to the control (CN_KEYDOWN, CN_CHAR...) before its
  // window; true when the control took the key.
  bool IsKeyMsg(MSG& msg);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TCustomForm;
  bool ProcessMessage(MSG& msg);
  void Idle();
  void SetActive(bool active);
  static LRESULT CALLBACK AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  std::string title_;
  TCustomForm* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
  bool running_ = false;
  std::string hint_;
  bool showHint_ = true;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  TControl* mouseControl_ = nullptr;
  bool active_ = false;
  HWND handle_ = nullptr;
  std::vector<std::pair<const void*, TWindowHook>> hooks_;
};

// The one application of the program (created on first use).
extern TApplication* Application;
// Makes sure Application exists (it is created on first need otherwise).
TApplication* EnsureApplication();

// The hint text before "|" and after it (the whole hint without one).
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
