// TRxClock's digital face: every digit and colon in a cell as wide as an
// "8", so a tick redraws only the cells of the fields that changed.
#include <win32/user32.h>

#include "display/RXClock.h"
#include "framework/canvas.h"

namespace {

constexpr UINT kCellFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;  // 0x165
constexpr UINT kSuffixFlags = kCellFlags & ~DT_CENTER;                                              // 0x164

}  // namespace

void TRxClock::DrawDigital(TRect rect, bool full) {
  std::uint16_t h, m, s, ms;
  const TDateTime time = GetSystemTime();
  DecodeTime(time, h, m, s, ms);
  if (!full && h % 12 != last_.hour) {
    Repaint();  // the hour's width may change: everything moves
    return;
  }
  int shownHour = h;
  if (twelveHour_) shownHour = h == 0 ? 12 : (h > 12 ? h - 12 : h);
  const std::string text = TimeText(time);
  const bool shortHour = shownHour < 10 && !leadingZero_;
  int digits = shortHour ? 4 : 5;
  if (showSeconds_) digits += 3;
  const std::string suffix = text.size() > static_cast<std::size_t>(digits) ? text.substr(digits) : "";

  TCanvas* c = Canvas();
  const TSize cell = c->TextExtent("8");
  const int total = digits * cell.cx + c->TextWidth(suffix);
  const int left = (rect.left + rect.right - total) / 2;
  const int top = (rect.top + rect.bottom - cell.cy) / 2;
  const int minutes = shortHour ? 2 : 3, seconds = minutes + 3;
  const bool minuteChanged = m != last_.minute, secondChanged = s != last_.second;
  for (int i = 0; i < digits && i < static_cast<int>(text.size()); ++i) {
    const bool due = full || (minuteChanged && (i == minutes || i == minutes + 1)) ||
                     (secondChanged && (i == seconds || i == seconds + 1));
    if (!due) continue;
    TRect r = Bounds(left + i * cell.cx, top, cell.cx, cell.cy);
    c->FillRect(r);
    DrawTextA(c->Handle(), &text[i], 1, &r, kCellFlags);
  }
  if (full && !suffix.empty()) {
    TRect r = Rect(left + digits * cell.cx, top, rect.right, top + cell.cy);
    DrawTextA(c->Handle(), suffix.c_str(), static_cast<int>(suffix.size()), &r, kSuffixFlags);
  }
  last_ = {h % 12, m, s};
  shown_ = text;
}
