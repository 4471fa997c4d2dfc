// The system face rendered against a golden image, pixel for pixel.
#include <gtest/gtest.h>

#include <win32/windows.h>


#include "dib_canvas.h"
#include "golden.h"

namespace {

using Canvas = testsupport::DibCanvas;

HFONT Font(int height, int weight, bool italic, bool underline) {
  return CreateFontA(height, 0, 0, 0, weight, italic, underline, FALSE, ANSI_CHARSET, 0, 0, 0, 0,
                     "MS Sans Serif");
}

void DrawSample(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TextOutA(dc, 4, 4, "The quick brown fox jumps over the lazy dog.", 44);
  RECT menu{4, 20, 276, 33};
  DrawTextA(dc, "&File    &Options    &Help    E&xit    A && B", -1, &menu, DT_SINGLELINE);
  HFONT bold = Font(-11, FW_BOLD, false, false);
  HFONT big = Font(-16, FW_BOLD, false, false);
  HFONT styled = Font(-11, FW_NORMAL, true, true);
  SelectObject(dc, bold);
  TextOutA(dc, 4, 36, "Mission Details: 0123456789", 27);
  SelectObject(dc, big);
  TextOutA(dc, 4, 52, "X-Wing vs. Tie Fighter", 22);
  SelectObject(dc, styled);
  TextOutA(dc, 4, 76, "Install the mission", 19);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(0, 0, 128));
  const char latin[] = "caf\xe9 \x93quoted\x94 \x85 \x80 5\xb0 \xc6\xd8\xdf";
  TextOutA(dc, 4, 92, latin, static_cast<int>(sizeof latin - 1));
  DeleteObject(bold);
  DeleteObject(big);
  DeleteObject(styled);
}

TEST(GoldenText, MsSansSerifSample) {
  Canvas canvas(280, 110, RGB(192, 192, 192));
  DrawSample(canvas.dc());
  testsupport::Image shot(canvas.width(), canvas.height());
  for (std::size_t i = 0; i < shot.pixels.size(); ++i) shot.pixels[i] = canvas.Bits()[i] & 0xFFFFFF;
  EXPECT_TRUE(
      testsupport::MatchesGolden(shot, testsupport::GoldenPath("platform/win32/text/golden/ms_sans_serif_sample.png")));
}

}  // namespace
