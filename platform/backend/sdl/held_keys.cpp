#include "held_keys.h"

namespace sdl {

bool HeldKeys::Press(int scanCode, bool repeat) {
  if (repeat) return true;
  return down_.insert(scanCode).second;
}

bool HeldKeys::Release(int scanCode, bool forcedFocusLossFollows) {
  if (forcedFocusLossFollows && Down(scanCode)) return false;
  down_.erase(scanCode);
  return true;
}

std::vector<int> HeldKeys::LetGoMeanwhile(const std::function<bool(int)>& isDown, const std::set<int>& queuedKeys) {
  std::vector<int> gone;
  for (int key : down_)
    if (!isDown(key) && !queuedKeys.count(key)) gone.push_back(key);
  for (int key : gone) down_.erase(key);
  return gone;
}

}  // namespace sdl
