#include "controls_test_support.h"

namespace controls_test {
namespace {

class TipTest : public ControlTest {
 protected:
  HWND tip = nullptr;
  HWND target = nullptr;
  void SetUp() override {
    ControlTest::SetUp();
    target = Make("STATIC", "", SS_NOTIFY, {0, 0, 400, 300}, 3);
    tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, parent, nullptr,
                          nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    TOOLINFOA ti{sizeof ti};
    ti.hwnd = target;
    ti.uId = 1;
    ti.rect = {10, 10, 60, 40};
    ti.lpszText = const_cast<LPSTR>("Play the mission");
    ASSERT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
  }
  void TearDown() override {
    DestroyWindow(tip);
    ControlTest::TearDown();
  }
  void Move(int x, int y) {
    MSG m{target, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)};
    SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
  }
  void Wait(int ms) {
    headless::AdvanceTime(ms);
    Pump();
  }
};

TEST_F(TipTest, ShowsAfterTheDelayOverTheToolAndHidesOnLeaving) {
  Move(20, 20);
  Wait(200);
  EXPECT_FALSE(IsWindowVisible(tip));
  Wait(400);
  ASSERT_TRUE(IsWindowVisible(tip));
  char buf[64] = {};
  GetWindowTextA(tip, buf, sizeof buf);
  EXPECT_STREQ(buf, "Play the mission");
  EXPECT_EQ(Pixel(tip, 2, 2), RGB(255, 255, 225));  // info background
  Save(tip, "tooltip");
  Move(25, 22);  // still on the same tool: stays
  EXPECT_TRUE(IsWindowVisible(tip));
  Move(100, 100);
  EXPECT_FALSE(IsWindowVisible(tip));
  Wait(1000);
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(TipTest, PopActivateMovedRectAndDelete) {
  Move(20, 20);
  Wait(600);
  SendMessageA(tip, TTM_POP, 0, 0);
  EXPECT_FALSE(IsWindowVisible(tip));
  SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
  Move(100, 100);
  Move(20, 20);
  Wait(600);
  EXPECT_FALSE(IsWindowVisible(tip));
  SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
  TOOLINFOA ti{sizeof ti};
  ti.hwnd = target;
  ti.uId = 1;
  ti.rect = {200, 200, 250, 250};
  SendMessageA(tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
  Move(100, 100);
  Move(20, 20);
  Wait(600);
  EXPECT_FALSE(IsWindowVisible(tip));
  Move(210, 210);
  Wait(600);
  EXPECT_TRUE(IsWindowVisible(tip));
  SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_FALSE(IsWindowVisible(tip));
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

}  // namespace
}  // namespace controls_test
