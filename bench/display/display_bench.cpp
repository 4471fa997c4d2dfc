// The display controls' periodic work: a digital clock tick in which the
// seconds changed (the status bar's clock, 62 x 19), and one step of the
// About window's animation, painted, on the headless screen.
#include <backend/headless.h>
#include <benchmark/benchmark.h>

#include "display/GIFCtrl.h"
#include "display/RXClock.h"
#include "framework/datetime.h"
#include "framework/forms.h"
#include "ui/artwork.h"

namespace {

void BM_ClockTickSecondsChanged(benchmark::State& state) {
  headless::Start();
  int second = 0;
  SetTimeSource([&] { return EncodeDate(2001, 2, 3) + EncodeTime(10, 20, std::uint16_t(second % 60), 0); });
  TOwned<TForm> form(new TForm(nullptr));
  form->SetBounds(0, 0, 300, 100);
  auto* clock = new TRxClock(form.get());
  clock->Timer()->SetEnabled(false);  // ticks come from the loop below
  clock->SetParent(form.get());
  clock->SetBounds(200, 0, 62, 19);
  form->Show();
  UpdateWindow(clock->Handle());
  TRxTimer* timer = clock->Timer();
  for (auto _ : state) {
    ++second;  // the minute stays: only the two seconds cells are due
    if (second % 60 == 0) ++second;
    timer->OnTimer()(timer);
  }
  form.reset();
  SetTimeSource(nullptr);
}
BENCHMARK(BM_ClockTickSecondsChanged);

void BM_AboutAnimationStep(benchmark::State& state) {
  headless::Start();
  TOwned<TForm> form(new TForm(nullptr));
  form->SetBounds(0, 0, 315, 177);
  auto* animator = new TRxGIFAnimator(form.get());
  animator->SetParent(form.get());
  animator->SetBounds(8, 8, 100, 75);
  animator->SetCenter(true);
  animator->SetImage(ui::MakeAboutAnimation().get());
  form->Show();
  UpdateWindow(form->Handle());
  animator->Timer()->SetEnabled(false);  // the steps come from the loop below
  for (auto _ : state) {
    animator->TimerTick(animator->Timer());
    UpdateWindow(form->Handle());
  }
  form.reset();
}
BENCHMARK(BM_AboutAnimationStep);

}  // namespace

BENCHMARK_MAIN();
