// The classic look: bevels, check marks, radio dots, embossed text and
// etched lines, drawn from the system colours.
#include "control_base.h"

#include <cmath>

namespace xvt_controls::look {
namespace {

void Fill(HDC dc, int l, int t, int r, int b, int colour) {
  RECT rc{l, t, r, b};
  FillRect(dc, &rc, SysBrush(colour));
}

void Frame(HDC dc, const RECT& r, int colour) { Bevel(dc, r, colour, colour); }

void Shrink(RECT& r) { InflateRect(&r, -1, -1); }

}  // namespace

void Bevel(HDC dc, const RECT& r, int tl, int br) {
  Fill(dc, r.left, r.top, r.right - 1, r.top + 1, tl);
  Fill(dc, r.left, r.top, r.left + 1, r.bottom - 1, tl);
  Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, br);
  Fill(dc, r.right - 1, r.top, r.right, r.bottom, br);
}

void PushFrame(HDC dc, RECT r, bool pushed, bool isDefault) {
  if (isDefault) {
    Frame(dc, r, COLOR_3DDKSHADOW);
    Shrink(r);
  }
  if (pushed) {
    if (!isDefault) {
      Frame(dc, r, COLOR_3DDKSHADOW);
      Shrink(r);
    }
    Frame(dc, r, COLOR_BTNSHADOW);
    Shrink(r);
  } else {
    Bevel(dc, r, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
    Shrink(r);
    Bevel(dc, r, COLOR_3DLIGHT, COLOR_BTNSHADOW);
    Shrink(r);
  }
  FillRect(dc, &r, SysBrush(COLOR_BTNFACE));
}

void CheckBox(HDC dc, RECT box, UINT check, bool pushed, bool disabled) {
  Bevel(dc, box, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  Shrink(box);
  Bevel(dc, box, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  Shrink(box);
  FillRect(dc, &box, SysBrush(pushed || disabled ? COLOR_BTNFACE : COLOR_WINDOW));
  if (check == BST_UNCHECKED) return;
  // The 7x7 classic tick, three pixels thick.
  static const char* const kTick[7] = {"......X", ".....XX", "X...XXX", "XX.XXX.", "XXXXX..", ".XXX...", "..X...."};
  COLORREF ink = GetSysColor(disabled || check == BST_INDETERMINATE ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      if (kTick[y][x] == 'X') SetPixelV(dc, box.left + 1 + x, box.top + 1 + y, ink);
}

void RadioBox(HDC dc, RECT box, bool checked, bool pushed, bool disabled) {
  // A 12x12 circle: outer ring shadow/highlight, inner ring dark/light.
  const double c = 5.5;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      double d = std::hypot(x - c, y - c);
      bool upperLeft = x + y < 11;
      int colour = -1;
      if (d > 6.0) continue;
      if (d > 4.6) colour = upperLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
      else if (d > 3.6) colour = upperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
      else if (checked && d < 1.9) colour = disabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
      else colour = pushed || disabled ? COLOR_BTNFACE : COLOR_WINDOW;
      SetPixelV(dc, box.left + x, box.top + y, GetSysColor(colour));
    }
  }
}

void Text(HDC dc, const std::string& s, RECT r, UINT format, bool disabled) {
  int mode = SetBkMode(dc, TRANSPARENT);
  if (disabled) {
    COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &shifted, format);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &r, format);
    SetTextColor(dc, old);
  } else {
    DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &r, format);
  }
  SetBkMode(dc, mode);
}

void Etched(HDC dc, RECT r, UINT flags) {
  // Shadow line with a highlight line one pixel to the lower right.
  if (flags & BF_TOP) {
    Fill(dc, r.left, r.top, r.right - 1, r.top + 1, COLOR_BTNSHADOW);
    Fill(dc, r.left + 1, r.top + 1, r.right - 2, r.top + 2, COLOR_BTNHIGHLIGHT);
  }
  if (flags & BF_LEFT) {
    Fill(dc, r.left, r.top, r.left + 1, r.bottom - 1, COLOR_BTNSHADOW);
    Fill(dc, r.left + 1, r.top + 1, r.left + 2, r.bottom - 2, COLOR_BTNHIGHLIGHT);
  }
  if (flags & BF_RIGHT) {
    Fill(dc, r.right - 2, r.top, r.right - 1, r.bottom - 1, COLOR_BTNSHADOW);
    Fill(dc, r.right - 1, r.top, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
  }
  if (flags & BF_BOTTOM) {
    Fill(dc, r.left, r.bottom - 2, r.right - 1, r.bottom - 1, COLOR_BTNSHADOW);
    Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
  }
}

}  // namespace xvt_controls::look
