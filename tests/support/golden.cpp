#include "golden.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace testsupport {

bool UpdatingGoldens() {
  const char* update = std::getenv("XVT_UPDATE_GOLDEN");
  return update && std::string(update) == "1";
}

std::string GoldenPath(const std::string& underTests) { return std::string(XVT_SOURCE_DIR) + "/tests/" + underTests; }

::testing::AssertionResult MatchesGolden(const Image& actual, const std::string& goldenPath) {
  namespace fs = std::filesystem;
  if (UpdatingGoldens()) {
    fs::create_directories(fs::path(goldenPath).parent_path());
    if (!WritePng(goldenPath, actual)) return ::testing::AssertionFailure() << "cannot write " << goldenPath;
    return ::testing::AssertionSuccess() << "rewrote " << goldenPath;
  }
  Image want;
  if (!ReadPng(goldenPath, want)) return ::testing::AssertionFailure() << "cannot read " << goldenPath;
  std::ostringstream why;
  if (want.width != actual.width || want.height != actual.height) {
    why << "size " << actual.width << "x" << actual.height << ", golden " << want.width << "x" << want.height;
  } else {
    int differ = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < want.height; ++y)
      for (int x = 0; x < want.width; ++x)
        if (want.At(x, y) != actual.At(x, y) && differ++ == 0) firstX = x, firstY = y;
    if (differ == 0) return ::testing::AssertionSuccess();
    why << differ << " pixels differ, the first at (" << firstX << "," << firstY << "): " << std::hex
        << actual.At(firstX, firstY) << " instead of " << want.At(firstX, firstY) << std::dec;
  }
  const std::string saved = (fs::current_path() / (fs::path(goldenPath).stem().string() + ".actual.png")).string();
  WritePng(saved, actual);
  return ::testing::AssertionFailure() << why.str() << "; golden " << goldenPath << ", actual written to " << saved
                                       << " (XVT_UPDATE_GOLDEN=1 rewrites the golden)";
}

}  // namespace testsupport
