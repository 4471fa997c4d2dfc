#include "host_services.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include <backend/sdl.h>

extern char** environ;

namespace sdl {
namespace {

std::string FindInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string p = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= p.size()) {
    std::size_t end = p.find(':', start);
    if (end == std::string::npos) end = p.size();
    std::string candidate = p.substr(start, end - start) + "/" + name;
    if (end > start && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

bool Exists(const std::string& file) {
  struct stat st;
  return ::stat(file.c_str(), &st) == 0;
}

}  // namespace

std::string FreedesktopSound(const std::string& e) {
  struct Pair {
    const char* windows;
    const char* freedesktop;
  };
  static const Pair kSounds[] = {
      {"MenuPopup", "menu-popup"},          {"MenuCommand", "menu-click"},
      {"SystemAsterisk", "dialog-information"}, {"SystemExclamation", "dialog-warning"},
      {"SystemHand", "dialog-error"},       {"SystemQuestion", "dialog-question"},
      {"SystemDefault", "bell"},            {".Default", "bell"},
  };
  for (const Pair& p : kSounds)
    if (e == p.windows) return p.freedesktop;
  return {};
}

std::vector<std::string> OpenUrlCommand(const std::string& url) {
  // A leading '-' would be read by the handler as an option, and control
  // characters have no place in an address.
  if (url.empty() || url[0] == '-') return {};
  for (char c : url)
    if (static_cast<unsigned char>(c) < 0x20) return {};
  return {"xdg-open", url};
}

int Spawn(const std::vector<std::string>& argv) {
  if (argv.empty()) return -1;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  std::thread([pid] {
    int status = 0;
    ::waitpid(pid, &status, 0);
  }).detach();
  return static_cast<int>(pid);
}

SoundPlayer::SoundPlayer() : canberra_(FindInPath("canberra-gtk-play")), paplay_(FindInPath("paplay")) {}

void SoundPlayer::Play(const std::string& windowsEvent) {
  if (current_ > 0) ::kill(current_, SIGTERM);  // the reaper collects it
  current_ = -1;
  std::string name = FreedesktopSound(windowsEvent);
  if (name.empty()) return;
  if (!canberra_.empty()) {
    current_ = Spawn({canberra_, "-i", name});
    return;
  }
  std::string file = "/usr/share/sounds/freedesktop/stereo/" + name + ".oga";
  if (!paplay_.empty() && Exists(file)) current_ = Spawn({paplay_, file});
}

}  // namespace sdl
