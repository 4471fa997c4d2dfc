// Questions about the pixels of a test picture.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "image.h"

namespace testsupport {

// A rectangle of pixels, right and bottom exclusive.
struct Area {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

int CountOf(const Image& image, std::uint32_t rgb);
// The smallest area holding every pixel of colour `rgb`; empty when none.
Area BoundsOf(const Image& image, std::uint32_t rgb);
// Every pixel outside `changed` is as it was in `before`: drawing stayed
// inside its rectangle.
::testing::AssertionResult UnchangedOutside(const Image& before, const Image& after, const Area& changed);

}  // namespace testsupport
