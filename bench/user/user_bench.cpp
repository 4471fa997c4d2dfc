// Message round trips and a full-window invalidate and repaint on the
// headless backend.
#include <backend/headless.h>
#include <benchmark/benchmark.h>
#include <win32/user32.h>
#include <win32/user32_draw.h>

#include <atomic>
#include <thread>

namespace {

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) return static_cast<LRESULT>(w + 1);
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_HIGHLIGHT + 1)));
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

HWND Window(int w, int h) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "XvtBench";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1));
    RegisterClassA(&wc);
    registered = true;
  }
  headless::Start();
  return CreateWindowExA(0, "XvtBench", "bench", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr, nullptr,
                         nullptr);
}

void Drain() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

void BM_SendMessageSameThread(benchmark::State& state) {
  HWND h = Window(10, 10);
  Drain();
  WPARAM i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(i = static_cast<WPARAM>(SendMessageA(h, WM_USER, i, 0)));
  state.SetItemsProcessed(state.iterations());
  DestroyWindow(h);
}
BENCHMARK(BM_SendMessageSameThread);

void BM_PostPeekDispatch(benchmark::State& state) {
  HWND h = Window(10, 10);
  Drain();
  MSG m;
  for (auto _ : state) {
    PostMessageA(h, WM_USER, 1, 0);
    PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
    DispatchMessageA(&m);
  }
  state.SetItemsProcessed(state.iterations());
  DestroyWindow(h);
}
BENCHMARK(BM_PostPeekDispatch);

void BM_SendMessageAcrossThreads(benchmark::State& state) {
  HWND h = Window(10, 10);
  Drain();
  std::atomic<bool> stop{false};
  std::atomic<long> count{0};
  std::atomic<bool> finished{false};
  std::thread sender([&] {
    while (!stop) {
      SendMessageA(h, WM_USER, 0, 0);
      ++count;
    }
    finished = true;
  });
  MSG m;
  for (auto _ : state) {
    long before = count;
    while (count == before) {
      if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      std::this_thread::yield();  // two cores are shared: let the sender run
    }
  }
  stop = true;
  // The sender may be waiting in its last send: serve it until it is done.
  while (!finished) PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
  sender.join();
  state.SetItemsProcessed(state.iterations());
  DestroyWindow(h);
}
BENCHMARK(BM_SendMessageAcrossThreads);

void BM_InvalidateAndRepaintWindow(benchmark::State& state) {
  int side = static_cast<int>(state.range(0));
  HWND h = Window(side, side * 3 / 4);
  Drain();
  for (auto _ : state) {
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
  }
  state.SetItemsProcessed(state.iterations());
  DestroyWindow(h);
}
BENCHMARK(BM_InvalidateAndRepaintWindow)->Arg(320)->Arg(800);

}  // namespace

BENCHMARK_MAIN();
