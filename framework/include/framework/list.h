// TList: an ordered list of untyped pointers, as the framework's containers
// use it. Indexes outside the list raise EListError.
#pragma once

#include <functional>
#include <vector>

#include "framework/object.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
 public:
  // A list that owns its items (through Notify) must Clear() in its own
  // destructor: by the time this one runs its Notify is gone.
  ~TList() override = default;

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* item);
  // Removes the first occurrence without deleting it; returns it or nullptr.
  void* Extract(void* item);
  virtual void Clear();
  int IndexOf(const void* item) const;
  void* Items(int index) const;
  void SetItems(int index, void* item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  int Count() const { return static_cast<int>(items_.size()); }
  // Growing pads with nullptr; shrinking deletes from the end.
  void SetCount(int count);
  int Capacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int capacity);
  void Exchange(int index1, int index2);
  void Move(int currentIndex, int newIndex);
  // Drops every nullptr entry.
  void Pack();
  void Sort(const std::function<int(void*, void*)>& compare);

 protected:
  // Told of each item that enters or leaves, for lists that own their items.
  virtual void Notify(void* /*item*/, TListNotification /*action*/) {}

 private:
  void CheckIndex(int index) const;
  std::vector<void*> items_;
};
