#include "controls_test_support.h"

namespace controls_test {
namespace {

class ScrollTest : public ControlTest {
 protected:
  // The bar tracks the press in a loop of its own, so the release is queued with it.
  void ClickBar(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    headless::MoveMouse(p.x, p.y);
    headless::PressMouse(0);
    headless::ReleaseMouse(0);
    Pump();
  }
};

// Drags from the press point down by 40 pixels in two steps, one per timer tick.
VOID CALLBACK DragDown(HWND, UINT, UINT_PTR id, DWORD) {
  static int step = 0;
  POINT p;
  GetCursorPos(&p);
  if (step++ < 2) {
    headless::MoveMouse(p.x, p.y + 20);
    return;
  }
  step = 0;
  KillTimer(nullptr, id);
  headless::ReleaseMouse(0);
}

std::vector<int> BarCodes() {
  std::vector<int> parts;
  for (const auto& note : Notes().Take())
    if (note.message == WM_VSCROLL) parts.push_back(static_cast<int>(note.detail));
  return parts;
}

TEST_F(ScrollTest, ControlClampsPositionAndReportsClicks) {
  HWND b = Make(WC_SCROLLBARA, "", SBS_VERT, {10, 10, 26, 210}, 8);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 500, 0};
  EXPECT_EQ(SetScrollInfo(b, SB_CTL, &si, TRUE), 90);  // max - page + 1
  EXPECT_EQ(GetScrollPos(b, SB_CTL), 90);
  SetScrollPos(b, SB_CTL, 0, TRUE);
  ClickBar(b, 8, 3);  // top arrow
  ClickBar(b, 8, 196);  // bottom arrow
  ClickBar(b, 8, 150);  // track below the thumb
  EXPECT_EQ(BarCodes(), (std::vector<int>{SB_LINEUP, SB_LINEDOWN, SB_PAGEDOWN}));
  // Arrows are raised buttons with a dark arrow; the track is the scroll-bar colour.
  EXPECT_EQ(Pixel(b, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(b, 8, 120), RGB(192, 192, 192));
  Save(b, "scrollbar");
}

TEST_F(ScrollTest, ControlThumbDragTracksAndLands) {
  headless::SetIdleAdvance(true);
  HWND b = Make(WC_SCROLLBARA, "", SBS_VERT, {10, 10, 26, 210}, 8);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
  SetScrollInfo(b, SB_CTL, &si, TRUE);
  Pump();
  Notes().Clear();
  SetTimer(nullptr, 0, 10, DragDown);
  POINT p{8, 24};  // in the thumb at the top of the track
  ClientToScreen(b, &p);
  headless::MoveMouse(p.x, p.y);
  headless::PressMouse(0);
  Pump();
  headless::SetIdleAdvance(false);
  EXPECT_EQ(BarCodes(), (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION}));
  SCROLLINFO track{sizeof track, SIF_TRACKPOS | SIF_POS};
  GetScrollInfo(b, SB_CTL, &track);
  EXPECT_EQ(track.nPos, 0) << "the parent moves the bar, not the drag";
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollTest, WindowBarsKeepTheirOwnState) {
  HWND e = Make("EDIT", "", ES_MULTILINE | WS_VSCROLL | WS_HSCROLL, {10, 10, 200, 100});
  SCROLLINFO v{sizeof v, SIF_RANGE | SIF_POS, 0, 50, 0, 20, 0};
  SCROLLINFO hz{sizeof hz, SIF_RANGE | SIF_POS, 0, 10, 0, 3, 0};
  SetScrollInfo(e, SB_VERT, &v, FALSE);
  SetScrollInfo(e, SB_HORZ, &hz, FALSE);
  EXPECT_EQ(GetScrollPos(e, SB_VERT), 20);
  EXPECT_EQ(GetScrollPos(e, SB_HORZ), 3);
  int lo = -1, hi = -1;
  GetScrollRange(e, SB_HORZ, &lo, &hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 10);
  SCROLLINFO none{sizeof none, SIF_ALL};
  EXPECT_FALSE(GetScrollInfo(parent, SB_VERT, &none));
}

}  // namespace
}  // namespace controls_test
