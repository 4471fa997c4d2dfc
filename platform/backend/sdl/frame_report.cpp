#include "frame_report.h"

#include <cstdio>
#include <cstdlib>

#include <backend/sdl.h>

namespace sdl {

FrameReport::FrameReport() {
  const char* v = std::getenv("XVT_REPORT_FRAMES");
  on_ = v && *v;
}

void FrameReport::Show(backend::SurfaceId id, bool show) {
  if (!on_) return;
  if (!show) {
    shown_.erase(id), waiting_.erase(id), exposed_.erase(id);
    return;
  }
  if (shown_.insert(id).second) waiting_.insert(id);
}

void FrameReport::Exposed(backend::SurfaceId id) {
  if (on_ && waiting_.count(id)) exposed_.insert(id);
}

void FrameReport::Presented(backend::SurfaceId id, const std::string& title) {
  if (!on_ || !exposed_.count(id)) return;
  waiting_.erase(id), exposed_.erase(id);
  std::fprintf(stderr, "xvt: frame shown \"%s\"\n", Cp1252ToUtf8(title).c_str());
  std::fflush(stderr);
}

void FrameReport::Forget(backend::SurfaceId id) { shown_.erase(id), waiting_.erase(id), exposed_.erase(id); }

}  // namespace sdl
