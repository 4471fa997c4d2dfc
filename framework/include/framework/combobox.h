// TComboBox over the "COMBOBOX" window class: an edit field (or a fixed
// field for csDropDownList) with a drop-down list of Items. The items live
// in the window while it exists and in a plain list otherwise, so a combo
// box can be filled before it is shown and keeps its items when its window
// is made again.
#pragma once

#include <memory>
#include <string>

#include "framework/strings.h"
#include "framework/wincontrol.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TCustomComboBox;

class TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TCustomComboBox* combo);
  ~TComboBoxStrings() override;
  int Count() const override;
  std::string Strings(int index) const override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  int Add(const std::string& text) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  // Empties the list; the text in the edit field stays.
  void Clear() override;
  int IndexOf(const std::string& text) const override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  friend class TCustomComboBox;
  HWND Window() const;
  void CheckIndex(int index) const;
  TCustomComboBox* combo_;
  // The items while the combo box has no window.
  std::unique_ptr<TStringList> stored_;
};

class TCustomComboBox : public TWinControl {
 public:
  // 145 x 21, window colour, a tab stop, eight rows dropped down.
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  TStrings* Items() { return items_.get(); }
  void SetItems(TStrings* items) { items_->Assign(items); }
  // -1: none selected.
  int ItemIndex();
  void SetItemIndex(int index);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool on);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count) { dropDownCount_ = count; }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  bool DroppedDown();
  void SetDroppedDown(bool on);
  int SelStart();
  void SetSelStart(int start);
  int SelLength();
  void SetSelLength(int length);
  void SelectAll();
  void Clear();

  // The inner edit field (csDropDown, csSimple); nullptr for csDropDownList.
  HWND EditHandle();

  // The text typed changed, or (without OnSelect) a list item was chosen.
  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();

 private:
  friend class TComboBoxStrings;
  std::unique_ptr<TComboBoxStrings> items_;
  TComboBoxStyle style_ = csDropDown;
  int itemIndex_ = -1;  // kept while there is no window
  bool sorted_ = false;
  int dropDownCount_ = 8;
  int maxLength_ = 0;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};
