// A line on standard error when a shown window's first frame has reached the
// screen, so that a test driving the program in a real X server waits for
// exactly that instead of for a guessed time. On only when XVT_REPORT_FRAMES
// is set in the environment.
#pragma once

#include <set>
#include <string>

#include <backend/backend.h>

namespace sdl {

class FrameReport {
 public:
  FrameReport();
  // Every show of the window as the layer asks for it; only the change from
  // hidden to shown starts a wait for a frame.
  void Show(backend::SurfaceId id, bool show);
  // The host says the window is on the screen: a frame drawn before this
  // would have been lost.
  void Exposed(backend::SurfaceId id);
  // A frame presented; `title` is the window's caption in Windows-1252.
  void Presented(backend::SurfaceId id, const std::string& title);
  void Forget(backend::SurfaceId id);

 private:
  bool on_ = false;
  std::set<backend::SurfaceId> shown_, waiting_, exposed_;
};

}  // namespace sdl
