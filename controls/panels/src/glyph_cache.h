// Image lists of the toolbar buttons' built state images, shared between
// buttons by image size: TGlyphList hands out slots, TGlyphCache keeps one
// list per size for the whole process.
#pragma once

#include <win32/windows.h>

#include <memory>
#include <vector>

class TGlyphList {
 public:
  TGlyphList(int width, int height);
  ~TGlyphList();
  TGlyphList(const TGlyphList&) = delete;
  TGlyphList& operator=(const TGlyphList&) = delete;

  // Stores the image in the lowest free slot (replacing what lay there, or
  // appending past the end) with `mask` as its mask; answers the slot.
  int Add(HBITMAP image, HBITMAP mask);
  // The same with a mask made from the pixels of `maskColour`.
  int AddMasked(HBITMAP image, COLORREF maskColour);
  // Only marks the slot free.
  void Delete(int index);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int UsedCount() const { return count_; }
  HIMAGELIST Handle() const { return list_; }

 private:
  int AllocateSlot();

  HIMAGELIST list_ = nullptr;
  std::vector<bool> used_;
  int count_ = 0;
  int width_, height_;
};

class TGlyphCache {
 public:
  // The list of exactly this size (the most recently made first), or a new one.
  TGlyphList* GetList(int width, int height);
  // Frees the list once none of its slots is used.
  void ReturnList(TGlyphList* list);
  bool Empty() const { return lists_.empty(); }
  int ListCount() const { return static_cast<int>(lists_.size()); }

 private:
  std::vector<std::unique_ptr<TGlyphList>> lists_;
};

// The process's cache: made on first use, freed when its last list goes.
TGlyphCache* GlyphCache();
void ReleaseGlyphCacheIfEmpty();
// Whether the cache currently exists (for tests).
bool GlyphCacheExists();

// A monochrome mask of `image` (w x h): white where the pixel is
// `colour`, black elsewhere. The caller deletes it.
HBITMAP MakeColourMask(HBITMAP image, int w, int h, COLORREF colour);
