// The single-line edit over the "Edit" window class.
#include "framework/edit.h"

#include "wrapper_support.h"

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(Left(), Top(), 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_EDITA);
  params.Style |= WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (readOnly_) params.Style |= ES_READONLY;
  if (!hideSelection_) params.Style |= ES_NOHIDESEL;
  if (oemConvert_) params.Style |= ES_OEMCONVERT;
  if (charCase_ == ecUpperCase) params.Style |= ES_UPPERCASE;
  if (charCase_ == ecLowerCase) params.Style |= ES_LOWERCASE;
  if (passwordChar_) params.Style |= ES_PASSWORD;
  if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  HWND h = WindowHandle();
  SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  SendMessageA(h, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
}

void TCustomEdit::Recreate() {
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool on) {
  if (on == readOnly_) return;
  readOnly_ = on;
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int length) {
  if (length < 0) length = 0;
  maxLength_ = length;
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void TCustomEdit::SetPasswordChar(char c) {
  if (c == passwordChar_) return;
  passwordChar_ = c;
  if (!HandleAllocated()) return;
  SendMessageA(WindowHandle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
  stdctrls_detail::SetStyleBits(WindowHandle(), ES_PASSWORD, c != '\0');
}

void TCustomEdit::SetHideSelection(bool on) {
  if (on == hideSelection_) return;
  hideSelection_ = on;
  Recreate();
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
  if (charCase == charCase_) return;
  charCase_ = charCase;
  Recreate();
}

void TCustomEdit::SetOEMConvert(bool on) {
  if (on == oemConvert_) return;
  oemConvert_ = on;
  Recreate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  Recreate();
}

bool TCustomEdit::Modified() { return HandleAllocated() && SendMessageA(WindowHandle(), EM_GETMODIFY, 0, 0) != 0; }

void TCustomEdit::SetModified(bool on) { SendMessageA(Handle(), EM_SETMODIFY, on ? TRUE : FALSE, 0); }

int TCustomEdit::SelStart() {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int start) { SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start); }

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int length) {
  int start = SelStart();
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

std::string TCustomEdit::SelText() {
  int start = SelStart();
  int length = SelLength();
  return Text().substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

void TCustomEdit::SetSelText(const std::string& text) {
  SendMessageA(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }
void TCustomEdit::ClearSelection() { SendMessageA(Handle(), WM_CLEAR, 0, 0); }
void TCustomEdit::Clear() { SetText(""); }
void TCustomEdit::CopyToClipboard() { SendMessageA(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessageA(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessageA(Handle(), WM_PASTE, 0, 0); }

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::DoEnter() {
  // Tabbing into the field selects it all; a click places the caret.
  if (autoSelect_ && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
    Guarded([this] { Change(); });
    return;
  }
  TWinControl::WndProc(message);
}
