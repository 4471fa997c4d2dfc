#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace artwork {

namespace {

bool InRoundRect(const Shape& s, double x, double y) {
  if (x < s.x0 || x > s.x1 || y < s.y0 || y > s.y1) return false;
  // Distance to the nearest corner circle's centre, clamped into the inner box.
  double cx = std::clamp(x, s.x0 + s.r, s.x1 - s.r);
  double cy = std::clamp(y, s.y0 + s.r, s.y1 - s.r);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= s.r * s.r;
}

// Even-odd rule, so a polygon's winding direction does not matter.
bool InPolygon(const std::vector<Point>& p, double x, double y) {
  bool inside = false;
  for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    if ((p[i].y > y) != (p[j].y > y) && x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
      inside = !inside;
  }
  return inside;
}

std::string Hex(std::uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06x", unsigned(rgb & 0xFFFFFF));
  return buf;
}

}  // namespace

bool Contains(const Shape& s, double x, double y) {
  return s.kind == Shape::RoundRect ? InRoundRect(s, x, y) : InPolygon(s.points, x, y);
}

std::vector<std::uint8_t> Rasterise(const std::vector<Shape>& shapes, int size) {
  constexpr int kSamples = 8;
  std::vector<std::uint8_t> rgba(std::size_t(size) * size * 4, 0);
  double scale = kDesignSize / size;
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      // Premultiplied sums over the samples; each sample takes the topmost shape.
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          double x = (px + (sx + 0.5) / kSamples) * scale, y = (py + (sy + 0.5) / kSamples) * scale;
          for (auto it = shapes.rbegin(); it != shapes.rend(); ++it) {
            if (!Contains(*it, x, y)) continue;
            r += (it->rgb >> 16) & 0xFF;
            g += (it->rgb >> 8) & 0xFF;
            b += it->rgb & 0xFF;
            a += 1;
            break;
          }
        }
      }
      std::uint8_t* out = &rgba[(std::size_t(py) * size + px) * 4];
      if (a > 0) {
        out[0] = std::uint8_t(std::lround(r / a));
        out[1] = std::uint8_t(std::lround(g / a));
        out[2] = std::uint8_t(std::lround(b / a));
      }
      out[3] = std::uint8_t(std::lround(255 * a / (kSamples * kSamples)));
    }
  }
  return rgba;
}

std::string ToSvg(const std::vector<Shape>& shapes) {
  char buf[160];
  std::snprintf(buf, sizeof buf,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%g\" height=\"%g\" viewBox=\"0 0 %g %g\">\n",
                kDesignSize, kDesignSize, kDesignSize, kDesignSize);
  std::string svg = buf;
  for (const Shape& s : shapes) {
    if (s.kind == Shape::RoundRect) {
      std::snprintf(buf, sizeof buf, "  <rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" rx=\"%g\" fill=\"%s\"/>\n",
                    s.x0, s.y0, s.x1 - s.x0, s.y1 - s.y0, s.r, Hex(s.rgb).c_str());
      svg += buf;
      continue;
    }
    svg += "  <polygon points=\"";
    for (std::size_t i = 0; i < s.points.size(); ++i) {
      std::snprintf(buf, sizeof buf, "%s%g,%g", i ? " " : "", s.points[i].x, s.points[i].y);
      svg += buf;
    }
    svg += "\" fill=\"" + Hex(s.rgb) + "\"/>\n";
  }
  return svg + "</svg>\n";
}

}  // namespace artwork
