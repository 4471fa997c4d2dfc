// ShellExecuteA, the task bar position and sndPlaySoundA through the backend.
#include <gtest/gtest.h>

#include <backend/headless.h>
#include <win32/shell32.h>
#include <win32/winmm.h>

#include "fake_host.h"

namespace {

INT_PTR Code(HINSTANCE h) { return reinterpret_cast<INT_PTR>(h); }

TEST(ShellExecute, OpensAddressesWithTheDefaultVerbOrOpen) {
  headless::Start();
  EXPECT_GT(Code(ShellExecuteA(nullptr, nullptr, "http://www.example.org/", nullptr, nullptr, 4)), 32);
  EXPECT_GT(Code(ShellExecuteA(nullptr, "open", "mailto:someone@example.org", nullptr, nullptr, 1)), 32);
  EXPECT_EQ(headless::OpenedUrls(),
            (std::vector<std::string>{"http://www.example.org/", "mailto:someone@example.org"}));
}

TEST(ShellExecute, RefusesUnknownVerbsAndEmptyNames) {
  headless::Start();
  EXPECT_EQ(Code(ShellExecuteA(nullptr, "print", "http://x/", nullptr, nullptr, 1)), SE_ERR_NOASSOC);
  EXPECT_EQ(Code(ShellExecuteA(nullptr, nullptr, "", nullptr, nullptr, 1)), SE_ERR_FNF);
  EXPECT_EQ(Code(ShellExecuteA(nullptr, nullptr, nullptr, nullptr, nullptr, 1)), SE_ERR_FNF);
  EXPECT_TRUE(headless::OpenedUrls().empty());
}

TEST(ShellExecute, AHostThatCannotOpenIsAFailure) {
  auto* host = FakeHost::Install();
  host->openSucceeds = false;
  EXPECT_LE(Code(ShellExecuteA(nullptr, nullptr, "http://x/", nullptr, nullptr, 1)), 32);
}

struct BarCase {
  backend::Rect work;
  UINT edge;
  RECT rc;
};

TEST(AppBar, TaskBarIsTheStripOutsideTheWorkArea) {
  const BarCase cases[] = {
      {{0, 0, 1024, 728}, ABE_BOTTOM, {0, 728, 1024, 768}},
      {{0, 30, 1024, 738}, ABE_TOP, {0, 0, 1024, 30}},
      {{60, 0, 964, 768}, ABE_LEFT, {0, 0, 60, 768}},
      {{0, 0, 980, 768}, ABE_RIGHT, {980, 0, 1024, 768}},
      {{0, 24, 1024, 704}, ABE_BOTTOM, {0, 728, 1024, 768}},  // two panels: the wider one
      {{0, 0, 1024, 768}, ABE_BOTTOM, {0, 768, 1024, 768}},   // none: an empty strip
  };
  for (const BarCase& c : cases) {
    auto* host = FakeHost::Install();
    host->work = c.work;
    APPBARDATA d{sizeof(APPBARDATA)};
    ASSERT_TRUE(SHAppBarMessage(ABM_GETTASKBARPOS, &d));
    EXPECT_EQ(d.uEdge, c.edge) << c.work.y;
    EXPECT_EQ(d.rc.left, c.rc.left);
    EXPECT_EQ(d.rc.top, c.rc.top);
    EXPECT_EQ(d.rc.right, c.rc.right);
    EXPECT_EQ(d.rc.bottom, c.rc.bottom);
  }
  EXPECT_FALSE(SHAppBarMessage(ABM_GETTASKBARPOS, nullptr));
}

TEST(Sound, NamedSoundsGoToTheHostAndAnEmptyNameStops) {
  headless::Start();
  EXPECT_TRUE(sndPlaySoundA("MenuPopup", SND_ASYNC | SND_NODEFAULT));
  EXPECT_TRUE(sndPlaySoundA("MenuCommand", SND_ASYNC | SND_NODEFAULT | SND_NOSTOP));
  EXPECT_TRUE(sndPlaySoundA(nullptr, SND_ASYNC));
  EXPECT_TRUE(sndPlaySoundA("", SND_SYNC));
  EXPECT_FALSE(sndPlaySoundA("RIFF....WAVE", SND_MEMORY));
  EXPECT_EQ(headless::PlayedSounds(), (std::vector<std::string>{"MenuPopup", "MenuCommand", "", ""}));
}

}  // namespace
