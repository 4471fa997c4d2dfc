// The animated menus: one fade frame of a drop-down about 200 x 150 (the
// multiply-add over its bytes, SetDIBits and the copy to the window),
// opening a drop-down up to its first frame (measure, paint, screen read,
// first frame), and hot tracking moving from one bar item to another.
#include <backend/headless.h>
#include <benchmark/benchmark.h>

#include <string>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "menus/am2000menubar.h"

namespace {

// A form with a menu bar whose first drop-down is about 200 x 150: seven
// commands and one separator.
struct MenuForm {
  MenuForm() {
    headless::Start(1024, 768);
    // An animation step waits for its 5 ms on the virtual clock: with nothing
    // else to do the wait moves the clock on instead of blocking for ever.
    headless::SetIdleAdvance(true);
    EnsureApplication();
    form.reset(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 30, 734, 300);
    auto* menu = new TMainMenu(form.get());
    TMenuItem* file = Add(menu->Items(), "&File");
    const char* captions[] = {"&Open a Mission...", "&Build Mission List", "-", "&Install the Mission",
                              "&Remove the Mission", "&Show LST Processing", "E&xpand the Mission Tree",
                              "E&xit"};
    for (const char* c : captions) Add(file, c);
    Add(Add(menu->Items(), "&Options"), "&XvT Missions");
    Add(Add(menu->Items(), "&Help"), "&About");
    bar = new TMenuBar2000(form.get());
    bar->SetParent(form.get());
    bar->SetMenu(menu);
    bar->Options()->Animation = anFadeIn;
    form->Show();
    Application->ProcessMessages();
  }
  ~MenuForm() {
    CloseMenus(true, false);
    headless::SetIdleAdvance(false);
  }
  TMenuItem* Add(TMenuItem* parent, const char* caption) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  TPopupMenu2000Form* DropDown() { return bar->PopupMenu2000()->Window(); }
  // Opens the first drop-down; its first fade frame is on the screen on return.
  // The step that the last opening left queued goes first.
  void Open() {
    CloseMenus(true, false);
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, AM2000_ANIMSTEP, AM2000_ANIMSTEP, PM_REMOVE)) {
    }
    bar->SelectItem(0);
    bar->OpenCurrent();
  }
  void Label(benchmark::State& state) {
    state.SetLabel(std::to_string(DropDown()->MenuWidth()) + " x " + std::to_string(DropDown()->MenuHeight()));
  }

  TOwned<TForm> form;
  TMenuBar2000* bar = nullptr;
};

// One iteration: the next fade frame, taken from the queue as the window
// posted it, once its 5 ms have passed on the virtual clock. A drop-down
// that has shown its 20 frames is opened again outside the timing.
void BM_FadeFrame(benchmark::State& state) {
  MenuForm m;
  m.Open();
  HWND h = m.DropDown()->WindowHandle();
  for (auto _ : state) {
    if (m.DropDown()->FramesShown() >= 20) {
      state.PauseTiming();
      m.Open();
      state.ResumeTiming();
    }
    headless::AdvanceTime(5);
    MSG msg{};
    if (PeekMessageA(&msg, h, AM2000_ANIMSTEP, AM2000_ANIMSTEP, PM_REMOVE)) DispatchMessageA(&msg);
  }
  if (m.DropDown()->FramesShown() < 2) state.SkipWithError("the fade did not step");
  m.Label(state);
}
BENCHMARK(BM_FadeFrame)->Unit(benchmark::kMicrosecond);

// One iteration: a closed drop-down opened again up to its first fade frame.
void BM_OpenDropDown(benchmark::State& state) {
  MenuForm m;
  for (auto _ : state) m.Open();
  if (m.DropDown()->FramesShown() != 1) state.SkipWithError("the drop-down did not show its first frame");
  m.Label(state);
}
BENCHMARK(BM_OpenDropDown)->Unit(benchmark::kMicrosecond);

// One iteration: the pointer moves from one bar item onto the next; the
// item it left is drawn plain and the new one raised.
void BM_HotTrackBarItem(benchmark::State& state) {
  MenuForm m;
  auto centre = [&](int index) {
    const TRect r = m.bar->ItemRect(index);
    return m.bar->ClientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  };
  const TPoint a = centre(0), b = centre(1);
  bool onA = false;
  for (auto _ : state) {
    onA = !onA;
    const TPoint p = onA ? a : b;
    headless::MoveMouse(p.x, p.y);
    Application->ProcessMessages();
  }
  if (m.bar->BarState() != bsHot || m.bar->CurrentIndex() != (onA ? 0 : 1))
    state.SkipWithError("the hot item did not follow the pointer");
}
BENCHMARK(BM_HotTrackBarItem)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
