// Device contexts: state, saved states, selection, origins, pixels, caps,
// the screen, handles.
#include "gdi_fixture.h"

using gdi_test::Canvas;

TEST(DcState, SettersReturnPreviousValuesAndRejectBadModes) {
  Canvas c(4, 4);
  EXPECT_EQ(SetTextColor(c.dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(GetTextColor(c.dc), RGB(1, 2, 3));
  EXPECT_EQ(SetBkColor(c.dc, RGB(4, 5, 6)), RGB(255, 255, 255));
  EXPECT_EQ(SetBkMode(c.dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(c.dc, 7), 0);
  EXPECT_EQ(GetBkMode(c.dc), TRANSPARENT);
  EXPECT_EQ(SetROP2(c.dc, R2_XORPEN), R2_COPYPEN);
  EXPECT_EQ(SetROP2(c.dc, 0), 0);
  EXPECT_EQ(SetStretchBltMode(c.dc, COLORONCOLOR), BLACKONWHITE);
  EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
}

TEST(DcState, SaveAndRestoreNestAndAcceptRelativeLevels) {
  Canvas c(4, 4);
  SetTextColor(c.dc, RGB(1, 1, 1));
  EXPECT_EQ(SaveDC(c.dc), 1);
  SetTextColor(c.dc, RGB(2, 2, 2));
  SetViewportOrgEx(c.dc, 3, 3, nullptr);
  EXPECT_EQ(SaveDC(c.dc), 2);
  SetTextColor(c.dc, RGB(3, 3, 3));
  EXPECT_TRUE(RestoreDC(c.dc, -1));
  EXPECT_EQ(GetTextColor(c.dc), RGB(2, 2, 2));
  EXPECT_TRUE(RestoreDC(c.dc, 1));
  EXPECT_EQ(GetTextColor(c.dc), RGB(1, 1, 1));
  POINT org;
  GetViewportOrgEx(c.dc, &org);
  EXPECT_EQ(org.x, 0);
  EXPECT_FALSE(RestoreDC(c.dc, 1));  // nothing left to restore
  EXPECT_FALSE(RestoreDC(c.dc, 0));
}

TEST(DcState, ViewportOriginMovesDrawing) {
  Canvas c(6, 6, RGB(0, 0, 0));
  POINT old;
  SetViewportOrgEx(c.dc, 2, 1, &old);
  OffsetViewportOrgEx(c.dc, 1, 1, &old);
  EXPECT_EQ(old.x, 2);
  EXPECT_EQ(SetPixel(c.dc, 0, 0, RGB(255, 0, 0)), RGB(255, 0, 0));
  EXPECT_EQ(c.At(3, 2), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(c.dc, 5, 5), CLR_INVALID);  // device (8, 7) is outside
  EXPECT_EQ(SetPixel(c.dc, 5, 5, 0), CLR_INVALID);
}

TEST(DcState, SelectObjectReturnsPreviousAndRefusesSharedBitmaps) {
  Canvas c(4, 4);
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, c.bitmap), nullptr);  // already in c.dc
  HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(c.dc, b), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_BRUSH), b);
  EXPECT_EQ(SelectObject(c.dc, GetStockObject(BLACK_PEN)), GetStockObject(BLACK_PEN));
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_FALSE(DeleteObject(c.bitmap));  // still selected
  DeleteDC(other);
}

TEST(DcState, NewMemoryDcHoldsOneMonochromePixel) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  BITMAP info{};
  ASSERT_EQ(GetObjectA(bm, sizeof(info), &info), int(sizeof(BITMAP)));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  // A bitmap "compatible" with it is monochrome too, as on Windows.
  HBITMAP mono = CreateCompatibleBitmap(dc, 8, 8);
  GetObjectA(mono, sizeof(info), &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidthBytes, 2);
  EXPECT_EQ(GetNearestColor(dc, RGB(200, 200, 200)), RGB(255, 255, 255));
  DeleteObject(mono);
  DeleteDC(dc);
}

TEST(DcState, DeviceCapsDescribeA96DpiTrueColourScreen) {
  gdi::SetScreenSize(1024, 768);  // the default; a window test before this one may have started another
  HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(dc, NUMCOLORS), -1);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1024);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 768);
  EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 271);  // 1024 px at 96 dpi
  EXPECT_EQ(GetDeviceCaps(dc, VERTSIZE), 203);
  EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_EQ(GetNearestColor(dc, RGB(1, 2, 3)), RGB(1, 2, 3));
  DeleteDC(dc);
  EXPECT_EQ(CreateDCA("PRINTER", nullptr, nullptr, nullptr), nullptr);
}

TEST(Screen, ReadsThroughTheSourceOrShowsTheDesktop) {
  HDC dc = gdi::CreateScreenDC();
  EXPECT_EQ(GetPixel(dc, 10, 10), gdi::SysColor(COLOR_BACKGROUND));
  gdi::DeleteSurfaceDC(dc);
  int calls = 0;
  gdi::SetScreenSize(64, 32);
  gdi::SetScreenSource([&calls] {
    ++calls;
    auto s = gdi::MakeSurface(64, 32);
    s->At(5, 6) = 0xABCDEF;
    return s;
  });
  dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  EXPECT_EQ(calls, 0);  // a DC that only stands for the display composes nothing
  Canvas c(4, 4);
  ASSERT_TRUE(BitBlt(c.dc, 0, 0, 4, 4, dc, 4, 5, SRCCOPY));
  EXPECT_EQ(c.surface->At(1, 1), 0xABCDEFu);
  ASSERT_TRUE(BitBlt(c.dc, 0, 0, 4, 4, dc, 4, 5, SRCCOPY));
  EXPECT_EQ(calls, 2);  // composed again at each read, so it shows the screen as it is now
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 64);
  DeleteDC(dc);
  gdi::SetScreenSource({});
  gdi::SetScreenSize(1024, 768);
}

