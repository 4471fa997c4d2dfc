// The group box and the radio group.
#include "framework/groupbox.h"

#include <algorithm>

#include "framework/checkbox.h"
#include "framework/gdi_resources.h"
#include "framework/style_painter.h"
#include "wrapper_support.h"

// ------------------------------------------------------------------ group box

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  TControlStyle style = ControlStyle();
  style.Include(csAcceptsControls).Include(csSetCaption).Include(csDoubleClicks);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 185, 105);
  SetParentColor(true);
}

int TCustomGroupBox::CaptionHeight() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontHandle(Font()->Data()));
  SIZE size{};
  GetTextExtentPoint32A(dc, "0", 1, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cy;
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  rect.top += CaptionHeight();
  InflateRect(&rect, -2, -2);
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  int h = canvas->TextHeight("0");
  TRect frame = Rect(0, h / 2 - 1, Width(), Height());
  StylePainter::GroupFrame(canvas->Handle(), frame);
  const std::string& text = Caption();
  if (text.empty()) return;
  HDC dc = canvas->Handle();
  TRect textRect = Rect(8, 0, 0, h);
  HGDIOBJ oldFont = SelectObject(dc, FontHandle(Font()->Data()));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_CALCRECT | DT_SINGLELINE);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(textRect);
  StylePainter::Text(dc, text, textRect, DT_SINGLELINE, true, Enabled() ? Font()->Color() : clGrayText);
  SelectObject(dc, oldFont);
}

void TCustomGroupBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      TCustomControl::WndProc(message);
      Realign();
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      // Its accelerator moves the focus into the group.
      if (stdctrls_detail::IsAccel(static_cast<char>(message.WParam), Caption()) && CanFocus()) {
        SelectFirst();
        message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TCustomControl::WndProc(message);
}

// ------------------------------------------------------------------ radio group

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
  TControlStyle style = ControlStyle();
  style.Exclude(csAcceptsControls);
  SetControlStyle(style);
  items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup() { items_->OnChange = nullptr; }

TRadioButton* TCustomRadioGroup::Buttons(int index) const {
  if (index < 0 || index >= ButtonCount()) return nullptr;
  return buttons_[static_cast<size_t>(index)];
}

void TCustomRadioGroup::ItemsChanged() {
  if (ComponentState().Contains(csDestroying)) return;
  // One button per line, made or dropped to match, then captioned.
  int count = items_->Count();
  while (ButtonCount() > count) {
    TRadioButton* last = buttons_.back();
    buttons_.pop_back();
    Free(last);
  }
  while (ButtonCount() < count) {
    auto* button = new TRadioButton(this);
    button->OnClick = [this, button](TObject*) { ButtonClicked(button); };
    button->SetParent(this);
    buttons_.push_back(button);
  }
  updating_ = true;
  for (int i = 0; i < count; ++i) {
    buttons_[static_cast<size_t>(i)]->SetCaption(items_->Strings(i));
    buttons_[static_cast<size_t>(i)]->SetChecked(i == itemIndex_);
  }
  updating_ = false;
  if (itemIndex_ >= count) itemIndex_ = -1;
  ArrangeButtons();
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* button) {
  if (updating_) return;
  auto it = std::find(buttons_.begin(), buttons_.end(), button);
  if (it == buttons_.end() || !button->Checked()) return;
  int index = static_cast<int>(it - buttons_.begin());
  if (index == itemIndex_) return;
  itemIndex_ = index;
  Click();
}

void TCustomRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= ButtonCount()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  updating_ = true;
  for (int i = 0; i < ButtonCount(); ++i) buttons_[static_cast<size_t>(i)]->SetChecked(i == index);
  updating_ = false;
}

void TCustomRadioGroup::SetColumns(int columns) {
  columns = std::clamp(columns, 1, 16);
  if (columns == columns_) return;
  columns_ = columns;
  ArrangeButtons();
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height) {
  TCustomGroupBox::SetBounds(left, top, width, height);
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  int count = ButtonCount();
  if (count == 0) return;
  int perColumn = (count + columns_ - 1) / columns_;
  int buttonWidth = (Width() - 10) / columns_;
  int textHeight = CaptionHeight();
  int room = Height() - textHeight - 5;
  int buttonHeight = room / perColumn;
  int topMargin = textHeight + 1 + (room % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    int column = i / perColumn, row = i % perColumn;
    buttons_[static_cast<size_t>(i)]->SetBounds(column * buttonWidth + 8, row * buttonHeight + topMargin, buttonWidth,
                                                buttonHeight);
  }
}

void TCustomRadioGroup::WndProc(TMessage& message) {
  if (message.Msg == CM_FONTCHANGED) {
    TCustomGroupBox::WndProc(message);
    ArrangeButtons();
    return;
  }
  TCustomGroupBox::WndProc(message);
}
