#include "text/font_loader.h"

#include FT_WINFONTS_H
#include FT_TRUETYPE_TABLES_H
#include <win32/gdi32.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "text/cp1252.h"
#include "text/glyph_builder.h"

namespace text {
namespace {

// TEXTMETRIC pitch-and-family bits for outline faces.
constexpr int kTmpfFixedPitch = 0x01, kTmpfVector = 0x02, kTmpfTrueType = 0x04;

int Scale(long units, int ppem, int upem) {
  return static_cast<int>(std::lround(static_cast<double>(units) * ppem / upem));
}

struct Bars {
  int underlineTop, underlineRows, strikeTop, strikeRows;
};

// Strike-out sits half way up the lower-case letters.
int StrikeRow(const GlyphBuilder& b, const FontMetrics& m) {
  int xTop = b.InkTop('x');
  if (xTop < 0) xTop = m.internalLeading + (m.ascent - m.internalLeading) / 3;
  return (xTop + m.ascent - 1) / 2;
}

std::shared_ptr<const Font> Finish(GlyphBuilder& b, const FontMetrics& m, std::string face,
                                   Bars bars) {
  bars.underlineTop = std::clamp(bars.underlineTop, 0, std::max(0, m.height - bars.underlineRows));
  return std::make_shared<const Font>(m, std::move(face), b.Glyphs(), std::move(b.Pixels()),
                                      bars.underlineTop, bars.underlineRows, bars.strikeTop,
                                      bars.strikeRows);
}

void ApplyRequestedStyle(FontMetrics& m, const FontRequest& r, bool synthBold, bool synthItalic) {
  if (synthBold) {
    ++m.aveCharWidth;
    ++m.maxCharWidth;
    m.weight = std::max(r.weight, 700);
  }
  // What the synthesis adds past the string's end: the overstrike offset
  // and the shear of the top row.
  m.overhang = (synthBold ? 1 : 0) + (synthItalic ? (m.ascent - 1) / GlyphBuilder::kItalicRun : 0);
  if (synthItalic) m.italic = true;
  m.underlined = r.underline;
  m.struckOut = r.strikeOut;
}

}  // namespace

FontLoader::FontLoader() { FT_Init_FreeType(&library_); }

FontLoader::~FontLoader() {
  if (library_) FT_Done_FreeType(library_);
}

FT_Face FontLoader::Open(const std::string& path, int index) {
  FT_Face face = nullptr;
  if (!library_ || FT_New_Face(library_, path.c_str(), index, &face)) return nullptr;
  return face;
}

std::shared_ptr<const Font> FontLoader::FromStrikes(const std::string& path, const FontRequest& r) {
  // Every face of a .fon file is one strike; choose the largest that does not
  // exceed the asked height, or the smallest when all exceed it.
  struct Strike {
    int index, measure;
  };
  std::vector<Strike> strikes;
  int want = r.height == 0 ? kDefaultCharHeight : std::abs(r.height);
  FT_Face probe = Open(path, 0);
  if (!probe) return nullptr;
  long count = probe->num_faces;
  FT_Done_Face(probe);
  for (int i = 0; i < count; ++i) {
    FT_Face f = Open(path, i);
    if (!f) continue;
    FT_WinFNT_HeaderRec h;
    if (!FT_Get_WinFNT_Header(f, &h) && h.vertical_resolution == 96)
      strikes.push_back({i, r.height > 0 ? h.pixel_height : h.pixel_height - h.internal_leading});
    FT_Done_Face(f);
  }
  if (strikes.empty()) return nullptr;
  std::sort(strikes.begin(), strikes.end(),
            [](const Strike& a, const Strike& b) { return a.measure < b.measure; });
  Strike best = strikes.front();
  for (const Strike& s : strikes)
    if (s.measure <= want) best = s;
  // Much larger than the largest strike: an outline face looks better than
  // a strike far too small.
  if (want > best.measure + std::max(2, best.measure / 4)) return nullptr;

  FT_Face f = Open(path, best.index);
  if (!f) return nullptr;
  FT_WinFNT_HeaderRec h;
  FT_Get_WinFNT_Header(f, &h);
  if (f->num_charmaps > 0) FT_Set_Charmap(f, f->charmaps[0]);
  if (f->num_fixed_sizes > 0) FT_Select_Size(f, 0);

  FontMetrics m;
  m.height = h.pixel_height;
  m.ascent = h.ascent;
  m.descent = h.pixel_height - h.ascent;
  m.internalLeading = h.internal_leading;
  m.externalLeading = h.external_leading;
  m.aveCharWidth = h.avg_width;
  m.maxCharWidth = h.max_width;
  m.weight = h.weight;
  m.italic = h.italic != 0;
  m.firstChar = h.first_char;
  m.lastChar = h.last_char;
  m.defaultChar = h.first_char + h.default_char;
  m.breakChar = h.first_char + h.break_char;
  m.pitchAndFamily = h.pitch_and_family;
  m.charSet = h.charset;
  bool synthBold = WantsBold(r) && h.weight < 600;
  bool synthItalic = r.italic && !h.italic;

  // The strikes are indexed by the Windows-1252 byte itself.
  GlyphBuilder b(m.ascent, synthBold, synthItalic);
  unsigned fallback = FT_Get_Char_Index(f, static_cast<FT_ULong>(m.defaultChar));
  for (int c = 0; c < 256; ++c) {
    unsigned gi = (c >= m.firstChar && c <= m.lastChar) ? FT_Get_Char_Index(f, c) : 0;
    if (gi == 0) gi = fallback;
    if (FT_Load_Glyph(f, gi, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) continue;
    FT_GlyphSlot g = f->glyph;
    b.AddMono(static_cast<unsigned char>(c), g->bitmap.buffer, g->bitmap.pitch,
              static_cast<int>(g->bitmap.width), static_cast<int>(g->bitmap.rows), g->bitmap_left,
              m.ascent - g->bitmap_top, static_cast<int>(g->advance.x >> 6));
  }
  ApplyRequestedStyle(m, r, synthBold, synthItalic);
  std::string face = f->family_name ? f->family_name : "MS Sans Serif";
  FT_Done_Face(f);
  return Finish(b, m, face, {m.ascent + 1, 1, StrikeRow(b, m), 1});
}

std::shared_ptr<const Font> FontLoader::FromOutline(const FaceFile& file, const FontRequest& r) {
  FT_Face f = Open(file.path, file.index);
  if (!f) return nullptr;
  if (FT_Select_Charmap(f, FT_ENCODING_UNICODE) && f->num_charmaps > 0)
    FT_Set_Charmap(f, f->charmaps[0]);
  int upem = f->units_per_EM > 0 ? f->units_per_EM : 2048;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
  long winAscent = os2 && os2->version != 0xFFFF ? os2->usWinAscent : f->ascender;
  long winDescent = os2 && os2->version != 0xFFFF ? os2->usWinDescent : -f->descender;
  if (winAscent + winDescent <= 0) {
    winAscent = upem * 4 / 5;
    winDescent = upem / 5;
  }
  int ppem = r.height < 0   ? -r.height
             : r.height > 0 ? Scale(static_cast<long>(r.height) * upem, 1, static_cast<int>(winAscent + winDescent))
                            : kDefaultCharHeight;
  ppem = std::clamp(ppem, 1, kMaxPixelHeight);
  if (FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(ppem))) {
    FT_Done_Face(f);
    return nullptr;
  }
  FontMetrics m;
  m.ascent = Scale(winAscent, ppem, upem);
  m.descent = Scale(winDescent, ppem, upem);
  m.height = m.ascent + m.descent;
  m.internalLeading = std::max(0, m.height - ppem);
  int lineGap = Scale(f->height, ppem, upem) - m.height;
  m.externalLeading = std::max(0, lineGap);
  m.weight = os2 && os2->version != 0xFFFF ? os2->usWeightClass : (file.bold ? 700 : 400);
  m.italic = file.italic;
  m.charSet = r.charSet;
  m.firstChar = 0x1E;
  m.lastChar = 0xFF;
  bool fixed = FT_IS_FIXED_WIDTH(f);
  m.pitchAndFamily = kTmpfVector | kTmpfTrueType | (fixed ? 0 : kTmpfFixedPitch) |
                     (fixed ? FF_MODERN : FF_SWISS);
  bool synthBold = WantsBold(r) && !file.bold;
  bool synthItalic = r.italic && !file.italic;

  GlyphBuilder b(m.ascent, synthBold, synthItalic);
  bool unicode = f->charmap && f->charmap->encoding == FT_ENCODING_UNICODE;
  for (int c = 0; c < 256; ++c) {
    std::uint32_t code = unicode ? Cp1252ToUnicode(static_cast<unsigned char>(c)) : c;
    // Control characters draw nothing in outline faces rather than a box.
    unsigned gi = c < 0x20 ? 0 : FT_Get_Char_Index(f, code);
    if (FT_Load_Glyph(f, gi, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) continue;
    FT_GlyphSlot g = f->glyph;
    int advance = static_cast<int>((g->advance.x + 32) >> 6);
    b.AddMono(static_cast<unsigned char>(c), g->bitmap.buffer, g->bitmap.pitch,
              static_cast<int>(g->bitmap.width), static_cast<int>(g->bitmap.rows), g->bitmap_left,
              m.ascent - g->bitmap_top, advance);
    m.maxCharWidth = std::max(m.maxCharWidth, advance);
  }
  m.aveCharWidth = os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0
                       ? Scale(os2->xAvgCharWidth, ppem, upem)
                       : b.Glyphs()['x'].advance - (synthBold ? 1 : 0);
  ApplyRequestedStyle(m, r, synthBold, synthItalic);
  int rows = std::max(1, Scale(f->underline_thickness, ppem, upem));
  int under = m.ascent + std::max(1, Scale(-f->underline_position, ppem, upem)) - rows / 2;
  int strikeRows = rows;
  int strike = os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0
                   ? m.ascent - Scale(os2->yStrikeoutPosition, ppem, upem)
                   : StrikeRow(b, m);
  std::string face = f->family_name ? f->family_name : "";
  FT_Done_Face(f);
  return Finish(b, m, face, {under, rows, strike, strikeRows});
}

}  // namespace text
