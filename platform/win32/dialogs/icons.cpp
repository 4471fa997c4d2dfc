#include "icons.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "message_icon_data.h"

namespace dialogs {

IconKind IconFor(UINT mbStyle) {
  switch (mbStyle & MB_ICONMASK) {
    case MB_ICONHAND: return IconKind::Error;
    case MB_ICONASTERISK: return IconKind::Information;
    case MB_ICONEXCLAMATION: return IconKind::Warning;
    case MB_ICONQUESTION: return IconKind::Question;
    default: return IconKind::None;
  }
}

namespace {

// Fills a polygon with `fill` and outlines it with `line` (one pixel).
void Shape(HDC dc, const std::vector<POINT>& pts, COLORREF fill, COLORREF line) {
  HBRUSH brush = CreateSolidBrush(fill);
  HPEN pen = CreatePen(PS_SOLID, 1, line);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Polygon(dc, pts.data(), static_cast<int>(pts.size()));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

std::vector<POINT> Circle(double cx, double cy, double r) {
  std::vector<POINT> pts;
  const int n = 48;
  for (int i = 0; i < n; ++i) {
    const double a = 2 * 3.14159265358979 * i / n;
    pts.push_back({static_cast<LONG>(std::lround(cx + r * std::cos(a))), static_cast<LONG>(std::lround(cy + r * std::sin(a)))});
  }
  return pts;
}

void Block(HDC dc, int l, int t, int r, int b, COLORREF c) {
  HBRUSH brush = CreateSolidBrush(c);
  RECT rc{l, t, r, b};
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
}

// A 32 x 32 picture in the classic sixteen colours; index 13 leaves the
// background as it is.
void DrawPixels(HDC dc, int x, int y, const std::uint8_t* pixels) {
  static const COLORREF kClassic[16] = {
      RGB(0, 0, 0),       RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0),   RGB(0, 0, 128),   RGB(128, 0, 128),
      RGB(0, 128, 128),   RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
      RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
  constexpr std::uint8_t kSeeThrough = 13;
  for (int row = 0; row < 32; ++row)
    for (int col = 0; col < 32; ++col) {
      std::uint8_t i = pixels[row * 32 + col] & 15;
      if (i != kSeeThrough) SetPixelV(dc, x + col, y + row, kClassic[i]);
    }
}

// A white speech bubble with a black rim and a tail towards the lower left.
void Bubble(HDC dc, int x, int y) {
  Shape(dc, {{x + 6, y + 22}, {x + 3, y + 31}, {x + 13, y + 25}}, RGB(255, 255, 255), RGB(0, 0, 0));
  Shape(dc, Circle(x + 16, y + 14, 13), RGB(255, 255, 255), RGB(0, 0, 0));
}

// A bold question mark drawn from blocks, so it needs no font.
void QuestionMark(HDC dc, int x, int y, COLORREF c) {
  Block(dc, x + 12, y + 5, x + 20, y + 8, c);   // top bar
  Block(dc, x + 10, y + 7, x + 13, y + 11, c);  // left shoulder
  Block(dc, x + 19, y + 7, x + 22, y + 14, c);  // right side
  Block(dc, x + 16, y + 13, x + 20, y + 16, c); // turn inwards
  Block(dc, x + 15, y + 15, x + 18, y + 19, c); // stem
  Block(dc, x + 15, y + 21, x + 18, y + 24, c); // dot
}

}  // namespace

void DrawIcon32(HDC dc, int x, int y, IconKind kind) {
  const COLORREF blue = RGB(0, 0, 255), black = RGB(0, 0, 0);
  switch (kind) {
    case IconKind::Error: DrawPixels(dc, x, y, kStopIconPixels); break;
    case IconKind::Information: DrawPixels(dc, x, y, kInformationIconPixels); break;
    case IconKind::Warning:
      Shape(dc, {{x + 16, y + 1}, {x + 31, y + 29}, {x + 1, y + 29}}, RGB(255, 255, 0), black);
      Block(dc, x + 14, y + 9, x + 18, y + 21, black);
      Block(dc, x + 14, y + 23, x + 18, y + 27, black);
      break;
    case IconKind::Question:
      Bubble(dc, x, y);
      QuestionMark(dc, x, y, blue);
      break;
    case IconKind::None: break;
  }
}

}  // namespace dialogs
