// Invalidation and WM_PAINT, erasing, the non-client area, child clipping,
// printing and what reaches the host screen.
#include <win32/user32_draw.h>

#include <cstdio>
#include <fstream>

#include "user_test_support.h"

namespace user_test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

constexpr std::uint32_t kFace = 0xC0C0C0, kShadow = 0x808080, kWhite = 0xFFFFFF, kBlack = 0x000000;
constexpr std::uint32_t kDesktop = 0x008080, kHighlight = 0x000080;

HBRUSH SysBrush(int index) { return reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(index + 1)); }

class Paint : public UserTest {
 protected:
  // A window whose WM_PAINT fills what it is asked to with COLOR_HIGHLIGHT.
  void Painter(HWND h, std::vector<RECT>* painted = nullptr) {
    On(h, [painted](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      RECT all;
      GetClientRect(w, &all);
      FillRect(dc, &all, SysBrush(COLOR_HIGHLIGHT));
      if (painted) painted->push_back(ps.rcPaint);
      EndPaint(w, &ps);
      return 0;
    });
  }
};

TEST_F(Paint, InvalidAreasMergeIntoOnePaintWithTheirBounds) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  std::vector<RECT> painted;
  Painter(a, &painted);
  Pump();
  painted.clear();
  RECT r1{10, 10, 20, 20}, r2{30, 40, 50, 60};
  InvalidateRect(a, &r1, FALSE);
  InvalidateRect(a, &r2, FALSE);
  RECT u;
  EXPECT_TRUE(GetUpdateRect(a, &u, FALSE));
  EXPECT_EQ(u.left, 10);
  EXPECT_EQ(u.bottom, 60);
  Pump();
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].right, 50);
  EXPECT_FALSE(GetUpdateRect(a, &u, FALSE));
  InvalidateRect(a, &r1, FALSE);
  ValidateRect(a, nullptr);
  EXPECT_EQ(Pump(), 0);
}

TEST_F(Paint, UpdateWindowPaintsAtOnceAndHiddenWindowsNever) {
  HWND a = Top("a", WS_POPUP, {0, 0, 100, 100});
  log().Watch({WM_PAINT});
  InvalidateRect(a, nullptr, TRUE);
  UpdateWindow(a);
  EXPECT_TRUE(Take().empty());  // hidden: nothing is invalid
  ShowWindow(a, SW_SHOWNA);
  UpdateWindow(a);
  EXPECT_THAT(Take(), ElementsAre("a:WM_PAINT"));
  UpdateWindow(a);
  EXPECT_TRUE(Take().empty());
  RedrawWindow(a, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_THAT(Take(), ElementsAre("a:WM_PAINT"));
}

TEST_F(Paint, BeginPaintSendsFrameAndEraseMessagesFirst) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND c = Child("c", top, {10, 10, 60, 60}, WS_VISIBLE | WS_BORDER);
  Pump();
  log().Watch({WM_NCPAINT, WM_ERASEBKGND, WM_PAINT});
  RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("c:WM_PAINT", "c:WM_NCPAINT", "c:WM_ERASEBKGND"));
  BOOL erase = FALSE;
  On(c, [&](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_ERASEBKGND) return 0;  // declines: the painter must erase
    if (m != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    erase = ps.fErase;
    EndPaint(w, &ps);
    return 0;
  });
  InvalidateRect(c, nullptr, TRUE);
  Pump();
  EXPECT_TRUE(erase);
}

TEST_F(Paint, ClipChildrenDecidesWhetherChildrenAreInvalidatedToo) {
  HWND clip = Top("clip", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 100, 100});
  HWND open = Top("open", WS_POPUP | WS_VISIBLE, {200, 0, 300, 100});
  Child("c1", clip, {0, 0, 50, 50});
  Child("c2", open, {0, 0, 50, 50});
  Pump();
  log().Watch({WM_PAINT});
  InvalidateRect(clip, nullptr, FALSE);
  InvalidateRect(open, nullptr, FALSE);
  Pump();
  std::vector<std::string> got = Take();
  EXPECT_THAT(got, ElementsAre("open:WM_PAINT", "c2:WM_PAINT", "clip:WM_PAINT"));
  RedrawWindow(clip, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  Pump();
  EXPECT_THAT(Take(), ElementsAre("clip:WM_PAINT", "c1:WM_PAINT"));
}

