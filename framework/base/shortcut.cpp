#include "framework/shortcut.h"

#include "framework/text.h"

namespace {

const char* const kShift = "Shift+";
const char* const kCtrl = "Ctrl+";
const char* const kAlt = "Alt+";

std::string KeyName(std::uint16_t key) {
  static const char* const kSpaceToDown[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};
  if (key == 0x08) return "BkSp";
  if (key == 0x09) return "Tab";
  if (key == 0x0D) return "Enter";
  if (key == 0x1B) return "Esc";
  if (key >= 0x20 && key <= 0x28) return kSpaceToDown[key - 0x20];
  if (key == 0x2D) return "Ins";
  if (key == 0x2E) return "Del";
  if (key >= 0x30 && key <= 0x39) return std::string(1, static_cast<char>('0' + key - 0x30));
  if (key >= 0x41 && key <= 0x5A) return std::string(1, static_cast<char>('A' + key - 0x41));
  if (key >= 0x60 && key <= 0x69) return std::string(1, static_cast<char>('0' + key - 0x60));  // number pad
  if (key >= 0x70 && key <= 0x87) return "F" + IntToStr(key - 0x6F);
  return ShortCutKeyName && key != 0 ? ShortCutKeyName(key) : std::string();
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

TShortCut ShortCut(std::uint16_t key, TShiftState shift) {
  if (key & 0xFF00) return scNone;
  TShortCut result = key;
  if (shift.Contains(ssShift)) result |= scShift;
  if (shift.Contains(ssCtrl)) result |= scCtrl;
  if (shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, std::uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = {};
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut shortCut) {
  std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return "";
  std::string out;
  if (shortCut & scShift) out += kShift;
  if (shortCut & scCtrl) out += kCtrl;
  if (shortCut & scAlt) out += kAlt;
  return out + name;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut modifiers = 0;
  for (bool more = true; more;) {
    more = false;
    if (TakePrefix(text, kShift)) modifiers |= scShift, more = true;
    if (TakePrefix(text, kCtrl)) modifiers |= scCtrl, more = true;
    if (TakePrefix(text, kAlt)) modifiers |= scAlt, more = true;
  }
  if (text.empty()) return scNone;
  for (std::uint16_t key = 0x08; key <= 0xFF; ++key)
    if (SameText(KeyName(key), text)) return static_cast<TShortCut>(key | modifiers);
  return scNone;
}
