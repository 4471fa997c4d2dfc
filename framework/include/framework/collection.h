// TCollection: an owned, ordered set of items of one kind (status bar
// panels, for instance), each knowing its collection and index, with the
// collection told of every change so it can update what shows the items.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/object.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
 public:
  // Joins `collection` (if any) as its last item.
  explicit TCollectionItem(TCollection* collection);
  // Leaves the collection.
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (or none), as its last item.
  void SetCollection(TCollection* collection);
  // The position in the collection, or -1.
  int Index() const;
  void SetIndex(int index);
  // A number unique within the collection, never reused.
  int ID() const { return id_; }
  // The text a list of the items shows; the class name by default.
  virtual std::string DisplayName() const { return ClassName(); }

 protected:
  // Tells the collection that this item (or, with allItems, every item)
  // needs updating.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection* collection)>;
  template <class Item>
  static TItemFactory ItemClass() {
    return [](TCollection* collection) { return new Item(collection); };
  }

  // `factory` creates the items that Add and Insert make.
  explicit TCollection(TItemFactory factory);
  // Destroys the items.
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  // Destroys the item at `index`; EListError outside the list.
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;
  TCollectionItem* FindItemID(int id) const;

  // Updates inside BeginUpdate/EndUpdate come as one Update(nullptr) at the end.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Replaces the items with copies of the source collection's (each new
  // item assigned from the matching source item).
  void Assign(TPersistent* source) override;
  // The object that owns the collection, if any.
  virtual TPersistent* Owner() const { return nullptr; }

 protected:
  // An item changed (nullptr: all of them, or the set of items).
  virtual void Update(TCollectionItem* /*item*/) {}
  virtual void Notify(TCollectionItem* /*item*/, TCollectionNotification /*action*/) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void MoveItem(TCollectionItem* item, int index);

  TItemFactory factory_;
  std::vector<TCollectionItem*> items_;
  int updateCount_ = 0;
  int nextId_ = 0;
};

// A collection that names its owner.
class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* owner, TItemFactory factory) : TCollection(std::move(factory)), owner_(owner) {}
  TPersistent* Owner() const override { return owner_; }

 private:
  TPersistent* owner_;
};
