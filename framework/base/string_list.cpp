#include <utility>

#include "framework/exceptions.h"
#include "framework/strings.h"
#include "framework/text.h"
#include "quick_sort.h"

namespace {

const char* const kIndexError = "List index out of bounds (%d)";
const char* const kSortedError = "Operation not allowed on sorted string list";
const char* const kDuplicateError = "String list does not allow duplicates";

}  // namespace

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  for (Item& item : items_) FreeObject(item.object);
}

void TStringList::FreeObject(TObject* object) const {
  if (ownsObjects_) Free(object);
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) Error(kIndexError, index);
}

void TStringList::CheckUnsorted() const {
  if (sorted_) Error(kSortedError, 0);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return caseSensitive_ ? CompareStr(a, b) : AnsiCompareText(a, b);
}

std::string TStringList::Strings(int index) const {
  CheckIndex(index);
  return items_[index].text;
}

void TStringList::SetStrings(int index, const std::string& text) {
  CheckUnsorted();
  CheckIndex(index);
  Changing();
  items_[index].text = text;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index);
  return items_[index].object;
}

void TStringList::SetObjects(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  TObject* old = std::exchange(items_[index].object, object);
  if (old != object) FreeObject(old);
  Changed();
}

int TStringList::Add(const std::string& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const std::string& text, TObject* object) {
  int index = Count();
  if (sorted_ && Find(text, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) Error(kDuplicateError, 0);
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::Insert(int index, const std::string& text) {
  CheckUnsorted();
  if (index < 0 || index > Count()) Error(kIndexError, index);
  InsertItem(index, text, nullptr);
}

void TStringList::InsertItem(int index, const std::string& text, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  TObject* object = items_[index].object;
  items_.erase(items_.begin() + index);
  FreeObject(object);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  for (Item& item : old) FreeObject(item.object);
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[index1], items_[index2]);
  Changed();
}

void TStringList::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  CheckUnsorted();
  CheckIndex(currentIndex);
  CheckIndex(newIndex);
  Changing();
  Item item = std::move(items_[currentIndex]);
  items_.erase(items_.begin() + currentIndex);
  items_.insert(items_.begin() + newIndex, std::move(item));
  Changed();
}

// With dupAccept the search ends on the first of equal lines; otherwise on
// whichever equal line it meets first.
bool TStringList::Find(const std::string& text, int& index) const {
  bool found = false;
  int low = 0, high = Count() - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = CompareStrings(items_[mid].text, text);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) low = mid;
      }
    }
  }
  index = low;
  return found;
}

int TStringList::IndexOf(const std::string& text) const {
  if (!sorted_) return TStrings::IndexOf(text);
  int index = 0;
  return Find(text, index) ? index : -1;
}

void TStringList::SortItems(const TStringListSortCompare& compare) {
  if (Count() < 2) return;
  Changing();
  QuickSortRange(
      0, Count() - 1, [&](int a, int b) { return compare(*this, a, b); },
      [&](int a, int b) { std::swap(items_[a], items_[b]); });
  Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (!sorted_) SortItems(compare);
}

void TStringList::Sort() {
  CustomSort([](TStringList& list, int a, int b) {
    return list.CompareStrings(list.items_[a].text, list.items_[b].text);
  });
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}
