// The file-open dialog: a captioned popup run task-modal in its own loop. It
// browses Windows folders of the prefix; every change of folder or filter
// lists the folder again.
#include "file_dialog.h"

#include <win32/comdlg32.h>

#include <algorithm>

#include "dialog_core.h"

namespace dialogs {
namespace {

const char kDialogClass[] = "XvtFileDialog";
const DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;
const int kClientW = 424, kClientH = 262;
// Posted to itself so a folder change never runs inside a combo's notification.
const UINT kGoToRow = WM_APP + 1;

struct Dialog {
  const hostfs::Drives* drives = nullptr;
  const FileDialogSetup* setup = nullptr;
  std::string folder;
  std::string patterns = "*.*";
  std::vector<FolderRow> rows;
  Listing listing;
  HWND hwnd = nullptr, lookIn = nullptr, list = nullptr, edit = nullptr, types = nullptr;
  FileDialogResult result;
  bool done = false;
};

std::string Text(HWND h) {
  const int n = GetWindowTextLengthA(h);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  GetWindowTextA(h, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}

void FillLookIn(Dialog& d) {
  d.rows = FolderRows(*d.drives, d.folder);
  SendMessageA(d.lookIn, CB_RESETCONTENT, 0, 0);
  int current = 0;
  for (size_t i = 0; i < d.rows.size(); ++i) {
    const std::string label = std::string(static_cast<size_t>(d.rows[i].depth) * 2, ' ') + d.rows[i].label;
    SendMessageA(d.lookIn, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    if (hostfs::EqualNoCase(d.rows[i].path, d.folder)) current = static_cast<int>(i);
  }
  SendMessageA(d.lookIn, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

// Folders show in brackets ahead of the files; the item data tells them apart.
void FillList(Dialog& d) {
  d.listing = ListFolder(*d.drives, d.folder, d.patterns);
  SendMessageA(d.list, LB_RESETCONTENT, 0, 0);
  for (const std::string& f : d.listing.folders) {
    const std::string label = "[" + f + "]";
    const auto i = SendMessageA(d.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    SendMessageA(d.list, LB_SETITEMDATA, static_cast<WPARAM>(i), 1);
  }
  for (const std::string& f : d.listing.files)
    SendMessageA(d.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
}

void GoTo(Dialog& d, const std::string& folder) {
  d.folder = NormalFolder(folder);
  FillLookIn(d);
  FillList(d);
}

// The folder (true) or file behind list row i, by name.
bool RowIsFolder(const Dialog& d, int i) {
  return i >= 0 && SendMessageA(d.list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == 1;
}
std::string RowName(const Dialog& d, int i) {
  const auto n = static_cast<size_t>(i);
  if (n < d.listing.folders.size()) return d.listing.folders[n];
  return d.listing.files.at(n - d.listing.folders.size());
}

void Warn(Dialog& d, const std::string& text) {
  MessageBoxA(d.hwnd, text.c_str(), d.setup->title.c_str(), MB_OK | MB_ICONEXCLAMATION);
  SetFocus(d.edit);
  SendMessageA(d.edit, EM_SETSEL, 0, -1);
}

// Checks a typed file against the flags; warns and returns false to keep the dialog open.
bool AcceptFile(Dialog& d, std::string path) {
  if (!d.setup->defExt.empty() && !HasExtension(path) && !FileExists(*d.drives, path))
    path += "." + d.setup->defExt;
  if (const auto warning = MustExistWarning(*d.drives, path, d.setup->flags)) {
    Warn(d, *warning);
    return false;
  }
  d.result.chosen = true;
  d.result.path = OnDiskSpelling(*d.drives, path);
  d.done = true;
  return true;
}

// Open: a selected folder in the focused list opens; otherwise the edit's text
// says what to do.
void Open(Dialog& d) {
  const int sel = static_cast<int>(SendMessageA(d.list, LB_GETCURSEL, 0, 0));
  if (GetFocus() == d.list && RowIsFolder(d, sel)) {
    GoTo(d, JoinPath(d.folder, RowName(d, sel)));
    return;
  }
  const Typed t = InterpretTyped(*d.drives, d.folder, Text(d.edit));
  switch (t.kind) {
    case Typed::Nothing: return;
    case Typed::Filter:
      d.patterns = t.value;
      if (!t.folder.empty()) d.folder = NormalFolder(t.folder);
      GoTo(d, d.folder);
      SetWindowTextA(d.edit, t.value.c_str());
      return;
    case Typed::Folder:
      GoTo(d, t.value);
      SetWindowTextA(d.edit, "");
      SetFocus(d.edit);
      return;
    case Typed::File: AcceptFile(d, t.value); return;
  }
}

void SelectType(Dialog& d) {
  const int i = static_cast<int>(SendMessageA(d.types, CB_GETCURSEL, 0, 0));
  const auto& filters = d.setup->filters;
  if (i < 0 || static_cast<size_t>(i) >= filters.size()) return;
  d.result.filterIndex = i;
  d.patterns = filters[static_cast<size_t>(i)].patterns;
  FillList(d);
}

void OnListNotify(Dialog& d, WORD code) {
  const int sel = static_cast<int>(SendMessageA(d.list, LB_GETCURSEL, 0, 0));
  if (sel < 0) return;
  if (code == LBN_SELCHANGE && !RowIsFolder(d, sel)) SetWindowTextA(d.edit, RowName(d, sel).c_str());
  if (code != LBN_DBLCLK) return;
  if (RowIsFolder(d, sel)) {
    GoTo(d, JoinPath(d.folder, RowName(d, sel)));
    SendMessageA(d.list, LB_SETCURSEL, 0, 0);
  } else {
    AcceptFile(d, JoinPath(d.folder, RowName(d, sel)));
  }
}

void OnCommand(Dialog& d, WORD id, WORD code) {
  switch (id) {
    case IDOK: if (code == BN_CLICKED) Open(d); return;
    case IDCANCEL: if (code == BN_CLICKED) d.done = true; return;
    case lst1: OnListNotify(d, code); return;
    case cmb1: if (code == CBN_SELCHANGE || code == CBN_SELENDOK) SelectType(d); return;
    case cmb2:
      if (code == CBN_SELENDOK || (code == CBN_SELCHANGE && !SendMessageA(d.lookIn, CB_GETDROPPEDSTATE, 0, 0)))
        PostMessageA(d.hwnd, kGoToRow, static_cast<WPARAM>(SendMessageA(d.lookIn, CB_GETCURSEL, 0, 0)), 0);
      return;
    default: return;
  }
}

LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* d = static_cast<Dialog*>(DialogData(hwnd, msg, lp));
  if (!d) return DefWindowProcA(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_COMMAND: OnCommand(*d, LOWORD(wp), HIWORD(wp)); return 0;
    case WM_CLOSE: d->done = true; return 0;
    case kGoToRow:
      if (wp < d->rows.size()) GoTo(*d, d->rows[wp].path);
      return 0;
    default: return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

bool AnyDropped(const Dialog& d) {
  return SendMessageA(d.lookIn, CB_GETDROPPEDSTATE, 0, 0) || SendMessageA(d.types, CB_GETDROPPEDSTATE, 0, 0);
}

// Enter opens (or presses the focused Cancel), Escape cancels, Tab moves on;
// an open drop-down list keeps Enter and Escape for itself.
bool DialogKey(Dialog& d, const MSG& m) {
  const bool ours = m.wParam == VK_RETURN || m.wParam == VK_ESCAPE || m.wParam == VK_TAB;
  if (!ours || AnyDropped(d)) return false;
  if (m.message == WM_CHAR || m.message == WM_KEYUP) return true;
  if (m.message != WM_KEYDOWN) return false;
  HWND focus = GetFocus();
  if (m.wParam == VK_TAB) CycleFocus(d.hwnd, GetKeyState(VK_SHIFT) < 0);
  else if (m.wParam == VK_ESCAPE || GetDlgCtrlID(focus) == IDCANCEL) d.done = true;
  else Open(d);
  return true;
}

void CreateControls(Dialog& d) {
  HWND h = d.hwnd;
  MakeControl(h, WC_STATICA, "Look &in:", SS_LEFT, stc4, RECT{8, 11, 70, 25});
  d.lookIn = MakeControl(h, WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, cmb2,
                         RECT{72, 6, 336, 206});
  d.list = MakeControl(h, WC_LISTBOXA, "", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, lst1,
                       RECT{8, 34, 416, 184}, WS_EX_CLIENTEDGE);
  MakeControl(h, WC_STATICA, "File &name:", SS_LEFT, stc3, RECT{8, 198, 88, 212});
  d.edit = MakeControl(h, WC_EDITA, d.setup->name.c_str(), ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, edt1,
                       RECT{90, 194, 330, 215}, WS_EX_CLIENTEDGE);
  MakeControl(h, WC_STATICA, "Files of &type:", SS_LEFT, stc2, RECT{8, 228, 88, 242});
  d.types = MakeControl(h, WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, cmb1,
                        RECT{90, 224, 330, 324});
  MakeControl(h, WC_BUTTONA, "&Open", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, RECT{341, 193, 416, 216});
  MakeControl(h, WC_BUTTONA, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, RECT{341, 223, 416, 246});
  for (const FilterPair& f : d.setup->filters)
    SendMessageA(d.types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.description.c_str()));
  if (!d.setup->filters.empty()) {
    const size_t i = std::min(static_cast<size_t>(std::max(0, d.setup->filterIndex)), d.setup->filters.size() - 1);
    SendMessageA(d.types, CB_SETCURSEL, i, 0);
    d.patterns = d.setup->filters[i].patterns;
    d.result.filterIndex = static_cast<int>(i);
  }
}

// Centred on the owner when there is one, kept on the screen.
void Place(HWND hwnd, HWND owner) {
  if (!owner || !IsWindow(owner)) return CenterOnScreen(hwnd);
  RECT r, o;
  GetWindowRect(hwnd, &r);
  GetWindowRect(owner, &o);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  const int x = std::clamp<int>((o.left + o.right - w) / 2, 0, std::max(0, sw - w));
  const int y = std::clamp<int>((o.top + o.bottom - h) / 2, 0, std::max(0, sh - h));
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

FileDialogResult RunFileDialog(const hostfs::Drives& drives, const FileDialogSetup& setup) {
  Dialog d;
  d.drives = &drives;
  d.setup = &setup;
  if (!RegisterDialogClass(kDialogClass, DialogProc)) return d.result;
  const SIZE outer = WindowSizeFor(kClientW, kClientH, kDialogStyle, kDialogExStyle);
  HWND prevFocus = GetFocus();
  HWND prevActive = GetActiveWindow();
  TaskModal modal;
  d.hwnd = CreateWindowExA(kDialogExStyle, kDialogClass, setup.title.c_str(), kDialogStyle, 0, 0, outer.cx, outer.cy,
                           setup.owner, nullptr, nullptr, &d);
  if (!d.hwnd) return d.result;
  CreateControls(d);
  GoTo(d, setup.folder);
  Place(d.hwnd, setup.owner);
  ShowWindow(d.hwnd, SW_SHOW);
  SetActiveWindow(d.hwnd);
  SetFocus(d.edit);
  SendMessageA(d.edit, EM_SETSEL, 0, -1);
  UpdateWindow(d.hwnd);
  RunModal(d.hwnd, d.done, [&](const MSG& m) { return DialogKey(d, m); });
  EndModal(d.hwnd, modal, prevActive, prevFocus);
  return d.result;
}

}  // namespace dialogs
