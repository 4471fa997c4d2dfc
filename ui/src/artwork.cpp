#include "ui/artwork.h"

#include <array>
#include <cstdint>

#include "display/RxGIF.h"

namespace ui {

namespace {

using Rows = std::array<const char*, 16>;

// '.' is the transparent colour (fuchsia, used by nothing else).
TColor Ink(char c) {
  switch (c) {
    case 'k': return clBlack;
    case 'w': return clWhite;
    case 's': return clSilver;
    case 'a': return clGray;
    case 'y': return clYellow;
    case 'o': return clOlive;
    case 'G': return clGreen;
    case 'l': return clLime;
    case 'r': return clRed;
    case 'm': return clMaroon;
    case 'b': return clBlue;
    case 'n': return clNavy;
    default: return clFuchsia;
  }
}

constexpr Rows kOpen = {
    "................", "................", "................", ".kkkkk..........",
    "kwyyyyk.........", "kyyyyyykkkkkkkk.", "kwyyyyyyyyyyyyk.", "kyyyyyyyyyyyyyk.",
    "kwyyyyyyyyyyyyk.", "kyyyyyyyyyyyyyk.", "kwyyyyyyyyyyyyk.", "kyyyyyyyyyyyyyk.",
    "koooooooooooook.", "kkkkkkkkkkkkkkk.", "................", "................",
};

constexpr Rows kRefresh = {
    "................", "......GGGG......", "....GGllllGG.G..", "...Gl......GlG..",
    "..Gl.......GlG..", "..Gl......GllG..", ".Gl.......GGGG..", ".Gl.............",
    ".............lG.", "..GGGG.......lG.", "..GllG......lG..", "..GlG.......lG..",
    "..GlG......lG...", "..G.GGllllGG....", "......GGGG......", "................",
};

constexpr Rows kInstall = {
    "................", "......kkkk......", "......kllk......", "......kGlk......",
    "......kGlk......", "......kGlk......", "...kkkkGlkkkk...", "....kGGGllGk....",
    ".....kGGlGk.....", "......kGGk......", ".k.....kk.....k.", ".ks..........sk.",
    ".kwwwwwwwwwwwwk.", ".kaaaaaaaaaaaak.", ".kkkkkkkkkkkkkk.", "................",
};

constexpr Rows kRemove = {
    "................", "................", "..mm........mm..", "..mrm......mrm..",
    "...mrm....mrm...", "....mrm..mrm....", ".....mrmmrm.....", "......mrrm......",
    "......mrrm......", ".....mrmmrm.....", "....mrm..mrm....", "...mrm....mrm...",
    "..mrm......mrm..", "..mm........mm..", "................", "................",
};

const Rows& GlyphRows(GlyphKind kind) {
  static const Rows* const kAll[] = {&kOpen, &kRefresh, &kInstall, &kRemove};
  return *kAll[kind];
}

// A small fixed generator, so the pictures are the same on every run.
class StarSeed {
 public:
  explicit StarSeed(std::uint32_t seed) : state_(seed) {}
  int Next(int range) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(range));
  }

 private:
  std::uint32_t state_;
};

void Fill(TCanvas* canvas, const TRect& r, TColor color) {
  canvas->Brush()->SetColor(color);
  canvas->FillRect(r);
}

// Stars drift right by `shift` pixels per frame, wrapping round.
void DrawStars(TCanvas* canvas, int width, int height, int count, int shift) {
  StarSeed seed(0x5EED);
  for (int i = 0; i < count; ++i) {
    int x = seed.Next(width), y = seed.Next(height), speed = 1 + seed.Next(3);
    TColor color = speed == 3 ? clWhite : speed == 2 ? clSilver : clGray;
    canvas->SetPixel((x + shift * speed) % width, y, color);
  }
}

std::unique_ptr<TBitmap> NewPicture(int width, int height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(width, height);
  Fill(bitmap->Canvas(), Rect(0, 0, width, height), clBlack);
  return bitmap;
}

void Title(TCanvas* canvas, const TRect& r, const char* text, int height, TColor color) {
  canvas->Font()->SetName("Arial");
  canvas->Font()->SetHeight(height);
  canvas->Font()->SetStyle(TFontStyles{fsBold});
  canvas->Font()->SetColor(color);
  canvas->Brush()->SetStyle(bsClear);
  TSize size = canvas->TextExtent(text);
  canvas->TextOut(r.left + (RectWidth(r) - size.cx) / 2, r.top + (RectHeight(r) - size.cy) / 2, text);
  canvas->Brush()->SetStyle(bsSolid);
}

}  // namespace

std::unique_ptr<TBitmap> MakeGlyph(GlyphKind kind) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetPixelFormat(pf24bit);
  glyph->SetSize(16, 16);
  const Rows& rows = GlyphRows(kind);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) glyph->Canvas()->SetPixel(x, y, Ink(rows[y][x]));
  return glyph;
}

std::unique_ptr<TGIFImage> MakeLogo() {
  std::unique_ptr<TBitmap> picture = NewPicture(70, 70);
  TCanvas* canvas = picture->Canvas();
  DrawStars(canvas, 70, 70, 40, 0);
  canvas->Pen()->SetColor(clYellow);
  canvas->Brush()->SetStyle(bsClear);
  canvas->Rectangle(2, 2, 68, 68);
  Title(canvas, Rect(0, 12, 70, 40), "XvT", -22, clYellow);
  Title(canvas, Rect(0, 40, 70, 60), "BoP", -14, clRed);
  auto gif = std::make_unique<TGIFImage>();
  gif->AddFrame(picture.get());
  return gif;
}

std::unique_ptr<TGIFImage> MakeAboutAnimation() {
  constexpr int kFrames = 8;
  auto gif = std::make_unique<TGIFImage>();
  for (int f = 0; f < kFrames; ++f) {
    std::unique_ptr<TBitmap> picture = NewPicture(100, 75);
    DrawStars(picture->Canvas(), 100, 75, 60, f * 4);
    Title(picture->Canvas(), Rect(0, 20, 100, 55), "XvT", -26, clYellow);
    int index = gif->AddFrame(picture.get());
    gif->Frames(index)->AnimateInterval = 120;
  }
  gif->SetLooping(true);
  return gif;
}

}  // namespace ui
