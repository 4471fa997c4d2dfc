#include "framework/component.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/exceptions.h"

namespace {

// Records its destruction and keeps a plain pointer to another component,
// cleared on removal as the framework's controls do.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::vector<std::string>* log, const std::string& name = "")
      : TComponent(owner), log_(log) {
    if (!name.empty()) SetName(name);
  }
  ~TProbe() override {
    if (onDestroy) onDestroy(this);
    if (log_) log_->push_back("destroy " + Name());
  }
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == opRemove && component == peer) peer = nullptr;
    if (operation == opInsert) inserted.push_back(component);
    TComponent::Notification(component, operation);
  }
  void Loaded() override {
    TComponent::Loaded();
    if (log_) log_->push_back("loaded " + Name());
  }

  TComponent* peer = nullptr;
  std::vector<TComponent*> inserted;
  std::function<void(TProbe*)> onDestroy;

 private:
  std::vector<std::string>* log_;
};

TEST(ComponentOwnership, OwnerDestroysItsComponentsLastFirst) {
  std::vector<std::string> log;
  auto* form = new TProbe(nullptr, &log, "Form");
  new TProbe(form, &log, "A");
  auto* b = new TProbe(form, &log, "B");
  new TProbe(b, &log, "B1");
  new TProbe(form, &log, "C");
  EXPECT_EQ(form->ComponentCount(), 3);
  EXPECT_EQ(b->Owner(), form);
  Free(form);
  // The owned components go first, last created first and each with its
  // own, so the owner's destructor body finds none of them.
  EXPECT_EQ(log, (std::vector<std::string>{"destroy C", "destroy B1", "destroy B", "destroy A", "destroy Form"}));
}

TEST(ComponentOwnership, FreedComponentLeavesItsOwner) {
  TProbe form(nullptr, nullptr, "Form");
  auto* a = new TProbe(&form, nullptr, "A");
  auto* b = new TProbe(&form, nullptr, "B");
  Free(a);
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), b);
  EXPECT_EQ(b->ComponentIndex(), 0);
  delete b;  // a plain delete leaves the owner too
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(ComponentOwnership, InsertingIntoAnotherOwnerMovesTheComponent) {
  TProbe first(nullptr, nullptr), second(nullptr, nullptr);
  auto* c = new TProbe(&first, nullptr, "Moved");
  second.InsertComponent(c);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.FindComponent("moved"), c);
  EXPECT_EQ(c->Owner(), &second);
}

TEST(ComponentOwnership, ComponentsOutOfRangeRaisesListError) {
  TProbe form(nullptr, nullptr);
  new TProbe(&form, nullptr);
  EXPECT_NO_THROW(form.Components(0));
  try {
    form.Components(1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (1)");
  }
  EXPECT_THROW(form.Components(-1), EListError);
}

TEST(ComponentNotification, RemovalClearsSiblingReferences) {
  TProbe form(nullptr, nullptr);
  auto* menu = new TProbe(&form, nullptr, "Menu");
  auto* bar = new TProbe(&form, nullptr, "Bar");
  bar->peer = menu;
  Free(menu);
  EXPECT_EQ(bar->peer, nullptr);
}

TEST(ComponentNotification, SiblingsDestroyedWithTheOwnerSeeEarlierRemovals) {
  // The bar is created first and so destroyed last; by then the menu is
  // gone and the bar's pointer to it must have been cleared.
  auto* form = new TProbe(nullptr, nullptr);
  auto* bar = new TProbe(form, nullptr, "Bar");
  auto* menu = new TProbe(form, nullptr, "Menu");
  bar->peer = menu;
  bool peerClearedAtDestruction = false;
  bar->onDestroy = [&](TProbe* self) { peerClearedAtDestruction = self->peer == nullptr; };
  Free(form);
  EXPECT_TRUE(peerClearedAtDestruction);
}

TEST(ComponentNotification, FreeNotificationCrossesOwners) {
  TProbe formA(nullptr, nullptr), formB(nullptr, nullptr);
  auto* holder = new TProbe(&formA, nullptr, "Holder");
  auto* target = new TProbe(&formB, nullptr, "Target");
  holder->peer = target;
  holder->FreeNotification(target);
  EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));
  Free(target);
  EXPECT_EQ(holder->peer, nullptr);
  EXPECT_FALSE(holder->ComponentState().Contains(csFreeNotification));
}

TEST(ComponentNotification, DestroyedRequesterIsNotNotifiedLater) {
  TProbe formA(nullptr, nullptr), formB(nullptr, nullptr);
  auto* holder = new TProbe(&formA, nullptr);
  auto* target = new TProbe(&formB, nullptr);
  holder->FreeNotification(target);
  Free(holder);  // the link goes both ways, so target forgets holder
  Free(target);  // would touch freed memory otherwise (caught by ASan)
  SUCCEED();
}

