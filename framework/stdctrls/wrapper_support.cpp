#include "wrapper_support.h"

#include <cctype>


namespace stdctrls_detail {

void SetStyleBits(HWND window, LONG bits, bool on) {
  if (!window) return;
  LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, on ? (style | bits) : (style & ~bits));
  InvalidateRect(window, nullptr, TRUE);
}

bool IsAccel(char key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<unsigned char>(key));
  }
  return false;
}

}  // namespace stdctrls_detail
