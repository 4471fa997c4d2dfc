#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/label.h"
#include "framework/panel.h"
#include "gallery.h"

namespace gallery {

namespace {
constexpr int kTitleHeight = 18;
constexpr int kGap = 6;
}  // namespace

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
  SetName("Gallery");
  SetCaption("Control gallery");
  SetBorderStyle(bsSingle);
  SetColor(clBtnFace);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  int y = kGap;
  for (Section& s : AllSections()) {
    auto* title = new TLabel(this);
    title->SetParent(this);
    title->SetBounds(kGap, y, kWidth, 13);
    title->Font()->SetStyle(TFontStyles{fsBold});
    title->SetCaption(s.title);
    y += kTitleHeight;
    auto* host = new TPanel(this);
    host->SetParent(this);
    host->SetBevelOuter(bvNone);
    host->SetBounds(kGap, y, kWidth, s.height);
    s.build(host);
    y += s.height + kGap;
    hosts_.emplace_back(std::move(s), host);
  }
  SetClientSize(kWidth + 2 * kGap, y);
}

void TGalleryForm::ShowSections() {
  Show();
  Application->ProcessMessages();
  for (auto& [section, host] : hosts_)
    if (section.afterShow) section.afterShow(host);
  Application->ProcessMessages();
}

void PaintSampleGlyph(TBitmap& glyph) {
  glyph.SetSize(16, 16);
  TCanvas* c = glyph.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, 16, 16});
  c->Brush()->SetColor(clNavy);
  c->FillRect(TRect{2, 3, 14, 13});
  c->Brush()->SetColor(clYellow);
  c->FillRect(TRect{4, 5, 12, 11});
  c->Brush()->SetColor(clWhite);
  c->FillRect(TRect{6, 7, 8, 9});
}

}  // namespace gallery
