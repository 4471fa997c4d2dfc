// The scene script: one command per line, '#' starts a comment. Parsing is
// separate from running so that a bad script fails before the program
// starts, with the line number.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace scene {

enum CommandKind { ckPrefix, ckStart, ckMove, ckClick, ckDblClick, ckRClick, ckDown, ckUp, ckKey, ckType,
                   ckWait, ckShot, ckDump, ckFile, ckClock };

// A key with the modifiers held around it, as Windows virtual-key codes.
struct KeyChord {
  std::vector<unsigned> modifiers;  // pressed in order, released in reverse
  unsigned vk = 0;
};

struct Command {
  CommandKind kind = ckStart;
  int line = 0;
  int x = 0, y = 0;   // move, click, dblclick, rclick, down, up
  int ms = 0;         // wait
  std::string text;   // prefix DIR, type TEXT, shot/dump FILE, file WINPATH
  std::string file;   // file ... FILE
  KeyChord key;
  double when = 0;    // clock: the local date and time as a TDateTime
};

class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& what) : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

// A letter or digit, Return, Escape, Tab, Space, Up, Down, Left, Right,
// Home, End, F1..F12, Delete, Back, with Alt, Shift or Ctrl joined by '+';
// or Alt, Shift or Ctrl alone, pressed and released by itself.
// Throws std::invalid_argument for a name it does not know.
KeyChord ParseKey(std::string_view name);

// Comments: a line whose first non-blank is '#', and for every command but
// `type` a '#' after a blank ends the line. `type` keeps the rest of its
// line exactly, blanks and '#' included.
std::vector<Command> ParseScript(std::string_view text);

}  // namespace scene
