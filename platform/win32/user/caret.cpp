// The caret: one per process here (the program has one user-interface
// thread), drawn by inverting its rectangle, blinking on the host clock.
#include "window.h"

namespace user {
namespace {

struct Caret {
  HWND hwnd = nullptr;
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
  POINT pos{0, 0};
  int hideCount = 1;
  bool on = false;
  bool restoreAfterPaint = false;
  std::uint64_t nextBlink = 0;
};
Caret g_caret;
UINT g_blinkTime = 530;

void Toggle() {
  Window* w = Lookup(g_caret.hwnd);
  if (!w) return;
  HDC dc = GetDCEx(w->hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | ((w->style & WS_CLIPCHILDREN) ? DCX_CLIPCHILDREN : 0));
  if (!dc) return;
  PatBlt(dc, g_caret.pos.x, g_caret.pos.y, g_caret.width, g_caret.height, DSTINVERT);
  ReleaseDC(w->hwnd, dc);
  g_caret.on = !g_caret.on;
}

void Off() {
  if (g_caret.on) Toggle();
}

void OnNow() {
  if (!g_caret.on) Toggle();
  g_caret.nextBlink = backend::NowMs() + g_blinkTime;
}

bool Owns(HWND hwnd) { return g_caret.hwnd && (!hwnd || hwnd == g_caret.hwnd); }

}  // namespace

void CaretTick() {
  if (!g_caret.hwnd || g_caret.hideCount > 0) return;
  std::uint64_t now = backend::NowMs();
  if (now < g_caret.nextBlink) return;
  Toggle();
  g_caret.nextBlink = now + g_blinkTime;
}

int CaretDelay() {
  if (!g_caret.hwnd || g_caret.hideCount > 0) return -1;
  std::uint64_t now = backend::NowMs();
  return now >= g_caret.nextBlink ? 0 : static_cast<int>(g_caret.nextBlink - now);
}

void CaretBeforePaint(Window* w) {
  if (g_caret.hwnd != w->hwnd || !g_caret.on) return;
  Off();
  g_caret.restoreAfterPaint = true;
}

void CaretAfterPaint(Window* w) {
  if (g_caret.hwnd != w->hwnd || !g_caret.restoreAfterPaint) return;
  g_caret.restoreAfterPaint = false;
  if (g_caret.hideCount == 0) OnNow();
}

void CaretWindowDestroyed(Window* w) {
  if (g_caret.hwnd == w->hwnd) g_caret = Caret{};
}

}  // namespace user

using namespace user;

BOOL WINAPI CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  DestroyCaret();
  g_caret.hwnd = hwnd;
  g_caret.bitmap = bitmap;
  g_caret.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  g_caret.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  if (bitmap && reinterpret_cast<std::uintptr_t>(bitmap) > 1) {
    BITMAP bm{};
    if (GetObjectA(bitmap, sizeof bm, &bm)) g_caret.width = bm.bmWidth, g_caret.height = bm.bmHeight;
  }
  g_caret.hideCount = 1;
  return TRUE;
}

BOOL WINAPI DestroyCaret(void) {
  if (!g_caret.hwnd) return FALSE;
  Off();
  g_caret = Caret{};
  return TRUE;
}

BOOL WINAPI ShowCaret(HWND hwnd) {
  if (!Owns(hwnd)) return FALSE;
  if (g_caret.hideCount == 0) return FALSE;  // not hidden: nothing to undo
  if (--g_caret.hideCount == 0) OnNow();
  return TRUE;
}

BOOL WINAPI HideCaret(HWND hwnd) {
  if (!Owns(hwnd)) return FALSE;
  if (g_caret.hideCount++ == 0) Off();
  return TRUE;
}

BOOL WINAPI SetCaretPos(int x, int y) {
  if (!g_caret.hwnd) return FALSE;
  if (g_caret.pos.x == x && g_caret.pos.y == y) return TRUE;
  bool wasOn = g_caret.on;
  Off();
  g_caret.pos = POINT{x, y};
  if (g_caret.hideCount == 0 && wasOn) OnNow();
  else if (g_caret.hideCount == 0) g_caret.nextBlink = backend::NowMs();
  return TRUE;
}

BOOL WINAPI GetCaretPos(LPPOINT p) {
  if (!p || !g_caret.hwnd) return FALSE;
  *p = g_caret.pos;
  return TRUE;
}

UINT WINAPI GetCaretBlinkTime(void) { return g_blinkTime; }
BOOL WINAPI SetCaretBlinkTime(UINT ms) {
  g_blinkTime = ms ? ms : 530;
  return TRUE;
}
