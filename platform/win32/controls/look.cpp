// The classic look of the standard controls: bevels, push frames, embossed
// text and etched lines, drawn from the system colours.
#include "control_base.h"

namespace controls::look {
namespace {

void Fill(HDC dc, int l, int t, int r, int b, int colour) {
  RECT rc{l, t, r, b};
  FillRect(dc, &rc, SysBrush(colour));
}

void Frame(HDC dc, const RECT& r, int colour) { Bevel(dc, r, colour, colour); }

void Shrink(RECT& r) { InflateRect(&r, -1, -1); }

struct Caption {
  const std::string* text;
  UINT format;
};

BOOL CALLBACK DrawCaption(HDC dc, LPARAM data, WPARAM, int cx, int cy) {
  const auto* c = reinterpret_cast<const Caption*>(data);
  RECT r{0, 0, cx, cy};
  DrawTextA(dc, c->text->c_str(), static_cast<int>(c->text->size()), &r, c->format);
  return TRUE;
}

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

void Text(HDC dc, const std::string& s, RECT r, UINT format, bool disabled) {
  int mode = SetBkMode(dc, TRANSPARENT);
  if (disabled) {
    const Caption c{&s, format};
    DrawStateA(dc, nullptr, DrawCaption, reinterpret_cast<LPARAM>(&c), 0, r.left, r.top, r.right - r.left,
               r.bottom - r.top, DST_COMPLEX | DSS_DISABLED);
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

}  // namespace controls::look
