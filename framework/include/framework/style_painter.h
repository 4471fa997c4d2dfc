// The classic look in one place. Controls say what they are and in which
// state; the painter picks the system colours (face, highlight, light,
// shadow, dark shadow) and draws through the window layer's own edge,
// frame-control, state and focus calls, so a control never chooses a
// highlight or shadow colour itself.
#pragma once

#include <string>

#include "framework/graphics.h"

// What a control is doing while it is painted.
struct TStyleState {
  bool pressed = false;  // held down (or a menu title whose drop-down is open)
  bool hot = false;      // under the pointer
  bool checked = false;  // latched, ticked, or the chosen radio button
  bool enabled = true;
  bool focused = false;
  bool isDefault = false;  // the default button of its window
};

// The classic edges. The two-pixel ones are the window layer's edges;
// the thin ones are one ring of highlight over shadow (or the reverse).
enum TEdgeStyle {
  esRaised,      // EDGE_RAISED: a button or raised panel
  esSunken,      // EDGE_SUNKEN: a field or sunken panel
  esEtched,      // EDGE_ETCHED: a group frame
  esBump,        // EDGE_BUMP
  esRaisedThin,  // BDR_RAISEDINNER: highlight over shadow
  esSunkenThin,  // BDR_SUNKENOUTER: shadow over highlight
  esRaisedSoft   // EDGE_RAISED with BF_SOFT: the face of a push button
};

namespace StylePainter {

// The edge on all four sides of `r`; returns the rectangle inside it.
TRect Edge(HDC dc, const TRect& r, TEdgeStyle style);
// `width` thin rings inside one another; returns the rectangle inside.
TRect Bevel(HDC dc, const TRect& r, bool raised, int width);
// The frame of a group: a shadow ring with a highlight ring one pixel
// down and right of it.
void GroupFrame(HDC dc, const TRect& r);
// The edge of a flat (hot-tracked) item: a thin sunken frame while pressed,
// a thin raised frame while hot and enabled, nothing otherwise.
void FlatFrame(HDC dc, const TRect& r, const TStyleState& state);

// A push button's face filled with the button face colour: raised, or the
// pressed look (a shadow frame); a black frame round it while default or
// focused (and while pressed). Returns the rectangle for its content.
TRect ButtonFace(HDC dc, const TRect& r, const TStyleState& state);
// The box of a check box (13x13) with its tick, or the circle of a radio
// button (12x12) with its dot, at the top-left of `box`.
void CheckBox(HDC dc, const TRect& box, const TStyleState& state);
void RadioButton(HDC dc, const TRect& box, const TStyleState& state);
// The dotted focus frame: inverting, so drawing it twice removes it.
void FocusRect(HDC dc, const TRect& r);

// Text laid out by DrawTextA's `format` in the DC's font on a transparent
// background: in `color` while enabled, engraved otherwise (highlight one
// pixel down and right, shadow over it).
void Text(HDC dc, const std::string& text, const TRect& r, UINT format, bool enabled, TColor color);
// A monochrome image (black ink on white) embossed as disabled with its
// top-left at (x, y); the white stays untouched.
void EmbossedImage(HDC dc, HBITMAP mono, int x, int y);

// The checkerboard of button face and highlight behind a latched button
// or a scroll track, fixed to the brush origin.
void FillDither(HDC dc, const TRect& r);

}  // namespace StylePainter
