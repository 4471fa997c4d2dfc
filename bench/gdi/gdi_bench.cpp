// Fills, copies and a generic ternary raster operation over a 1024 x 768
// surface; copies are measured beside memcpy of the same bytes.
#include "gdi/internal/gdi_internal.h"

#include <win32/gdi32.h>
#include <win32/user32_draw.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kW = 1024, kH = 768;

struct Dc {
  Dc() {
    dc = CreateCompatibleDC(nullptr);
    bm = CreateBitmap(kW, kH, 1, 32, nullptr);
    SelectObject(dc, bm);
    auto s = gdi::BitmapSurface(bm);
    for (std::size_t i = 0; i < s->storage.size(); ++i) s->storage[i] = std::uint32_t(i * 2654435761u) & 0xFFFFFF;
  }
  ~Dc() {
    DeleteDC(dc);
    DeleteObject(bm);
  }
  HDC dc;
  HBITMAP bm;
};

void Pixels(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kW * kH);
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}

void BM_FillSolidPatcopy(benchmark::State& state) {
  Dc d;
  HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
  SelectObject(d.dc, b);
  for (auto _ : state) PatBlt(d.dc, 0, 0, kW, kH, PATCOPY);
  Pixels(state);
  SelectObject(d.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(b);
}
BENCHMARK(BM_FillSolidPatcopy);

void BM_FillRectSysColour(benchmark::State& state) {
  Dc d;
  RECT r{0, 0, kW, kH};
  for (auto _ : state) FillRect(d.dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  Pixels(state);
}
BENCHMARK(BM_FillRectSysColour);

void BM_CopySrccopy(benchmark::State& state) {
  Dc a, b;
  for (auto _ : state) BitBlt(a.dc, 0, 0, kW, kH, b.dc, 0, 0, SRCCOPY);
  Pixels(state);
}
BENCHMARK(BM_CopySrccopy);

void BM_CopyMemcpy(benchmark::State& state) {
  std::vector<std::uint32_t> a(std::size_t(kW) * kH, 1), b(std::size_t(kW) * kH, 2);
  for (auto _ : state) {
    std::memcpy(a.data(), b.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  Pixels(state);
}
BENCHMARK(BM_CopyMemcpy);

// 0xCA (DSPDxax) reads all three inputs and has no fast path.
void BM_GenericRopSolidBrush(benchmark::State& state) {
  Dc a, b;
  HBRUSH br = CreateSolidBrush(RGB(0x5A, 0xA5, 0x3C));
  SelectObject(a.dc, br);
  for (auto _ : state) BitBlt(a.dc, 0, 0, kW, kH, b.dc, 0, 0, 0x00CA0749);
  Pixels(state);
  SelectObject(a.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(br);
}
BENCHMARK(BM_GenericRopSolidBrush);

void BM_GenericRopPatternBrush(benchmark::State& state) {
  Dc a, b;
  HBITMAP pat = CreateBitmap(8, 8, 1, 32, nullptr);
  HBRUSH br = CreatePatternBrush(pat);
  SelectObject(a.dc, br);
  for (auto _ : state) BitBlt(a.dc, 0, 0, kW, kH, b.dc, 0, 0, 0x00CA0749);
  Pixels(state);
  SelectObject(a.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(br);
  DeleteObject(pat);
}
BENCHMARK(BM_GenericRopPatternBrush);

void BM_MaskedB8074A(benchmark::State& state) {
  Dc a, b;
  for (auto _ : state) BitBlt(a.dc, 0, 0, kW, kH, b.dc, 0, 0, 0x00B8074A);
  Pixels(state);
}
BENCHMARK(BM_MaskedB8074A);

}  // namespace

BENCHMARK_MAIN();
