// The multi-line edit and its lines over the window's text.
#include "framework/memo.h"

#include <vector>

#include "framework/exceptions.h"
#include "wrapper_support.h"

using stdctrls_detail::Send;

namespace {

int LineStart(HWND h, int line) { return static_cast<int>(Send(h, EM_LINEINDEX, static_cast<WPARAM>(line))); }

void Replace(HWND h, int start, int end, const std::string& text) {
  Send(h, EM_SETSEL, static_cast<WPARAM>(start), end);
  Send(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

// ------------------------------------------------------------------ lines

HWND TMemoStrings::Window() const { return memo_->Handle(); }

int TMemoStrings::Count() const {
  HWND h = Window();
  int count = static_cast<int>(Send(h, EM_GETLINECOUNT));
  // The empty row after a final line break is not a line.
  if (count > 0 && Send(h, EM_LINELENGTH, static_cast<WPARAM>(LineStart(h, count - 1))) == 0) --count;
  return count;
}

std::string TMemoStrings::Strings(int index) const {
  HWND h = Window();
  if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
  int start = LineStart(h, index);
  int length = static_cast<int>(Send(h, EM_LINELENGTH, static_cast<WPARAM>(start)));
  // EM_GETLINE reads the buffer size from the buffer's first word.
  std::vector<char> buffer(static_cast<size_t>(length) + sizeof(WORD) + 1, '\0');
  *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size());
  int got = static_cast<int>(Send(h, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data())));
  return std::string(buffer.data(), static_cast<size_t>(got < 0 ? 0 : std::min(got, length)));
}

void TMemoStrings::SetStrings(int index, const std::string& text) {
  HWND h = Window();
  if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
  int start = LineStart(h, index);
  int length = static_cast<int>(Send(h, EM_LINELENGTH, static_cast<WPARAM>(start)));
  Replace(h, start, start + length, text);
}

void TMemoStrings::Insert(int index, const std::string& text) {
  HWND h = Window();
  int count = Count();
  if (index < 0 || index > count) Error("List index out of bounds (%d)", index);
  if (index < count) {
    int start = LineStart(h, index);
    Replace(h, start, start, text + "\r\n");
    return;
  }
  // At the end: after a final line break the text goes on the empty row;
  // otherwise the last line is ended first.
  int size = static_cast<int>(Send(h, WM_GETTEXTLENGTH));
  int rows = static_cast<int>(Send(h, EM_GETLINECOUNT));
  bool endsOpen = size > 0 && Send(h, EM_LINELENGTH, static_cast<WPARAM>(LineStart(h, rows - 1))) > 0;
  Replace(h, size, size, endsOpen ? "\r\n" + text : text + "\r\n");
}

int TMemoStrings::Add(const std::string& text) {
  int index = Count();
  Insert(index, text);
  return index;
}

void TMemoStrings::Delete(int index) {
  HWND h = Window();
  int count = Count();
  if (index < 0 || index >= count) Error("List index out of bounds (%d)", index);
  int start = LineStart(h, index);
  int end = index + 1 < static_cast<int>(Send(h, EM_GETLINECOUNT)) ? LineStart(h, index + 1)
                                                                    : static_cast<int>(Send(h, WM_GETTEXTLENGTH));
  Replace(h, start, end, "");
}

void TMemoStrings::Clear() { memo_->SetText(""); }

std::string TMemoStrings::Text() const { return memo_->Text(); }

void TMemoStrings::SetText(std::string_view text) { memo_->SetText(std::string(text)); }

void TMemoStrings::SetUpdateState(bool updating) {
  if (!memo_->HandleAllocated()) return;
  HWND h = memo_->WindowHandle();
  Send(h, WM_SETREDRAW, updating ? FALSE : TRUE);
  if (!updating) InvalidateRect(h, nullptr, TRUE);
}

// ------------------------------------------------------------------ memo

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this)) {
  SetBounds(Left(), Top(), 185, 89);
  SetAutoSelect(false);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL | ES_LEFT | ES_CENTER | ES_RIGHT);
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (alignment_ == taCenter) params.Style |= ES_CENTER;
  else if (alignment_ == taRightJustify) params.Style |= ES_RIGHT;
  // Without word wrap long lines scroll sideways instead.
  if (!wordWrap_) params.Style |= ES_AUTOHSCROLL;
  if (wantReturns_) params.Style |= ES_WANTRETURN;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  // A horizontal bar means nothing while lines wrap at the right edge.
  if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_) params.Style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool on) {
  if (on == wordWrap_) return;
  wordWrap_ = on;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWantReturns(bool on) {
  if (on == wantReturns_) return;
  wantReturns_ = on;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWantTabs(bool on) { wantTabs_ = on; }

void TCustomMemo::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::WndProc(TMessage& message) {
  if (message.Msg == WM_GETDLGCODE) {
    TCustomEdit::WndProc(message);
    // Tab moves the focus on unless the memo takes tabs; Return stays in
    // the memo only when it wants it.
    if (wantTabs_) message.Result |= DLGC_WANTTAB;
    else message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!wantReturns_) message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    return;
  }
  TCustomEdit::WndProc(message);
}
