// TCustomForm/TForm: a top-level window holding controls, with its border,
// position, active control, modal result and the keyboard interface of a
// dialog (Tab order, Enter and Escape as dialog keys, WM_NEXTDLGCTL).
#pragma once

#include <functional>

#include "framework/wincontrol.h"

class TMainMenu;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = Set<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
 public:
  // Hidden, bsSizeable with all three border icons, poDesigned, clBtnFace,
  // its own font; registers with Screen.
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  void BeforeDestruction() override;
  // Runs OnCreate once; the application calls it after construction (and
  // Show/ShowModal do when nobody has).
  virtual void AfterConstruction();

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  TFormState FormState() const { return formState_; }

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  bool Active() const { return active_; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  // Shows the form modally: the other windows of the thread are disabled
  // and a nested loop runs until ModalResult is set (or the application
  // terminates); the form is hidden and the windows enabled again.
  virtual TModalResult ShowModal();
  void Show() override;
  void Hide() override;
  // OnCloseQuery, then OnClose; caHide hides, caFree releases, and closing
  // the main form terminates the application. A modal form just gets
  // mrCancel.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages in flight are handled.
  void Release();

  // Focus bookkeeping: moves the focus to `control` (shows the form's
  // choice when it is not active yet).
  void FocusControl(TWinControl* control);
  void DefocusControl(TWinControl* control, bool removing);
  // Called by a control of this form that got the focus; runs the exit and
  // enter events along the way.
  virtual bool SetFocusedControl(TWinControl* control);
  // A key down matching a menu item's shortcut runs the item; true when one did.
  virtual bool IsShortCut(std::uint16_t key, TShiftState shift);

  void WndProc(TMessage& message) override;
  void SetFocus() override;
  bool CanFocus() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  TCanvas* Canvas() { return canvas_.get(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void PaintWindow(HDC dc) override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  virtual void DoClose(TCloseAction& action);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TApplication;
  void SetActive(bool active);
  void DialogKey(TMessage& message);
  void NextDialogControl(TMessage& message);
  void PlaceOnScreen();
  void ShowFormWindow(bool show);

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  TFormState formState_;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool active_ = false;
  bool keyPreview_ = false;
  bool created_ = false;
  std::unique_ptr<TCanvas> canvas_;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};
