// The effects panel and the flat buttons: a full paint of a details panel
// with its children, a 64-band gradient and a dither over 800 x 600, and
// the hot button moving from one button to another.
#include <backend/headless.h>
#include <benchmark/benchmark.h>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "panels/MegaPanl.h"
#include "panels/TB97Ctls.h"
#include "panels/panel_fills.h"

namespace {

template <class T>
T* Put(TForm* form, TWinControl* parent, int left, int top, int width, int height, const char* caption = "") {
  auto* c = new T(form);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  c->SetCaption(caption);
  return c;
}

// The mission details panel's make-up: labels, an edit, a combo box, side
// buttons in a frame, a check box and four glyph buttons.
TMegaPanel* DetailsPanel(TForm* form) {
  auto* p = Put<TMegaPanel>(form, form, 10, 10, 289, 249);
  p->SetPanelBevelInner(bvLowered);
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(TRect{0, 0, 16, 16});
  glyph.Canvas()->Brush()->SetColor(clNavy);
  glyph.Canvas()->FillRect(TRect{3, 3, 13, 13});
  const char* labels[] = {"Mission Details", "Mission Filename:", "No File Loaded", "Mission Type:",
                          "No File Loaded", "Mission Section:", "Mission Name:"};
  for (int i = 0; i < 7; ++i) Put<TLabel>(form, p, 16 + (i % 2) * 90, 8 + i * 16, 100, 13, labels[i]);
  Put<TCheckBox>(form, p, 184, 62, 97, 17, "Single Player?");
  Put<TComboBox>(form, p, 104, 89, 177, 21);
  Put<TEdit97>(form, p, 104, 112, 177, 19);
  Put<TGroupBox>(form, p, 8, 144, 113, 89, "Side(s) Required");
  for (int i = 0; i < 3; ++i) Put<TRadioButton>(form, p, 16, 160 + 24 * i, 97, 17, "Side");
  const int tops[] = {8, 147, 184, 208};
  for (int i = 0; i < 4; ++i) {
    auto* b = Put<TToolbarButton97>(form, p, i ? 128 : 16, tops[i], i ? 153 : 23, 22, i ? "Install" : "");
    b->SetGlyph(&glyph);
    b->SetEnabled(i < 2);
  }
  return p;
}

void BM_DetailsPanelFullPaint(benchmark::State& state) {
  headless::Start(640, 480);
  InitCommonControls();
  TOwned<TForm> form(new TForm(nullptr));
  form->SetBounds(0, 0, 320, 280);
  TMegaPanel* panel = DetailsPanel(form.get());
  form->Show();
  Application->ProcessMessages();
  HWND h = panel->Handle();
  for (auto _ : state) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
BENCHMARK(BM_DetailsPanelFullPaint)->Unit(benchmark::kMicrosecond);

// An 800 x 600 bitmap to fill.
struct FillTarget {
  FillTarget() {
    headless::Start(640, 480);
    bitmap.SetSize(800, 600);
    dc = bitmap.Canvas()->Handle();
  }
  TBitmap bitmap;
  HDC dc = nullptr;
  const RECT r{0, 0, 800, 600};
};

void BM_Gradient64Bands800x600(benchmark::State& state) {
  FillTarget t;
  for (auto _ : state) panel_fills::Gradient(t.dc, t.r, t.r, TMegaPanel::gtHorizontal, clBlack, clBlue, 64);
}
BENCHMARK(BM_Gradient64Bands800x600)->Unit(benchmark::kMicrosecond);

void BM_Dither800x600(benchmark::State& state) {
  FillTarget t;
  for (auto _ : state) panel_fills::Dither(t.dc, t.r, t.r, clNavy);
}
BENCHMARK(BM_Dither800x600)->Unit(benchmark::kMicrosecond);

// One iteration: the pointer leaves one flat button for another, which
// takes over as the hot button; both repaint.
void BM_HotButtonChange(benchmark::State& state) {
  headless::Start(640, 480);
  InitCommonControls();
  TOwned<TForm> form(new TForm(nullptr));
  form->SetBounds(0, 0, 320, 200);
  auto* a = Put<TToolbarButton97>(form.get(), form.get(), 10, 10, 153, 22, "Build Mission List");
  auto* b = Put<TToolbarButton97>(form.get(), form.get(), 10, 50, 153, 22, "Install");
  form->Show();
  Application->ProcessMessages();
  const TPoint pa = a->ClientToScreen(TPoint{40, 10}), pb = b->ClientToScreen(TPoint{40, 10});
  bool onA = false;
  for (auto _ : state) {
    onA = !onA;
    const TPoint p = onA ? pa : pb;
    headless::MoveMouse(p.x, p.y);
    Application->ProcessMessages();
  }
  if (TToolbarButton97::HotButton() != (onA ? a : b)) state.SkipWithError("the hot button did not follow");
}
BENCHMARK(BM_HotButtonChange)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
