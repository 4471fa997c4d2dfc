// Keyboard shortcuts of menu items: a virtual-key code in the low byte and
// the modifier flags above it, with their display texts ("Ctrl+O", "F5",
// "Shift+Del").
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "framework/types.h"

using TShortCut = std::uint16_t;
inline constexpr TShortCut scNone = 0;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(std::uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, std::uint16_t& key, TShiftState& shift);
// "" for keys without a name of their own (and for scNone).
std::string ShortCutToText(TShortCut shortCut);
// The inverse of ShortCutToText, ignoring case; scNone when nothing matches.
TShortCut TextToShortCut(std::string_view text);

// Names keys that have no fixed name here (punctuation, keys of the keyboard
// layout); the window layer installs one that asks the keyboard.
inline std::function<std::string(std::uint16_t key)> ShortCutKeyName;
