// The combo box and its items.
#include "framework/combobox.h"

#include "wrapper_support.h"
#include "framework/exceptions.h"

using stdctrls_detail::Send;

// ------------------------------------------------------------------ items

TComboBoxStrings::TComboBoxStrings(TCustomComboBox* combo) : combo_(combo), stored_(std::make_unique<TStringList>()) {}

TComboBoxStrings::~TComboBoxStrings() = default;

HWND TComboBoxStrings::Window() const { return combo_->HandleAllocated() ? combo_->WindowHandle() : nullptr; }

void TComboBoxStrings::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
}

int TComboBoxStrings::Count() const {
  HWND h = Window();
  return h ? static_cast<int>(Send(h, CB_GETCOUNT)) : stored_->Count();
}

std::string TComboBoxStrings::Strings(int index) const {
  HWND h = Window();
  if (!h) return stored_->Strings(index);
  CheckIndex(index);
  LRESULT length = Send(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  std::string text(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
  Send(h, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length < 0 ? 0 : length));
  return text;
}

TObject* TComboBoxStrings::Objects(int index) const {
  HWND h = Window();
  if (!h) return stored_->Objects(index);
  CheckIndex(index);
  return reinterpret_cast<TObject*>(Send(h, CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

void TComboBoxStrings::SetObjects(int index, TObject* object) {
  HWND h = Window();
  if (!h) return stored_->SetObjects(index, object);
  CheckIndex(index);
  Send(h, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

int TComboBoxStrings::Add(const std::string& text) {
  HWND h = Window();
  if (!h) return stored_->Add(text);
  LRESULT index = Send(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) throw EOutOfResources("Not enough storage is available to complete this operation");
  return static_cast<int>(index);
}

void TComboBoxStrings::Insert(int index, const std::string& text) {
  HWND h = Window();
  if (!h) return stored_->Insert(index, text);
  if (index < 0 || index > Count()) Error("List index out of bounds (%d)", index);
  if (Send(h, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())) < 0)
    throw EOutOfResources("Not enough storage is available to complete this operation");
}

void TComboBoxStrings::Delete(int index) {
  HWND h = Window();
  if (!h) return stored_->Delete(index);
  CheckIndex(index);
  Send(h, CB_DELETESTRING, static_cast<WPARAM>(index));
}

void TComboBoxStrings::Clear() {
  HWND h = Window();
  if (!h) {
    stored_->Clear();
    combo_->itemIndex_ = -1;
    return;
  }
  // The window empties its edit field with the list: put the text back.
  std::string text = combo_->Text();
  Send(h, CB_RESETCONTENT);
  if (combo_->Style() != csDropDownList) SetWindowTextA(h, text.c_str());
}

int TComboBoxStrings::IndexOf(const std::string& text) const {
  HWND h = Window();
  if (!h) return stored_->IndexOf(text);
  return static_cast<int>(Send(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

void TComboBoxStrings::SetUpdateState(bool updating) {
  HWND h = Window();
  if (!h) return;
  Send(h, WM_SETREDRAW, updating ? FALSE : TRUE);
  if (!updating) InvalidateRect(h, nullptr, TRUE);
}

// ------------------------------------------------------------------ combo box

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(this)) {
  SetBounds(Left(), Top(), 145, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_COMBOBOXA);
  params.Style |= WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  params.Style |= style_ == csDropDownList ? CBS_DROPDOWNLIST : style_ == csSimple ? CBS_SIMPLE : CBS_DROPDOWN;
  if (sorted_) params.Style |= CBS_SORT;
  // The window's height includes the dropped list.
  params.Height = Height() + dropDownCount_ * 16 + 2;
}

void TCustomComboBox::CreateWnd() {
  std::string text = TControl::Caption();
  TWinControl::CreateWnd();
  HWND h = WindowHandle();
  TStringList& stored = *items_->stored_;
  for (int i = 0; i < stored.Count(); ++i) {
    LRESULT at = Send(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(stored.Strings(i).c_str()));
    if (at >= 0) Send(h, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(stored.Objects(i)));
  }
  stored.Clear();
  if (maxLength_) Send(h, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
  if (itemIndex_ >= 0) Send(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_));
  else if (style_ != csDropDownList) SetWindowTextA(h, text.c_str());
}

void TCustomComboBox::DestroyWnd() {
  // Keep what the window holds for the next one.
  HWND h = WindowHandle();
  if (h) {
    TStringList& stored = *items_->stored_;
    stored.Clear();
    int count = static_cast<int>(Send(h, CB_GETCOUNT));
    for (int i = 0; i < count; ++i) stored.AddObject(items_->Strings(i), items_->Objects(i));
    itemIndex_ = static_cast<int>(Send(h, CB_GETCURSEL));
  }
  TWinControl::DestroyWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetSorted(bool on) {
  if (on == sorted_) return;
  sorted_ = on;
  items_->stored_->SetSorted(on);
  if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int length) {
  maxLength_ = length < 0 ? 0 : length;
  if (HandleAllocated()) Send(WindowHandle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

int TCustomComboBox::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(Send(WindowHandle(), CB_GETCURSEL));
}

void TCustomComboBox::SetItemIndex(int index) {
  if (!HandleAllocated()) {
    itemIndex_ = index >= 0 && index < items_->Count() ? index : -1;
    if (itemIndex_ >= 0) TControl::SetText(items_->Strings(itemIndex_));
    return;
  }
  Send(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(index));
}

bool TCustomComboBox::DroppedDown() { return HandleAllocated() && Send(WindowHandle(), CB_GETDROPPEDSTATE) != 0; }

void TCustomComboBox::SetDroppedDown(bool on) { Send(Handle(), CB_SHOWDROPDOWN, on ? TRUE : FALSE); }

int TCustomComboBox::SelStart() {
  DWORD start = 0, end = 0;
  Send(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomComboBox::SetSelStart(int start) {
  Send(Handle(), CB_SETEDITSEL, 0, MAKELONG(static_cast<WORD>(start), static_cast<WORD>(start)));
}

int TCustomComboBox::SelLength() {
  DWORD start = 0, end = 0;
  Send(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelLength(int length) {
  int start = SelStart();
  Send(Handle(), CB_SETEDITSEL, 0, MAKELONG(static_cast<WORD>(start), static_cast<WORD>(start + length)));
}

void TCustomComboBox::SelectAll() { Send(Handle(), CB_SETEDITSEL, 0, MAKELONG(0, 0xFFFF)); }

void TCustomComboBox::Clear() {
  SetText("");
  items_->Clear();
}

HWND TCustomComboBox::EditHandle() {
  if (style_ == csDropDownList) return nullptr;
  return FindWindowExA(Handle(), nullptr, WC_EDITA, nullptr);
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    switch (HIWORD(message.WParam)) {
      case CBN_EDITCHANGE: Guarded([this] { Change(); }); return;
      case CBN_SELCHANGE:
        Guarded([this] {
          Click();
          Select();
        });
        return;
      case CBN_DROPDOWN: Guarded([this] { DropDown(); }); return;
      case CBN_CLOSEUP: Guarded([this] { CloseUp(); }); return;
      default: break;
    }
  }
  TWinControl::WndProc(message);
}
