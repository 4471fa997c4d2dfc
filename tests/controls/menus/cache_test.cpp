// The standard-command cache: keys, glyph positions and the glyph strip.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/image_list.h"
#include "menus/am2000cache.h"

namespace {

class MenuCache : public ::testing::Test {
 protected:
  void SetUp() override { headless::Start(320, 200); }
};

TEST_F(MenuCache, CaptionsAreLookedUpByTheirLettersInUpperCase) {
  EXPECT_EQ(T_AM2000_MenuItemCache::NormalizeKey("&Open..."), "OPEN");
  EXPECT_EQ(T_AM2000_MenuItemCache::NormalizeKey("Delete_b"), "DELETEB");
  EXPECT_EQ(T_AM2000_MenuItemCache::NormalizeKey("Save &As...\tF12"), "SAVEASF");
  T_AM2000_MenuItemCache& cache = MenuItemCache();
  EXPECT_EQ(cache.Count(), 110);
  int index = -1;
  T_AM2000_MenuItemCacheItem* open = cache.Lookup("&Open...", &index);
  ASSERT_NE(open, nullptr);
  EXPECT_TRUE(open->Glyph);
  EXPECT_EQ(open->ShortCut, "Ctrl+O");
  EXPECT_EQ(open->Hint, "Opens an existing document from a file");
  EXPECT_EQ(cache.Strings(index), "OPEN");
  // The glyph index is the key's place among the sorted keys.
  std::vector<std::string> keys;
  for (int i = 0; i < CacheKeyCount(); ++i) keys.emplace_back(CacheKey(i));
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys[static_cast<std::size_t>(index)], "OPEN");
  for (int i = 0; i < cache.Count(); ++i) EXPECT_EQ(cache.Strings(i), keys[static_cast<std::size_t>(i)]);
}

TEST_F(MenuCache, EntriesCarryTheirFlagsAndTexts) {
  T_AM2000_MenuItemCache& cache = MenuItemCache();
  for (const char* caption : {"&File", "&Help", "Select &All", "Save &As..."}) {
    T_AM2000_MenuItemCacheItem* entry = cache.Lookup(caption);
    ASSERT_NE(entry, nullptr) << caption;
    EXPECT_FALSE(entry->Glyph) << caption;
  }
  EXPECT_EQ(cache.Lookup("&Help")->Hint, "Contains commands for solving problem situations");
  EXPECT_EQ(cache.Lookup("Copy")->ShortCut, "Ctrl+C;Ctrl+Ins");
  EXPECT_EQ(cache.Lookup("Save")->ShortCut, "Ctrl+S;Shift+F12;Alt+Shift+F2");
  int withShortCut = 0;
  for (int i = 0; i < cache.Count(); ++i) {
    auto* entry = static_cast<T_AM2000_MenuItemCacheItem*>(cache.Objects(i));
    withShortCut += entry->HasShortCut;
    EXPECT_EQ(entry->HasShortCut, !entry->ShortCut.empty());
    EXPECT_FALSE(entry->Hint.empty()) << cache.Strings(i);
  }
  EXPECT_EQ(withShortCut, 31);
  // This program's other captions are no commands of the cache.
  for (const char* caption : {"&Install", "E&xit", "&XvT Missions", "&Menu Fades", "&About", "-", ""})
    EXPECT_EQ(cache.Lookup(caption), nullptr) << caption;
}

TEST_F(MenuCache, GlyphStripHoldsDistinctSixteenColourGlyphs) {
  std::unique_ptr<TBitmap> strip = MakeCacheGlyphStrip();
  ASSERT_EQ(strip->Width(), 1760);
  ASSERT_EQ(strip->Height(), 16);
  const std::set<TColor> palette = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                                    clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};
  std::set<std::vector<TColor>> seen;
  TCanvas* c = strip->Canvas();
  for (int g = 0; g < 110; ++g) {
    std::vector<TColor> pixels;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        pixels.push_back(c->Pixel(g * 16 + x, y));
        ASSERT_TRUE(palette.count(pixels.back())) << "glyph " << g;
      }
    EXPECT_TRUE(seen.insert(pixels).second) << "glyph " << g << " repeats another";
    EXPECT_EQ(c->Pixel(g * 16, 15), clTeal) << "the transparent corner of glyph " << g;
  }
  EXPECT_EQ(MenuItemCache().Images()->Count(), 110);
}

}  // namespace
