// Option records: their defaults and copies that share nothing.
#include <gtest/gtest.h>

#include "menus/am2000options.h"

TEST(MenuOptions, NewRecordHoldsTheDefaults) {
  T_AM2000_Options o;
  EXPECT_EQ(o.ItemHeight, 19);
  EXPECT_EQ(o.SeparatorHeight, 9);
  EXPECT_EQ(o.Margins()->Left, 23);
  EXPECT_EQ(o.Margins()->Right, 23);
  EXPECT_EQ(o.Margins()->Top, 0);
  EXPECT_EQ(o.Margins()->Bottom, 0);
  EXPECT_EQ(o.Margins()->Space, 0);
  EXPECT_EQ(o.Margins()->Border, 1);
  EXPECT_EQ(o.Animation, anSmart);
  EXPECT_TRUE(o.Flags.Empty());
  EXPECT_EQ(o.Alignment, taLeftJustify);
  EXPECT_EQ(o.BackgroundDisplay, bdDefault);
  EXPECT_FALSE(o.Draggable);
  EXPECT_TRUE(o.Colors()->IsDefault());
  EXPECT_EQ(o.Colors()->Menu, clMenu);
  EXPECT_EQ(o.Colors()->HighlightText, clHighlightText);
  EXPECT_EQ(o.Colors()->DisabledText, clBtnShadow);
  EXPECT_EQ(o.Colors()->LineShadow, clBtnHighlight);
  EXPECT_EQ(static_cast<int>(anFadeIn), 7);
  EXPECT_EQ(static_cast<int>(mfStandardAlign), 8);
}

TEST(MenuOptions, AssignCopiesEveryFieldAndSharesNothing) {
  T_AM2000_Options source;
  source.ItemHeight = 22;
  source.SeparatorHeight = 5;
  source.Caption = "menu";
  source.Alignment = taRightToLeft;
  source.Draggable = true;
  source.BackgroundDisplay = bdTile;
  source.Flags = T_AM2000_Flags{mfNoShortDividers, mfShowCheckMark};
  source.Animation = anFadeIn;
  source.Colors()->Highlight = clRed;
  source.Margins()->Border = 4;
  source.Margins()->Space = 2;
  source.Background()->SetSize(4, 3);

  T_AM2000_Options copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.ItemHeight, 22);
  EXPECT_EQ(copy.SeparatorHeight, 5);
  EXPECT_EQ(copy.Caption, "menu");
  EXPECT_EQ(copy.Alignment, taRightToLeft);
  EXPECT_TRUE(copy.Draggable);
  EXPECT_EQ(copy.BackgroundDisplay, bdTile);
  EXPECT_EQ(copy.Flags, (T_AM2000_Flags{mfNoShortDividers, mfShowCheckMark}));
  EXPECT_EQ(copy.Animation, anFadeIn);
  EXPECT_EQ(copy.Colors()->Highlight, clRed);
  EXPECT_EQ(copy.Margins()->Border, 4);
  EXPECT_EQ(copy.Margins()->Space, 2);
  EXPECT_EQ(copy.Background()->Width(), 4);

  copy.Colors()->Highlight = clBlue;
  copy.Margins()->Border = 1;
  copy.Background()->SetSize(8, 8);
  EXPECT_EQ(source.Colors()->Highlight, clRed);
  EXPECT_EQ(source.Margins()->Border, 4);
  EXPECT_EQ(source.Background()->Width(), 4);
  EXPECT_NE(copy.Background()->Handle(), source.Background()->Handle());
  EXPECT_FALSE(copy.Colors()->IsDefault());
}

TEST(MenuOptions, BarOptionsAreCentredWithoutMargins) {
  T_AM2000_Options source;
  source.Animation = anFadeIn;
  source.Margins()->Border = 3;
  T_AM2000_Options bar;
  MakeBarOptions(bar, source);
  EXPECT_EQ(bar.Alignment, taCenter);
  EXPECT_EQ(bar.Margins()->Left, 0);
  EXPECT_EQ(bar.Margins()->Top, 0);
  EXPECT_EQ(bar.Margins()->Right, 0);
  EXPECT_EQ(bar.Margins()->Bottom, 0);
  EXPECT_EQ(bar.Margins()->Border, 3);
  EXPECT_EQ(bar.Animation, anFadeIn);
  EXPECT_EQ(source.Margins()->Left, 23);
}
