#include "framework/gdi_resources.h"

#include <algorithm>
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

int HatchOf(TBrushStyle style) {
  switch (style) {
    case bsHorizontal: return HS_HORIZONTAL;
    case bsVertical: return HS_VERTICAL;
    case bsFDiagonal: return HS_FDIAGONAL;
    case bsBDiagonal: return HS_BDIAGONAL;
    case bsCross: return HS_CROSS;
    default: return HS_DIAGCROSS;
  }
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
    return data.style == bsSolid ? CreateSolidBrush(rgb) : CreateHatchBrush(HatchOf(data.style), rgb);
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
