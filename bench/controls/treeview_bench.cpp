// Tree view speed: appending 100,000 items, and painting a full window of rows.
#include <backend/headless.h>
#include <benchmark/benchmark.h>
#include <win32/windows.h>

namespace {

HWND MakeTree() {
  HWND t = CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP | WS_VISIBLE | WS_VSCROLL | TVS_HASBUTTONS | TVS_HASLINES |
                           TVS_LINESATROOT, 0, 0, 300, 400, nullptr, nullptr, nullptr, nullptr);
  return t;
}

void Fill(HWND t, int n) {
  TVINSERTSTRUCTA is{};
  is.hInsertAfter = TVI_LAST;
  is.item.mask = TVIF_TEXT | TVIF_PARAM;
  is.item.pszText = const_cast<LPSTR>("Mission file name.tie");
  HTREEITEM group = nullptr;
  for (int i = 0; i < n; ++i) {
    // One root in a hundred, the rest its children: a realistic two-level list.
    is.hParent = (i % 100 == 0 || !group) ? TVI_ROOT : group;
    is.item.lParam = i;
    auto h = reinterpret_cast<HTREEITEM>(SendMessageA(t, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    if (i % 100 == 0) group = h;
  }
}

void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

void BM_Insert100k(benchmark::State& state) {
  headless::Start(640, 480);
  InitCommonControls();
  for (auto _ : state) {
    HWND t = MakeTree();
    Fill(t, 100000);
    state.PauseTiming();
    DestroyWindow(t);
    Pump();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Insert100k)->Unit(benchmark::kMillisecond);

void BM_Paint100k(benchmark::State& state) {
  headless::Start(640, 480);
  InitCommonControls();
  HWND t = MakeTree();
  Fill(t, 100000);
  // Expand some groups so that rows at several depths are on screen.
  for (HTREEITEM i = reinterpret_cast<HTREEITEM>(SendMessageA(t, TVM_GETNEXTITEM, TVGN_ROOT, 0)); i;
       i = reinterpret_cast<HTREEITEM>(SendMessageA(t, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(i))))
    SendMessageA(t, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(i));
  SendMessageA(t, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50000 & 0xFFFF), 0);
  UpdateWindow(t);
  for (auto _ : state) {
    InvalidateRect(t, nullptr, FALSE);
    UpdateWindow(t);
  }
  DestroyWindow(t);
}
BENCHMARK(BM_Paint100k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
