#include "framework/object.h"

#include <gtest/gtest.h>

#include "framework/exceptions.h"
#include "framework/set.h"
#include "framework/strings.h"
#include "framework/types.h"

class TMainForm : public TPersistent {};

namespace detail {
class TFlatEdit : public TPersistent {};
template <class T>
class TBox : public TObject {};
}  // namespace detail

namespace {

TEST(ObjectClassName, ComesFromTheClassWithoutNamespaceOrTemplate) {
  TMainForm form;
  detail::TFlatEdit edit;
  detail::TBox<int> box;
  TObject plain;
  EXPECT_EQ(form.ClassName(), "TMainForm");
  EXPECT_EQ(edit.ClassName(), "TFlatEdit");
  EXPECT_EQ(box.ClassName(), "TBox");
  EXPECT_EQ(plain.ClassName(), "TObject");
  TObject* base = &form;
  EXPECT_EQ(base->ClassName(), "TMainForm");
  EXPECT_TRUE(base->ClassNameIs("tmainform"));
}

TEST(ObjectAssign, ImpossibleCopyNamesBothClasses) {
  TMainForm form;
  TStringList list;
  try {
    form.Assign(&list);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TStringList to a TMainForm");
  }
  try {
    list.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TStringList");
  }
}

TEST(ObjectExceptions, HierarchyAndTexts) {
  EOutOfResources timers("Not enough timers available");
  EXPECT_STREQ(timers.what(), "Not enough timers available");
  EXPECT_NE(dynamic_cast<EOutOfMemory*>(&timers), nullptr);
  EInOutError io("File not found", 2);
  EXPECT_EQ(io.ErrorCode(), 2);
  EXPECT_THROW(Abort(), EAbort);
  EXPECT_EQ(EAbort().Message(), "Operation aborted");
  EReadError read("Stream read error");
  EXPECT_NE(dynamic_cast<EStreamError*>(&read), nullptr);
  EXPECT_NE(dynamic_cast<std::exception*>(&read), nullptr);
}

enum TSample { saZero, saOne, saTwo, saSixtyThree = 63 };

TEST(SetType, MembershipAndSetArithmetic) {
  Set<TSample> a{saZero, saTwo};
  Set<TSample> b{saTwo, saSixtyThree};
  EXPECT_TRUE(a.Contains(saTwo));
  EXPECT_FALSE(a.Contains(saOne));
  EXPECT_EQ((a + b), (Set<TSample>{saZero, saTwo, saSixtyThree}));
  EXPECT_EQ((a - b), (Set<TSample>{saZero}));
  EXPECT_EQ((a * b), (Set<TSample>{saTwo}));
  EXPECT_EQ((a + b).Count(), 3);
  EXPECT_TRUE((a * b) <= a);
  EXPECT_FALSE(a <= b);
  EXPECT_EQ(b.Bits(), (1ull << 2) | (1ull << 63));
  a.Exclude(saZero).Exclude(saTwo);
  EXPECT_TRUE(a.Empty());
  TFontStyles styles{fsBold};
  styles += TFontStyles{fsUnderline};
  EXPECT_EQ(styles.Bits(), 0b101u);
}

TEST(SharedTypes, ColourValues) {
  EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
  EXPECT_EQ(static_cast<std::uint32_t>(clWindowText), 0x80000008u);
  EXPECT_EQ(static_cast<std::uint32_t>(clInfoBk), 0x80000018u);
  EXPECT_EQ(clNone, 0x1FFFFFFF);
  EXPECT_TRUE(IsSystemColor(clHighlight));
  EXPECT_EQ(SystemColorIndex(clHighlight), 13);
  EXPECT_FALSE(IsSystemColor(clWhite));
  EXPECT_FALSE(IsSystemColor(clNone));
}

}  // namespace
