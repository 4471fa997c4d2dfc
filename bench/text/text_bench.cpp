// Text drawing throughput in the system font: what menus and labels do on
// every repaint.
#include <benchmark/benchmark.h>

#include <win32/windows.h>

#include <cstring>

namespace {

struct Target {
  Target() {
    dc = CreateCompatibleDC(nullptr);
    HDC screen = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 734;
    info.bmiHeader.biHeight = -441;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    DeleteDC(screen);
    old = SelectObject(dc, bmp);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
  }
  ~Target() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
  }
  HDC dc;
  HBITMAP bmp;
  HGDIOBJ old;
};

const char kLine[] = "The quick brown fox jumps over the lazy dog. 0123456789";

void BM_TextOut(benchmark::State& state) {
  Target t;
  int n = static_cast<int>(std::strlen(kLine));
  for (auto _ : state) benchmark::DoNotOptimize(TextOutA(t.dc, 10, 10, kLine, n));
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TextOut);

void BM_TextOutOpaque(benchmark::State& state) {
  Target t;
  SetBkMode(t.dc, OPAQUE);
  int n = static_cast<int>(std::strlen(kLine));
  for (auto _ : state) benchmark::DoNotOptimize(TextOutA(t.dc, 10, 10, kLine, n));
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TextOutOpaque);

// A menu bar of captions with prefixes, as the menu control draws them.
void BM_DrawTextMenuBar(benchmark::State& state) {
  Target t;
  const char* items[] = {"&File", "&Mission", "&Options", "&Window", "&Help"};
  int chars = 0;
  for (const char* s : items) chars += static_cast<int>(std::strlen(s));
  for (auto _ : state) {
    int x = 0;
    for (const char* s : items) {
      RECT r{x, 0, x + 60, 19};
      benchmark::DoNotOptimize(DrawTextA(t.dc, s, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER));
      x += 60;
    }
  }
  state.SetItemsProcessed(state.iterations() * chars);
}
BENCHMARK(BM_DrawTextMenuBar);

void BM_DrawTextWordBreak(benchmark::State& state) {
  Target t;
  const char text[] =
      "Select a mission from the list to see its details; the installer copies the mission "
      "files into the game folder and updates the mission list.";
  for (auto _ : state) {
    RECT r{10, 10, 290, 200};
    benchmark::DoNotOptimize(DrawTextA(t.dc, text, -1, &r, DT_WORDBREAK));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int>(sizeof text - 1));
}
BENCHMARK(BM_DrawTextWordBreak);

void BM_GetTextExtent(benchmark::State& state) {
  Target t;
  int n = static_cast<int>(std::strlen(kLine));
  SIZE size;
  for (auto _ : state) benchmark::DoNotOptimize(GetTextExtentPoint32A(t.dc, kLine, n, &size));
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_GetTextExtent);

}  // namespace

BENCHMARK_MAIN();
