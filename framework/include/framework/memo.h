// TMemo, the multi-line edit whose Lines read and write the window's text
// line by line.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "framework/edit.h"
#include "framework/strings.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

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
