// The drop-down windows of the menu bar: TCustomPopupMenu2000 carries what
// the bar hands over and shows its TPopupMenu2000Form, a borderless
// top-most window that never takes activation, measures and paints its
// rows with the item painter and opens with an animation (slides, unfold
// or a fade paced by the tick count).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/timer.h"
#include "menus/am2000menuitem.h"
#include "menus/am2000options.h"

class TStatusBar;
class TPopupMenu2000Form;

// Private messages of the drop-down windows and the bar.
inline constexpr UINT AM2000_STOPANIM = 0x0501;
inline constexpr UINT AM2000_ANIMSTEP = 0x0502;
inline constexpr UINT AM2000_CLOSE = 0x0505;
inline constexpr UINT AM2000_STOPTIMER = 0x0506;
inline constexpr UINT AM2000_BARREFRESH = 0x0507;
inline constexpr UINT AM2000_BARACTIVATE = 0x0508;
inline constexpr UINT AM2000_BARKEYBOARD = 0x0512;
inline constexpr UINT AM2000_PREPARE = 0x0513;
// The timer that runs an animation step put off behind input.
inline constexpr UINT_PTR AM2000_STEPTIMER = 0xA2000;

// WindowFlags bits.
inline constexpr std::uint16_t wfSelChanged = 0x0001;
inline constexpr std::uint16_t wfMouseButton = 0x0002;
inline constexpr std::uint16_t wfFullRepaint = 0x0004;
inline constexpr std::uint16_t wfUpward = 0x0008;
inline constexpr std::uint16_t wfLeftward = 0x0010;
inline constexpr std::uint16_t wfHintWritten = 0x0020;
inline constexpr std::uint16_t wfAnimating = 0x0100;
inline constexpr std::uint16_t wfCancelled = 0x0200;
inline constexpr std::uint16_t wfOpeningSub = 0x0400;
inline constexpr std::uint16_t wfFrame3D = 0x0800;
inline constexpr std::uint16_t wfShowHidden = 0x1000;
inline constexpr std::uint16_t wfHasHidden = 0x2000;

using T_AM2000_MenuCloseEvent = std::function<void(TObject* sender)>;
using T_AM2000_CloseQueryEvent = std::function<void(TMenuItem* item, bool& canClose)>;
using T_AM2000_MenuCommandEvent = std::function<void(TMenuItem* item)>;

class T_AM2000_PopupMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
};

class TCustomPopupMenu2000 : public T_AM2000_PopupMenu {
 public:
  explicit TCustomPopupMenu2000(TComponent* owner);
  ~TCustomPopupMenu2000() override;

  // Closes any open menu and shows the window at the screen point.
  void Popup(int x, int y) override;
  // Same, with the row rectangle the window must not cover when it has
  // to open upward (a bar item's, in screen coordinates).
  void PopupAt(int x, int y, const TRect& avoid);

  // What the bar hands over before each opening.
  TMenuItem* ShownItems() const { return shown_; }
  void SetShownItems(TMenuItem* items) { shown_ = items; }
  HMENU MenuHandle() const { return handle_; }
  void SetMenuHandle(HMENU handle) { handle_ = handle; }
  T_AM2000_Options* Options() { return &options_; }
  TStatusBar* StatusBar() const { return statusBar_; }
  void SetStatusBar(TStatusBar* bar);
  int StatusBarIndex() const { return statusBarIndex_; }
  void SetStatusBarIndex(int index) { statusBarIndex_ = index; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on) { showHint_ = on; }
  TControl* OwnerControl() const { return ownerControl_; }
  void SetOwnerControl(TControl* control) { ownerControl_ = control; }
  bool SystemFont() const { return systemFont_; }
  void SetSystemFont(bool on) { systemFont_ = on; }
  TFont* Font() { return &font_; }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on) { ctl3D_ = on; }
  bool SelectFirst() const { return selectFirst_; }
  void SetSelectFirst(bool on) { selectFirst_ = on; }

  TPopupMenu2000Form* Window() const { return window_; }
  // Writes a hint to the application and to the status bar panel.
  void WriteHint(const std::string& hint);

  T_AM2000_MenuCommandEvent OnMenuCommand;
  T_AM2000_MenuCloseEvent OnMenuClose;
  T_AM2000_CloseQueryEvent OnCloseQuery;

  void Notification(TComponent* component, TOperation operation) override;

 private:
  TMenuItem* shown_ = nullptr;
  HMENU handle_ = nullptr;
  T_AM2000_Options options_;
  TStatusBar* statusBar_ = nullptr;
  int statusBarIndex_ = 0;
  bool showHint_ = false;
  TControl* ownerControl_ = nullptr;
  bool systemFont_ = true;
  TFont font_;
  bool ctl3D_ = true;
  bool selectFirst_ = false;
  TPopupMenu2000Form* window_ = nullptr;
};

