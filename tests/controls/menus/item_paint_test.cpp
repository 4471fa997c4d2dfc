// The item painter on small bitmaps: glyph cells, check marks, disabled and
// selected rows, separators, and measuring a drop-down.
#include <backend/headless.h>
#include <gtest/gtest.h>

#include <win32/user32.h>

#include "framework/bitmap.h"
#include "framework/menus.h"
#include "menus/am2000menuitem.h"

namespace {

constexpr TColor kFace = 0xC0C0C0, kWhite = 0xFFFFFF, kShadow = 0x808080, kHighlight = 0x800000;

class ItemPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Start(320, 200);
    menu_ = std::make_unique<TMainMenu>(nullptr);
    top_ = Add(menu_->Items(), "&File");
    bitmap_.SetPixelFormat(pf24bit);
    bitmap_.SetSize(kWidth, 19);
    AssignMenuFont(bitmap_.Canvas()->Font());
  }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(menu_.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  // Paints `item` as the only row of a drop-down into the bitmap.
  void Paint(TMenuItem* item, std::uint16_t state) {
    T_AM2000_MenuMeasure m = MeasureMenu(top_->Handle(), options, bitmap_.Canvas(), false);
    ASSERT_FALSE(m.Rows.empty());
    T_AM2000_MenuRow row = m.Rows.front();
    row.Top = 0;
    m.Width = kWidth;
    rect = DropDownColumns(m, options, row, options.Margins()->Border);
    T_AM2000_ItemContext c{bitmap_.Canvas(), item, &options, &rect, nullptr, state};
    bitmap_.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap_.Canvas()->FillRect(Rect(0, 0, kWidth, 19));
    DrawItem(c);
  }
  TColor At(int x, int y) { return bitmap_.Canvas()->Pixel(x, y); }
  int Count(int l, int t, int r, int b, TColor colour) {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += At(x, y) == colour;
    return n;
  }

  static constexpr int kWidth = 140;
  T_AM2000_Options options;
  T_AM2000_MenuItemRect rect;
  std::unique_ptr<TMainMenu> menu_;
  TMenuItem* top_ = nullptr;
  TBitmap bitmap_;
};

TEST_F(ItemPaint, CheckedItemShowsTheCheckMarkInASunkenDitheredCell) {
  TMenuItem* item = Add(top_, "&XvT Missions");
  item->SetChecked(true);
  Paint(item, isChecked);
  const int l = rect.GlyphLeft, r = rect.GlyphLeft + rect.GlyphWidth;
  EXPECT_EQ(At(l, 0), kShadow);       // sunken: dark top-left
  EXPECT_EQ(At(r - 1, 18), kWhite);   // light bottom-right
  EXPECT_GT(Count(l + 1, 1, r - 1, 18, kWhite), 60);  // the dither's light half
  EXPECT_GT(Count(l + 1, 1, r - 1, 18, kFace), 60);   // and its face half
  EXPECT_GT(Count(l + 1, 1, r - 1, 18, clBlack), 10);  // the tick
  EXPECT_EQ(At(kWidth - 2, 9), kFace);  // the rest of the row is the menu colour

  Paint(item, isChecked | isSelected);
  EXPECT_EQ(At(l, 0), kShadow);
  EXPECT_EQ(Count(l + 1, 1, r - 1, 18, kWhite), 0);  // no dither when selected
  EXPECT_EQ(At(l + 2, 2), kFace);
  EXPECT_GT(Count(l + 1, 1, r - 1, 18, clBlack), 10);
  EXPECT_EQ(At(kWidth - 3, 9), kHighlight);  // the row beyond the cell is highlighted
  EXPECT_GT(Count(rect.TextLeft, 0, rect.TextLeft + rect.TextWidth, 19, kWhite), 10);  // highlight text
}

TEST_F(ItemPaint, RowWithoutGlyphIsHighlightedOverItsFullWidth) {
  TMenuItem* item = Add(top_, "&Install");
  Paint(item, isSelected);
  EXPECT_EQ(At(rect.Left, 9), kHighlight);
  EXPECT_EQ(At(rect.Right - 1, 9), kHighlight);
  EXPECT_EQ(At(0, 9), clFuchsia);  // the border column is not the row's
}

TEST_F(ItemPaint, DisabledRowsAreEmbossedUnlessHighlighted) {
  TMenuItem* item = Add(top_, "&Remove");
  item->SetEnabled(false);
  Paint(item, isDisabled);
  const int tl = rect.TextLeft, tr = rect.TextLeft + rect.TextWidth + 1;
  EXPECT_GT(Count(tl, 0, tr, 19, kShadow), 10);
  EXPECT_GT(Count(tl, 0, tr, 19, kWhite), 5);  // the shadow pass one pixel down and right

  Paint(item, isDisabled | isSelected);
  EXPECT_EQ(At(rect.Left, 9), kHighlight);
  EXPECT_GT(Count(tl, 0, tr, 19, kShadow), 10);
  EXPECT_EQ(Count(tl, 0, tr, 19, kWhite), 0);  // selected: no shadow pass

  options.Flags.Include(mfNoHighDisabled);
  Paint(item, isDisabled | isSelected);
  EXPECT_EQ(At(rect.Left, 9), kFace);
  EXPECT_GT(Count(tl, 0, tr, 19, kWhite), 5);
}