TEST_F(Paint, WindowThatNeverValidatesIsAskedAgain) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE);
  On(a, [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_PAINT) return 0;  // forgets BeginPaint
    return std::nullopt;
  });
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
  DispatchMessageA(&m);
  EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
  ValidateRect(a, nullptr);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
}

TEST_F(Paint, PrintRoutesClientAndChildren) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND c = Child("c", top, {10, 10, 60, 60});
  Pump();
  log().Watch({WM_PRINTCLIENT, WM_ERASEBKGND, 0x0317 /* WM_PRINT */});
  HDC dc = GetDC(top);
  SendMessageA(top, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  ReleaseDC(top, dc);
  EXPECT_THAT(Take(), ElementsAre("top:0x0317", "top:WM_ERASEBKGND", "top:WM_PRINTCLIENT", "c:0x0317",
                                  "c:WM_ERASEBKGND", "c:WM_PRINTCLIENT"));
  (void)c;
}

// ---- pixels on the host screen

TEST_F(Paint, EraseUsesTheClassBrushAndTheDesktopShowsAround) {
  Top("a", WS_POPUP | WS_VISIBLE, {10, 10, 60, 60});
  Pump();
  EXPECT_EQ(ScreenPixel(10, 10), kFace);
  EXPECT_EQ(ScreenPixel(59, 59), kFace);
  EXPECT_EQ(ScreenPixel(60, 60), kDesktop);
  EXPECT_EQ(ScreenPixel(9, 30), kDesktop);
}

TEST_F(Paint, ClientEdgeIsDrawnAsASunkenEdge) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND c = Child("c", top, {10, 10, 50, 50}, WS_VISIBLE, WS_EX_CLIENTEDGE);
  Painter(c);
  Pump();
  EXPECT_EQ(ScreenPixel(10, 10), kShadow);  // outer top-left
  EXPECT_EQ(ScreenPixel(49, 49), kWhite);   // outer bottom-right
  EXPECT_EQ(ScreenPixel(11, 11), kBlack);   // inner top-left
  EXPECT_EQ(ScreenPixel(48, 48), kFace);    // inner bottom-right
  EXPECT_EQ(ScreenPixel(12, 12), kHighlight);
  EXPECT_EQ(ScreenPixel(9, 9), kFace);  // the parent around it
}

TEST_F(Paint, SiblingClippingProtectsTheWindowAbove) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 100, 100});
  HWND high = Child("high", top, {30, 30, 90, 90}, WS_VISIBLE | WS_CLIPSIBLINGS);
  HWND low = Child("low", top, {0, 0, 60, 60}, WS_VISIBLE | WS_CLIPSIBLINGS);
  Painter(low);
  Pump();
  EXPECT_EQ(ScreenPixel(10, 10), kHighlight);
  EXPECT_EQ(ScreenPixel(40, 40), kFace);  // `high` is above and keeps its erased face
  InvalidateRect(low, nullptr, TRUE);
  Pump();
  EXPECT_EQ(ScreenPixel(40, 40), kFace);
  (void)high;
}

TEST_F(Paint, PaintedAreasArePresentedAsDirtyRectangles) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  Pump();
  headless::TakePresented();
  RECT r{20, 30, 40, 50};
  InvalidateRect(top, &r, FALSE);
  Painter(top);
  Pump();
  auto presented = headless::TakePresented();
  ASSERT_EQ(presented.size(), 1u);
  EXPECT_EQ(presented[0].second.x, 20);
  EXPECT_EQ(presented[0].second.width, 20);
  EXPECT_EQ(ScreenPixel(25, 35), kHighlight);
  EXPECT_EQ(ScreenPixel(45, 35), kFace);  // outside the invalid part: untouched
}

