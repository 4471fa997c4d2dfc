// The glyph button: an owner-drawn push button painting its face, glyph
// and caption in the classic 3-D look.
#include "framework/buttons.h"

#include "button_glyph.h"
#include "framework/gdi_resources.h"

namespace {

void FrameWith(HDC dc, const TRect& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}

void FillWith(HDC dc, const TRect& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// The face: the black frame while default or focused, then sunken (a
// shadow line) while pushed or raised otherwise.
void DrawFace(HDC dc, TRect r, bool pushed, bool heavy) {
  if (heavy) {
    FrameWith(dc, r, clWindowFrame);
    InflateRect(&r, -1, -1);
  }
  if (pushed) {
    if (!heavy) {
      FrameWith(dc, r, clWindowFrame);
      InflateRect(&r, -1, -1);
    }
    FrameWith(dc, r, clBtnShadow);
    InflateRect(&r, -1, -1);
    FillWith(dc, r, clBtnFace);
  } else {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  }
}

void DrawCaption(HDC dc, const std::string& caption, TRect r, bool disabled, TColor color) {
  const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  if (disabled) {
    // Engraved: the highlight one pixel down and right, the shadow over it.
    TRect lit = r;
    OffsetRect(&lit, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &lit, flags);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    SetTextColor(dc, ColorToRGB(color));
  }
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
  SetBkMode(dc, oldMode);
}

}  // namespace

TBitBtn::TBitBtn(TComponent* owner)
    : TButton(owner), glyph_(std::make_unique<TBitmap>()), canvas_(std::make_unique<TCanvas>()),
      images_(std::make_unique<xvt_stdctrls::GlyphImages>()) {
  glyph_->OnChange = [this](TObject* sender) { GlyphChanged(sender); };
}

TBitBtn::~TBitBtn() { glyph_->OnChange = nullptr; }

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool isDefault) {
  // The window stays owner-drawn; the heavy frame is ours to draw.
  if (isDefault == drawDefault_) return;
  drawDefault_ = isDefault;
  if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, FALSE);
}

void TBitBtn::SetGlyph(TBitmap* glyph) {
  glyph_->Assign(glyph);
  if (!glyph) glyph_->SetHandle(nullptr);
  const int w = glyph_->Width(), h = glyph_->Height();
  // A strip of whole squares tells its count; more than four is one picture.
  if (h > 0 && w > 0 && w % h == 0) SetNumGlyphs(w / h <= 4 ? w / h : 1);
  GlyphChanged(this);
}

void TBitBtn::SetNumGlyphs(TNumGlyphs count) {
  if (count < 1 || count > 4) count = 1;
  if (count == numGlyphs_) return;
  numGlyphs_ = count;
  GlyphChanged(this);
}

void TBitBtn::SetLayout(TButtonLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Invalidate();
}

void TBitBtn::SetMargin(int margin) {
  if (margin == margin_ || margin < -1) return;
  margin_ = margin;
  Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  Invalidate();
}

void TBitBtn::GlyphChanged(TObject*) {
  images_->Clear();
  Invalidate();
}

void TBitBtn::DrawButton(HDC dc, const TRect& client, UINT itemState) {
  const bool pushed = (itemState & ODS_SELECTED) != 0;
  const bool focused = (itemState & ODS_FOCUS) != 0;
  const bool disabled = (itemState & ODS_DISABLED) != 0 || !Enabled();
  DrawFace(dc, client, pushed, drawDefault_ || focused);

  // Glyph and caption sit inside the two-pixel edge, one pixel further
  // down and right while pushed.
  TRect content = client;
  InflateRect(&content, -2, -2);
  if (pushed) OffsetRect(&content, 1, 1);
  const std::string caption = Caption();
  HGDIOBJ oldFont = SelectObject(dc, FontHandle(Font()->Data()));
  TSize textSize{0, 0};
  if (!caption.empty()) {
    TRect measured{0, 0, RectWidth(content), 0};
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
    textSize = TSize{RectWidth(measured), RectHeight(measured)};
  }
  const TButtonState state = disabled ? bsDisabled : pushed ? bsDown : bsUp;
  auto& images = *images_;
  TBitmap* image = images.Image(glyph_.get(), numGlyphs_, state);
  const TGlyphPlacement placed = PlaceGlyphAndText(content, images.ImageSize(glyph_.get(), numGlyphs_), textSize,
                                                   layout_, margin_, spacing_);
  if (image) PaintWithCanvas(canvas_.get(), dc, [&] { canvas_->Draw(placed.glyph.x, placed.glyph.y, image); });
  if (!caption.empty()) DrawCaption(dc, caption, placed.text, disabled, Font()->Color());
  SelectObject(dc, oldFont);

  if (focused) {
    TRect dotted = client;
    InflateRect(&dotted, -4, -4);
    SetTextColor(dc, ColorToRGB(clWindowFrame));
    SetBkColor(dc, ColorToRGB(clBtnFace));
    DrawFocusRect(dc, &dotted);
  }
}

void TBitBtn::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
      if (!item || item->CtlType != ODT_BUTTON) break;
      const int saved = SaveDC(item->hDC);
      Guarded([&] { DrawButton(item->hDC, item->rcItem, item->itemState); });
      RestoreDC(item->hDC, saved);
      message.Result = TRUE;
      return;
    }
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      TButton::WndProc(message);
      Invalidate();
      return;
    default:
      break;
  }
  TButton::WndProc(message);
}
