#include "framework/graphics_objects.h"

#include <gtest/gtest.h>

#include "framework/exceptions.h"

namespace {

struct ChangeCounter {
  explicit ChangeCounter(TGraphicsObject& object) {
    object.OnChange = [this](TObject*) { ++count; };
  }
  int count = 0;
};

TEST(Font, DefaultsAndPointSize) {
  TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_TRUE(font.Style().Empty());
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  font.SetHeight(-16);
  EXPECT_EQ(font.Size(), 12);
  font.SetHeight(1000);  // positive: the cell height, as the clock's fitting uses
  EXPECT_EQ(font.Size(), -750);
}

TEST(Font, AnnouncesOnlyRealChanges) {
  TFont font;
  ChangeCounter changes(font);
  font.SetColor(clWindowText);
  font.SetHeight(-11);
  font.SetName("MS Sans Serif");
  EXPECT_EQ(changes.count, 0);
  font.SetStyle({fsBold});
  font.SetColor(clRed);
  font.SetName("Perpetua");
  font.SetName("");  // ignored: a font needs a face
  EXPECT_EQ(changes.count, 3);
  EXPECT_EQ(font.Name(), "Perpetua");
}

TEST(Font, AssignCopiesDataAndKeepsPointsAcrossResolutions) {
  TFont source, target;
  source.SetName("EPISODE I");
  source.SetStyle({fsBold, fsItalic});
  source.SetColor(clYellow);
  source.SetSize(12);
  target.SetPixelsPerInch(120);
  ChangeCounter changes(target);
  target.Assign(&source);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(target.Name(), "EPISODE I");
  EXPECT_EQ(target.Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(target.Color(), clYellow);
  EXPECT_EQ(target.Size(), 12);
  EXPECT_EQ(target.Height(), -20);
  TPen pen;
  EXPECT_THROW(target.Assign(&pen), EConvertError);
}

TEST(PenAndBrush, DefaultsChangesAndClearBrushColour) {
  TPen pen;
  ChangeCounter penChanges(pen);
  EXPECT_EQ(pen.Color(), clBlack);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(pen.Mode(), pmCopy);
  pen.SetColor(clBlack);
  pen.SetMode(pmNot);
  pen.SetWidth(2);
  EXPECT_EQ(penChanges.count, 2);

  TBrush brush;
  ChangeCounter brushChanges(brush);
  EXPECT_EQ(brush.Color(), clWhite);
  brush.SetStyle(bsClear);
  brush.SetColor(clBtnFace);  // a colour makes the brush solid again
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(brushChanges.count, 2);
  TBrush copy;
  copy.Assign(&brush);
  EXPECT_EQ(copy.Data(), brush.Data());
}

}  // namespace
