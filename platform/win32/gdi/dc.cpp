// Device contexts: creation and deletion, the saved-state stack, object
// selection, and the translation of DC state for the raster engine.
#include "dc.h"

#include "dib.h"

#include <algorithm>
#include <cstring>

namespace gdi {

std::shared_ptr<DcObject> NewDc(DcType type) {
  auto dc = std::make_shared<DcObject>();
  dc->type = type;
  DcState& st = dc->st;
  st.hbrush = static_cast<HBRUSH>(StockObject(WHITE_BRUSH));
  st.brush = LookupBrush(st.hbrush);
  st.hpen = static_cast<HPEN>(StockObject(BLACK_PEN));
  st.pen = LookupPen(st.hpen);
  st.hfont = static_cast<HFONT>(StockObject(SYSTEM_FONT));
  st.font = LookupFont(st.hfont);
  st.hpalette = static_cast<HPALETTE>(StockObject(DEFAULT_PALETTE));
  st.palette = LookupPalette(st.hpalette);
  if (type == DcType::Memory) {
    st.hbitmap = DefaultBitmap();
    st.bitmap = LookupBitmap(st.hbitmap);
  }
  return dc;
}

HDC AddDc(std::shared_ptr<DcObject> dc) { return static_cast<HDC>(AddObject(std::move(dc))); }

RECT LogicalToSurface(const DcObject& dc, const Target& t, long long l, long long top, long long r, long long b) {
  POINT a = ToDevice(dc.st, l, top), c = ToDevice(dc.st, r, b);
  return RECT{Limit(std::min(a.x, c.x) + t.origin.x), Limit(std::min(a.y, c.y) + t.origin.y),
              Limit(std::max(a.x, c.x) + t.origin.x), Limit(std::max(a.y, c.y) + t.origin.y)};
}

bool ResolveTarget(DcObject& dc, Target& t, bool forReading) {
  t = Target{};
  if (dc.type == DcType::Memory) {
    if (!dc.st.bitmap) return false;
    t.bitmap = dc.st.bitmap;
    SyncFromBits(*t.bitmap);
    t.surface = t.bitmap->surface;
    t.mono = t.bitmap->mono();
  } else {
    if (dc.type == DcType::Screen) dc.surface = ScreenSurface(forReading || !dc.surface);
    t.surface = dc.surface;
    t.origin = dc.deviceOrigin;
  }
  if (!t.surface) return false;
  const RECT bounds{0, 0, t.surface->width, t.surface->height};
  if (!dc.visible && !dc.st.clip) {  // the common case, without region arithmetic
    if (!RectEmpty(bounds)) t.clip.push_back(bounds);
    return true;
  }
  Region clip = dc.visible ? Region::Combine(*dc.visible, Region(bounds), RGN_AND) : Region(bounds);
  if (dc.st.clip) {
    Region app = *dc.st.clip;
    app.Offset(t.origin.x, t.origin.y);
    clip = Region::Combine(clip, app, RGN_AND);
  }
  t.clip = clip.Rects();
  return true;
}

void FinishDrawing(Target& t) {
  if (t.bitmap) SyncToBits(*t.bitmap);
}

std::uint32_t ResolveColor(const DcObject& dc, COLORREF c) {
  if ((c >> 24) == 0x01) {
    const auto& pal = dc.st.palette;
    std::size_t i = c & 0xFFFF;
    if (pal && i < pal->entries.size()) {
      const PALETTEENTRY& e = pal->entries[i];
      return std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
    }
    return 0;
  }
  return PixelOf(c & 0x00FFFFFF);
}

std::uint32_t TargetPixel(const Target& t, const DcObject& dc, COLORREF c) {
  std::uint32_t px = ResolveColor(dc, c);
  return t.mono ? MonoOf(px) : px;
}

Pattern MakePattern(const DcObject& dc, const Target& t, const BrushObject* brush) {
  Pattern p;
  if (!brush || brush->style == BrushStyle::Null) {
    p.none = true;
    return p;
  }
  p.orgX = dc.st.brushOrg.x + t.origin.x;
  p.orgY = dc.st.brushOrg.y + t.origin.y;
  if (brush->style != BrushStyle::Pattern || !brush->pattern) {
    COLORREF c = brush->dcColor ? dc.st.dcBrushColor : brush->color;
    p.color = TargetPixel(t, dc, c);
    return p;
  }
  const Surface& src = *brush->pattern;
  // Convert the tile only when its colours depend on the DC or the target.
  if (!brush->monoPattern && !t.mono) {
    p.tile = brush->pattern;
    return p;
  }
  auto tile = MakeSurface(src.width, src.height);
  const std::uint32_t fore = TargetPixel(t, dc, dc.st.textColor), back = TargetPixel(t, dc, dc.st.bkColor);
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x) {
      std::uint32_t v = src.At(x, y);
      tile->At(x, y) = brush->monoPattern ? (v ? back : fore) : MonoOf(v);
    }
  p.tile = tile;
  return p;
}

