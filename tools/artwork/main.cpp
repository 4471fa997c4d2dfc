// xvt-artwork SOURCE_DIR: draws the program's pictures from code. It writes
// them as plain files into tools/artwork/pictures and as C++ byte arrays
// into the folders that use them (the windows' logos and glyphs in ui/, the
// message-box icons in platform/win32/). Its output is kept in the
// repository, so a build never runs it; run it again after changing a drawing.
#include <fstream>
#include <iostream>
#include <string>

#include <backend/backend.h>

#include "app_icon.h"
#include "cpp_source.h"
#include "gif_file.h"
#include "glyphs.h"
#include "logos.h"
#include "shapes.h"

namespace {

using namespace artwork;
using Bytes = std::vector<std::uint8_t>;

bool failed = false;

void Write(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out.flush()) {
    std::cerr << "xvt-artwork: cannot write " << path << "\n";
    failed = true;
  }
}

void Png(const std::string& path, int w, int h, const Bytes& rgba) {
  std::vector<std::uint32_t> argb(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < argb.size() && i * 4 + 3 < rgba.size(); ++i)
    argb[i] = std::uint32_t(rgba[i * 4 + 3]) << 24 | std::uint32_t(rgba[i * 4]) << 16 |
              std::uint32_t(rgba[i * 4 + 1]) << 8 | rgba[i * 4 + 2];
  if (!backend::WritePng(path, backend::PixelView{argb.data(), w, h, w, true})) {
    std::cerr << "xvt-artwork: cannot write " << path << "\n";
    failed = true;
  }
}

void AppIcons(const std::string& pictures) {
  auto icon = AppIcon();
  for (int size : {16, 32, 48, 64, 128, 256})
    Png(pictures + "/xvtinst-" + std::to_string(size) + ".png", size, size, Rasterise(icon, size));
  Write(pictures + "/xvtinst.svg", ToSvg(icon));
}

// Each logo as a GIF file, and its first frame as a PNG to look at.
Bytes Logo(const std::string& pictures, const std::string& name, const Animation& a) {
  Bytes gif = EncodeGif(a);
  Write(pictures + "/" + name + ".gif", std::string(gif.begin(), gif.end()));
  return LengthPrefixed(gif);
}

void WindowArtwork(const std::string& top, const std::string& pictures) {
  std::string defs = ByteArray("kMainLogoData", Logo(pictures, "main-logo", MainLogo()), true) + "\n" +
                     ByteArray("kAboutLogoData", Logo(pictures, "about-logo", AboutLogo()), true) + "\n";
  Bytes glyphs;
  for (int g = 0; g < kGlyphCount; ++g) {
    Indexed glyph = Glyph(GlyphName(g));
    glyphs.insert(glyphs.end(), glyph.pixels.begin(), glyph.pixels.end());
    Png(pictures + "/" + GlyphFileName(GlyphName(g)) + ".png", 16, 16, ToRgba(glyph, ClassicPalette(), kFuchsia));
  }
  defs += ByteArray("kGlyphPixels", glyphs, false);
  Write(top + "/ui/src/artwork_data.cpp", SourceFile("artwork_data.h", "ui", defs));
}

void MessageIcons(const std::string& top, const std::string& pictures) {
  Indexed stop = StopIcon(), information = InformationIcon();
  Png(pictures + "/icon-stop.png", 32, 32, ToRgba(stop, ClassicPalette(), kFuchsia));
  Png(pictures + "/icon-information.png", 32, 32, ToRgba(information, ClassicPalette(), kFuchsia));
  std::string defs = ByteArray("kStopIconPixels", stop.pixels, false) + "\n" +
                     ByteArray("kInformationIconPixels", information.pixels, false);
  Write(top + "/platform/win32/dialogs/message_icon_data.cpp", SourceFile("message_icon_data.h", "dialogs", defs));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: xvt-artwork SOURCE_DIR\n";
    return 2;
  }
  std::string top = argv[1], pictures = top + "/tools/artwork/pictures";
  AppIcons(pictures);
  WindowArtwork(top, pictures);
  MessageIcons(top, pictures);
  return failed ? 1 : 0;
}
