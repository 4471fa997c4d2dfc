// Programs the SDL backend starts on the host: the URL handler and a sound
// player, each started directly (never through a shell).
#pragma once

#include <string>
#include <vector>

namespace sdl {

// Starts `argv` (looked up in PATH) and reaps it when it ends; answers the
// process id, or -1 when it could not be started.
int Spawn(const std::vector<std::string>& argv);

// Plays freedesktop sound names with canberra-gtk-play or paplay, whichever
// exists; silent without either. Play("") stops the sound that plays.
class SoundPlayer {
 public:
  SoundPlayer();
  void Play(const std::string& windowsEvent);

 private:
  std::string canberra_, paplay_;
  int current_ = -1;
};

}  // namespace sdl
