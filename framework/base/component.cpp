#include "framework/component.h"

#include <algorithm>

#include "framework/exceptions.h"
#include "framework/format.h"
#include "framework/text.h"

namespace {

bool Contains(const std::vector<TComponent*>& list, const TComponent* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() { Teardown(); }

void TComponent::BeforeDestruction() { Teardown(); }

void TComponent::Teardown() {
  if (tornDown_) return;
  tornDown_ = true;
  Destroying();
  SendFreeNotifications();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SendFreeNotifications() {
  while (!freeNotifies_.empty()) {
    TComponent* partner = freeNotifies_.back();
    freeNotifies_.pop_back();
    std::erase(partner->freeNotifies_, this);
    if (partner->freeNotifies_.empty()) partner->SetState(csFreeNotification, false);
    partner->Notification(this, opRemove);
  }
  SetState(csFreeNotification, false);
}

void TComponent::DestroyComponents() {
  // Each removal is announced to the remaining components, so a sibling
  // that still points at a destroyed one has cleared its pointer before it
  // is destroyed itself.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    Free(last);
  }
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) ListIndexError(index);
  return components_[index];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto it = std::find(owner_->components_.begin(), owner_->components_.end(), this);
  return static_cast<int>(it - owner_->components_.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(Format("'%s' is not a valid component name", name));
  if (owner_) owner_->ValidateRename(this, name_, name);
  else ValidateRename(nullptr, name_, name);
  ChangeName(name);
}

void TComponent::ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName) {
  if (!component || SameText(currentName, newName)) return;
  TComponent* found = FindComponent(newName);
  if (found && found != component) throw EComponentError(Format("A component named %s already exists", newName));
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  ValidateInsert(component);
  ValidateRename(component, "", component->name_);
  if (component->owner_) component->owner_->RemoveComponent(component);
  Insert(component);
  if (state_.Contains(csDesigning)) component->SetDesigning(true);
  if (state_.Contains(csReading)) component->BeginLoading();
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  std::erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (!Contains(freeNotifies_, component)) freeNotifies_.push_back(component);
  if (!Contains(component->freeNotifies_, this)) component->freeNotifies_.push_back(this);
  SetState(csFreeNotification, true);
  component->SetState(csFreeNotification, true);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  std::erase(freeNotifies_, component);
  std::erase(component->freeNotifies_, this);
  if (freeNotifies_.empty()) SetState(csFreeNotification, false);
  if (component->freeNotifies_.empty()) component->SetState(csFreeNotification, false);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // By index: a handler may add or remove components while we go.
  for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Notification(component, operation);
}

void TComponent::SetDesigning(bool designing, bool children) {
  SetState(csDesigning, designing);
  if (children)
    for (TComponent* c : components_) c->SetDesigning(designing, true);
}

void TComponent::BeginLoading() {
  state_.Include(csLoading).Include(csReading);
  for (TComponent* c : components_) c->BeginLoading();
}

void TComponent::EndLoading() {
  struct Reading {
    static void Clear(TComponent* c) {
      c->state_.Exclude(csReading);
      for (TComponent* child : c->components_) Clear(child);
    }
  };
  Reading::Clear(this);
  CallLoaded();
}

void TComponent::CallLoaded() {
  if (state_.Contains(csLoading)) Loaded();
  for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->CallLoaded();
}

void TComponent::Loaded() { state_.Exclude(csLoading); }
