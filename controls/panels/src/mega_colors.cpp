#include <array>
#include <string_view>
#include <utility>

#include <win32/windows.h>

#include "panels/mega_types.h"

TMegaColor MegaColorFromStored(std::uint32_t value) {
  switch (value) {
    case 0xFFFFFFEA: return cl3DDkShadow;
    case 0xFFFFFFE9: return cl3DLight;
    case 0xFFFFFFE8: return clInfoText;
    case 0xFFFFFFE7: return clInfoBk;
    case 0xFFFFFFE6: return clNone;
    default: return static_cast<TMegaColor>(value);
  }
}

bool MegaIdentToColor(const std::string& ident, TMegaColor& colour) {
  static constexpr std::array<std::pair<std::string_view, TMegaColor>, 8> kNames{{
      {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk}, {"clNone", clNone}, {"clBtnDarkShadow", cl3DDkShadow},
      {"clBtnLight", cl3DLight}, {"clInfoWindow", clInfoBk}}};
  for (const auto& [name, value] : kNames)
    if (name == ident) {
      colour = value;
      return true;
    }
  return false;
}

COLORREF MegaColorToRGB(TMegaColor colour) {
  if (colour == clNone) return 0;
  if (colour < 0) return GetSysColor(colour & 0xFF);
  return static_cast<COLORREF>(colour) & 0xFFFFFF;
}
