// ShellExecuteA and the task bar position, answered by the backend.
#include <cctype>
#include <string>

#include <backend/backend.h>
#include <win32/shell32.h>

namespace {

bool SameNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  return *a == *b;
}

HINSTANCE Result(int code) { return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(code)); }

// The strips of the screen outside the work area; the widest is the bar.
void TaskBar(backend::Size screen, backend::Rect work, APPBARDATA& d) {
  struct Strip {
    UINT edge;
    RECT rc;
    LONG area;
  };
  const LONG w = screen.width, h = screen.height;
  const LONG left = work.x, top = work.y, right = work.x + work.width, bottom = work.y + work.height;
  Strip strips[] = {
      {ABE_BOTTOM, {0, bottom, w, h}, (h - bottom) * w},
      {ABE_TOP, {0, 0, w, top}, top * w},
      {ABE_LEFT, {0, 0, left, h}, left * h},
      {ABE_RIGHT, {right, 0, w, h}, (w - right) * h},
  };
  const Strip* best = &strips[0];
  for (const Strip& s : strips)
    if (s.area > best->area) best = &s;
  d.uEdge = best->edge;
  d.rc = best->area > 0 ? best->rc : RECT{0, h, w, h};
}

}  // namespace

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, INT) {
  if (operation && *operation && !SameNoCase(operation, "open")) return Result(SE_ERR_NOASSOC);
  if (!file || !*file) return Result(SE_ERR_FNF);
  backend::Backend* b = backend::Current();
  if (!b) return Result(SE_ERR_NOASSOC);
  if (!b->OpenUrl(file)) return Result(SE_ERR_NOASSOC);
  return Result(42);
}

UINT_PTR WINAPI SHAppBarMessage(DWORD message, PAPPBARDATA data) {
  backend::Backend* b = backend::Current();
  switch (message) {
    case ABM_GETTASKBARPOS:
      if (!data || !b) return FALSE;
      TaskBar(b->ScreenSize(), b->WorkArea(), *data);
      return TRUE;
    case ABM_GETSTATE:
      return ABS_ALWAYSONTOP;
    default:
      return 0;
  }
}
