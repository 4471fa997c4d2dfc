// TControl, the root of everything shown on screen, and TGraphicControl,
// a control without a window of its own that its parent paints and feeds
// the mouse. Windowed controls are in wincontrol.h.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/control_messages.h"
#include "framework/graphics.h"
#include "framework/types.h"

class TWinControl;
class TPopupMenu;

enum TControlStyleItem {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents
};
using TControlStyle = Set<TControlStyleItem>;

enum TControlStateItem {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking
};
using TControlState = Set<TControlStateItem>;

// Replaceable message entry of a control (custom controls and hooks swap
// it and call the previous one for what they do not handle).
using TWndMethod = std::function<void(TMessage& message)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  void BeforeDestruction() override;

  // ---- messages
  // Every message for this control enters here; it starts as WndProc.
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // The control's own handling; overrides handle what they know and call
  // the base for the rest.
  virtual void WndProc(TMessage& message);
  // What no handler took: nothing for windowless controls, the window's
  // original procedure for windowed ones.
  virtual void DefaultHandler(TMessage& message);

  // ---- parent
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

  // ---- bounds (in the parent's client coordinates)
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, RectWidth(r), RectHeight(r)); }
  // The client area in the control's own coordinates.
  virtual TRect ClientRect();
  int ClientWidth() { return RectWidth(ClientRect()); }
  int ClientHeight() { return RectHeight(ClientRect()); }
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  virtual void SetClientSize(int width, int height);
  // The screen position of the client area's origin.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(TPoint p);
  TPoint ScreenToClient(TPoint p);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // ---- state
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  virtual void Show();
  virtual void Hide();
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // Visible here and in every parent up to a top-level window.
  virtual bool Showing();

  std::string Caption() { return Text(); }
  void SetCaption(const std::string& text) { SetText(text); }
  // Windowed controls keep the text in their window once it exists.
  virtual std::string Text();
  virtual void SetText(const std::string& text);

  TFont* Font() { return &font_; }
  void SetFont(TFont* font) { font_.Assign(font); }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool on);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool on);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool on);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  // Held with free notification; shown on WM_CONTEXTMENU when it pops up
  // automatically.
  void SetPopupMenu(TPopupMenu* menu);
  // Shows the pop-up menu at a screen point (-1, -1: the control's middle);
  // false when there is none to show.
  bool ShowPopupMenu(int screenX, int screenY);

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState state) { controlState_ = state; }

  // Whether this control holds the mouse capture (its window, or its
  // parent's window on its behalf).
  bool MouseCapture();
  void SetMouseCapture(bool on);

  // ---- events
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  virtual void Click();

  // ---- painting
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }

  // ---- z-order among the parent's controls
  void BringToFront();
  void SendToBack();

  // The form (or top-level control) this control sits on, or nullptr.
  TWinControl* GetParentForm() const;

 protected:
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Resize();
  // The bounds have changed or are about to be applied to a window.
  virtual void BoundsChanged() {}
  // Asks the parent to realign because this control's place or alignment changed.
  virtual void RequestAlign();
  virtual void VisibleChanging() {}
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  // Calls `body`, handing any exception to the application's handler.
  void Guarded(const std::function<void()>& body);

  // Picks up the parent's font, colour and show-hint flag where the
  // Parent... flags are set.
  void ParentChanged();

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

 private:
  friend class TWinControl;
  void FontChanged(TObject*);
  void HandleMouseMessage(TMessage& message);
  bool HandleNotification(TMessage& message);
  void SetTextInternal(const std::string& text);

  TWinControl* parent_ = nullptr;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  TFont font_;
  TColor color_ = clWindow;
  bool parentFont_ = true;
  bool parentColor_ = true;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState controlState_;
  bool updatingFont_ = false;
  unsigned long long creationOrder_ = 0;
};

// A windowless control: painted by its parent's WM_PAINT through Paint,
// with a canvas on the parent's context moved to this control's origin.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  void WndProc(TMessage& message) override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// Runs `paint` with `canvas` drawing on `dc` (locked meanwhile), and
// detaches the canvas again whatever happens.
void PaintWithCanvas(TCanvas* canvas, HDC dc, const std::function<void()>& paint);

// Calls the application's exception handler for the exception in flight
// (installed by the application; without one, the exception's message is
// written to standard error and dropped).
void HandleControlException(TObject* sender);
inline void (*ControlExceptionHandler)(TObject* sender) = nullptr;

// The control under the pointer as last seen by a mouse message (windowless
// children included), or nullptr.
TControl* MouseControl();
// The windowless or windowed control holding the mouse capture, or nullptr.
TControl* CaptureControl();

// The system cursor shown for a framework cursor number.
HCURSOR CursorHandle(TCursor cursor);
// A cursor over every control (crDefault: each control's own); the screen
// object sets it.
void SetGlobalCursor(TCursor cursor);
TCursor GlobalCursor();
