#include "framework/status_panels.h"

#include <gtest/gtest.h>

#include <string>

#include "message_log.h"
#include "window_fixture.h"

namespace stdctrls_test {
namespace {

using namespace testsupport;  // the sequence flags

MessageLog barLog;
WNDPROC barProc = nullptr;

LRESULT CALLBACK LoggingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  barLog.Add(h, msg, wp, lp);
  return CallWindowProcA(barProc, h, msg, wp, lp);
}

class StatusPanelsTest : public WindowTest {
 protected:
  HWND Bar() {
    HWND bar = Child(STATUSCLASSNAMEA, CCS_TOP | CCS_NOPARENTALIGN | CCS_NORESIZE);
    SetWindowPos(bar, nullptr, 0, 0, 734, 19, SWP_NOZORDER | SWP_NOMOVE);
    barProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LoggingProc)));
    barLog.Reset();
    barLog.Watch({SB_SETTEXTA});
    return bar;
  }
  static std::string Text(HWND bar, int part, LRESULT* info = nullptr) {
    char buffer[256] = {};
    LRESULT r = SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer));
    if (info) *info = r;
    return buffer;
  }
  static RECT Part(HWND bar, int part) {
    RECT r{};
    SendMessageA(bar, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

TEST_F(StatusPanelsTest, PartsEndAtTheSumOfWidthsAndTheLastReachesTheRightEdge) {
  HWND bar = Bar();
  TStatusPanels panels;
  panels.Add()->SetWidth(300);
  panels.Add()->SetWidth(275);
  panels.AttachWindow(bar);
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 0, 0), 2);
  int rights[2] = {};
  SendMessageA(bar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(rights));
  EXPECT_EQ(rights[0], 300);
  EXPECT_EQ(rights[1], -1);
  RECT client;
  GetClientRect(bar, &client);
  EXPECT_GE(Part(bar, 1).left, 300);
  EXPECT_EQ(Part(bar, 1).right, client.right);
  // A width change moves the part edges at once.
  panels[0]->SetWidth(100);
  SendMessageA(bar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(rights));
  EXPECT_EQ(rights[0], 100);
}

TEST_F(StatusPanelsTest, TextsCarryAlignmentTabsAndBevelFlags) {
  HWND bar = Bar();
  TStatusPanels panels;
  for (int i = 0; i < 3; ++i) panels.Add()->SetWidth(100);
  panels.AttachWindow(bar);
  panels[0]->SetText("Done.");
  panels[1]->SetAlignment(taRightJustify);
  panels[1]->SetText("right");
  panels[2]->SetAlignment(taCenter);
  panels[2]->SetBevel(pbRaised);
  panels[2]->SetText("mid");
  EXPECT_EQ(Text(bar, 0), "Done.");
  EXPECT_EQ(Text(bar, 1), "\t\tright");
  LRESULT info = 0;
  EXPECT_EQ(Text(bar, 2, &info), "\tmid");
  EXPECT_EQ(HIWORD(info), SBT_POPOUT);
  panels[0]->SetBevel(pbNone);
  Text(bar, 0, &info);
  EXPECT_EQ(HIWORD(info), SBT_NOBORDERS);
}

TEST_F(StatusPanelsTest, AnEqualTextIsNotSentAgain) {
  HWND bar = Bar();
  TStatusPanels panels;
  panels.Add()->SetWidth(300);
  panels.AttachWindow(bar);
  barLog.Clear();
  panels[0]->SetText("Adding Missions...");
  panels[0]->SetText("Adding Missions...");
  panels[0]->SetText("Done.");
  const ExpectedMessage kOncePerChange[] = {{SB_SETTEXTA, sent | wparam, 0}, {SB_SETTEXTA, sent | wparam, 0}};
  EXPECT_TRUE(OkSequence(barLog.Take(), kOncePerChange));
}

TEST_F(StatusPanelsTest, NoPanelsGiveOneEmptyPartAndPanelsBeforeTheWindowAreWrittenLater) {
  HWND bar = Bar();
  TStatusPanels panels;
  panels.AttachWindow(bar);
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 0, 0), 1);
  EXPECT_EQ(Text(bar, 0), "");
  panels.DetachWindow();
  panels.Add()->SetText("a");
  panels.Add()->SetText("b");
  panels.AttachWindow(bar);
  EXPECT_EQ(Text(bar, 0), "a");
  EXPECT_EQ(Text(bar, 1), "b");
  panels.Delete(0);
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 0, 0), 1);
  EXPECT_EQ(Text(bar, 0), "b");
}

}  // namespace
}  // namespace stdctrls_test
