#include "app_icon.h"

namespace artwork {

std::vector<Shape> AppIcon() {
  auto box = [](std::uint32_t rgb, double x0, double y0, double x1, double y1, double r) {
    return Shape{Shape::RoundRect, rgb, x0, y0, x1, y1, r, {}};
  };
  auto poly = [](std::uint32_t rgb, std::vector<Point> points) {
    return Shape{Shape::Polygon, rgb, 0, 0, 0, 0, 0, std::move(points)};
  };
  return {
      box(0x1B2A55, 12, 12, 244, 244, 44),   // tile
      box(0x2C4380, 12, 12, 244, 120, 44),   // its lighter upper half
      box(0x2C4380, 12, 76, 244, 120, 0),
      box(0x0E1633, 60, 56, 204, 228, 14),   // the page's shadow
      box(0xF3EEDC, 52, 48, 196, 220, 14),   // the page
      box(0x6E7891, 80, 132, 168, 146, 4),   // list entries
      box(0x6E7891, 80, 160, 168, 174, 4),
      box(0x6E7891, 80, 188, 140, 202, 4),
      box(0xE8892C, 80, 100, 168, 116, 4),   // the new entry
      poly(0xE8892C, {{108, 20}, {140, 20}, {140, 52}, {166, 52}, {124, 94}, {82, 52}, {108, 52}}),
  };
}

}  // namespace artwork
