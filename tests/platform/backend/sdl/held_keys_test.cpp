#include "held_keys.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int kAlt = 226, kF = 9;

// Alt+F held while the focus goes to a drop-down and back: SDL releases Alt
// when the main window loses the focus, presses it again when the
// drop-down gains it, releases it when the drop-down loses it and presses
// it when the main window has it back. The program sees one Alt press.
TEST(SdlHeldKeys, AFocusRoundTripNeitherReleasesNorPressesAHeldKey) {
  sdl::HeldKeys keys;
  EXPECT_TRUE(keys.Press(kAlt, false));
  EXPECT_TRUE(keys.Press(kF, false));
  EXPECT_TRUE(keys.Release(kF, false));
  EXPECT_FALSE(keys.Release(kAlt, true));  // reset as the main window loses the focus
  EXPECT_FALSE(keys.Press(kAlt, false));   // reconciled as the drop-down gains it
  EXPECT_FALSE(keys.Release(kAlt, true));  // reset as the drop-down loses it
  EXPECT_TRUE(keys.LetGoMeanwhile([](int k) { return k == kAlt; }).empty());
  EXPECT_FALSE(keys.Press(kAlt, false));   // reconciled as the main window has it back
  EXPECT_TRUE(keys.Down(kAlt));
  EXPECT_TRUE(keys.Release(kAlt, false));  // the user lets go
  EXPECT_FALSE(keys.Down(kAlt));
  EXPECT_TRUE(keys.Press(kAlt, false));    // and presses it again: a press of its own
}

TEST(SdlHeldKeys, AKeyLetGoDuringTheRoundTripIsReleasedOnceAfterIt) {
  sdl::HeldKeys keys;
  keys.Press(kAlt, false);
  keys.Press(kF, false);
  EXPECT_FALSE(keys.Release(kAlt, true));
  EXPECT_FALSE(keys.Release(kF, true));
  // The host says F is still down and Alt is not: Alt alone was let go.
  EXPECT_EQ(keys.LetGoMeanwhile([](int k) { return k == kF; }), std::vector<int>{kAlt});
  EXPECT_FALSE(keys.Down(kAlt));
  EXPECT_TRUE(keys.Down(kF));
  EXPECT_TRUE(keys.LetGoMeanwhile([](int) { return false; }) == std::vector<int>{kF});
  EXPECT_TRUE(keys.LetGoMeanwhile([](int) { return false; }).empty());
}

// The main window has the focus back while its reconciling press of Alt
// and the user's release of it still wait in the queue; SDL's state, which
// counts them already, says Alt is up. Alt is left to those events: the
// press is dropped as a repeat of the held key, the release passes once.
// F, let go during the trip with nothing queued, is released here.
TEST(SdlHeldKeys, AKeyWithEventsStillQueuedIsLeftToThem) {
  sdl::HeldKeys keys;
  keys.Press(kAlt, false);
  keys.Press(kF, false);
  EXPECT_FALSE(keys.Release(kF, true));
  EXPECT_FALSE(keys.Release(kAlt, true));
  EXPECT_EQ(keys.LetGoMeanwhile([](int) { return false; }, {kAlt}), std::vector<int>{kF});
  EXPECT_FALSE(keys.Press(kAlt, false));  // the queued reconciling press
  EXPECT_TRUE(keys.Release(kAlt, false));  // the user's release
  EXPECT_FALSE(keys.Down(kAlt));
}

TEST(SdlHeldKeys, OrdinaryStrokesRepeatsAndRealFocusLossesPassThrough) {
  sdl::HeldKeys keys;
  EXPECT_TRUE(keys.Press(kF, false));
  EXPECT_TRUE(keys.Press(kF, true));  // auto-repeat
  EXPECT_TRUE(keys.Press(kF, true));
  EXPECT_TRUE(keys.Release(kF, false));
  // A key the program never saw go down is released as it comes, as is
  // every key when the focus really goes to another program.
  EXPECT_TRUE(keys.Release(kAlt, true));
  keys.Press(kAlt, false);
  EXPECT_TRUE(keys.Release(kAlt, false));
  EXPECT_FALSE(keys.Down(kAlt));
}

}  // namespace
