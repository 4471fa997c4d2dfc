#include "framework/shortcut.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortCutText, NamesAndModifierOrder) {
  EXPECT_EQ(ShortCutToText(ShortCut('O', {ssCtrl})), "Ctrl+O");
  EXPECT_EQ(ShortCutToText(ShortCut(0x7B, {ssShift})), "Shift+F12");
  EXPECT_EQ(ShortCutToText(ShortCut(0x71, {ssAlt, ssShift})), "Shift+Alt+F2");
  EXPECT_EQ(ShortCutToText(ShortCut(0x2E, {})), "Del");
  EXPECT_EQ(ShortCutToText(ShortCut(0x28, {ssCtrl})), "Ctrl+Down");
  EXPECT_EQ(ShortCutToText(ShortCut(0x08, {ssAlt})), "Alt+BkSp");
  EXPECT_EQ(ShortCutToText(ShortCut(0x65, {})), "5");  // number pad
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(scCtrl | 0xBA), "");  // no name without the keyboard layer
  ShortCutKeyName = [](std::uint16_t key) { return key == 0xBA ? std::string(";") : std::string(); };
  EXPECT_EQ(ShortCutToText(scCtrl | 0xBA), "Ctrl+;");
  ShortCutKeyName = nullptr;
}

TEST(ShortCutText, ParsingInvertsFormatting) {
  EXPECT_EQ(TextToShortCut("Ctrl+C"), ShortCut('C', {ssCtrl}));
  EXPECT_EQ(TextToShortCut("alt+shift+f2"), ShortCut(0x71, {ssAlt, ssShift}));
  EXPECT_EQ(TextToShortCut("Ins"), 0x2D);
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut("Hyper+X"), scNone);
  std::uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(TextToShortCut("Shift+Ctrl+End"), key, shift);
  EXPECT_EQ(key, 0x23);
  EXPECT_EQ(shift, (TShiftState{ssShift, ssCtrl}));
  EXPECT_EQ(ShortCut(0x1FF, {}), scNone);  // not a key code
}

}  // namespace
