#include "framework/gdi_resources.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "framework/bitmap.h"
#include "framework/exceptions.h"

namespace {

// Handles keyed by the data (and the resolved colour, since a system colour
// can change with the scheme).
template <class Key, class Handle>
class HandleCache {
 public:
  template <class Make>
  Handle Get(const Key& key, Make make) {
    std::lock_guard lock(mutex_);
    for (auto& [k, h] : entries_)
      if (k == key) return h;
    Handle h = make();
    if (!h) throw EOutOfResources("Out of system resources");
    entries_.emplace_back(key, h);
    return h;
  }

 private:
  std::mutex mutex_;
  std::vector<std::pair<Key, Handle>> entries_;
};

int PenStyleToGdi(TPenStyle style) {
  switch (style) {
    case psDash: return PS_DASH;
    case psDot: return PS_DOT;
    case psDashDot: return PS_DASHDOT;
    case psDashDotDot: return PS_DASHDOTDOT;
    case psClear: return PS_NULL;
    case psInsideFrame: return PS_INSIDEFRAME;
    case psSolid: break;
  }
  return PS_SOLID;
}

// Whether the 8x8 hatch of `style` covers (x, y).
bool HatchCovers(TBrushStyle style, int x, int y) {
  switch (style) {
    case bsHorizontal: return y == 7;
    case bsVertical: return x == 7;
    case bsFDiagonal: return x == y;
    case bsBDiagonal: return x == 7 - y;
    case bsCross: return x == 7 || y == 7;
    default: return x == y || x == 7 - y;
  }
}

// The window layer draws no hatch brushes, so a hatch is an 8x8 colour
// pattern: lines in the colour over white.
HBRUSH MakeHatchBrush(TBrushStyle style, COLORREF rgb) {
  std::vector<std::uint8_t> info(sizeof(BITMAPINFO), 0);
  auto* bmi = reinterpret_cast<BITMAPINFO*>(info.data());
  bmi->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP pattern = CreateDIBSection(dc, bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  DeleteDC(dc);
  if (!pattern || !bits) return nullptr;
  auto* px = static_cast<std::uint32_t*>(bits);
  const std::uint32_t line = (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) px[y * 8 + x] = HatchCovers(style, x, y) ? line : 0xFFFFFFu;
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);  // the brush keeps its own copy
  return brush;
}

}  // namespace

LOGFONTA FontToLogFont(const TFontData& data) {
  LOGFONTA lf{};
  lf.lfHeight = data.height;
  lf.lfWeight = data.style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = data.style.Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = data.style.Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = data.style.Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = data.charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = data.pitch == fpFixed ? FIXED_PITCH : data.pitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  // The face name is cut to fit with its terminator, as the API requires.
  std::size_t n = std::min(data.name.size(), static_cast<std::size_t>(LF_FACESIZE - 1));
  std::memcpy(lf.lfFaceName, data.name.data(), n);
  return lf;
}

HFONT FontHandle(const TFontData& data) {
  static HandleCache<TFontData, HFONT> cache;
  return cache.Get(data, [&] {
    LOGFONTA lf = FontToLogFont(data);
    return CreateFontIndirectA(&lf);
  });
}

HPEN PenHandle(const TPenData& data) {
  static HandleCache<std::pair<TPenData, COLORREF>, HPEN> cache;
  COLORREF rgb = ColorToRGB(data.color);
  return cache.Get({data, rgb}, [&] { return CreatePen(PenStyleToGdi(data.style), data.width, rgb); });
}

HBRUSH BrushHandle(const TBrushData& data) {
  if (data.style == bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  static HandleCache<std::pair<int, COLORREF>, HBRUSH> cache;
  COLORREF rgb = ColorToRGB(data.color);
  int style = data.style;
  return cache.Get({style, rgb}, [&] {
    return data.style == bsSolid ? CreateSolidBrush(rgb) : MakeHatchBrush(data.style, rgb);
  });
}

HBRUSH CreateBrushHandle(const TBrushData& data) {
  if (data.bitmap && !data.bitmap->Empty()) {
    HBRUSH brush = CreatePatternBrush(data.bitmap->Handle());
    if (!brush) throw EOutOfResources("Out of system resources");
    return brush;
  }
  return BrushHandle(data);
}
