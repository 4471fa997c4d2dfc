// Lines on standard error that tell a test driving the program in a real X
// server what reached the screen and what the program has seen, so that it
// waits for exactly that instead of for a guessed time:
//   xvt: frame shown "TITLE"   a shown window's first frame is on the screen
//   xvt: focus gained "TITLE"  the program has the keyboard focus there
//   xvt: focus lost "TITLE"
// On only when XVT_REPORT_HOST is set in the environment.
#pragma once

#include <set>
#include <string>

#include <backend/backend.h>

namespace sdl {

class HostReport {
 public:
  HostReport();
  // Every show of the window as the layer asks for it; only the change from
  // hidden to shown starts a wait for a frame.
  void Show(backend::SurfaceId id, bool show);
  // The host says the window is on the screen: a frame drawn before this
  // would have been lost.
  void Exposed(backend::SurfaceId id);
  // Titles are the windows' captions in Windows-1252.
  void Presented(backend::SurfaceId id, const std::string& title);
  void Focus(bool gained, const std::string& title);
  void Forget(backend::SurfaceId id);

 private:
  bool on_ = false;
  std::set<backend::SurfaceId> shown_, waiting_, exposed_;
};

}  // namespace sdl
