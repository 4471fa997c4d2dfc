// The keys the program has been told are down, kept apart from SDL's own
// keyboard state.
//
// Without a window manager SDL hands the focus to every window it maps, a
// drop-down that never takes activation included, and the backend gives it
// straight back. On each half of that round trip SDL's X11 driver "resets"
// the keyboard (a release for every key held when a window loses the focus)
// and then "reconciles" it (a press for every modifier still held when a
// window gains it). Those are no key strokes of the user's: the program
// would see Alt let go and pressed again twice while the user holds it once,
// and the second press closes the menu that Alt+letter has just opened.
// HeldKeys drops them: a release that a swallowed focus loss follows, and a
// press of a key that is already down. A key that was really let go during
// the round trip is released once the owner has the focus back.
#pragma once

#include <functional>
#include <set>
#include <vector>

namespace sdl {

class HeldKeys {
 public:
  // A key went down (repeat: held long enough to repeat). False: a press of
  // a key already down, which is not reported.
  bool Press(int scanCode, bool repeat);
  // A key went up. forcedFocusLossFollows: the next event that is no key
  // release is a focus loss of the round trip, so this release is SDL's
  // reset. False: not reported; the key stays down for the program.
  bool Release(int scanCode, bool forcedFocusLossFollows);
  // The owner has the focus back: the keys still down for the program that
  // the host says are up now (isDown) were let go meanwhile. They are
  // forgotten here and returned, to be reported as releases. The host's
  // state runs ahead of its queue: a key with events still queued
  // (queuedKeys: the owner's reconciling press, the user's real release
  // behind it) is left to them, or the program would see it released and
  // then pressed again.
  std::vector<int> LetGoMeanwhile(const std::function<bool(int)>& isDown, const std::set<int>& queuedKeys = {});
  bool Down(int scanCode) const { return down_.count(scanCode) != 0; }

 private:
  std::set<int> down_;
};

}  // namespace sdl
