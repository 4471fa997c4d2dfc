// What the message box and the file dialog share: the classic dialog font,
// task-modal disabling of the thread's other windows, centring and the
// modal message loop with dialog-style key handling.
#pragma once

#include <win32/windows.h>

#include <functional>
#include <vector>

namespace dialogs {

// MS Sans Serif 8pt, created once for the process.
HFONT DialogFont();

// Disables the enabled top-level windows of this thread while alive and
// enables exactly those again on destruction.
class TaskModal {
 public:
  TaskModal();
  ~TaskModal();
  TaskModal(const TaskModal&) = delete;
  TaskModal& operator=(const TaskModal&) = delete;
  // Enables the windows again now rather than at destruction.
  void Restore();

 private:
  std::vector<HWND> disabled_;
};

// Moves a top-level window so that it is centred in the work area.
void CenterOnScreen(HWND hwnd);

// Size of a window whose client area is `cx` x `cy` with the given styles.
SIZE WindowSizeFor(int cx, int cy, DWORD style, DWORD exStyle);

// Creates a child control of `parent` in the dialog font.
HWND MakeControl(HWND parent, const char* cls, const char* text, DWORD style, int id, RECT r, DWORD exStyle = 0);

// Runs messages until `done` is set or the box is destroyed. `keyFilter`
// sees every key message aimed at `dlg` or its children first and returns
// true to swallow it. A WM_QUIT ends the loop and is posted again for the
// caller's own loop; the function returns false then.
bool RunModal(HWND dlg, const bool& done, const std::function<bool(const MSG&)>& keyFilter);

// Moves the focus to the next (or previous) tab-stop child of dlg.
void CycleFocus(HWND dlg, bool backwards);

// Registers a dialog window class (button-face background, arrow cursor)
// once per process, with the standard control classes it uses.
bool RegisterDialogClass(const char* name, WNDPROC proc);

// The state a dialog window was created with (its lpCreateParams), kept
// from WM_NCCREATE on; null before that and after EndModal.
void* DialogData(HWND hwnd, UINT msg, LPARAM lp);

// Ends a modal dialog: its user data is dropped, the other windows come back
// before it goes (so activation can return to the one that had it), then the
// previous activation and focus are restored.
void EndModal(HWND dlg, TaskModal& modal, HWND prevActive, HWND prevFocus);

// Whether hwnd is a push button (the keys Enter and Space click it).
bool IsPushButton(HWND hwnd);

}  // namespace dialogs
