// GDI handles made from the framework's drawing attributes. Fonts, pens and
// hatched or solid brushes are shared by everyone drawing with the same
// data: a handle is made the first time its data is asked for and kept for
// the life of the process (a program uses a handful). A brush with a
// pattern bitmap is made per user, since the bitmap's pixels may change.
#pragma once

#include "framework/graphics.h"
#include "framework/graphics_objects.h"

// The font's logical description: Height as given (negative is character
// height), weight, italic, underline, strike-out, charset and face.
LOGFONTA FontToLogFont(const TFontData& data);
HFONT FontHandle(const TFontData& data);
HPEN PenHandle(const TPenData& data);
// Solid and hatched brushes (the colour resolved), the null brush for
// bsClear. A brush with a bitmap is not shared: see CreateBrushHandle.
HBRUSH BrushHandle(const TBrushData& data);
// A new brush the caller deletes: a pattern brush over the bitmap when the
// data has one, otherwise the same brush BrushHandle shares.
HBRUSH CreateBrushHandle(const TBrushData& data);
