// TComponent: the owner tree of the framework. A component owns the ones it
// was created with and destroys them with itself; components that refer to
// each other learn of a removal through Notification and clear their
// plain pointers there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/object.h"
#include "framework/set.h"

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = Set<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  // Tells the free-notification partners and the owner's components that
  // this one goes, destroys the owned components (last first) and leaves
  // the owner. Destroy through Free() (or TOwned) so that this happens in
  // BeforeDestruction while the object is whole; a plain delete does it
  // here, where overrides of derived classes no longer run.
  ~TComponent() override;
  void BeforeDestruction() override;

  TComponent* Owner() const { return owner_; }
  TComponentState ComponentState() const { return state_; }

  // A valid identifier or empty, unique among the owner's components
  // (ignoring case); otherwise EComponentError.
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name);
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // EListError for an index outside 0..ComponentCount()-1.
  TComponent* Components(int index) const;
  // This component's position in its owner's list, or -1.
  int ComponentIndex() const;
  // The owned component of that name (ignoring case), or nullptr.
  TComponent* FindComponent(const std::string& name) const;

  // Takes `component` over from its current owner (if any).
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Destroys every owned component, the last created first.
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // Asks to be told (opRemove) when `component` is destroyed, whoever owns
  // it; the request is mutual, so `component` hears of this one too.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Design mode for this component and, with `children`, all it owns.
  void SetDesigning(bool designing, bool children = true);

  // Loading as a window description does it: BeginLoading marks this
  // component and all it owns csLoading and csReading; a component
  // inserted into an owner that is reading is marked too. EndLoading clears
  // csReading and calls Loaded on this one and then on the owned ones in
  // creation order, depth first.
  void BeginLoading();
  void EndLoading();

  // The component that parents this one on screen, if the kind has one.
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }

  // Called on a component and, by the default, passed on to everything it
  // owns: `component` was inserted into or is being removed from an owner
  // below, or is a free-notification partner that goes away. Overrides
  // clear their references on opRemove and call the base.
  // The opInsert of a new component is sent from TComponent's constructor,
  // while the component is still only a TComponent: a receiver that needs
  // its kind (dynamic_cast) misses it, so a kind that others look for
  // announces itself again at the end of its constructor with
  // Owner()->Notification(this, opInsert).
  virtual void Notification(TComponent* component, TOperation operation);

 protected:
  // Loading has finished: the default clears csLoading.
  virtual void Loaded();
  // Called with the new name after validation.
  virtual void ChangeName(const std::string& name) { name_ = name; }
  // Checks that renaming `component` (owned by this one) is allowed.
  virtual void ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName);
  // Lets a kind of owner refuse components; the default accepts all.
  virtual void ValidateInsert(TComponent* /*component*/) {}
  void SetState(TComponentStateItem item, bool on) { on ? state_.Include(item) : state_.Exclude(item); }

 private:
  void Remove(TComponent* component);
  void Insert(TComponent* component);
  void SendFreeNotifications();
  void CallLoaded();
  void Teardown();

  TComponent* owner_ = nullptr;
  std::string name_;
  std::intptr_t tag_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  bool tornDown_ = false;
};
