// Scroll-bar state and drawing shared by window scroll bars and the
// "ScrollBar" class.
#pragma once

#include <win32/user32_controls.h>

namespace controls {

struct ScrollState {
  int min = 0, max = 100;
  UINT page = 0;
  int pos = 0;
  bool tracking = false;
  int trackPos = 0;
};

struct BarGeometry {
  int arrow;       // length of each arrow button
  int thumbStart;  // offsets along the bar; -1 when there is no thumb
  int thumbEnd;
};

ScrollState* FindBar(HWND h, int bar);
ScrollState& Bar(HWND h, int bar);
void ForgetBars(HWND h);
int ApplyInfo(ScrollState& s, const SCROLLINFO& si);
void ReadInfo(const ScrollState& s, SCROLLINFO& si);
BarGeometry Geometry(RECT r, bool vertical, const ScrollState& s);
// pressedPart: SB_LINEUP or SB_LINEDOWN drawn pushed, -1 for none.
void PaintBar(HDC dc, RECT r, bool vertical, const ScrollState& s, int pressedPart);
// SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK or -1.
int HitPart(RECT r, bool vertical, const ScrollState& s, POINT p);
// The window scroll bars of a control that draws them itself: after the
// default WM_NCPAINT, and on WM_NCLBUTTONDOWN (true when it was a bar).
void PaintWindowBars(HWND h);
// The click runs its own loop until the button is released: arrows and page
// clicks repeat on a timer while held over their part, the thumb follows the
// mouse with SB_THUMBTRACK and lands with SB_THUMBPOSITION.
bool WindowBarClick(HWND h, WPARAM hit, LPARAM lp);
// Tracks a press at a screen point on bar SB_HORZ, SB_VERT or SB_CTL (a bar
// control) in the same way; returns when the button is released.
void TrackBar(HWND h, int bar, POINT screen);
// The arrow drawn pushed while it is held (SB_LINEUP, SB_LINEDOWN), else -1.
int PressedPart(HWND h, int bar);
// Lets the default window procedure draw and track the bars of any window.
void InstallWindowBars();

}  // namespace controls
