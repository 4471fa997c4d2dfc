#include "controls_test_support.h"

namespace controls_test {
namespace {

class StatusTest : public ControlTest {
 protected:
  HWND MakeBar(DWORD style = 0) {
    HWND s = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(5), nullptr, nullptr);
    EXPECT_NE(s, nullptr);
    Pump();
    return s;
  }
  RECT Part(HWND s, int i) {
    RECT r{};
    EXPECT_TRUE(SendMessageA(s, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r)));
    return r;
  }
};

TEST_F(StatusTest, AlignsToTheParentBottomOrTop) {
  HWND s = MakeBar();
  RECT pr, r;
  GetClientRect(parent, &pr);
  GetWindowRect(s, &r);
  POINT o{0, 0};
  ClientToScreen(parent, &o);
  EXPECT_EQ(r.bottom - o.y, pr.bottom);
  EXPECT_EQ(r.right - r.left, pr.right);
  EXPECT_GE(r.bottom - r.top, 18);
  HWND t = MakeBar(CCS_TOP);
  GetWindowRect(t, &r);
  EXPECT_EQ(r.top, o.y);
}

TEST_F(StatusTest, PartsRectsAndTexts) {
  HWND s = MakeBar();
  int edges[3] = {100, 250, -1};
  ASSERT_TRUE(SendMessageA(s, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
  RECT a = Part(s, 0), b = Part(s, 1), c = Part(s, 2);
  EXPECT_EQ(a.left, 0);
  EXPECT_EQ(a.right, 100);
  EXPECT_EQ(b.left, 102);
  EXPECT_EQ(b.right, 250);
  EXPECT_EQ(c.right, 400);
  RECT none{};
  EXPECT_FALSE(SendMessageA(s, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&none)));
  SendMessageA(s, SB_SETTEXTA, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("Ready"));
  char buf[32] = {};
  LRESULT r = SendMessageA(s, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(buf));
  EXPECT_STREQ(buf, "Ready");
  EXPECT_EQ(LOWORD(r), 5);
  EXPECT_EQ(HIWORD(r), SBT_POPOUT);
  // Sunken part: shadow on top, highlight at the bottom; raised part the other way round.
  EXPECT_EQ(Pixel(s, 50, a.top), RGB(128, 128, 128));
  EXPECT_EQ(Pixel(s, 50, a.bottom - 1), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(s, 150, b.top), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(s, 150, b.bottom - 1), RGB(128, 128, 128));
  Save(s, "statusbar");
}

TEST_F(StatusTest, TabsAlignTextAndNoBordersDrawsNone) {
  HWND s = MakeBar();
  int edges[2] = {200, -1};
  SendMessageA(s, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  SendMessageA(s, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>("\t\tWWW"));
  RECT a = Part(s, 0);
  EXPECT_EQ(Pixel(s, 50, a.top), RGB(192, 192, 192));
  auto inkIn = [&](int x0, int x1) { return Any(s, RECT{x0, a.top, x1, a.bottom}, RGB(0, 0, 0)); };
  EXPECT_FALSE(inkIn(0, 120));
  EXPECT_TRUE(inkIn(150, 200));  // right-aligned
}

TEST_F(StatusTest, SimpleModeAndOwnerDraw) {
  HWND s = MakeBar();
  int edges[2] = {100, -1};
  SendMessageA(s, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  SendMessageA(s, SB_SIMPLE, TRUE, 0);
  EXPECT_TRUE(SendMessageA(s, SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(Part(s, 0).right, 400);
  SendMessageA(s, SB_SIMPLE, FALSE, 0);
  SendMessageA(s, SB_SETTEXTA, 1 | SBT_OWNERDRAW, 1234);
  EXPECT_EQ(SendMessageA(s, SB_GETTEXTA, 1, 0), 1234);
}

TEST_F(StatusTest, ChildOnThePartKeepsItsPixels) {
  HWND s = MakeBar(SBARS_SIZEGRIP);
  RECT a = Part(s, 0);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 10, a.top + 2, 20,
                               a.bottom - a.top - 4, s, nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  SendMessageA(s, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("text under the child"));
  InvalidateRect(s, nullptr, TRUE);
  EXPECT_EQ(Pixel(s, 15, a.top + 5), RGB(0, 0, 0));
  POINT p{398, 5};
  ClientToScreen(s, &p);
  EXPECT_EQ(SendMessageA(s, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTBOTTOMRIGHT);
  Save(s, "statusbar_grip");
}

}  // namespace
}  // namespace controls_test
