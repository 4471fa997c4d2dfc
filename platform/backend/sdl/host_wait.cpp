#include "host_wait.h"

#include <SDL2/SDL_syswm.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace sdl {

HostWait::HostWait() {
  wakeEvent_ = SDL_RegisterEvents(1);
  wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

HostWait::~HostWait() {
  if (wakeFd_ >= 0) close(wakeFd_);
}

void HostWait::Attach(SDL_Window* w) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (!w || hostFd_.load() >= 0 || wakeFd_ < 0) return;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(w, &info) && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display)
    hostFd_ = ConnectionNumber(info.info.x11.display);
#else
  (void)w;
#endif
}

void HostWait::Wait(int timeoutMs) {
  int fd = hostFd_.load();
  if (fd < 0) {
    if (timeoutMs < 0)
      SDL_WaitEvent(nullptr);
    else
      SDL_WaitEventTimeout(nullptr, timeoutMs);
    return;
  }
  // What the connection has already read is in SDL's queue after a pump;
  // only then is sleeping on the descriptor safe.
  SDL_PumpEvents();
  if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
  pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
  poll(fds, 2, timeoutMs < 0 ? -1 : timeoutMs);
  std::uint64_t count = 0;
  while (read(wakeFd_, &count, sizeof count) > 0) {
  }
}

void HostWait::Wake() {
  // The event keeps SDL's own wait working; the eventfd ends a poll. SDL
  // sends no X event for the push while nobody sits in SDL_WaitEvent.
  SDL_Event ev{};
  ev.type = wakeEvent_;
  SDL_PushEvent(&ev);
  if (wakeFd_ >= 0) {
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(wakeFd_, &one, sizeof one);
  }
}

}  // namespace sdl
