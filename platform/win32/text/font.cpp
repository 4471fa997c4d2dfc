#include "text/font.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>
#include <tuple>

#include "text/face_locator.h"
#include "text/font_loader.h"

namespace text {

Font::Font(const FontMetrics& metrics, std::string faceName, std::array<Glyph, 256> glyphs,
           std::vector<std::uint8_t> pixels, int underlineTop, int underlineRows, int strikeTop,
           int strikeRows)
    : metrics_(metrics),
      faceName_(std::move(faceName)),
      glyphs_(glyphs),
      pixels_(std::move(pixels)),
      underlineTop_(underlineTop),
      underlineRows_(underlineRows),
      strikeTop_(strikeTop),
      strikeRows_(strikeRows) {}

int Font::Extent(const char* s, int n) const {
  int width = 0;
  for (int i = 0; i < n; ++i) width += glyphs_[static_cast<unsigned char>(s[i])].advance;
  return width;
}

namespace {

using Key = std::tuple<std::string, int, int, bool, bool, bool, int, int>;

Key KeyOf(const FontRequest& r) {
  std::string face = r.face;
  for (char& c : face) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return {face, r.height, WantsBold(r) ? 700 : 400, r.italic, r.underline, r.strikeOut,
          r.charSet, r.pitchAndFamily};
}

std::shared_ptr<const Font> Load(FontLoader& loader, const FontRequest& r) {
  std::string strikes = BitmapFamilyFile(r.face);
  if (!strikes.empty())
    if (auto font = loader.FromStrikes(strikes, r)) return font;
  int pixels = r.height == 0 ? kDefaultCharHeight : std::abs(r.height);
  FontRequest outline = r;
  if (!strikes.empty()) outline.face = "sans-serif";  // no strike fits this size
  FaceFile file = MatchOutlineFace(outline, pixels);
  if (!file.path.empty())
    if (auto font = loader.FromOutline(file, outline)) return font;
  // Last resort: the system face in whatever strike is nearest.
  std::string system = BitmapFamilyFile("MS Sans Serif");
  if (system.empty()) return nullptr;
  FontRequest plain = r;
  plain.height = -kDefaultCharHeight;
  return loader.FromStrikes(system, plain);
}

}  // namespace

std::shared_ptr<const Font> RealizeFont(const FontRequest& asked) {
  static std::mutex mutex;
  static FontLoader loader;
  static std::map<Key, std::shared_ptr<const Font>> cache;
  // Every glyph is rendered up front, so the size is bounded: far beyond
  // anything a dialog shows, small enough to keep a font's pixels modest.
  FontRequest request = asked;
  request.height = std::clamp(request.height, -kMaxPixelHeight, kMaxPixelHeight);
  Key key = KeyOf(request);
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  auto font = Load(loader, request);
  cache.emplace(std::move(key), font);
  return font;
}

}  // namespace text
