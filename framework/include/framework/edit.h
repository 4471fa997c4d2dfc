// TCustomEdit/TEdit, a single-line "EDIT" window.
#pragma once

#include <string>

#include "framework/wincontrol.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
 public:
  // 121 x 21, window colour, a tab stop with a sunken border.
  explicit TCustomEdit(TComponent* owner);

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  // 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  // '\0': none.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char c);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool on) { autoSelect_ = on; }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool on);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase charCase);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool on);
  // bsSingle: the sunken client edge; bsNone: no border.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  bool Modified();
  void SetModified(bool on);

  int SelStart();
  void SetSelStart(int start);
  int SelLength();
  void SetSelLength(int length);
  std::string SelText();
  void SetSelText(const std::string& text);
  void SelectAll();
  void ClearSelection();
  void Clear();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The text changed (EN_CHANGE from the window).
  virtual void Change();
  void DoEnter() override;

 private:
  void Recreate();

  bool readOnly_ = false;
  int maxLength_ = 0;
  char passwordChar_ = '\0';
  bool autoSelect_ = true;
  bool hideSelection_ = true;
  TEditCharCase charCase_ = ecNormal;
  bool oemConvert_ = false;
  TBorderStyle borderStyle_ = bsSingle;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};
