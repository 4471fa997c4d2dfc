#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

// A flat-coloured shape in a square design space of `kDesignSize` units; the
// same list is rasterised into each PNG size and written out as the SVG, so
// the two never drift apart.
inline constexpr double kDesignSize = 256;

struct Point {
  double x, y;
};

struct Shape {
  enum Kind { RoundRect, Polygon } kind;
  std::uint32_t rgb;         // 0xRRGGBB
  double x0, y0, x1, y1, r;  // RoundRect
  std::vector<Point> points; // Polygon
};

// Is the design-space point inside the shape?
bool Contains(const Shape& s, double x, double y);

// RGBA rows, top first, of the shapes painted in order over transparency at
// `size` x `size` pixels, each pixel the coverage of 8 x 8 samples.
std::vector<std::uint8_t> Rasterise(const std::vector<Shape>& shapes, int size);

// The shapes as an SVG document of the design space.
std::string ToSvg(const std::vector<Shape>& shapes);

}  // namespace artwork
