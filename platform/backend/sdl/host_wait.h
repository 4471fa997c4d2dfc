// The user-interface thread's wait for host input, and its wake from any
// thread.
//
// On X11 the wait polls the X connection and an eventfd of our own instead
// of calling SDL_WaitEvent: SDL wakes its own wait by sending an X event to
// one of the program's windows over a second connection, and when that
// window is destroyed meanwhile (a dialog closing while a timer thread
// wakes the loop) the server answers BadWindow, which ends the process.
// Elsewhere (Wayland, or before the first window exists) SDL's wait is used.
#pragma once

#include <SDL2/SDL.h>

#include <atomic>

namespace sdl {

class HostWait {
 public:
  HostWait();
  ~HostWait();
  HostWait(const HostWait&) = delete;
  HostWait& operator=(const HostWait&) = delete;

  // A window of the program exists: on X11 its connection is what to poll.
  void Attach(SDL_Window* w);
  // Returns when host input is there, Wake was called, or after timeoutMs
  // (a negative timeout waits without end). User-interface thread only.
  void Wait(int timeoutMs);
  // Any thread.
  void Wake();
  // The SDL event type that Wake pushes; callers drop it.
  Uint32 WakeEvent() const { return wakeEvent_; }

 private:
  Uint32 wakeEvent_ = 0;
  int wakeFd_ = -1;
  std::atomic<int> hostFd_{-1};
};

}  // namespace sdl
