#include "text/face_locator.h"

#include <fontconfig/fontconfig.h>
#include <win32/gdi32.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace text {
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

constexpr const char* kWineFontDir = "/usr/share/wine/fonts/";

struct BitmapFamily {
  const char* face;
  const char* file;
};
// The 96-dpi strike files of the classic bitmap families.
constexpr BitmapFamily kBitmapFamilies[] = {
    {"ms sans serif", "sserife.fon"}, {"ms shell dlg", "sserife.fon"},
    {"", "sserife.fon"},              {"small fonts", "smalle.fon"},
    {"courier", "coure.fon"},         {"system", "vgasys.fon"},
    {"fixedsys", "vgafix.fon"},
};

struct Alias {
  const char* face;
  const char* generic;
  bool bold;
  const char* standIn = nullptr;  // a host family tried before the generic one
};
// Faces the program names that hosts rarely have, with what looks closest:
// a book serif, and a heavy display face for the title lettering.
constexpr Alias kAliases[] = {
    // EB Garamond: the narrowest book serif Debian packages, so a title set
    // in it stays on the one line the window was drawn with.
    {"perpetua", "serif", false, "EB Garamond"},
    {"episode i", "sans-serif", true},
    {"times new roman", "serif", false}, {"arial", "sans-serif", false},
    {"courier new", "monospace", false}, {"tahoma", "sans-serif", false},
    {"verdana", "sans-serif", false},    {"ms serif", "serif", false},
};


const Alias* FindAlias(const std::string& lower) {
  for (const Alias& a : kAliases)
    if (lower == a.face) return &a;
  return nullptr;
}

const char* GenericFor(const FontRequest& r) {
  if (const Alias* a = FindAlias(Lower(r.face))) return a->generic;
  int family = r.pitchAndFamily & 0xF0;
  if (family == FF_ROMAN) return "serif";
  if (family == FF_MODERN || (r.pitchAndFamily & 3) == FIXED_PITCH) return "monospace";
  return "sans-serif";
}

FcConfig* Config() {
  static std::once_flag once;
  static FcConfig* config = nullptr;
  std::call_once(once, [] {
    config = FcInitLoadConfigAndFonts();
    // Hand everything back at exit so leak checkers see a clean process.
    std::atexit([] {
      if (config) FcConfigDestroy(config);
      FcFini();
    });
  });
  return config;
}

}  // namespace

bool WantsBold(const FontRequest& request) {
  if (request.weight >= 600) return true;
  const Alias* a = FindAlias(Lower(request.face));
  return a && a->bold;
}

std::string BitmapFamilyFile(const std::string& face) {
  std::string lower = Lower(face);
  for (const BitmapFamily& f : kBitmapFamilies) {
    if (lower != f.face) continue;
    std::string path = std::string(kWineFontDir) + f.file;
    std::error_code ec;
    return std::filesystem::exists(path, ec) ? path : std::string();
  }
  return {};
}

FaceFile MatchOutlineFace(const FontRequest& request, int pixelSize) {
  FaceFile result;
  FcConfig* config = Config();
  if (!config) return result;
  FcPattern* pattern = FcPatternCreate();
  if (!request.face.empty())
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.face.c_str()));
  const Alias* alias = FindAlias(Lower(request.face));
  if (alias && alias->standIn)
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(alias->standIn));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(GenericFor(request)));
  FcPatternAddInteger(pattern, FC_WEIGHT, WantsBold(request) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelSize);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult res = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &res);
  FcPatternDestroy(pattern);
  if (!match) return result;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
    result.path = reinterpret_cast<const char*>(file);
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    result.index = index;
    result.bold = weight >= FC_WEIGHT_DEMIBOLD;
    result.italic = slant != FC_SLANT_ROMAN;
  }
  FcPatternDestroy(match);
  return result;
}

}  // namespace text
