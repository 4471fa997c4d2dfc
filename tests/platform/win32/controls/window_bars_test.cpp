// Scroll bars of an ordinary window (not a control): drawn and tracked by the
// default window procedure.
#include <algorithm>

#include "controls_test_support.h"

namespace controls_test {
namespace {

struct Scrolled {
  int code;
  int pos;
};
std::vector<Scrolled>& Log() {
  static std::vector<Scrolled> log;
  return log;
}

// Moves the bar as a program would: lines by one, pages by ten, the thumb where dropped.
LRESULT CALLBACK ScrolledProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_VSCROLL && msg != WM_HSCROLL) return DefWindowProcA(h, msg, wp, lp);
  const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
  const int code = LOWORD(wp);
  const int pos = static_cast<short>(HIWORD(wp));
  if (bar == SB_VERT) Log().push_back({code, pos});
  const int now = GetScrollPos(h, bar);
  if (code == SB_LINEDOWN) SetScrollPos(h, bar, now + 1, TRUE);
  if (code == SB_LINEUP) SetScrollPos(h, bar, now - 1, TRUE);
  if (code == SB_PAGEDOWN) SetScrollPos(h, bar, now + 10, TRUE);
  if (code == SB_THUMBPOSITION) SetScrollPos(h, bar, pos, TRUE);
  return 0;
}

class WindowBars : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    headless::SetIdleAdvance(true);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ScrolledProc;
    wc.lpszClassName = "ScrolledWindow";
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassA(&wc);
    w = CreateWindowExA(0, "ScrolledWindow", "", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, kX, kY, 200, 150,
                        nullptr, nullptr, nullptr, nullptr);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    SetScrollInfo(w, SB_HORZ, &si, TRUE);
    Pump();
    Log().clear();
  }
  void TearDown() override {
    DestroyWindow(w);
    headless::SetIdleAdvance(false);
    ControlTest::TearDown();
  }
  // Screen pixel at window coordinates.
  static COLORREF At(int x, int y) {
    int sw = 0, sh = 0;
    const auto px = headless::ScreenPixels(&sw, &sh);
    const std::uint32_t v = px[static_cast<size_t>(kY + y) * sw + kX + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  static std::vector<int> Codes() {
    std::vector<int> out;
    for (const Scrolled& s : Log()) out.push_back(s.code);
    return out;
  }
  void Press(int x, int y) {
    headless::MoveMouse(kX + x, kY + y);
    headless::PressMouse(0);
  }

  static constexpr int kX = 100, kY = 100;
  // The vertical bar: x 184..200, arrows 0..16 and 118..134; the track between.
  static constexpr int kBarX = 192;
  HWND w = nullptr;
};

TEST_F(WindowBars, PaintArrowsThumbTrackAndCorner) {
  EXPECT_EQ(At(184, 0), RGB(255, 255, 255));        // raised arrow button
  EXPECT_EQ(At(kBarX, 8), RGB(0, 0, 0));            // the arrow head
  EXPECT_EQ(At(184, 17), RGB(255, 255, 255));       // the thumb at the top of the track
  EXPECT_EQ(At(kBarX, 80), GetSysColor(COLOR_SCROLLBAR));
  EXPECT_EQ(At(190, 140), GetSysColor(COLOR_BTNFACE));  // corner box
  EXPECT_EQ(At(8, 142), RGB(0, 0, 0));               // left arrow of the horizontal bar
}

TEST_F(WindowBars, ArrowAndPageClicksSendTheirCodes) {
  Press(kBarX, 125);
  headless::ReleaseMouse(0);
  Press(kBarX, 80);
  headless::ReleaseMouse(0);
  Pump();
  EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 11);
  EXPECT_EQ(GetCapture(), nullptr);
}

// One step of a drag per timer tick, so each move is seen on its own.
VOID CALLBACK DragStep(HWND, UINT, UINT_PTR id, DWORD) {
  static int step = 0;
  const int ys[] = {44, 67, 400};  // the last past the end: clamped
  if (step < 3) {
    headless::MoveMouse(100 + 192, 100 + ys[step++]);
    return;
  }
  step = 0;
  KillTimer(nullptr, id);
  headless::ReleaseMouse(0);
}

TEST_F(WindowBars, ThumbDragTracksThenLands) {
  SetTimer(nullptr, 0, 10, DragStep);
  Press(kBarX, 21);  // in the 10-pixel thumb at the top of the track
  Pump();
  ASSERT_GE(Log().size(), 4u);
  EXPECT_EQ(Log()[0].code, SB_THUMBTRACK);
  EXPECT_EQ(Log()[0].pos, 23);
  EXPECT_EQ(Log()[1].pos, 46);
  const Scrolled& landed = Log()[Log().size() - 2];
  EXPECT_EQ(landed.code, SB_THUMBPOSITION);
  EXPECT_EQ(landed.pos, 91);  // max - page + 1
  EXPECT_EQ(Log().back().code, SB_ENDSCROLL);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 91);
  SCROLLINFO si{sizeof si, SIF_TRACKPOS};
  GetScrollInfo(w, SB_VERT, &si);
  EXPECT_EQ(si.nTrackPos, 91);
}

VOID CALLBACK LetGo(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  headless::ReleaseMouse(0);
}

COLORREF g_heldArrow = CLR_INVALID;
VOID CALLBACK LookThenLetGo(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  int sw = 0, sh = 0;
  const auto px = headless::ScreenPixels(&sw, &sh);
  const std::uint32_t v = px[static_cast<size_t>(100 + 118) * sw + 100 + 184];
  g_heldArrow = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  headless::ReleaseMouse(0);
}

TEST_F(WindowBars, HeldArrowRepeatsOnATimerAndShowsPushed) {
  SetTimer(nullptr, 0, 1000, LookThenLetGo);
  Press(kBarX, 125);
  Pump();
  const auto codes = Codes();
  // One at once, the first repeat after 400 ms, then one every 50 ms.
  const auto lines = std::count(codes.begin(), codes.end(), SB_LINEDOWN);
  EXPECT_GE(lines, 10);
  EXPECT_LE(lines, 14);
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
  EXPECT_NE(g_heldArrow, RGB(255, 255, 255)) << "a held arrow is drawn pushed in";
  EXPECT_EQ(At(184, 118), RGB(255, 255, 255)) << "and raised again once released";
}

TEST_F(WindowBars, HeldPageClickStopsAtTheMouse) {
  SetTimer(nullptr, 0, 2000, LetGo);
  Press(kBarX, 60);  // about 40% down the track
  Pump();
  const int pos = GetScrollPos(w, SB_VERT);
  EXPECT_GE(pos, 30);
  EXPECT_LE(pos, 50);
}

}  // namespace
}  // namespace controls_test
