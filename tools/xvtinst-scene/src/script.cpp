#include "script.h"

#include <charconv>
#include <map>

#include "framework/datetime.h"
#include "win32/windows.h"

namespace scene {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string_view StripComment(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '#' && (i == 0 || s[i - 1] == ' ' || s[i - 1] == '\t')) return Trim(s.substr(0, i));
  return s;
}

unsigned NamedKey(std::string_view name) {
  static const std::map<std::string_view, unsigned> names{
      {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},   {"Space", VK_SPACE},
      {"Up", VK_UP},         {"Down", VK_DOWN},     {"Left", VK_LEFT}, {"Right", VK_RIGHT},
      {"Home", VK_HOME},     {"End", VK_END},       {"Delete", VK_DELETE}, {"Back", VK_BACK},
  };
  if (auto it = names.find(name); it != names.end()) return it->second;
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
  }
  if (name.size() >= 2 && name[0] == 'F') {
    int n = 0;
    auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), n);
    if (ec == std::errc() && end == name.data() + name.size() && n >= 1 && n <= 12)
      return VK_F1 + static_cast<unsigned>(n - 1);
  }
  throw std::invalid_argument("unknown key '" + std::string(name) + "'");
}

// VK_MENU, VK_SHIFT or VK_CONTROL for "Alt", "Shift" and "Ctrl", else 0.
unsigned ModifierKey(std::string_view name) {
  if (name == "Alt") return VK_MENU;
  if (name == "Shift") return VK_SHIFT;
  if (name == "Ctrl") return VK_CONTROL;
  return 0;
}

int Number(std::string_view word, int line) {
  int v = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
  if (ec != std::errc() || end != word.data() + word.size() || word.empty())
    throw ScriptError(line, "'" + std::string(word) + "' is not a number");
  return v;
}

// "YYYY-MM-DD" and "HH:MM:SS" as a TDateTime.
double DateAndTime(std::string_view date, std::string_view time, int line) {
  auto parts = [&](std::string_view s, char sep, std::size_t count) {
    std::vector<int> out;
    for (std::size_t at = 0; out.size() < count; ++at) {
      const std::size_t end = out.size() + 1 == count ? s.size() : s.find(sep, at);
      if (end == std::string_view::npos) break;
      out.push_back(Number(s.substr(at, end - at), line));
      at = end;
    }
    if (out.size() != count) throw ScriptError(line, "clock takes YYYY-MM-DD HH:MM:SS");
    return out;
  };
  const std::vector<int> d = parts(date, '-', 3), t = parts(time, ':', 3);
  TDateTime day = 0, clock = 0;
  auto u16 = [](int v) { return static_cast<std::uint16_t>(v < 0 || v > 65535 ? 65535 : v); };
  if (!TryEncodeDate(u16(d[0]), u16(d[1]), u16(d[2]), day) || !TryEncodeTime(u16(t[0]), u16(t[1]), u16(t[2]), 0, clock))
    throw ScriptError(line, "'" + std::string(date) + " " + std::string(time) + "' is no date and time");
  return day + clock;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

const std::map<std::string_view, CommandKind>& Keywords() {
  static const std::map<std::string_view, CommandKind> k{
      {"prefix", ckPrefix}, {"start", ckStart}, {"move", ckMove}, {"click", ckClick}, {"dblclick", ckDblClick},
      {"rclick", ckRClick}, {"down", ckDown},   {"up", ckUp},     {"key", ckKey},     {"type", ckType},
      {"wait", ckWait},     {"shot", ckShot},   {"dump", ckDump}, {"file", ckFile},
      {"clock", ckClock}};
  return k;
}

Command ParseLine(std::string_view raw, int line) {
  std::string_view body = Trim(raw);
  std::size_t space = body.find_first_of(" \t");
  std::string_view word = body.substr(0, space);
  auto kw = Keywords().find(word);
  if (kw == Keywords().end()) throw ScriptError(line, "unknown command '" + std::string(word) + "'");
  Command c;
  c.kind = kw->second;
  c.line = line;
  if (c.kind == ckType) {
    // The rest of the raw line after the one blank that ends the keyword.
    std::size_t at = raw.find("type") + 4;
    std::string_view rest = raw.substr(at);
    if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    c.text = std::string(rest);
    return c;
  }
  std::string_view args = space == std::string_view::npos ? std::string_view{} : Trim(StripComment(body.substr(space)));
  std::vector<std::string_view> w = Words(args);
  auto need = [&](std::size_t n) {
    if (w.size() != n) throw ScriptError(line, std::string(word) + " takes " + std::to_string(n) + " argument(s)");
  };
  switch (c.kind) {
    case ckStart: need(0); break;
    case ckMove: case ckClick: case ckDblClick: case ckRClick: case ckDown: case ckUp:
      need(2);
      c.x = Number(w[0], line);
      c.y = Number(w[1], line);
      break;
    case ckWait:
      need(1);
      c.ms = Number(w[0], line);
      if (c.ms < 0) throw ScriptError(line, "wait takes a time of 0 or more");
      break;
    case ckKey:
      need(1);
      try {
        c.key = ParseKey(w[0]);
      } catch (const std::invalid_argument& e) {
        throw ScriptError(line, e.what());
      }
      break;
    case ckPrefix: case ckShot: case ckDump:
      if (args.empty()) throw ScriptError(line, std::string(word) + " needs a name");
      c.text = std::string(args);
      break;
    case ckFile: {
      // The Windows path may hold blanks; the output name is the last word.
      std::size_t cut = args.find_last_of(" \t");
      if (args.empty() || cut == std::string_view::npos) throw ScriptError(line, "file takes WINPATH FILE");
      c.text = std::string(Trim(args.substr(0, cut)));
      c.file = std::string(args.substr(cut + 1));
      break;
    }
    case ckClock:
      need(2);
      c.when = DateAndTime(w[0], w[1], line);
      break;
    case ckType: break;
  }
  return c;
}

}  // namespace

KeyChord ParseKey(std::string_view name) {
  KeyChord chord;
  while (true) {
    std::size_t plus = name.find('+');
    // A lone "+" can't be a key name of ours, so every '+' joins.
    if (plus == std::string_view::npos) break;
    std::string_view mod = name.substr(0, plus);
    const unsigned vk = ModifierKey(mod);
    if (!vk) throw std::invalid_argument("unknown modifier '" + std::string(mod) + "'");
    chord.modifiers.push_back(vk);
    name.remove_prefix(plus + 1);
  }
  // A modifier by itself is pressed and released alone (Alt enters the
  // menu bar's keyboard mode that way).
  chord.vk = chord.modifiers.empty() && ModifierKey(name) ? ModifierKey(name) : NamedKey(name);
  return chord;
}

std::vector<Command> ParseScript(std::string_view text) {
  std::vector<Command> out;
  int line = 0;
  while (!text.empty()) {
    std::size_t nl = text.find('\n');
    std::string_view raw = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
    ++line;
    std::string_view body = Trim(raw);
    if (body.empty() || body.front() == '#') continue;
    out.push_back(ParseLine(raw, line));
  }
  return out;
}

}  // namespace scene
