// The clipboard: formats kept in the process, text bridged to the host.
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <backend/backend.h>
#include <win32/kernel32.h>
#include <win32/user32_clipboard.h>

#include "objects.h"

// Bitmaps on the clipboard are GDI objects, released with DeleteObject when
// replaced. Weak, so the kernel library links without the drawing library:
// without it no bitmap can exist either.
BOOL WINAPI DeleteObject(HGDIOBJ ho) __attribute__((weak));

namespace {

struct Clipboard {
  std::mutex m;
  DWORD openThread = 0;  // 0: closed
  HWND openWindow = nullptr;
  HWND owner = nullptr;
  std::map<UINT, HANDLE> data;  // in the order formats are numbered
  std::vector<UINT> order;      // in the order they were set
  std::string hostText;         // the host text when we last looked or wrote
  std::vector<std::string> names;  // registered formats, 0xC000 upwards
};

Clipboard& C() {
  static Clipboard* c = new Clipboard;
  return *c;
}

bool IsGdiFormat(UINT f) {
  return f == CF_BITMAP || f == CF_PALETTE || f == CF_DSPBITMAP || (f >= CF_GDIOBJFIRST && f <= CF_GDIOBJLAST);
}

void Release(UINT format, HANDLE h) {
  if (!h || format == CF_OWNERDISPLAY) return;
  if (IsGdiFormat(format)) {
    if (DeleteObject) DeleteObject(h);
  } else {
    GlobalFree(h);
  }
}

// Lock held.
void ClearLocked(Clipboard& c) {
  for (auto& [f, h] : c.data) Release(f, h);
  c.data.clear();
  c.order.clear();
}

HANDLE TextBlock(const std::string& text) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!h) return nullptr;
  std::memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
  GlobalUnlock(h);
  return h;
}

std::string BlockText(HANDLE h) {
  const char* p = static_cast<const char*>(GlobalLock(h));
  if (!p) return {};
  SIZE_T n = GlobalSize(h);
  std::string s(p, strnlen(p, n));
  GlobalUnlock(h);
  return s;
}

void StoreLocked(Clipboard& c, UINT format, HANDLE h) {
  auto it = c.data.find(format);
  if (it != c.data.end()) {
    if (it->second != h) Release(format, it->second);
    it->second = h;
    return;
  }
  c.data[format] = h;
  c.order.push_back(format);
}

// Another program that put text on the host clipboard owns it now: what the
// process kept is gone and the host text is the only format. Lock held.
void FollowHostLocked(Clipboard& c) {
  backend::Backend* b = backend::Current();
  if (!b) return;
  std::string now = b->ClipboardText();
  if (now == c.hostText) return;
  c.hostText = now;
  ClearLocked(c);
  c.owner = nullptr;
  if (!now.empty()) StoreLocked(c, CF_TEXT, TextBlock(now));
}

bool RequireOpenLocked(const Clipboard& c) {
  if (c.openThread == kernel::HostThreadId()) return true;
  SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
  return false;
}

}  // namespace

BOOL WINAPI OpenClipboard(HWND hwnd) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  DWORD me = kernel::HostThreadId();
  if (c.openThread && c.openThread != me) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  c.openThread = me;
  c.openWindow = hwnd;
  FollowHostLocked(c);
  return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  if (!RequireOpenLocked(c)) return FALSE;
  c.openThread = 0;
  c.openWindow = nullptr;
  return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  if (!RequireOpenLocked(c)) return FALSE;
  ClearLocked(c);
  c.owner = c.openWindow;
  if (backend::Backend* b = backend::Current()) {
    b->SetClipboardText("");
    c.hostText.clear();
  }
  return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE h) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  if (!RequireOpenLocked(c) || format == 0) return nullptr;
  StoreLocked(c, format, h);
  if (format == CF_TEXT && h) {
    if (backend::Backend* b = backend::Current()) {
      c.hostText = BlockText(h);
      b->SetClipboardText(c.hostText);
    }
  }
  return h;
}

HANDLE WINAPI GetClipboardData(UINT format) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  if (!RequireOpenLocked(c)) return nullptr;
  FollowHostLocked(c);
  auto it = c.data.find(format);
  return it == c.data.end() ? nullptr : it->second;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  FollowHostLocked(c);
  return c.data.count(format) ? TRUE : FALSE;
}

int WINAPI CountClipboardFormats(void) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  FollowHostLocked(c);
  return static_cast<int>(c.order.size());
}

UINT WINAPI EnumClipboardFormats(UINT format) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  if (!RequireOpenLocked(c)) return 0;
  SetLastError(NO_ERROR);
  if (format == 0) return c.order.empty() ? 0 : c.order.front();
  for (std::size_t i = 0; i + 1 < c.order.size(); ++i)
    if (c.order[i] == format) return c.order[i + 1];
  return 0;
}

UINT WINAPI RegisterClipboardFormatA(LPCSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  for (std::size_t i = 0; i < c.names.size(); ++i)
    if (lstrcmpiA(c.names[i].c_str(), name) == 0) return static_cast<UINT>(0xC000 + i);
  if (c.names.size() >= 0x4000) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  c.names.emplace_back(name);
  return static_cast<UINT>(0xC000 + c.names.size() - 1);
}

int WINAPI GetClipboardFormatNameA(UINT format, LPSTR out, int max) {
  Clipboard& c = C();
  std::lock_guard<std::mutex> g(c.m);
  if (format < 0xC000 || format - 0xC000 >= c.names.size() || !out || max <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  lstrcpynA(out, c.names[format - 0xC000].c_str(), max);
  return lstrlenA(out);
}

HWND WINAPI GetClipboardOwner(void) {
  std::lock_guard<std::mutex> g(C().m);
  return C().owner;
}

HWND WINAPI GetOpenClipboardWindow(void) {
  std::lock_guard<std::mutex> g(C().m);
  return C().openWindow;
}
