// Opening animations of the drop-down windows on the virtual clock: the
// fade frame by frame, slides, cancelling, closing fades and placement.
#include <set>

#include "menu_fixture.h"

namespace {

class Animation : public MenuBarFixture {
 protected:
  // The screen's pixels in a rectangle, as 0x00RRGGBB.
  static std::vector<std::uint32_t> Pixels(const RECT& r) {
    const Shot shot;
    std::vector<std::uint32_t> out;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) out.push_back(shot.At(x, y));
    return out;
  }
  // Screen + trunc((menu - screen) / 20) * k, per colour byte.
  static std::vector<std::uint32_t> Frame(const std::vector<std::uint32_t>& screen,
                                          const std::vector<std::uint32_t>& menu, int k) {
    std::vector<std::uint32_t> out(screen.size());
    for (std::size_t i = 0; i < screen.size(); ++i) {
      std::uint32_t px = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const int s = static_cast<int>((screen[i] >> shift) & 0xFF), m = static_cast<int>((menu[i] >> shift) & 0xFF);
        px |= static_cast<std::uint32_t>(s + (m - s) / 20 * k) << shift;
      }
      out[i] = px;
    }
    return out;
  }
  RECT WindowRect() {
    RECT r{};
    GetWindowRect(DropDown()->WindowHandle(), &r);
    return r;
  }
};

// Each posted step is taken from the queue after the frame before it is
// on the screen: the probe keeps what the screen shows at that moment.
std::vector<std::vector<std::uint32_t>>* g_frames = nullptr;
RECT g_probe{};
std::vector<DWORD> g_ticks;
HHOOK g_probeHook = nullptr;

LRESULT CALLBACK ProbeFrames(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code >= 0 && wParam == PM_REMOVE && msg->message == AM2000_ANIMSTEP && g_frames) {
    const Shot shot;
    std::vector<std::uint32_t> px;
    for (int y = g_probe.top; y < g_probe.bottom; ++y)
      for (int x = g_probe.left; x < g_probe.right; ++x) px.push_back(shot.At(x, y));
    g_frames->push_back(px);
    g_ticks.push_back(GetTickCount());
  }
  return CallNextHookEx(g_probeHook, code, wParam, lParam);
}

TEST_F(Animation, FadeFramesStepEveryByteFromTheScreenToTheMenu) {
  bar->Options()->Animation = anFadeIn;
  // Under the menu: the form's face and a block of colour to fade from.
  form->OnPaint = [this](TObject*) {
    form->Canvas()->Brush()->SetColor(clTeal);
    form->Canvas()->FillRect(Rect(0, 19, 60, 200));
  };
  form->Invalidate();
  Pump();
  const TPoint corner = bar->ClientToScreen(Point(bar->ItemRect(0).left, bar->ItemRect(0).bottom));
  g_probe = RECT{corner.x, corner.y, corner.x + 100, corner.y + 60};
  const std::vector<std::uint32_t> before = Pixels(g_probe);
  std::vector<std::vector<std::uint32_t>> frames;
  g_frames = &frames;
  g_ticks.clear();
  g_probeHook = SetWindowsHookExA(WH_GETMESSAGE, ProbeFrames, nullptr, GetCurrentThreadId());
  Click(ItemPoint(0));
  UnhookWindowsHookEx(g_probeHook);
  g_frames = nullptr;
  ASSERT_TRUE(Shown(DropDown()));
  EXPECT_EQ(DropDown()->Animating(), anFadeIn);
  EXPECT_FALSE(DropDown()->WindowFlags() & wfAnimating);
  EXPECT_EQ(DropDown()->FramesShown(), 20);
  ASSERT_EQ(frames.size(), 20u) << "frames 1 to 20, then the finishing step";
  const RECT w = WindowRect();
  ASSERT_GE(w.right, g_probe.right);
  ASSERT_GE(w.bottom, g_probe.bottom);
  const std::vector<std::uint32_t> menu = Pixels(g_probe);
  EXPECT_NE(menu, before);
  for (int k = 1; k <= 20; ++k)
    EXPECT_TRUE(frames[static_cast<std::size_t>(k - 1)] == Frame(before, menu, k)) << "frame " << k;
  EXPECT_NE(frames.back(), menu) << "the steps fall short of the menu by the rounding";
  EXPECT_EQ(g_ticks.back() - g_ticks.front(), 95u) << "19 steps 5 ms apart on the virtual clock";
}

