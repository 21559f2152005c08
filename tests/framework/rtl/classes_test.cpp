#include "framework/rtl/classes.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/rtl/exceptions.h"

namespace orv {
namespace {

class TProbe : public TComponent {
 public:
  explicit TProbe(TComponent* AOwner, std::vector<String>* Log = nullptr) : TComponent(AOwner), FLog(Log) {}
  ~TProbe() override {
    if (FLog) FLog->push_back(u"destroy " + Name());
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (FLog && Operation == opRemove) FLog->push_back(Name() + u" heard removal of " + AComponent->Name());
  }

 private:
  std::vector<String>* FLog;
};

class TOther : public TPersistent {};

TEST(Component, OwnerDestroysOwnedComponentsLastFirst) {
  std::vector<String> Log;
  auto* Owner = new TProbe(nullptr, &Log);
  Owner->SetName(u"Form");
  (new TProbe(Owner, &Log))->SetName(u"A");
  (new TProbe(Owner, &Log))->SetName(u"B");
  ASSERT_EQ(Owner->ComponentCount(), 2);
  delete Owner;
  // The owner's own destructor body runs first, then its components go, last first.
  const std::vector<String> Expected{u"destroy Form", u"destroy B", u"destroy A"};
  EXPECT_EQ(Log, Expected);
}

TEST(Component, DeletingAComponentRemovesItFromItsOwnerAndNotifiesSiblings) {
  std::vector<String> Log;
  TProbe Owner(nullptr);
  auto* A = new TProbe(&Owner, &Log);
  A->SetName(u"A");
  auto* B = new TProbe(&Owner, &Log);
  B->SetName(u"B");
  delete B;
  EXPECT_EQ(Owner.ComponentCount(), 1);
  EXPECT_EQ(Owner.Components(0), A);
  EXPECT_EQ(Owner.Components(1), nullptr);
  EXPECT_NE(std::find(Log.begin(), Log.end(), u"A heard removal of B"), Log.end());
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners) {
  std::vector<String> Log;
  TProbe Watcher(nullptr, &Log);
  Watcher.SetName(u"Watcher");
  auto* Target = new TProbe(nullptr);
  Target->SetName(u"Target");
  Target->FreeNotification(&Watcher);
  delete Target;
  ASSERT_FALSE(Log.empty());
  EXPECT_EQ(Log.front(), u"Watcher heard removal of Target");
}

TEST(Component, FindComponentIgnoresLetterCaseAndNamesMustBeUnique) {
  TComponent Owner(nullptr);
  auto* A = new TComponent(&Owner);
  A->SetName(u"Meter1");
  EXPECT_EQ(Owner.FindComponent(u"METER1"), A);
  EXPECT_EQ(Owner.FindComponent(u"Meter2"), nullptr);
  auto* B = new TComponent(&Owner);
  EXPECT_THROW(B->SetName(u"meter1"), EComponentError);
  EXPECT_THROW(B->SetName(u"1abc"), EComponentError);
  B->SetName(u"_ok2");
  EXPECT_EQ(B->Name(), u"_ok2");
}

TEST(Component, LoadingStateEndsInLoaded) {
  TComponent C(nullptr);
  C.BeginLoading();
  EXPECT_TRUE(C.ComponentState().Contains(csLoading));
  C.Loaded();
  EXPECT_FALSE(C.ComponentState().Contains(csLoading));
  auto* Child = new TComponent(&C);
  C.SetDesigning(true);
  EXPECT_TRUE(Child->ComponentState().Contains(csDesigning));
}

TEST(Persistent, ImpossibleAssignmentNamesBothClasses) {
  TProbe Target(nullptr);
  TOther Source;
  try {
    Target.Assign(&Source);
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), u"Cannot assign a TOther to a TProbe");
    EXPECT_STREQ(E.what(), "Cannot assign a TOther to a TProbe");
  }
  EXPECT_THROW(Target.Assign(nullptr), EConvertError);
}

}  // namespace
}  // namespace orv
