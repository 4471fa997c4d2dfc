#include "objects.h"

#include <cstring>
#include <deque>

namespace gdi {

std::recursive_mutex& CoreLock() {
  static std::recursive_mutex lock;
  return lock;
}

namespace {

// Handle value: generation in the top bits, slot index offset by kBase so no
// handle collides with the small integers Windows accepts in place of
// brushes (system colour index + 1).
constexpr std::uintptr_t kBase = 0x1000;
constexpr std::uintptr_t kIndexBits = 22;
constexpr std::uintptr_t kIndexMask = (std::uintptr_t{1} << kIndexBits) - 1;
constexpr std::uintptr_t kGenMask = 0x3FF;

struct Slot {
  std::shared_ptr<Object> object;
  std::uintptr_t generation = 0;
};

struct Table {
  std::vector<Slot> slots;
  std::deque<std::size_t> free;  // FIFO, so a slot is reused as late as possible
};

Table& TheTable() {
  static Table table;
  return table;
}

bool Decode(const void* handle, std::size_t& index, std::uintptr_t& gen) {
  auto v = reinterpret_cast<std::uintptr_t>(handle);
  if ((v >> (kIndexBits + 10)) != 0) return false;
  std::uintptr_t idx = v & kIndexMask;
  if (idx < kBase) return false;
  index = idx - kBase;
  gen = (v >> kIndexBits) & kGenMask;
  return true;
}

}  // namespace

void* AddObject(std::shared_ptr<Object> object) {
  CoreGuard guard(CoreLock());
  Table& t = TheTable();
  std::size_t index;
  if (!t.free.empty() && (t.free.size() > 64 || t.slots.size() >= kIndexMask - kBase)) {
    index = t.free.front();
    t.free.pop_front();
  } else if (t.slots.size() < kIndexMask - kBase) {
    index = t.slots.size();
    t.slots.emplace_back();
  } else {
    return nullptr;
  }
  Slot& s = t.slots[index];
  s.object = std::move(object);
  return reinterpret_cast<void*>(((s.generation & kGenMask) << kIndexBits) | (index + kBase));
}

std::shared_ptr<Object> LookupObject(const void* handle) {
  CoreGuard guard(CoreLock());
  std::size_t index;
  std::uintptr_t gen;
  if (!Decode(handle, index, gen)) return nullptr;
  Table& t = TheTable();
  if (index >= t.slots.size()) return nullptr;
  const Slot& s = t.slots[index];
  if (!s.object || (s.generation & kGenMask) != gen) return nullptr;
  return s.object;
}

bool RemoveObject(const void* handle) {
  CoreGuard guard(CoreLock());
  std::size_t index;
  std::uintptr_t gen;
  if (!Decode(handle, index, gen)) return false;
  Table& t = TheTable();
  if (index >= t.slots.size()) return false;
  Slot& s = t.slots[index];
  if (!s.object || (s.generation & kGenMask) != gen) return false;
  s.object.reset();
  ++s.generation;
  t.free.push_back(index);
  return true;
}

bool SizeAcceptable(long long w, long long h) {
  return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

std::shared_ptr<Surface> MakeSurface(int w, int h) {
  if (w < 0 || h < 0 || (w > 0 && h > 0 && !SizeAcceptable(w, h))) return nullptr;
  auto s = std::make_shared<Surface>();
  s->width = w, s->height = h, s->stride = w;
  s->storage.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  s->bits = s->storage.data();
  return s;
}

std::shared_ptr<Surface> WrapSurface(int w, int h, std::ptrdiff_t stride, std::uint32_t* bits) {
  if (w < 0 || h < 0 || !bits) return nullptr;
  auto s = std::make_shared<Surface>();
  s->width = w, s->height = h, s->stride = stride, s->bits = bits;
  return s;
}

std::shared_ptr<BitmapObject> NewBitmap(int w, int h, int bitsPixel) {
  auto bm = std::make_shared<BitmapObject>();
  bm->surface = MakeSurface(w, h);
  if (!bm->surface) return nullptr;
  bm->bitsPixel = bitsPixel;
  return bm;
}

HBITMAP AddBitmap(std::shared_ptr<BitmapObject> bm) {
  if (!bm) return nullptr;
  return static_cast<HBITMAP>(AddObject(std::move(bm)));
}

namespace {

std::shared_ptr<BrushObject> SolidBrush(COLORREF c) {
  auto b = std::make_shared<BrushObject>();
  b->color = c;
  b->stock = true;
  return b;
}

std::shared_ptr<PenObject> StockPen(UINT style, COLORREF c) {
  auto p = std::make_shared<PenObject>();
  p->style = style, p->color = c, p->stock = true;
  return p;
}

std::shared_ptr<FontObject> StockFont(const char* face, LONG height, BYTE pitch) {
  auto f = std::make_shared<FontObject>();
  f->logfont.lfHeight = height;
  f->logfont.lfWeight = FW_NORMAL;
  f->logfont.lfCharSet = ANSI_CHARSET;
  f->logfont.lfPitchAndFamily = pitch;
  std::strncpy(f->logfont.lfFaceName, face, LF_FACESIZE - 1);
  f->stock = true;
  return f;
}

std::shared_ptr<Object> MakeStock(int index) {
  switch (index) {
    case WHITE_BRUSH: return SolidBrush(0xFFFFFF);
    case LTGRAY_BRUSH: return SolidBrush(0xC0C0C0);
    case GRAY_BRUSH: return SolidBrush(0x808080);
    case DKGRAY_BRUSH: return SolidBrush(0x404040);
    case BLACK_BRUSH: return SolidBrush(0x000000);
    case NULL_BRUSH: {
      auto b = SolidBrush(0);
      b->style = BrushStyle::Null;
      return b;
    }
    case WHITE_PEN: return StockPen(PS_SOLID, 0xFFFFFF);
    case BLACK_PEN: return StockPen(PS_SOLID, 0x000000);
    case NULL_PEN: return StockPen(PS_NULL, 0x000000);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: return StockFont("Courier", -13, FIXED_PITCH | FF_MODERN);
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case DEFAULT_GUI_FONT: return StockFont("MS Sans Serif", -11, VARIABLE_PITCH | FF_SWISS);
    case DEFAULT_PALETTE: {
      auto p = std::make_shared<PaletteObject>();
      for (const RGBQUAD& q : DefaultColorTable(4))
        p->entries.push_back(PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0});
      p->stock = true;
      return p;
    }
    case DC_BRUSH: {
      auto b = SolidBrush(0xFFFFFF);
      b->dcColor = true;
      return b;
    }
    case DC_PEN: {
      auto p = StockPen(PS_SOLID, 0);
      p->dcColor = true;
      return p;
    }
    default: return nullptr;
  }
}

}  // namespace

HGDIOBJ StockObject(int index) {
  CoreGuard guard(CoreLock());
  static HGDIOBJ made[STOCK_LAST + 1] = {};
  if (index < 0 || index > STOCK_LAST) return nullptr;
  if (!made[index]) {
    auto obj = MakeStock(index);
    if (obj) made[index] = AddObject(obj);
  }
  return made[index];
}

HBITMAP DefaultBitmap() {
  CoreGuard guard(CoreLock());
  static HBITMAP bitmap = nullptr;
  if (!bitmap) {
    auto bm = NewBitmap(1, 1, 1);
    bm->surface->At(0, 0) = 0xFFFFFF;
    bm->stock = true;
    bitmap = AddBitmap(bm);
  }
  return bitmap;
}

namespace {

HBRUSH* SysColorBrushes() {
  static HBRUSH brushes[COLOR_MENUBAR + 1] = {};
  return brushes;
}

}  // namespace

HBRUSH SysColorBrush(int index) {
  CoreGuard guard(CoreLock());
  if (index < 0 || index > COLOR_MENUBAR) return nullptr;
  HBRUSH* brushes = SysColorBrushes();
  COLORREF c = SysColor(index);
  if (!brushes[index]) {
    auto b = std::make_shared<BrushObject>();
    b->style = BrushStyle::SysColor;
    b->color = c;
    b->hatch = static_cast<ULONG_PTR>(index);
    b->stock = true;
    brushes[index] = static_cast<HBRUSH>(AddObject(b));
  }
  return brushes[index];
}

void RecolorSysColorBrush(int index) {
  CoreGuard guard(CoreLock());
  if (index < 0 || index > COLOR_MENUBAR || !SysColorBrushes()[index]) return;
  if (auto b = LookupBrush(SysColorBrushes()[index])) b->color = SysColor(index);
}

const std::vector<RGBQUAD>& DefaultColorTable(int bits) {
  static const std::vector<RGBQUAD> mono{{0, 0, 0, 0}, {255, 255, 255, 0}};
  // The 16 colours of the standard VGA palette.
  static const std::vector<RGBQUAD> vga = [] {
    const std::uint32_t rgb[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                   0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                   0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<RGBQUAD> t;
    for (std::uint32_t c : rgb)
      t.push_back(RGBQUAD{BYTE(c & 0xFF), BYTE((c >> 8) & 0xFF), BYTE(c >> 16), 0});
    return t;
  }();
  // 256 colours: the 16 VGA colours, a 6x6x6 colour cube and a grey ramp.
  static const std::vector<RGBQUAD> full = [] {
    std::vector<RGBQUAD> t = vga;
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) t.push_back(RGBQUAD{BYTE(b * 51), BYTE(g * 51), BYTE(r * 51), 0});
    for (int i = 0; t.size() < 256; ++i) {
      BYTE v = BYTE(8 + i * 10);
      t.push_back(RGBQUAD{v, v, v, 0});
    }
    return t;
  }();
  if (bits == 1) return mono;
  if (bits == 4) return vga;
  return full;
}

}  // namespace gdi