Source MakeSource(const DcObject& dstDc, const Target& t, const DcObject& srcDc, const Target& st) {
  Source s;
  s.surface = st.surface.get();
  if (st.mono && !t.mono) {
    s.monoToColor = true;
    s.fore = ResolveColor(dstDc, dstDc.st.textColor);
    s.back = ResolveColor(dstDc, dstDc.st.bkColor);
  } else if (!st.mono && t.mono) {
    s.colorToMono = true;
    s.back = ResolveColor(srcDc, srcDc.st.bkColor);
  }
  return s;
}

}  // namespace gdi

using namespace gdi;

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  CoreGuard guard(CoreLock());
  if (hdc && !LookupDc(hdc)) return nullptr;
  return AddDc(NewDc(DcType::Memory));
}

HDC WINAPI CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR, const DEVMODEA*) {
  CoreGuard guard(CoreLock());
  const char* name = driver ? driver : device;
  if (!name) return nullptr;
  std::string n(name);
  std::transform(n.begin(), n.end(), n.begin(), [](unsigned char ch) { return char(std::toupper(ch)); });
  if (n != "DISPLAY" && n != "\\\\.\\DISPLAY1") return nullptr;
  return gdi::CreateScreenDC();
}

BOOL WINAPI DeleteDC(HDC hdc) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return FALSE;
  if (dc->st.bitmap && dc->st.bitmap->selectedInto == hdc) dc->st.bitmap->selectedInto = nullptr;
  for (DcState& s : dc->saved)
    if (s.bitmap && s.bitmap->selectedInto == hdc) s.bitmap->selectedInto = nullptr;
  return RemoveObject(hdc) ? TRUE : FALSE;
}

int WINAPI SaveDC(HDC hdc) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return 0;
  dc->saved.push_back(dc->st);
  return static_cast<int>(dc->saved.size());
}

BOOL WINAPI RestoreDC(HDC hdc, int level) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return FALSE;
  const int depth = static_cast<int>(dc->saved.size());
  if (level < 0) level = depth + 1 + level;  // -1 = the most recent
  if (level <= 0 || level > depth) return FALSE;
  DcState restored = dc->saved[static_cast<std::size_t>(level - 1)];
  dc->saved.resize(static_cast<std::size_t>(level - 1));
  if (restored.bitmap != dc->st.bitmap) {
    if (dc->st.bitmap && dc->st.bitmap->selectedInto == hdc) dc->st.bitmap->selectedInto = nullptr;
    if (restored.bitmap && !restored.bitmap->stock) restored.bitmap->selectedInto = hdc;
  }
  dc->st = std::move(restored);
  return TRUE;
}

namespace {

template <class T>
HGDIOBJ Swap(std::shared_ptr<T>& slot, auto& handle, std::shared_ptr<T> obj, HGDIOBJ h) {
  HGDIOBJ old = handle;
  slot = std::move(obj);
  handle = static_cast<std::remove_reference_t<decltype(handle)>>(h);
  return old;
}

HGDIOBJ SelectBitmap(HDC hdc, DcObject& dc, std::shared_ptr<BitmapObject> bm, HGDIOBJ h) {
  if (dc.type != DcType::Memory) return nullptr;
  if (bm->selectedInto && bm->selectedInto != hdc && LookupDc(bm->selectedInto)) return nullptr;
  if (dc.st.bitmap && dc.st.bitmap->selectedInto == hdc) dc.st.bitmap->selectedInto = nullptr;
  if (!bm->stock) bm->selectedInto = hdc;
  return Swap(dc.st.bitmap, dc.st.hbitmap, std::move(bm), h);
}

}  // namespace

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  auto obj = LookupObject(h);
  if (!dc || !obj) return nullptr;
  DcState& st = dc->st;
  switch (obj->kind) {
    case Kind::Bitmap: return SelectBitmap(hdc, *dc, std::static_pointer_cast<BitmapObject>(obj), h);
    case Kind::Brush: return Swap(st.brush, st.hbrush, std::static_pointer_cast<BrushObject>(obj), h);
    case Kind::Pen: return Swap(st.pen, st.hpen, std::static_pointer_cast<PenObject>(obj), h);
    case Kind::Font: return Swap(st.font, st.hfont, std::static_pointer_cast<FontObject>(obj), h);
    case Kind::Region: {
      // Selecting a region sets a copy as the clip region; the result is its type.
      st.clip = std::static_pointer_cast<RegionObject>(obj)->region;
      return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(st.clip->Type()));
    }
    default: return nullptr;  // palettes go through SelectPalette
  }
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  CoreGuard guard(CoreLock());
  auto dc = LookupDc(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_BITMAP: return dc->st.hbitmap;
    case OBJ_BRUSH: return dc->st.hbrush;
    case OBJ_PEN: return dc->st.hpen;
    case OBJ_FONT: return dc->st.hfont;
    case OBJ_PAL: return dc->st.hpalette;
    default: return nullptr;
  }
}
