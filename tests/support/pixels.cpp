#include "pixels.h"

#include <algorithm>

namespace testsupport {

int CountOf(const Image& image, std::uint32_t rgb) {
  return static_cast<int>(std::count(image.pixels.begin(), image.pixels.end(), rgb));
}

Area BoundsOf(const Image& image, std::uint32_t rgb) {
  Area box{image.width, image.height, 0, 0};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y) == rgb) {
        box.left = std::min(box.left, x), box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1), box.bottom = std::max(box.bottom, y + 1);
      }
  if (box.right == 0) return Area{0, 0, 0, 0};
  return box;
}

::testing::AssertionResult UnchangedOutside(const Image& before, const Image& after, const Area& changed) {
  if (before.width != after.width || before.height != after.height)
    return ::testing::AssertionFailure() << "the pictures differ in size";
  int outside = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < after.height; ++y)
    for (int x = 0; x < after.width; ++x)
      if (!changed.Contains(x, y) && before.At(x, y) != after.At(x, y) && outside++ == 0) firstX = x, firstY = y;
  if (outside == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << outside << " pixels changed outside (" << changed.left << "," << changed.top
                                       << ")-(" << changed.right << "," << changed.bottom << "), the first at ("
                                       << firstX << "," << firstY << ")";
}

}  // namespace testsupport