// The headless host draws a captioned window's frame around its surface, as
// a window manager would: borders, caption colour by activation, the title.
TEST_F(Paint, TheHostFramesCaptionedWindowsOutsideTheirRectangle) {
  HWND framed = Top("framed", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {100, 100, 300, 250});
  SetWindowTextA(framed, "Framed");
  Painter(framed);
  Pump();
  SetActiveWindow(framed);
  Pump();
  EXPECT_EQ(ScreenPixel(100, 100), kHighlight);  // the rectangle stays the window's own
  EXPECT_EQ(ScreenPixel(97, 150), kFace);        // raised edge, then the frame's face line
  EXPECT_EQ(ScreenPixel(98, 150), kWhite);
  EXPECT_EQ(ScreenPixel(99, 150), kFace);
  EXPECT_EQ(ScreenPixel(302, 150), kBlack);
  EXPECT_EQ(ScreenPixel(301, 150), kShadow);
  EXPECT_EQ(ScreenPixel(150, 252), kBlack);
  EXPECT_EQ(ScreenPixel(96, 150), kDesktop);
  EXPECT_EQ(ScreenPixel(250, 84), 0x000080u);  // active caption, 18 rows above a face line
  EXPECT_EQ(ScreenPixel(250, 99), kFace);
  EXPECT_EQ(ScreenPixel(250, 80), kFace);
  EXPECT_EQ(ScreenPixel(250, 77), kDesktop);
  auto inks = [](std::uint32_t colour) {
    int n = 0;
    for (int y = 81; y < 99; ++y)
      for (int x = 102; x < 160; ++x) n += ScreenPixel(x, y) == colour;
    return n;
  };
  EXPECT_GT(inks(kWhite), 20);  // the title in the caption text colour
  EXPECT_EQ(ScreenPixel(288, 90), kBlack);  // the close button's cross

  HWND other = Top("other", WS_CAPTION | WS_VISIBLE, {400, 400, 500, 500});
  SetActiveWindow(other);
  Pump();
  EXPECT_EQ(ScreenPixel(250, 84), 0x808080u);  // inactive caption, title in its own colour
  EXPECT_EQ(inks(kWhite), 0);
  EXPECT_GT(inks(0xC0C0C0), 20);
  EXPECT_EQ(ScreenPixel(450, 384), 0x000080u);

  // Pop-ups without a caption get no frame; the window's own picture has none.
  HWND popup = Top("popup", WS_POPUP | WS_VISIBLE, {600, 100, 700, 200});
  Pump();
  EXPECT_EQ(ScreenPixel(599, 150), kDesktop);
  EXPECT_EQ(ScreenPixel(650, 99), kDesktop);
  const std::string png = ::testing::TempDir() + "framed_window.png";
  ASSERT_TRUE(headless::SaveWindow(framed, png));
  (void)popup;
}

TEST_F(Paint, SnapshotsWritePngFiles) {
  HWND top = Top("top", WS_POPUP | WS_VISIBLE, {0, 0, 40, 30});
  HWND c = Child("c", top, {5, 5, 25, 15});
  Pump();
  std::string dir = ::testing::TempDir();
  auto widthOf = [](const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    unsigned char head[24] = {};
    f.read(reinterpret_cast<char*>(head), sizeof head);
    return (head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19];
  };
  ASSERT_TRUE(headless::SaveWindow(c, dir + "/child.png"));
  EXPECT_EQ(widthOf(dir + "/child.png"), 20);
  ASSERT_TRUE(headless::SaveScreen(dir + "/screen.png"));
  EXPECT_EQ(widthOf(dir + "/screen.png"), 1024);
  EXPECT_FALSE(headless::SaveWindow(reinterpret_cast<HWND>(0x99), dir + "/none.png"));
}

}  // namespace
}  // namespace user_test
