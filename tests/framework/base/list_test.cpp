#include "framework/list.h"

#include <gtest/gtest.h>

#include "framework/exceptions.h"

namespace {

// Records what the list tells about its items.
class TWatchedList : public TList {
 public:
  ~TWatchedList() override { Clear(); }
  std::vector<std::pair<void*, TListNotification>> events;

 protected:
  void Notify(void* item, TListNotification action) override { events.emplace_back(item, action); }
};

TEST(PointerList, InsertDeleteMoveAndBounds) {
  int a = 0, b = 0, c = 0;
  TList list;
  list.Add(&a);
  list.Add(&c);
  list.Insert(1, &b);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items(1), &b);
  EXPECT_EQ(list.IndexOf(&c), 2);
  list.Move(0, 2);
  EXPECT_EQ(list.First(), &b);
  EXPECT_EQ(list.Last(), &a);
  list.Exchange(0, 2);
  EXPECT_EQ(list.First(), &a);
  EXPECT_EQ(list.Remove(&c), 1);
  EXPECT_EQ(list.Remove(&c), -1);
  try {
    list.Items(2);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
  EXPECT_THROW(list.Insert(3, &a), EListError);
  EXPECT_THROW(list.SetCapacity(1), EListError);  // below the count
}

TEST(PointerList, CountPacksAndSorts) {
  int v[4] = {3, 1, 2, 0};
  TList list;
  list.SetCount(2);
  EXPECT_EQ(list.Items(1), nullptr);
  for (int& x : v) list.Add(&x);
  list.Pack();
  EXPECT_EQ(list.Count(), 4);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
  for (int i = 0; i < 4; ++i) EXPECT_EQ(*static_cast<int*>(list.Items(i)), i);
  list.SetCount(1);
  EXPECT_EQ(*static_cast<int*>(list.Last()), 0);
}

TEST(PointerList, NotifiesAddedExtractedAndDeletedItems) {
  int a = 0, b = 0, c = 0;
  TWatchedList list;
  list.Add(&a);
  list.Add(&b);
  list.Add(nullptr);  // empty slots are not announced
  list.Add(&c);
  EXPECT_EQ(list.Extract(&b), &b);
  list.Delete(0);
  list.Clear();
  std::vector<std::pair<void*, TListNotification>> expected = {
      {&a, lnAdded}, {&b, lnAdded}, {&c, lnAdded}, {&b, lnExtracted}, {&a, lnDeleted}, {&c, lnDeleted}};
  EXPECT_EQ(list.events, expected);
}

}  // namespace
