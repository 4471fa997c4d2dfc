// The classic look over the window layer's DrawEdge, DrawFrameControl,
// DrawStateA and DrawFocusRect.
#include "framework/style_painter.h"

namespace StylePainter {
namespace {

struct EdgeCall {
  UINT edge, flags;
};

EdgeCall EdgeOf(TEdgeStyle style) {
  switch (style) {
    case esRaised: return {EDGE_RAISED, 0};
    case esSunken: return {EDGE_SUNKEN, 0};
    case esEtched: return {EDGE_ETCHED, 0};
    case esBump: return {EDGE_BUMP, 0};
    case esRaisedThin: return {BDR_RAISEDINNER, 0};
    case esSunkenThin: return {BDR_SUNKENOUTER, 0};
    case esRaisedSoft: return {EDGE_RAISED, BF_SOFT};
  }
  return {0, 0};
}

void FrameIn(HDC dc, TRect& r, int sysColor) {
  FrameRect(dc, &r, GetSysColorBrush(sysColor));
  InflateRect(&r, -1, -1);
}

struct TextImage {
  const std::string* text;
  UINT format;
};

BOOL CALLBACK DrawTextImage(HDC dc, LPARAM data, WPARAM, int cx, int cy) {
  const auto* image = reinterpret_cast<const TextImage*>(data);
  TRect box = Rect(0, 0, cx, cy);
  DrawTextA(dc, image->text->c_str(), static_cast<int>(image->text->size()), &box, image->format);
  return TRUE;
}

UINT MarkState(UINT kind, const TStyleState& state) {
  UINT flags = kind;
  if (state.checked) flags |= DFCS_CHECKED;
  if (state.pressed) flags |= DFCS_PUSHED;
  if (!state.enabled) flags |= DFCS_INACTIVE;
  if (state.hot) flags |= DFCS_HOT;
  return flags;
}

}  // namespace

TRect Edge(HDC dc, const TRect& r, TEdgeStyle style) {
  const EdgeCall call = EdgeOf(style);
  TRect inside = r;
  DrawEdge(dc, &inside, call.edge, call.flags | BF_RECT | BF_ADJUST);
  return inside;
}

TRect Bevel(HDC dc, const TRect& r, bool raised, int width) {
  TRect inside = r;
  for (int i = 0; i < width; ++i) inside = Edge(dc, inside, raised ? esRaisedThin : esSunkenThin);
  return inside;
}

void GroupFrame(HDC dc, const TRect& r) {
  const TRect shadow = Rect(r.left, r.top, r.right - 1, r.bottom - 1);
  const TRect light = Rect(r.left + 1, r.top + 1, r.right, r.bottom);
  FrameRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  FrameRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
}

void FlatFrame(HDC dc, const TRect& r, const TStyleState& state) {
  if (state.pressed) Edge(dc, r, esSunkenThin);
  else if (state.hot && state.enabled) Edge(dc, r, esRaisedThin);
}

TRect ButtonFace(HDC dc, const TRect& r, const TStyleState& state) {
  TRect face = r;
  if (state.isDefault || state.focused || state.pressed) FrameIn(dc, face, COLOR_WINDOWFRAME);
  if (state.pressed) {
    FrameIn(dc, face, COLOR_BTNSHADOW);
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
  }
  TRect content = r;
  InflateRect(&content, -2, -2);
  if (state.pressed) OffsetRect(&content, 1, 1);
  return content;
}

void CheckBox(HDC dc, const TRect& box, const TStyleState& state) {
  TRect square = Bounds(box.left, box.top, 13, 13);
  DrawFrameControl(dc, &square, DFC_BUTTON, MarkState(DFCS_BUTTONCHECK, state));
}

void RadioButton(HDC dc, const TRect& box, const TStyleState& state) {
  TRect square = Bounds(box.left, box.top, 12, 12);
  DrawFrameControl(dc, &square, DFC_BUTTON, MarkState(DFCS_BUTTONRADIO, state));
}

void FocusRect(HDC dc, const TRect& r) { DrawFocusRect(dc, &r); }

void Text(HDC dc, const std::string& text, const TRect& r, UINT format, bool enabled, TColor color) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  if (enabled) {
    const COLORREF oldColor = SetTextColor(dc, ColorToRGB(color));
    TRect box = r;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    SetTextColor(dc, oldColor);
  } else {
    const TextImage image{&text, format};
    DrawStateA(dc, nullptr, DrawTextImage, reinterpret_cast<LPARAM>(&image), 0, r.left, r.top, RectWidth(r),
               RectHeight(r), DST_COMPLEX | DSS_DISABLED);
  }
  SetBkMode(dc, oldMode);
}

void EmbossedImage(HDC dc, HBITMAP mono, int x, int y) {
  DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(mono), 0, x, y, 0, 0, DST_BITMAP | DSS_DISABLED);
}

void FillDither(HDC dc, const TRect& r) {
  // A monochrome pattern takes its two colours from the DC when it fills.
  static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  static HBRUSH brush = CreatePatternBrush(CreateBitmap(8, 8, 1, 1, kRows));
  const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
  const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  FillRect(dc, &r, brush);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

}  // namespace StylePainter