TEST(ComponentNotification, InsertIsAnnouncedToTheOwnerAndItsComponents) {
  TProbe form(nullptr, nullptr);
  auto* first = new TProbe(&form, nullptr);
  auto* second = new TProbe(&form, nullptr);
  EXPECT_EQ(form.inserted, (std::vector<TComponent*>{first, second}));
  // A component's own insertion happens inside the base constructor, before
  // its override exists; later insertions reach it.
  EXPECT_EQ(first->inserted, (std::vector<TComponent*>{second}));
}

TEST(ComponentNotification, DestroyingIsFlaggedBeforeOwnedComponentsGo) {
  auto* form = new TProbe(nullptr, nullptr);
  bool childFlagged = false;
  struct Watch : TComponent {
    Watch(TComponent* owner, TProbe* watched, bool* flag) : TComponent(owner), watched_(watched), flag_(flag) {}
    void Notification(TComponent* c, TOperation op) override {
      if (op == opRemove && c == watched_) *flag_ = c->ComponentState().Contains(csDestroying);
      TComponent::Notification(c, op);
    }
    TProbe* watched_;
    bool* flag_;
  };
  auto* watch = new Watch(form, nullptr, &childFlagged);  // destroyed after the child
  watch->watched_ = new TProbe(form, nullptr);
  Free(form);
  EXPECT_TRUE(childFlagged);
}

TEST(ComponentName, InvalidAndDuplicateNamesAreRefused) {
  TProbe form(nullptr, nullptr);
  auto* a = new TProbe(&form, nullptr, "Button1");
  auto* b = new TProbe(&form, nullptr);
  try {
    b->SetName("1Button");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "'1Button' is not a valid component name");
  }
  try {
    b->SetName("BUTTON1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named BUTTON1 already exists");
  }
  EXPECT_EQ(b->Name(), "");
  a->SetName("BUTTON1");  // a new case of its own name is fine
  EXPECT_EQ(form.FindComponent("button1"), a);
  EXPECT_EQ(form.FindComponent(""), nullptr);
  a->SetName("");
  b->SetName("Button1");
  EXPECT_EQ(form.FindComponent("Button1"), b);
}

TEST(ComponentName, InsertingADuplicateNameFails) {
  TProbe formA(nullptr, nullptr), formB(nullptr, nullptr);
  new TProbe(&formA, nullptr, "Edit1");
  auto* other = new TProbe(&formB, nullptr, "Edit1");
  EXPECT_THROW(formA.InsertComponent(other), EComponentError);
  EXPECT_EQ(other->Owner(), &formB);
}

TEST(ComponentState, LoadingMarksReadComponentsAndCallsLoadedInOrder) {
  std::vector<std::string> log;
  TProbe form(nullptr, &log, "Form");
  form.BeginLoading();
  auto* panel = new TProbe(&form, &log, "Panel");
  new TProbe(panel, &log, "Label");
  new TProbe(&form, &log, "Button");
  EXPECT_TRUE(panel->ComponentState().Contains(csLoading));
  EXPECT_TRUE(panel->ComponentState().Contains(csReading));
  form.EndLoading();
  EXPECT_EQ(log, (std::vector<std::string>{"loaded Form", "loaded Panel", "loaded Label", "loaded Button"}));
  EXPECT_TRUE(panel->ComponentState().Empty());
  // Components created afterwards are not loading.
  auto* late = new TProbe(&form, &log, "Late");
  EXPECT_FALSE(late->ComponentState().Contains(csLoading));
}

TEST(ComponentState, DesigningSpreadsToOwnedAndInsertedComponents) {
  TProbe form(nullptr, nullptr);
  auto* before = new TProbe(&form, nullptr);
  form.SetDesigning(true);
  auto* after = new TProbe(&form, nullptr);
  EXPECT_TRUE(before->ComponentState().Contains(csDesigning));
  EXPECT_TRUE(after->ComponentState().Contains(csDesigning));
  form.SetDesigning(false, false);
  EXPECT_FALSE(form.ComponentState().Contains(csDesigning));
  EXPECT_TRUE(after->ComponentState().Contains(csDesigning));
}

TEST(ComponentState, DestructionThroughFreeSeesTheWholeObjectAndTheFlag) {
  // Free and TOwned run BeforeDestruction while the object is whole: the
  // owner is told with the derived class still in place.
  struct TOwnerProbe : TComponent {
    using TComponent::TComponent;
    void Notification(TComponent* c, TOperation op) override {
      if (op == opRemove) removedClass = c->ClassName();
      TComponent::Notification(c, op);
    }
    std::string removedClass;
  };
  TOwnerProbe form(nullptr);
  bool flagged = false;
  TOwned<TProbe> owned(new TProbe(&form, nullptr));
  owned->onDestroy = [&](TProbe* self) { flagged = self->ComponentState().Contains(csDestroying); };
  owned.reset();
  EXPECT_TRUE(flagged);
  EXPECT_EQ(form.removedClass, "TProbe");
}

}  // namespace
