// The objects behind GDI handles and the handle table that hands them out.
// Handles carry a slot index and a generation, so a handle whose object was
// deleted is refused even after its slot is reused.
#pragma once

#include "gdi/internal/gdi_internal.h"
#include "region.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace gdi {

enum class Kind : std::uint8_t { Dc = 1, Bitmap, Brush, Pen, Font, Region, Palette };

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Kind kind;
  bool stock = false;  // stock objects ignore DeleteObject
};

// A DIB section keeps the caller-visible bits in its own format; depths other
// than 32 keep a converted copy in the surface and sync around each use.
struct DibSection {
  BITMAPINFOHEADER header{};
  std::vector<RGBQUAD> colors;
  std::vector<std::uint8_t> bits;  // non-32-bit depths
  bool synced32 = false;           // 32 bpp: the surface wraps the bits directly
  void* userBits = nullptr;
};

struct BitmapObject : Object {
  BitmapObject() : Object(Kind::Bitmap) {}
  std::shared_ptr<Surface> surface;
  int bitsPixel = 32;  // reported depth; 1 = monochrome
  bool mono() const { return bitsPixel == 1; }
  HDC selectedInto = nullptr;
  std::unique_ptr<DibSection> dib;
};

enum class BrushStyle { Solid, Null, Pattern, SysColor };
struct BrushObject : Object {
  BrushObject() : Object(Kind::Brush) {}
  BrushStyle style = BrushStyle::Solid;
  COLORREF color = 0;
  ULONG_PTR hatch = 0;
  // Pattern brushes keep a copy of their bitmap; a monochrome pattern takes
  // the DC's text and background colours when it is drawn.
  std::shared_ptr<Surface> pattern;
  bool monoPattern = false;
  HBITMAP patternHandle = nullptr;
  bool dcColor = false;  // DC_BRUSH: takes the colour of SetDCBrushColor
};

struct PenObject : Object {
  PenObject() : Object(Kind::Pen) {}
  UINT style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
  bool dcColor = false;  // DC_PEN: takes the colour of SetDCPenColor
};

struct FontObject : Object {
  FontObject() : Object(Kind::Font) {}
  LOGFONTA logfont{};
};

struct RegionObject : Object {
  RegionObject() : Object(Kind::Region) {}
  Region region;
};

struct PaletteObject : Object {
  PaletteObject() : Object(Kind::Palette) {}
  std::vector<PALETTEENTRY> entries;
};

enum class DcType { Memory, Surface, Screen };

struct DcState {
  std::shared_ptr<BitmapObject> bitmap;
  HBITMAP hbitmap = nullptr;
  std::shared_ptr<BrushObject> brush;
  HBRUSH hbrush = nullptr;
  std::shared_ptr<PenObject> pen;
  HPEN hpen = nullptr;
  std::shared_ptr<FontObject> font;
  HFONT hfont = nullptr;
  std::shared_ptr<PaletteObject> palette;
  HPALETTE hpalette = nullptr;
  COLORREF textColor = 0x000000;
  COLORREF bkColor = 0xFFFFFF;
  COLORREF dcBrushColor = 0xFFFFFF;
  COLORREF dcPenColor = 0x000000;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretchMode = BLACKONWHITE;
  int mapMode = MM_TEXT;
  int polyFillMode = ALTERNATE;
  UINT textAlign = TA_LEFT | TA_TOP;
  POINT viewportOrg{0, 0};
  POINT windowOrg{0, 0};
  POINT brushOrg{0, 0};
  POINT pos{0, 0};
  std::optional<Region> clip;  // device coordinates
};

struct DcObject : Object {
  DcObject() : Object(Kind::Dc) {}
  DcType type = DcType::Memory;
  DcState st;
  std::vector<DcState> saved;
  // Window and screen DCs draw on a surface they do not own through a bitmap.
  std::shared_ptr<Surface> surface;
  POINT deviceOrigin{0, 0};
  std::optional<Region> visible;  // surface coordinates
};

// One lock for the whole drawing core: calls may come from several threads.
std::recursive_mutex& CoreLock();
using CoreGuard = std::lock_guard<std::recursive_mutex>;

// The handle table.
void* AddObject(std::shared_ptr<Object> object);
std::shared_ptr<Object> LookupObject(const void* handle);
bool RemoveObject(const void* handle);
template <class T>
std::shared_ptr<T> Lookup(const void* handle, Kind kind) {
  auto obj = LookupObject(handle);
  if (!obj || obj->kind != kind) return nullptr;
  return std::static_pointer_cast<T>(obj);
}
inline std::shared_ptr<DcObject> LookupDc(HDC h) { return Lookup<DcObject>(h, Kind::Dc); }
inline std::shared_ptr<BitmapObject> LookupBitmap(HBITMAP h) { return Lookup<BitmapObject>(h, Kind::Bitmap); }
inline std::shared_ptr<BrushObject> LookupBrush(HBRUSH h) { return Lookup<BrushObject>(h, Kind::Brush); }
inline std::shared_ptr<PenObject> LookupPen(HPEN h) { return Lookup<PenObject>(h, Kind::Pen); }
inline std::shared_ptr<FontObject> LookupFont(HFONT h) { return Lookup<FontObject>(h, Kind::Font); }
inline std::shared_ptr<RegionObject> LookupRegion(HRGN h) { return Lookup<RegionObject>(h, Kind::Region); }
inline std::shared_ptr<PaletteObject> LookupPalette(HPALETTE h) { return Lookup<PaletteObject>(h, Kind::Palette); }

// Stock objects, made on first use.
HGDIOBJ StockObject(int index);
HBITMAP DefaultBitmap();  // the 1 x 1 monochrome bitmap of a new memory DC
HBRUSH SysColorBrush(int index);
// Gives the brush of a system colour, if made, the colour's current value.
void RecolorSysColorBrush(int index);

// Limits: a surface may hold at most this many pixels (and each side at most
// kMaxSide), so sizes from callers can never overflow or exhaust memory.
constexpr int kMaxSide = 1 << 15;
constexpr long long kMaxPixels = 1LL << 26;
bool SizeAcceptable(long long w, long long h);

std::shared_ptr<BitmapObject> NewBitmap(int w, int h, int bitsPixel);
HBITMAP AddBitmap(std::shared_ptr<BitmapObject> bm);

// The default palettes of 1, 4 and 8-bit DIBs read from a colour bitmap.
const std::vector<RGBQUAD>& DefaultColorTable(int bits);

}  // namespace gdi