TEST_F(Animation, AKeyDuringTheAnimationCancelsItWithoutAnotherFrame) {
  bar->Options()->Animation = anFadeIn;
  // The key is already waiting when the menu starts to fade in.
  headless::MoveMouse(ItemPoint(0).x, ItemPoint(0).y);
  Pump();
  headless::PressMouse(0);
  headless::ReleaseMouse(0);
  headless::PressKey(VK_DOWN);
  headless::ReleaseKey(VK_DOWN);
  Pump();
  EXPECT_FALSE(Shown(DropDown()));
  EXPECT_EQ(ActivePopup(), nullptr);
  EXPECT_LE(DropDown()->FramesShown(), 1);
  EXPECT_EQ(bar->BarState(), bsSelected) << "the bar stays on its item";
  // A click elsewhere during a slide cancels it too.
  CloseMenus(true, false);
  bar->Options()->Animation = anVSlide;
  headless::MoveMouse(ItemPoint(1).x, ItemPoint(1).y);
  Pump();
  headless::PressMouse(0);
  headless::ReleaseMouse(0);
  const TPoint away = form->ClientToScreen(Point(400, 250));
  headless::MoveMouse(away.x, away.y);
  headless::PressMouse(0);
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_FALSE(Shown(DropDown()));
  EXPECT_EQ(bar->BarState(), bsIdle);
  EXPECT_LE(DropDown()->FramesShown(), 2);
}

TEST_F(Animation, AChosenCommandFadesOutBeforeItsClick) {
  bar->Options()->Animation = anFadeIn;
  int framesAtClick = -1;
  about->OnClick = [&](TObject*) { framesAtClick = DropDown()->FramesShown(); };
  Click(ItemPoint(2));
  Settle();
  Click(RowPoint(DropDown(), 0));
  EXPECT_EQ(framesAtClick, 20);
  // Escape closes at once.
  AltKey('H');
  Settle();
  Key(VK_ESCAPE);
  EXPECT_EQ(DropDown()->FramesShown(), 20);
  EXPECT_FALSE(Shown(DropDown()));
  // Other kinds close without a fade.
  bar->Options()->Animation = anSmart;
  framesAtClick = -1;
  Click(ItemPoint(2));
  const int opened = DropDown()->FramesShown();
  Click(RowPoint(DropDown(), 0));
  EXPECT_EQ(framesAtClick, opened);
}

std::vector<RECT>* g_bounds = nullptr;
HWND g_watched = nullptr;

LRESULT CALLBACK ProbeBounds(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code >= 0 && wParam == PM_REMOVE && msg->message == AM2000_ANIMSTEP && g_bounds && msg->hwnd == g_watched) {
    RECT r{};
    GetWindowRect(g_watched, &r);
    g_bounds->push_back(r);
  }
  return CallNextHookEx(g_probeHook, code, wParam, lParam);
}

