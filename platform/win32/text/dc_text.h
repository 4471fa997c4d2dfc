// The bridge from a device context to the font engine: the DC's text state
// and realised font, and painting one composed run with an optional clip.
#pragma once

#include <memory>

#include "gdi/internal/gdi_internal.h"
#include "text/font.h"
#include "text/text_run.h"

namespace text {

struct DCText {
  gdi::TextState state{};
  std::shared_ptr<const Font> font;
};

FontRequest RequestOf(const LOGFONTA& lf);

// False for a DC that is not one, or when no font can be realised.
bool LoadDCText(HDC hdc, DCText& out);

struct PaintOptions {
  const RECT* clip = nullptr;  // logical; null = no extra clip
  bool opaqueCell = false;     // fill the text cell with the background colour first
  bool glyphs = true;          // false draws only the underline spans
};

// Draws the run with the cell's top-left at logical (x, top).
void PaintRun(HDC hdc, const DCText& dc, int x, int top, const char* s, int n, const int* dx,
              const RunStyle& style, const PaintOptions& options);

}  // namespace text
