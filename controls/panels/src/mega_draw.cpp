#include "mega_draw.h"

namespace mega_draw {

void Frame3D(HDC dc, RECT& r, COLORREF a, COLORREF b, int width) {
  HPEN pa = CreatePen(PS_SOLID, 1, a), pb = CreatePen(PS_SOLID, 1, b);
  HGDIOBJ old = SelectObject(dc, pa);
  for (int i = 0; i < width; ++i) {
    const int right = r.right - 1, bottom = r.bottom - 1;
    const POINT first[3] = {{r.left, bottom}, {r.left, r.top}, {right, r.top}};
    const POINT second[3] = {{right, r.top}, {right, bottom}, {r.left - 1, bottom}};
    SelectObject(dc, pa);
    Polyline(dc, first, 3);
    SelectObject(dc, pb);
    Polyline(dc, second, 3);
    InflateRect(&r, -1, -1);
  }
  SelectObject(dc, old);
  DeleteObject(pa);
  DeleteObject(pb);
}

void EffectText(HDC dc, const std::string& text, const RECT& r, UINT flags, TMegaTypes::TFontStyle effect,
                const TextColours& c) {
  struct Pass {
    COLORREF colour;
    int d;
  };
  Pass passes[3];
  int n = 0;
  switch (effect) {
    case TMegaTypes::fsRaisedLight: passes[n++] = {c.highlight, -1}; break;
    case TMegaTypes::fsRaisedHeavy: passes[n++] = {c.highlight, -1}; passes[n++] = {c.shadow, 1}; break;
    case TMegaTypes::fsInsetLight: passes[n++] = {c.highlight, 1}; break;
    case TMegaTypes::fsInsetHeavy: passes[n++] = {c.highlight, 1}; passes[n++] = {c.shadow, -1}; break;
    case TMegaTypes::fsDropShadow: passes[n++] = {c.shadow, 2}; break;
    case TMegaTypes::fsHeavy: passes[n++] = {c.text, 1}; break;
    default: break;
  }
  passes[n++] = {c.text, 0};
  const int mode = SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < n; ++i) {
    RECT moved = r;
    OffsetRect(&moved, passes[i].d, passes[i].d);
    SetTextColor(dc, passes[i].colour);
    DrawTextA(dc, text.c_str(), -1, &moved, flags);
  }
  SetBkMode(dc, mode);
}

UINT Justify(HDC dc, const std::string& text, RECT& r, TMegaTypes::THorzJust h, TMegaTypes::TVertJust v) {
  UINT flags = DT_SINGLELINE;
  flags |= h == TMegaTypes::hjCenter ? DT_CENTER : h == TMegaTypes::hjRight ? DT_RIGHT : DT_LEFT;
  RECT m{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), -1, &m, DT_CALCRECT | DT_SINGLELINE);
  const int free = (r.bottom - r.top) - (m.bottom - m.top);
  if (v == TMegaTypes::vjCenter) r.top += free / 2;
  else if (v == TMegaTypes::vjBottom) r.top += free;
  return flags;
}

}  // namespace mega_draw