TEST_F(ItemPaint, SeparatorsAreShortUnlessTheOptionsSayOtherwise) {
  TMenuItem* line = Add(top_, "-");
  options.SeparatorHeight = 19;
  Paint(line, 0);
  const int m = 9;
  EXPECT_EQ(At(rect.Left + 13, m), kFace);
  EXPECT_EQ(At(rect.Left + 14, m), kShadow);
  EXPECT_EQ(At(rect.Left + 14, m + 1), kWhite);
  EXPECT_EQ(At(rect.Right - 15, m), kShadow);
  EXPECT_EQ(At(rect.Right - 14, m), kFace);
  EXPECT_EQ(At(rect.Left + 14, m - 1), kFace);

  options.Flags.Include(mfNoShortDividers);
  Paint(line, 0);
  EXPECT_EQ(At(rect.Left + 1, m), kFace);
  EXPECT_EQ(At(rect.Left + 2, m), kShadow);
  EXPECT_EQ(At(rect.Right - 3, m), kShadow);

  options.Colors()->Line = clNone;
  Paint(line, 0);
  EXPECT_EQ(At(rect.Left + 20, m), kFace);
  EXPECT_EQ(At(rect.Left + 20, m + 1), kWhite);
}

TEST_F(ItemPaint, SubMenuArrowPointsAwayFromTheCaption) {
  TMenuItem* item = Add(top_, "&More");
  Paint(item, isSubMenu);
  const int c = (2 * rect.Top + rect.Height - 5) / 2;
  EXPECT_EQ(At(rect.Right - 8, c), clBlack);
  EXPECT_EQ(At(rect.Right - 8, c + 6), clBlack);
  EXPECT_EQ(At(rect.Right - 5, c + 3), clBlack);
  EXPECT_EQ(At(rect.Right - 4, c + 3), kFace);
  options.Alignment = taRightToLeft;
  Paint(item, isSubMenu);
  EXPECT_EQ(At(rect.Left + 8, c), clBlack);
  EXPECT_EQ(At(rect.Left + 5, c + 3), clBlack);
}

TEST_F(ItemPaint, CachedCommandsDrawTheirGlyphAndSilhouette) {
  TMenuItem* open = Add(top_, "&Open...");
  Paint(open, 0);
  const int l = rect.GlyphLeft, r = rect.GlyphLeft + rect.GlyphWidth;
  EXPECT_GT(Count(l, 0, r, 19, clYellow), 5);  // the folder
  EXPECT_EQ(Count(l, 0, r, 19, clTeal), 0);    // the key colour stays out
  open->SetEnabled(false);
  Paint(open, isDisabled);
  EXPECT_EQ(Count(l, 0, r, 19, clYellow), 0);
  EXPECT_GT(Count(l, 0, r, 19, kShadow), 20);
  EXPECT_GT(Count(l, 0, r, 19, kWhite), 5);
  Paint(open, isDisabled | isSelected);
  EXPECT_EQ(At(l + 1, 0), kWhite);  // raised inner edge on a selected row's cell
  EXPECT_EQ(At(r - 1, 18), kShadow);
}

TEST_F(ItemPaint, MeasuringUsesStrippedCaptionsAndShortcuts) {
  EXPECT_EQ(StripAccelerators("&Open..."), " Open...");
  EXPECT_EQ(StripAccelerators("Fish && &Chips"), " Fish & Chips");
  EXPECT_EQ(StripAccelerators("&"), " ");
  Add(top_, "Fish && Chips");
  TMenuItem* hidden = Add(top_, "A much longer caption that is hidden");
  hidden->SetVisible(false);
  Add(top_, "-");
  TMenuItem* save = Add(top_, "&Save\tCtrl+S");
  TCanvas* canvas = bitmap_.Canvas();
  T_AM2000_MenuMeasure m = MeasureMenu(top_->Handle(), options, canvas, false);
  ASSERT_EQ(m.Rows.size(), 3u);
  EXPECT_EQ(m.Rows[0].Top, 1);
  EXPECT_EQ(m.Rows[1].Top, 20);
  EXPECT_EQ(m.Rows[1].Height, 9);
  EXPECT_EQ(m.Rows[2].Top, 29);
  EXPECT_EQ(m.Rows[2].Item, save);
  EXPECT_EQ(m.Rows[2].Shortcut, "Ctrl+S");
  const int fish = canvas->TextWidth(" Fish & Chips");
  const int saveWidth = canvas->TextWidth(" Save") + canvas->TextWidth("Ctrl+S") + 4;
  EXPECT_EQ(m.CaptionWidth, fish);
  EXPECT_EQ(m.Width, std::max(fish, saveWidth) + 46 + 1);
  EXPECT_EQ(m.Height, 29 + 19 + 1);

  options.Flags.Include(mfStandardAlign);
  m = MeasureMenu(top_->Handle(), options, canvas, true);
  EXPECT_EQ(m.Rows[0].Top, 3);
  EXPECT_EQ(m.Width, 2 + fish + canvas->TextWidth("Ctrl+S") + 4 + 46 + 1 + 2);
  EXPECT_EQ(m.Height, 3 + 19 + 9 + 19 + 1 + 2);
}

}  // namespace
