// A headless window's picture as a test image.
#pragma once

#include <backend/headless.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "image.h"

namespace testsupport {

// The window as the headless screen shows it; an empty image when it has
// no picture.
inline Image ShotOf(HWND hwnd) {
  const std::filesystem::path file =
      std::filesystem::current_path() / ("shot_" + std::to_string(::getpid()) + ".png");
  Image image;
  if (headless::SaveWindow(hwnd, file.string())) ReadPng(file.string(), image);
  std::filesystem::remove(file);
  return image;
}

}  // namespace testsupport
