#include "framework/list.h"

#include <utility>

#include "framework/exceptions.h"
#include "framework/format.h"
#include "quick_sort.h"

void TList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
}

int TList::Add(void* item) {
  items_.push_back(item);
  if (item) Notify(item, lnAdded);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) ListIndexError(index);
  items_.insert(items_.begin() + index, item);
  if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
  CheckIndex(index);
  void* item = items_[index];
  items_.erase(items_.begin() + index);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  int index = IndexOf(item);
  if (index < 0) return nullptr;
  items_.erase(items_.begin() + index);
  if (item) Notify(item, lnExtracted);
  return item;
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

int TList::IndexOf(const void* item) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i] == item) return i;
  return -1;
}

void* TList::Items(int index) const {
  CheckIndex(index);
  return items_[index];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index);
  void* old = items_[index];
  if (old == item) return;
  items_[index] = item;
  if (old) Notify(old, lnDeleted);
  if (item) Notify(item, lnAdded);
}

void TList::SetCount(int count) {
  if (count < 0 || count > (1 << 27)) throw EListError(Format("List count out of bounds (%d)", count));
  if (count >= Count()) {
    items_.resize(count, nullptr);
    return;
  }
  for (int i = Count() - 1; i >= count; --i) Delete(i);
}

void TList::SetCapacity(int capacity) {
  if (capacity < Count() || capacity > (1 << 27))
    throw EListError(Format("List capacity out of bounds (%d)", capacity));
  if (capacity > Capacity()) {
    items_.reserve(capacity);
  } else {
    items_.shrink_to_fit();
  }
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[index1], items_[index2]);
}

void TList::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  CheckIndex(currentIndex);
  CheckIndex(newIndex);
  void* item = items_[currentIndex];
  items_.erase(items_.begin() + currentIndex);
  items_.insert(items_.begin() + newIndex, item);
}

void TList::Pack() {
  std::erase(items_, nullptr);
}

void TList::Sort(const std::function<int(void*, void*)>& compare) {
  QuickSortRange(
      0, Count() - 1, [&](int a, int b) { return compare(items_[a], items_[b]); },
      [&](int a, int b) { std::swap(items_[a], items_[b]); });
}
