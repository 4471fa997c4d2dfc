// TCustomEdit/TEdit, a single-line "EDIT" window, and TMemo, the
// multi-line one whose Lines read and write the window's text line by line.
#pragma once

#include <memory>
#include <string>

#include "framework/strings.h"
#include "framework/wincontrol.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

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

class TCustomMemo;

// The lines of a memo, read from and written into its window. Lines are
// the window's lines: with word wrap on, the wrapped rows.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}
  int Count() const override;
  std::string Strings(int index) const override;
  void SetStrings(int index, const std::string& text) override;
  // Inserting at Count() appends; every line added ends with CR LF.
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& text) override;
  std::string Text() const override;
  void SetText(std::string_view text) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  HWND Window() const;
  TCustomMemo* memo_;
};

class TCustomMemo : public TCustomEdit {
 public:
  // 185 x 89, not auto-selecting, word wrap on, Return and no Tab taken.
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings* Lines() { return lines_.get(); }
  void SetLines(TStrings* lines) { lines_->Assign(lines); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool on);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  TAlignment alignment_ = taLeftJustify;
};

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
};
