#include "host_report.h"

#include <cstdio>
#include <cstdlib>

#include <backend/sdl.h>

namespace sdl {
namespace {

void Say(const char* what, const std::string& title) {
  std::fprintf(stderr, "xvt: %s \"%s\"\n", what, Cp1252ToUtf8(title).c_str());
  std::fflush(stderr);
}

}  // namespace

HostReport::HostReport() {
  const char* v = std::getenv("XVT_REPORT_HOST");
  on_ = v && *v;
}

void HostReport::Show(backend::SurfaceId id, bool show) {
  if (!on_) return;
  if (!show) return Forget(id);
  if (shown_.insert(id).second) waiting_.insert(id);
}

void HostReport::Exposed(backend::SurfaceId id) {
  if (on_ && waiting_.count(id)) exposed_.insert(id);
}

void HostReport::Presented(backend::SurfaceId id, const std::string& title) {
  if (!on_ || !exposed_.count(id)) return;
  waiting_.erase(id), exposed_.erase(id);
  Say("frame shown", title);
}

void HostReport::Focus(bool gained, const std::string& title) {
  if (on_) Say(gained ? "focus gained" : "focus lost", title);
}

void HostReport::Forget(backend::SurfaceId id) { shown_.erase(id), waiting_.erase(id), exposed_.erase(id); }

}  // namespace sdl
