#include "framework/collection.h"

#include <gtest/gtest.h>

#include "framework/exceptions.h"

namespace {

class TPanelItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  void Assign(TPersistent* source) override {
    if (auto* other = dynamic_cast<TPanelItem*>(source)) {
      SetText(other->text);
      return;
    }
    TCollectionItem::Assign(source);
  }
  void SetText(const std::string& t) {
    text = t;
    Changed(false);
  }
  std::string text;
};

// Records the updates a status bar would redraw for.
class TPanels : public TCollection {
 public:
  TPanels() : TCollection(ItemClass<TPanelItem>()) {}
  TPanelItem* Panel(int i) const { return static_cast<TPanelItem*>(Items(i)); }
  std::vector<TCollectionItem*> updates;

 protected:
  void Update(TCollectionItem* item) override { updates.push_back(item); }
};

TEST(Collection, ItemsKnowTheirCollectionIndexAndId) {
  TPanels panels;
  auto* first = static_cast<TPanelItem*>(panels.Add());
  auto* second = static_cast<TPanelItem*>(panels.Add());
  auto* front = static_cast<TPanelItem*>(panels.Insert(0));
  EXPECT_EQ(panels.Count(), 3);
  EXPECT_EQ(front->Index(), 0);
  EXPECT_EQ(second->Index(), 2);
  EXPECT_EQ(first->Collection(), &panels);
  EXPECT_EQ(front->ID(), 2);
  EXPECT_EQ(panels.FindItemID(1), second);
  second->SetIndex(0);
  EXPECT_EQ(panels.Items(0), second);
  panels.Delete(0);
  EXPECT_EQ(panels.FindItemID(1), nullptr);
  EXPECT_EQ(panels.Count(), 2);
  delete first;  // an item destroyed alone leaves its collection
  EXPECT_EQ(panels.Count(), 1);
  EXPECT_EQ(panels.Items(0), front);
  EXPECT_THROW(panels.Items(1), EListError);
  EXPECT_THROW(panels.Insert(5), EListError);
  EXPECT_EQ(panels.Add()->ID(), 3);  // numbers are never reused
}

TEST(Collection, UpdatesNameTheChangedItemAndBatchInsideUpdates) {
  TPanels panels;
  panels.Add();
  panels.Add();
  panels.updates.clear();
  panels.Panel(1)->SetText("Done.");
  EXPECT_EQ(panels.updates, (std::vector<TCollectionItem*>{panels.Panel(1)}));
  panels.updates.clear();
  panels.BeginUpdate();
  panels.Panel(0)->SetText("a");
  panels.Add();
  panels.Delete(0);
  EXPECT_TRUE(panels.updates.empty());
  panels.EndUpdate();
  EXPECT_EQ(panels.updates, (std::vector<TCollectionItem*>{nullptr}));
}

TEST(Collection, AssignCopiesItemsAndClearEmpties) {
  TPanels source, target;
  static_cast<TPanelItem*>(source.Add())->SetText("0 Missions");
  static_cast<TPanelItem*>(source.Add())->SetText("clock");
  target.Add();
  target.Add();
  target.Add();
  target.Assign(&source);
  ASSERT_EQ(target.Count(), 2);
  EXPECT_EQ(target.Panel(0)->text, "0 Missions");
  EXPECT_EQ(target.Panel(1)->text, "clock");
  EXPECT_NE(target.Panel(0), source.Panel(0));
  target.Clear();
  EXPECT_EQ(target.Count(), 0);
  EXPECT_THROW(target.Panel(0)->Assign(nullptr), EListError);
}

}  // namespace
