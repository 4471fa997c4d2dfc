// Turns a face file into a realised Font: picks the bitmap strike or sets the
// outline size, reads the metrics Windows reports and renders every glyph.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>

#include "text/face_locator.h"
#include "text/font.h"

namespace text {

// Character height of a request that gives none: the 8-point system size.
constexpr int kDefaultCharHeight = 11;
// The largest height a request may ask for, in pixels.
constexpr int kMaxPixelHeight = 256;

class FontLoader {
 public:
  FontLoader();
  ~FontLoader();
  FontLoader(const FontLoader&) = delete;
  FontLoader& operator=(const FontLoader&) = delete;

  // A Windows bitmap strike of the family in `path` that fits the request;
  // null when none is close enough (the caller then tries an outline face).
  std::shared_ptr<const Font> FromStrikes(const std::string& path, const FontRequest& r);
  std::shared_ptr<const Font> FromOutline(const FaceFile& file, const FontRequest& r);

 private:
  FT_Face Open(const std::string& path, int index);

  FT_Library library_ = nullptr;
};

}  // namespace text