class TCustomPopupMenu2000Form : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

class TPopupMenu2000Form : public TCustomPopupMenu2000Form {
 public:
  // `popup` is the object that fills it (null for sub-menu windows, which
  // read everything from their parent window).
  TPopupMenu2000Form(TComponent* owner, TCustomPopupMenu2000* popup);
  ~TPopupMenu2000Form() override;
  void BeforeDestruction() override;

  virtual int MenuHeight();
  virtual int MenuWidth();
  // Places the window at the screen point and starts its animation; false
  // when the animation was cancelled before the window appeared.
  virtual bool ShowAt(int x, int y, const TRect& avoid);
  void Hide() override;
  void Repaint() override;

  // Rows as measured for this opening.
  const T_AM2000_MenuMeasure& Measure() const { return measure_; }
  int RowCount() const { return static_cast<int>(measure_.Rows.size()); }
  // A row's rectangle in client coordinates (empty outside the rows).
  TRect RowRect(int index) const;
  int RowAt(TPoint client) const;
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);

  T_AM2000_Animation AnimKind() const { return animKind_; }
  void SetAnimKind(T_AM2000_Animation kind) { animKind_ = kind; }
  // The kind this window animates with after resolving anSmart, anPopup
  // and anRandom.
  T_AM2000_Animation Animating() const { return running_; }
  std::uint16_t WindowFlags() const { return windowFlags_; }
  int FrameNo() const { return frameNo_; }
  TRect AnimRect() const { return animRect_; }
  TPopupMenu2000Form* ChildWindow() const { return childWindow_; }
  TPopupMenu2000Form* ParentMenuWindow() const { return parentWindow_; }
  TPopupMenu2000Form* Deepest();
  TCustomPopupMenu2000* PopupObject();
  T_AM2000_Options* MenuOptions() { return &options_; }
  // The number of fade frames shown so far in this opening or closing.
  int FramesShown() const { return framesShown_; }

  // Keys while the window is open; false when the bar should see the key.
  bool KeyDown(WPARAM key);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint();
  void PaintWindow(HDC dc) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  friend class TCustomPopupMenu2000;
  void Prepare();
  void Place(int x, int y, const TRect& avoid);
  void ResolveAnimation();
  bool StartShow();
  void AnimStep(WPARAM posted, LPARAM delay);
  void FadeStep();
  void SlideStep();
  void FinishAnimation();
  void PostStep(DWORD started);
  void Close(bool fadeOut);
  void FadeOut();
  void FreeFadeBuffers();
  void ReadImage(std::vector<std::uint8_t>& bytes);
  void ShowFrame(const std::vector<std::uint8_t>& bytes);
  void PaintRows(bool all);
  void PaintRow(int index);
  void CopyToWindow(HDC dc);
  void HoverTimerTick();
  void SelectRow(int index, bool fromMouse);
  void Choose(int index);
  bool OpenSubMenu(int index);
  void CloseChild();
  bool RowSelectable(int index) const;
  int NextRow(int from, int dir) const;
  int MatchKey(WPARAM key) const;
  std::uint16_t RowState(int index) const;
  HDC ScreenDc();

  TCustomPopupMenu2000* popup_;
  T_AM2000_Options options_;
  T_AM2000_MenuMeasure measure_;
  TBitmap image_;
  T_AM2000_Animation animKind_ = anNone;
  T_AM2000_Animation running_ = anNone;
  int stepX_ = 1, stepY_ = 1;
  TRect animRect_{0, 0, 0, 0};  // left, top, width, height
  TRect fullBounds_{0, 0, 0, 0};
  int fullWidth_ = 0, fullHeight_ = 0;
  std::uint16_t windowFlags_ = 0;
  TTimer* hoverTimer_ = nullptr;
  TTimer* expandRowTimer_ = nullptr;
  int selectedIndex_ = -1;
  int previousIndex_ = -1;
  std::vector<std::uint8_t> menuImage_, screenImage_, frameImage_;
  std::vector<std::int8_t> steps_;
  int frameNo_ = 0;
  DWORD stepStart_ = 0;
  UINT_PTR stepTimer_ = 0;
  int framesShown_ = 0;
  bool visibleNow_ = false;
  TPopupMenu2000Form* parentWindow_ = nullptr;
  TPopupMenu2000Form* childWindow_ = nullptr;
  int parentRow_ = -1;
};

// The pop-up object whose window is open, or null.
TCustomPopupMenu2000* ActivePopup();
// Closes the open menus: the hint is emptied, the open window stopped and
// closed (faded out when asked); `resetBar` returns the active bar to idle.
void CloseMenus(bool resetBar, bool fadeOut);
// True for the windows of open drop-downs.
bool IsMenuWindow(HWND hwnd);
// Plays a system sound event asynchronously ("" stops).
void PlayMenuSound(const char* name);