TEST(SurfaceDc, DrawsAtItsOriginInsideTheVisibleRegion) {
  auto surface = gdi::MakeSurface(10, 10);
  HRGN vis = CreateRectRgn(2, 2, 6, 6);
  HDC dc = gdi::CreateSurfaceDC(surface, POINT{3, 3}, vis);
  DeleteObject(vis);  // the DC keeps its own copy
  RECT r{-5, -5, 20, 20};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &r, red);
  int painted = 0;
  for (std::uint32_t v : surface->storage) painted += v == 0xFF0000;
  EXPECT_EQ(painted, 16);
  EXPECT_EQ(surface->At(2, 2), 0xFF0000u);
  EXPECT_EQ(surface->At(6, 6), 0u);
  gdi::SetSurfaceDCVisible(dc, POINT{0, 0}, nullptr);
  SetPixel(dc, 9, 9, RGB(0, 0, 255));
  EXPECT_EQ(surface->At(9, 9), 0x0000FFu);
  EXPECT_FALSE(SelectObject(dc, CreateBitmap(2, 2, 1, 32, nullptr)));
  gdi::DeleteSurfaceDC(dc);
  EXPECT_FALSE(DeleteDC(dc));  // already gone, and harmless
  DeleteObject(red);
}

TEST(Handles, StaleAndForeignHandlesAreRefused) {
  HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_TRUE(DeleteObject(b));
  EXPECT_FALSE(DeleteObject(b));
  LOGBRUSH lb;
  EXPECT_EQ(GetObjectA(b, sizeof(lb), &lb), 0);
  // Slots are reused only much later, and never under the old handle.
  for (int i = 0; i < 200; ++i) DeleteObject(CreateSolidBrush(0));
  EXPECT_EQ(GetObjectType(b), 0u);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x12345})), nullptr);
  EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(b), GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_FALSE(DeleteObject(dc));  // a DC is not an object for DeleteObject
  EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));
  DeleteDC(dc);
  EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(Handles, StockObjectsSurviveDeleteObject) {
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  EXPECT_TRUE(DeleteObject(white));
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectA(white, sizeof(lb), &lb), int(sizeof(lb)));
  EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
  EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_BTNFACE)));
  EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_BTNFACE)), DWORD(OBJ_BRUSH));
  EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(Objects, GetObjectDescribesPensFontsAndPalettes) {
  HPEN pen = CreatePen(PS_DOT, 5, RGB(9, 8, 7));
  LOGPEN lp{};
  ASSERT_EQ(GetObjectA(pen, sizeof(lp), &lp), int(sizeof(lp)));
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DOT));
  EXPECT_EQ(lp.lopnWidth.x, 1);  // styled pens are one pixel
  EXPECT_EQ(GetObjectA(pen, 0, nullptr), int(sizeof(LOGPEN)));
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf), int(sizeof(lf)));
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(lf.lfHeight, -11);
  HFONT f = CreateFontA(-13, 0, 0, 0, FW_BOLD, 1, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  LOGFONTA back{};
  ASSERT_TRUE(gdi::GetFontLogFont(f, back));
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_STREQ(back.lfFaceName, "Arial");
  struct {
    WORD version, count;
    PALETTEENTRY e[2];
  } lpal{0x300, 2, {{10, 20, 30, 0}, {40, 50, 60, 0}}};
  HPALETTE pal = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lpal));
  WORD n = 0;
  EXPECT_EQ(GetObjectA(pal, sizeof(n), &n), 2);
  EXPECT_EQ(n, 2);
  Canvas c(2, 2);
  EXPECT_NE(SelectPalette(c.dc, pal, FALSE), nullptr);
  EXPECT_EQ(RealizePalette(c.dc), 0u);
  SetPixel(c.dc, 0, 0, PALETTEINDEX(1));
  EXPECT_EQ(c.At(0, 0), RGB(40, 50, 60));
  SelectPalette(c.dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  DeleteObject(pal);
  DeleteObject(f);
  DeleteObject(pen);
}

TEST(TextState, TheTextEngineSeesColoursModesAndPosition) {
  Canvas c(4, 4);
  SetTextColor(c.dc, RGB(1, 2, 3));
  SetBkMode(c.dc, TRANSPARENT);
  SetTextAlign(c.dc, TA_BASELINE);
  MoveToEx(c.dc, 3, 4, nullptr);
  gdi::TextState st{};
  ASSERT_TRUE(gdi::GetTextState(c.dc, st));
  EXPECT_EQ(st.textColor, RGB(1, 2, 3));
  EXPECT_EQ(st.bkMode, TRANSPARENT);
  EXPECT_EQ(st.textAlign, UINT(TA_BASELINE));
  EXPECT_EQ(st.currentPos.x, 3);
  EXPECT_EQ(st.font, GetStockObject(SYSTEM_FONT));
  ASSERT_TRUE(gdi::SetCurrentPos(c.dc, POINT{1, 1}));
  POINT p;
  GetCurrentPositionEx(c.dc, &p);
  EXPECT_EQ(p.y, 1);
  const std::uint8_t mask[] = {1, 0, 0, 1};
  SetViewportOrgEx(c.dc, 1, 1, nullptr);
  ASSERT_TRUE(gdi::DrawCoverageMask(c.dc, 0, 0, mask, 2, 2, 2, RGB(255, 0, 0)));
  EXPECT_EQ(c.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(c.At(2, 1), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(c.At(2, 2), RGB(255, 0, 0));
  EXPECT_FALSE(gdi::GetTextState(nullptr, st));
}
