#include "glyph_cache.h"

#include <algorithm>

TGlyphList::TGlyphList(int width, int height) : width_(width), height_(height) {
  list_ = ImageList_Create(width, height, ILC_COLORDDB | ILC_MASK, 4, 4);
}

TGlyphList::~TGlyphList() {
  if (list_) ImageList_Destroy(list_);
}

int TGlyphList::AllocateSlot() {
  auto free = std::find(used_.begin(), used_.end(), false);
  const int slot = static_cast<int>(free - used_.begin());
  if (free == used_.end()) used_.push_back(true);
  else *free = true;
  ++count_;
  return slot;
}

int TGlyphList::Add(HBITMAP image, HBITMAP mask) {
  const int slot = AllocateSlot();
  if (slot >= ImageList_GetImageCount(list_)) {
    ImageList_Add(list_, image, mask);
  } else {
    ImageList_Replace(list_, slot, image, mask);
  }
  return slot;
}

int TGlyphList::AddMasked(HBITMAP image, COLORREF maskColour) {
  HBITMAP mask = MakeColourMask(image, width_, height_, maskColour);
  const int slot = Add(image, mask);
  DeleteObject(mask);
  return slot;
}

void TGlyphList::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(used_.size()) || !used_[index]) return;
  used_[index] = false;
  --count_;
}

TGlyphList* TGlyphCache::GetList(int width, int height) {
  for (auto it = lists_.rbegin(); it != lists_.rend(); ++it)
    if ((*it)->Width() == width && (*it)->Height() == height) return it->get();
  lists_.push_back(std::make_unique<TGlyphList>(width, height));
  return lists_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
  if (!list || list->UsedCount() != 0) return;
  std::erase_if(lists_, [list](const auto& l) { return l.get() == list; });
}

namespace {
std::unique_ptr<TGlyphCache>& CacheHolder() {
  static std::unique_ptr<TGlyphCache> cache;
  return cache;
}
}  // namespace

TGlyphCache* GlyphCache() {
  auto& cache = CacheHolder();
  if (!cache) cache = std::make_unique<TGlyphCache>();
  return cache.get();
}

void ReleaseGlyphCacheIfEmpty() {
  auto& cache = CacheHolder();
  if (cache && cache->Empty()) cache.reset();
}

bool GlyphCacheExists() { return CacheHolder() != nullptr; }

HBITMAP MakeColourMask(HBITMAP image, int w, int h, COLORREF colour) {
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSrc = SelectObject(src, image), oldDst = SelectObject(dst, mask);
  // A colour-to-monochrome copy turns the background colour white.
  SetBkColor(src, colour);
  BitBlt(dst, 0, 0, w, h, src, 0, 0, SRCCOPY);
  SelectObject(src, oldSrc);
  SelectObject(dst, oldDst);
  DeleteDC(src);
  DeleteDC(dst);
  return mask;
}
