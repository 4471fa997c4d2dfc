#include "logos.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::uint32_t Rgb(double r, double g, double b) {
  auto c = [](double v) { return std::uint32_t(std::clamp(std::lround(v), 0L, 255L)); };
  return (c(r) << 16) | (c(g) << 8) | c(b);
}

// A small fixed generator, so the pictures are the same on every run.
class Seed {
 public:
  explicit Seed(std::uint32_t s) : state_(s) {}
  int Next(int range) {
    state_ = state_ * 1664525u + 1013904223u;
    return int((state_ >> 8) % std::uint32_t(range));
  }

 private:
  std::uint32_t state_;
};

// Main logo palette: 0..15 star greys, 16..127 planet, 128..191 sky, 192..255 ring and moon.
constexpr int kStar = 0, kPlanet = 16, kPlanetShades = 112, kSky = 128, kRing = 192;

std::vector<std::uint32_t> MainPalette() {
  std::vector<std::uint32_t> p(256);
  for (int i = 0; i < 16; ++i) p[kStar + i] = Rgb(i * 17, i * 17, i * 16 + 15);
  for (int i = 0; i < kPlanetShades; ++i) {
    double t = double(i) / (kPlanetShades - 1);
    p[kPlanet + i] = Rgb(20 + 150 * t * t, 40 + 190 * t, 70 + 170 * t);
  }
  for (int i = 0; i < 64; ++i) p[kSky + i] = Rgb(4 + i * 0.5, 6 + i * 0.3, 28 + i * 0.6);
  for (int i = 0; i < 64; ++i) {
    double t = i / 63.0;
    p[kRing + i] = Rgb(90 + 165 * t, 60 + 150 * t, 30 + 120 * t);
  }
  return p;
}

// The ring's ellipse around the planet's centre, tilted a little.
struct Ring {
  double cx, cy, rx, ry, tilt;
  void At(double angle, double& x, double& y) const {
    double ex = rx * std::cos(angle), ey = ry * std::sin(angle);
    x = cx + ex * std::cos(tilt) - ey * std::sin(tilt);
    y = cy + ex * std::sin(tilt) + ey * std::cos(tilt);
  }
};

// `index` -1 shades the ring from the main palette's ring ramp.
void DrawRingHalf(Indexed& f, const Ring& ring, bool front, int index = -1) {
  for (int s = 0; s < 720; ++s) {
    double a = 2 * kPi * s / 720;
    if ((std::sin(a) > 0) != front) continue;
    double x, y;
    ring.At(a, x, y);
    int shade = front ? 40 + int(18 * std::sin(a)) : 14;
    f.Set(int(std::lround(x)), int(std::lround(y)), std::uint8_t(index >= 0 ? index : kRing + shade));
  }
}

void DrawPlanet(Indexed& f, double cx, double cy, double r, double phase) {
  for (int y = 0; y < f.height; ++y) {
    for (int x = 0; x < f.width; ++x) {
      double nx = (x + 0.5 - cx) / r, ny = (y + 0.5 - cy) / r, d = nx * nx + ny * ny;
      if (d > 1) continue;
      double nz = std::sqrt(1 - d);
      double light = std::max(0.0, -0.55 * nx - 0.5 * ny + 0.67 * nz);
      // Cloud bands that drift round with the turn.
      double lon = std::atan2(nx, nz) + phase, bands = 0.82 + 0.18 * std::sin(ny * 9 + 2.5 * std::sin(lon * 2));
      double shade = std::clamp(0.08 + 0.92 * light * bands, 0.0, 1.0);
      f.Set(x, y, std::uint8_t(kPlanet + std::lround(shade * (kPlanetShades - 1))));
    }
  }
}

void DrawMoon(Indexed& f, double cx, double cy) {
  for (int y = int(cy) - 3; y <= int(cy) + 3; ++y) {
    for (int x = int(cx) - 3; x <= int(cx) + 3; ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = dx * dx + dy * dy;
      if (d <= 6.5) f.Set(x, y, std::uint8_t(kRing + 63 - std::lround(d * 4 + dx * 2 + dy * 2 + 12)));
    }
  }
}

}  // namespace

Animation MainLogo() {
  Animation a{70, 70, MainPalette(), 100, 1, -1, {}};
  const Ring ring{35, 37, 31, 9, -0.35};
  constexpr int kFrames = 22;
  for (int n = 0; n < kFrames; ++n) {
    Indexed f(70, 70);
    for (int y = 0; y < 70; ++y)
      for (int x = 0; x < 70; ++x) f.Set(x, y, std::uint8_t(kSky + (y * 63) / 69));
    Seed seed(0x5EED);
    for (int i = 0; i < 36; ++i) {
      int x = seed.Next(70), y = seed.Next(70), base = 5 + seed.Next(8), twinkle = seed.Next(kFrames);
      f.Set(x, y, std::uint8_t(kStar + std::min(15, base + ((n + twinkle) % 11 == 0 ? 6 : 0))));
    }
    double moonAngle = 2 * kPi * n / kFrames, mx, my;
    ring.At(moonAngle, mx, my);
    bool moonInFront = std::sin(moonAngle) > 0;
    DrawRingHalf(f, ring, false);
    if (!moonInFront) DrawMoon(f, mx, my);
    DrawPlanet(f, 35, 37, 19, 2 * kPi * n / kFrames);
    DrawRingHalf(f, ring, true);
    if (moonInFront) DrawMoon(f, mx, my);
    a.frames.push_back(std::move(f));
  }
  return a;
}

Animation AboutLogo() {
  // 0 the transparent ground, 1 the orbit, 2 the planet and the moon's trail, 3 the moon and the sparks.
  Animation a{100, 75, {0x000000, 0x4060A0, 0x90B8F0, 0xFFFFFF}, 60, 2, 0, {}};
  const Ring orbit{50, 38, 44, 15, -0.2};
  constexpr int kFrames = 25;
  for (int n = 0; n < kFrames; ++n) {
    Indexed f(100, 75);
    DrawRingHalf(f, orbit, false, 1);
    for (int y = 24; y < 53; ++y)
      for (int x = 36; x < 65; ++x) {
        double dx = x + 0.5 - 50, dy = y + 0.5 - 38, d = dx * dx + dy * dy;
        if (d <= 13.5 * 13.5) f.Set(x, y, d >= 12.2 * 12.2 || (dx < -3 && dy < -3 && d < 36) ? 3 : 2);
      }
    DrawRingHalf(f, orbit, true, 1);
    for (int s = 0; s < 4; ++s) {
      double mx, my;
      orbit.At(2 * kPi * (n - s * 0.45) / kFrames, mx, my);
      int r = s == 0 ? 3 : 1;
      for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x)
          if (x * x + y * y <= r * r + 1) f.Set(int(mx) + x, int(my) + y, std::uint8_t(s == 0 ? 3 : 2));
    }
    Seed seed(0xAB0);
    for (int i = 0; i < 14; ++i) {
      int x = seed.Next(100), y = seed.Next(75), phase = seed.Next(kFrames);
      if ((n + phase) % 5 < 3 && f.At(x, y) == 0) f.Set(x, y, (n + phase) % 5 == 1 ? 3 : 1);
    }
    a.frames.push_back(std::move(f));
  }
  return a;
}

}  // namespace artwork
