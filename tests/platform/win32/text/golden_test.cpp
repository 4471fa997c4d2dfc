// The system face rendered against a golden image, pixel for pixel. Set
// XVT_UPDATE_GOLDEN=1 to rewrite the golden after a deliberate change; on a
// mismatch the actual image is written to the working directory.
#include <gtest/gtest.h>

#include <win32/windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "canvas.h"

namespace {

using testing_text::Canvas;

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
  std::string golden = std::string(XVT_SOURCE_DIR) + "/tests/platform/win32/text/golden/ms_sans_serif_sample.png";
  if (const char* update = std::getenv("XVT_UPDATE_GOLDEN"); update && *update == '1') {
    ASSERT_TRUE(testing_text::WritePng(golden, canvas.Bits(), canvas.width(), canvas.height()));
    GTEST_SKIP() << "golden rewritten";
  }
  std::vector<std::uint32_t> expected;
  int w = 0, h = 0;
  bool read = testing_text::ReadPng(golden, expected, w, h);
  bool same = read && w == canvas.width() && h == canvas.height() &&
              std::equal(expected.begin(), expected.end(), canvas.Bits());
  if (!same) {
    std::string actual = "ms_sans_serif_sample.actual.png";
    testing_text::WritePng(actual, canvas.Bits(), canvas.width(), canvas.height());
    FAIL() << "rendering differs from " << golden << "; actual written to " << actual;
  }
}

}  // namespace
