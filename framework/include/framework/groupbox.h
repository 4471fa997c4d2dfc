// TGroupBox, a captioned etched frame that holds other controls, and
// TRadioGroup, a group box that makes one radio button per line of Items
// and arranges them in Columns.
#pragma once

#include <memory>
#include <vector>

#include "framework/strings.h"
#include "framework/wincontrol.h"

class TRadioButton;

class TCustomGroupBox : public TCustomControl {
 public:
  // 185 x 105, accepting child controls, following the parent's colour.
  explicit TCustomGroupBox(TComponent* owner);

 protected:
  // Below the caption and inside the frame.
  void AdjustClientRect(TRect& rect) override;
  void Paint() override;
  void WndProc(TMessage& message) override;
  // The height of the caption's line in the control's font.
  int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

class TCustomRadioGroup : public TCustomGroupBox {
 public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;

  TStrings* Items() { return items_.get(); }
  void SetItems(TStrings* items) { items_->Assign(items); }
  // -1: none checked.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  // The radio button of line `index`; nullptr outside the lines.
  TRadioButton* Buttons(int index) const;
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void WndProc(TMessage& message) override;
  // Places the buttons: rows of equal height below the caption, filled
  // column by column.
  void ArrangeButtons();

 private:
  void ItemsChanged();
  void ButtonClicked(TRadioButton* button);

  std::unique_ptr<TStringList> items_;
  std::vector<TRadioButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
};
