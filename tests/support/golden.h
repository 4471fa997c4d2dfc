// Comparing a picture with the golden PNG kept beside its test. With
// XVT_UPDATE_GOLDEN=1 in the environment the golden is rewritten from the
// picture instead, after a deliberate change.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "image.h"

namespace testsupport {

bool UpdatingGoldens();

// The golden's path from its place under the source tree's tests/, e.g.
// "framework/controls/golden/panels.png".
std::string GoldenPath(const std::string& underTests);

// Pixel for pixel. On a difference the picture is written to the working
// folder as <name>.actual.png and the message says how many pixels differ
// and where the first one is.
::testing::AssertionResult MatchesGolden(const Image& actual, const std::string& goldenPath);

}  // namespace testsupport
