// TWinControl, a control with a window of its own made lazily from its
// creation parameters, parent of other controls (windowless ones are painted
// and fed the mouse by it), with tab order and focus; and TCustomControl,
// a windowed control that paints itself on a canvas.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/controls.h"

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  LPVOID Param = nullptr;
  // The class registered for this control: lpfnWndProc is replaced by the
  // framework's; hbrBackground, style and cursor are used as given.
  WNDCLASSA WindowClass{};
  // Name registered for the class (the control's ClassName by default).
  std::string WinClassName;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  // ---- window
  // Creates the window (and those of the parents) when there is none.
  HWND Handle();
  HWND WindowHandle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // A window outside the framework to host this parentless control.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND window);
  // Destroys the window and makes it again with the current parameters.
  void RecreateWnd();
  // The framework control whose window `hwnd` is, or nullptr.
  static TWinControl* FindControl(HWND hwnd);

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // The procedure the window had before the framework took it over (the
  // standard control's class procedure, or DefWindowProcA).
  WNDPROC DefWndProc() const { return defWndProc_; }

  // ---- children: the windowless ones bottom first, then the windowed
  // ones bottom first
  int ControlCount() const;
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(TControl* control) const;
  // The topmost visible child at `pos` (client coordinates).
  TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false);
  TControl* FindChildControl(const std::string& name) const;
  void Broadcast(TMessage& message);
  // Sends `message` to every child until one sets a non-zero Result.
  void NotifyControls(UINT msg);

  // ---- alignment
  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return alignLevel_ > 0; }
  TBorderWidth BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(TBorderWidth width);

  // ---- focus and tab order
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on);
  virtual bool CanFocus();
  virtual bool Focused();
  virtual void SetFocus();
  // The windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  // The next (or previous) control after `current` in tab order that can
  // take the focus (and is a tab stop, with `checkTabStop`), wrapping.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  void SelectFirst();

  // ---- keyboard events (windowed controls only)
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  bool Showing() override;
  std::string Text() override;
  void SetText(const std::string& text) override;

  // The brush the window's background is erased with (the control's colour).
  TBrush* Brush() { return &brush_; }

  // Paints the windowless children that meet the clip of `dc`, bottom
  // first, from `first` on (all when null).
  void PaintControls(HDC dc, TControl* first);

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  virtual void DestroyHandle();
  // The window exists and its children may now make theirs.
  virtual void CreateHandleDone() {}
  // Makes the window's class a framework class based on the standard
  // control class `controlClassName` ("EDIT", "BUTTON", ...): its procedure
  // becomes DefWndProc.
  void CreateSubClass(TCreateParams& params, const char* controlClassName);

  // Places the aligned children in `rect` (the client area, which the
  // default adjusts first with AdjustClientRect): visible children in
  // creation order, each docked to its edge of what is left; alClient
  // children fill what remains after all the others.
  virtual void AlignControls(TControl* control, TRect& rect);
  // The client area less the border (panels also take their bevels off).
  virtual void AdjustClientRect(TRect& rect);

  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& message);

  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // Offers a key to the form (key preview, shortcuts, dialog keys) before
  // the window sees it; true when it was taken.
  virtual bool DoKeyDown(TMessage& message);
  // Hands a key down or character to the form's dialog handling when the
  // window does not want it (WM_GETDLGCODE); true when taken.
  bool DialogKeyFor(TMessage& message);
  void Notification(TComponent* component, TOperation operation) override;
  void BoundsChanged() override;

 private:
  friend class TControl;
  static LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Helpers for the children (called by TControl).
  void InvalidateChildArea(const TRect& r, bool erase = true);
  void AlignChild(TControl* control);
  void SetChildZOrder(TControl* control, bool top);
  void PlaceWindowInZOrder();

  bool WindowMessage(TMessage& message);
  bool NotificationMessage(TMessage& message);
  bool KeyMessage(TMessage& message);
  bool ReflectMessage(TMessage& message);
  bool RouteMouseToChild(TMessage& message);
  void TrackMouse(TControl* control);
  bool SetCursorMessage(TMessage& message);
  void UpdateBoundsFromWindow();
  void UpdateShowing();
  void CreateChildHandles();
  void RemoveFocus(bool removing);
  void DestroyChildren();
  void ReleaseWindow();

  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;      // windowless children, bottom first
  std::vector<TWinControl*> winControls_;  // windowed children, bottom first
  std::vector<TWinControl*> tabList_;    // the windowed children in tab order
  int alignLevel_ = 0;
  bool alignPending_ = false;
  bool aligning_ = false;
  TBorderWidth borderWidth_ = 0;
  bool tabStop_ = false;
  TBrush brush_;
};

// A windowed control that paints itself: WM_PAINT sets the canvas on the
// paint context and calls Paint, then the windowless children are painted.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return canvas_.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  std::unique_ptr<TCanvas> canvas_;
};
