// The standard-command cache: 110 well-known menu commands, looked up by
// caption, each with a glyph from a strip ordered by the sorted keys.
#pragma once

#include <memory>
#include <string>

#include "framework/image_list.h"
#include "framework/strings.h"

class TBitmap;

class T_AM2000_MenuItemCacheItem : public TObject {
 public:
  T_AM2000_MenuItemCacheItem(std::string shortCut, std::string hint, bool glyph, bool hasShortCut)
      : ShortCut(std::move(shortCut)), Hint(std::move(hint)), Glyph(glyph), HasShortCut(hasShortCut) {}

  std::string ShortCut;  // alternatives separated by ";"
  std::string Hint;
  bool Glyph;        // the strip holds a picture for this command
  bool HasShortCut;  // the entry carries shortcut text
};

class T_AM2000_MenuItemCache : public TStringList {
 public:
  T_AM2000_MenuItemCache();

  // The key a caption is looked up by: upper case, letters only.
  static std::string NormalizeKey(const std::string& caption);
  // The entry for a caption and its position (the glyph's index), or null.
  T_AM2000_MenuItemCacheItem* Lookup(const std::string& caption, int* index = nullptr) const;
  // The strip of glyphs in key order, made on first use.
  TCustomImageList* Images();

 private:
  std::unique_ptr<TCustomImageList> images_;
};

// The process's cache, built on first use.
T_AM2000_MenuItemCache& MenuItemCache();

// The keys in the order they are added, and the 110 glyphs of 16 x 16
// pixels in 16 colours drawn in sorted key order.
int CacheKeyCount();
const char* CacheKey(int index);
std::unique_ptr<TBitmap> MakeCacheGlyphStrip();
// The check-mark and radio-item glyphs shown for checked items.
std::unique_ptr<TBitmap> MakeCheckMarkGlyph();
std::unique_ptr<TBitmap> MakeRadioItemGlyph();