TEST_F(Animation, SlidesGrowByTheirStepsOutOfTheBar) {
  std::vector<RECT> bounds;
  g_bounds = &bounds;
  g_watched = DropDown()->Handle();
  g_probeHook = SetWindowsHookExA(WH_GETMESSAGE, ProbeBounds, nullptr, GetCurrentThreadId());
  bar->Options()->Animation = anSmart;
  Click(ItemPoint(0));
  EXPECT_EQ(DropDown()->Animating(), anVSlide);
  EXPECT_EQ(DropDown()->AnimKind(), anHSlide) << "kept for its sub-menus";
  const int fullH = DropDown()->MenuHeight(), fullW = DropDown()->MenuWidth();
  const int step = std::max(3, fullH / 20);
  ASSERT_GE(bounds.size(), 3u);
  EXPECT_EQ(bounds[0].bottom - bounds[0].top, fullH / 3 - step + step) << "after the first step";
  for (std::size_t i = 1; i < bounds.size(); ++i) {
    EXPECT_EQ(bounds[i].bottom - bounds[i].top, bounds[i - 1].bottom - bounds[i - 1].top + step);
    EXPECT_EQ(bounds[i].right - bounds[i].left, fullW);
    EXPECT_EQ(bounds[i].top, bounds[0].top) << "a downward menu grows down";
  }
  RECT r = WindowRect();
  EXPECT_EQ(r.bottom - r.top, fullH);
  bounds.clear();
  bar->Options()->Animation = anHSlide;
  CloseMenus(true, false);
  Click(ItemPoint(0));
  ASSERT_GE(bounds.size(), 3u);
  const int stepX = std::max(3, fullW / 10);
  EXPECT_EQ(bounds[1].right - bounds[1].left, bounds[0].right - bounds[0].left + stepX);
  EXPECT_EQ(bounds[1].bottom - bounds[1].top, fullH);
  UnhookWindowsHookEx(g_probeHook);
  g_bounds = nullptr;
  for (T_AM2000_Animation kind : {anUnfold, anNone}) {
    CloseMenus(true, false);
    bar->Options()->Animation = kind;
    Click(ItemPoint(0));
    EXPECT_EQ(DropDown()->Animating(), kind);
    r = WindowRect();
    EXPECT_EQ(r.right - r.left, fullW);
    EXPECT_EQ(r.bottom - r.top, fullH);
  }
  bar->Options()->Animation = anPopup;
  CloseMenus(true, false);
  Click(ItemPoint(0));
  EXPECT_EQ(DropDown()->Animating(), anUnfold);
}

TEST_F(Animation, RandomIsOneOfTheTwoSlides) {
  bar->Options()->Animation = anRandom;
  std::set<T_AM2000_Animation> kinds;
  for (int i = 0; i < 24; ++i) {
    CloseMenus(true, false);
    Click(ItemPoint(0));
    kinds.insert(DropDown()->Animating());
  }
  EXPECT_EQ(kinds, (std::set<T_AM2000_Animation>{anVSlide, anHSlide}));
}

TEST_F(Animation, PlacementKeepsTheMenuOnTheWorkArea) {
  bar->Options()->Animation = anNone;
  TPopupMenu2000Form* w = DropDown();
  TCustomPopupMenu2000* popup = bar->PopupMenu2000();
  popup->SetShownItems(file);
  popup->SetMenuHandle(file->Handle());
  popup->Options()->Animation = anNone;
  // Near the right edge a top-level menu moves left to end at it.
  popup->PopupAt(1000, 100, Rect(1000, 80, 1020, 100));
  RECT r{};
  GetWindowRect(w->WindowHandle(), &r);
  EXPECT_EQ(r.right, 1024);
  EXPECT_EQ(r.top, 100);
  // Near the bottom with more room above it opens upward, above the item.
  popup->PopupAt(100, 740, Rect(100, 721, 140, 740));
  GetWindowRect(w->WindowHandle(), &r);
  EXPECT_EQ(r.bottom, 721);
  EXPECT_TRUE(w->WindowFlags() & wfUpward);
  // A small overhang with little room above is moved up instead.
  popup->PopupAt(100, 60, Rect(100, 41, 140, 60));
  GetWindowRect(w->WindowHandle(), &r);
  EXPECT_EQ(r.top, 60);
  EXPECT_FALSE(w->WindowFlags() & wfUpward);
  // A left edge past the screen becomes 0.
  popup->PopupAt(-30, 100, Rect(-30, 80, 0, 100));
  GetWindowRect(w->WindowHandle(), &r);
  EXPECT_EQ(r.left, 0);
  CloseMenus(true, false);
}

TEST_F(Animation, MenusStayAboveTheTaskbar) {
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(SHAppBarMessage(ABM_GETTASKBARPOS, &bar));
  TCustomPopupMenu2000* popup = this->bar->PopupMenu2000();
  popup->SetShownItems(file);
  popup->SetMenuHandle(file->Handle());
  popup->Options()->Animation = anNone;
  const int work = bar.uEdge == ABE_BOTTOM && bar.rc.bottom > bar.rc.top ? bar.rc.top : 768;
  popup->PopupAt(200, work - 40, Rect(200, work - 59, 240, work - 40));
  RECT r{};
  GetWindowRect(DropDown()->WindowHandle(), &r);
  EXPECT_LE(r.bottom, work);
  EXPECT_EQ(r.bottom, work - 59) << "upward, above the item";
  CloseMenus(true, false);
}

}  // namespace
