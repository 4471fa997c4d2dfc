// Menus as data, system metrics and parameters, the region arithmetic.
#include <cstring>

#include "user/region.h"
#include "system_colours.h"
#include "user_test_support.h"

namespace user_test {
namespace {

class Menus : public UserTest {};

TEST_F(Menus, ItemsReadBackAsWritten) {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuA(file, MF_STRING, 101, "&Open"));
  ASSERT_TRUE(AppendMenuA(file, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenuA(file, MF_STRING | MF_GRAYED, 102, "E&xit"));
  ASSERT_TRUE(AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File"));
  EXPECT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetSubMenu(bar, 0), file);
  EXPECT_EQ(GetMenuItemID(file, 2), 102u);
  EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));  // a sub-menu has no command

  char buf[3];
  MENUITEMINFOA mi{sizeof mi, MIIM_TYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU};
  mi.dwTypeData = buf;
  mi.cch = sizeof buf;
  ASSERT_TRUE(GetMenuItemInfoA(file, 0, TRUE, &mi));
  EXPECT_STREQ(buf, "&O");  // truncated to the buffer
  EXPECT_EQ(mi.cch, 2u);
  EXPECT_EQ(mi.wID, 101u);
  mi.dwTypeData = nullptr;
  mi.cch = 0;
  ASSERT_TRUE(GetMenuItemInfoA(file, 1, TRUE, &mi));
  EXPECT_TRUE(mi.fType & MFT_SEPARATOR);
  // By command, searching sub-menus.
  mi.fMask = MIIM_STATE;
  ASSERT_TRUE(GetMenuItemInfoA(bar, 102, FALSE, &mi));
  EXPECT_TRUE(mi.fState & MFS_GRAYED);
  EXPECT_EQ(CheckMenuItem(bar, 101, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(bar, 101, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(EnableMenuItem(file, 102, MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(CheckMenuItem(bar, 999, MF_CHECKED), static_cast<DWORD>(-1));

  MENUITEMINFOA set{sizeof set, MIIM_STRING | MIIM_DATA};
  set.dwTypeData = const_cast<char*>("&Load");
  set.dwItemData = 55;
  ASSERT_TRUE(SetMenuItemInfoA(file, 101, FALSE, &set));
  char text[16];
  EXPECT_EQ(GetMenuStringA(file, 0, text, sizeof text, MF_BYPOSITION), 5);
  EXPECT_STREQ(text, "&Load");
  MENUITEMINFOA ins{sizeof ins, MIIM_FTYPE | MIIM_ID | MIIM_STRING};
  ins.fType = MFT_STRING;
  ins.wID = 100;
  ins.dwTypeData = const_cast<char*>("New");
  ASSERT_TRUE(InsertMenuItemA(file, 0, TRUE, &ins));
  EXPECT_EQ(GetMenuItemID(file, 0), 100u);
  EXPECT_TRUE(DeleteMenu(file, 100, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(file), 3);

  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(file));  // sub-menus go with their menu
  EXPECT_EQ(GetMenuItemCount(bar), -1);
}

class System : public UserTest {};

TEST_F(System, MetricsAndParametersOfTheClassicLook) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYMENUSIZE), 18);
  EXPECT_EQ(GetSystemMetrics(SM_CXDOUBLECLK), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  NONCLIENTMETRICSA m{};
  m.cbSize = sizeof m;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_STREQ(m.lfMenuFont.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(m.lfMenuFont.lfHeight, -11);
  EXPECT_EQ(m.iMenuHeight, GetSystemMetrics(SM_CYMENUSIZE));
  m.cbSize = 8;  // a too-small structure is refused, not overrun
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 8, &m, 0));
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.right, 1024);
  EXPECT_EQ(work.bottom, 768);
  headless::Start(800, 600);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
}

TEST_F(System, SettingChangesAreBroadcastToTopLevelWindows) {
  Top("a");
  Top("b");
  log().Watch({WM_WININICHANGE});
  BOOL v;
  SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &v, SPIF_SENDCHANGE);
  EXPECT_EQ(Take().size(), 2u);
}

TEST_F(System, SystemColourChangesReachTopLevelWindowsTheirBrushesAndThePaint) {
  HWND a = Top("a", WS_POPUP | WS_VISIBLE, {10, 10, 60, 60});
  HWND kid = Child("kid", a, {5, 5, 20, 20});
  log().Watch({WM_SYSCOLORCHANGE});
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  const COLORREF classicFace = GetSysColor(COLOR_BTNFACE);
  testsupport::ChangedSysColors changed({COLOR_BTNFACE, COLOR_BTNHIGHLIGHT}, {RGB(10, 20, 30), RGB(200, 210, 220)});
  ASSERT_TRUE(changed.ok());
  EXPECT_EQ(Take(), (std::vector<std::string>{"a:WM_SYSCOLORCHANGE"})) << "top-level windows only";
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(10, 20, 30));
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face) << "the same brush, in the new colour";
  LOGBRUSH lb{};
  GetObjectA(face, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(10, 20, 30));
  Pump();
  EXPECT_EQ(ScreenPixel(40, 40), 0x0A141Eu) << "the class background repainted in the new face colour";
  EXPECT_EQ(ScreenPixel(20, 20), 0x0A141Eu) << kid;

  const INT unknown[] = {COLOR_BTNFACE, 99};
  const COLORREF colours[] = {classicFace, classicFace};
  EXPECT_FALSE(SetSysColors(2, unknown, colours));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(10, 20, 30)) << "nothing changes";
  EXPECT_TRUE(Take().empty());
}

TEST_F(System, StandardCursorsReachTheHost) {
  HCURSOR beam = LoadCursorA(nullptr, IDC_IBEAM);
  ASSERT_NE(beam, nullptr);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_IBEAM), beam);
  EXPECT_EQ(LoadCursorA(nullptr, "CUSTOM"), nullptr);
  SetCursor(beam);
  EXPECT_EQ(headless::CurrentCursor(), backend::Cursor::IBeam);
  EXPECT_EQ(GetCursor(), beam);
  MessageBeep(MB_ICONHAND);
  EXPECT_EQ(headless::PlayedSounds().back(), "SystemHand");
}

TEST(Region, UnionSubtractAndIntersectStayDisjoint) {
  user::Region r(RECT{0, 0, 10, 10});
  r.Add(RECT{5, 5, 15, 15});
  EXPECT_EQ(r.Area(), 175);
  r.Subtract(RECT{2, 2, 8, 8});
  EXPECT_EQ(r.Area(), 175 - 36);
  EXPECT_FALSE(r.Contains(POINT{3, 3}));
  EXPECT_TRUE(r.Contains(POINT{12, 12}));
  RECT b = r.Bounds();
  EXPECT_EQ(b.right, 15);
  r.Intersect(RECT{0, 0, 5, 5});
  EXPECT_EQ(r.Area(), 25 - 9);
  r.Offset(100, 0);
  EXPECT_TRUE(r.Contains(POINT{100, 0}));
  user::Region whole(RECT{0, 0, 4, 4});
  whole.Add(RECT{0, 0, 2, 2});
  EXPECT_EQ(whole.Rects().size(), 1u);
  whole.Subtract(RECT{0, 0, 4, 4});
  EXPECT_TRUE(whole.Empty());
}

}  // namespace
}  // namespace user_test
