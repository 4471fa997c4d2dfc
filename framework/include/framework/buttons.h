// TBitBtn: a push button with a picture beside its caption. The window is
// an owner-drawn "BUTTON" (so pushing, focus, clicks and dialog keys stay
// the window's and TButton's); the face, the glyph and the caption are
// drawn here on WM_DRAWITEM in the classic 3-D look.
#pragma once

#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/button.h"

namespace xvt_stdctrls {
class GlyphImages;
}

// Where the glyph sits against the caption; shared by the glyph buttons.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// The images a glyph holds side by side, in this order.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;  // 1 to 4

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  // The images side by side, up to NumGlyphs of them; its bottom-left pixel
  // is the transparent colour.
  TBitmap* Glyph() { return glyph_.get(); }
  // Copies `glyph` (null empties). NumGlyphs follows when the width is an
  // exact multiple of the height: the quotient, or 1 above 4.
  void SetGlyph(TBitmap* glyph);
  TNumGlyphs NumGlyphs() const { return numGlyphs_; }
  // Values outside 1..4 are taken as 1.
  void SetNumGlyphs(TNumGlyphs count);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  // Pixels from the edge to the glyph; -1 centres glyph and caption
  // together. Values below -1 are ignored.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  // Pixels between glyph and caption; -1 spreads them evenly.
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void SetButtonStyle(bool isDefault) override;
  // Paints the whole button on `dc` in `client` for the owner-draw state
  // bits (ODS_SELECTED, ODS_FOCUS, ODS_DISABLED).
  virtual void DrawButton(HDC dc, const TRect& client, UINT itemState);

 private:
  void GlyphChanged(TObject*);

  std::unique_ptr<TBitmap> glyph_;
  std::unique_ptr<TCanvas> canvas_;  // on the owner-draw context while painting
  std::unique_ptr<xvt_stdctrls::GlyphImages> images_;  // built per state, kept until the glyph changes
  TNumGlyphs numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool drawDefault_ = false;
};

// Where the glyph and the caption of a glyph button go inside `client`:
// the caption measured as `textSize`, the glyph as `glyphSize` (0 x 0 for
// none), placed by layout, margin and spacing as TBitBtn does.
struct TGlyphPlacement {
  TPoint glyph;
  TRect text;
};
TGlyphPlacement PlaceGlyphAndText(const TRect& client, TSize glyphSize, TSize textSize, TButtonLayout layout,
                                  int margin, int spacing);
