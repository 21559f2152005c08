#pragma once
// The object model: TObject, TPersistent (Assign/AssignTo) and TComponent
// (ownership, names, component state, removal notification).

#include <vector>

#include "set.h"
#include "types.h"

namespace orv {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class name without namespace, e.g. u"TRLData".
  String ClassName() const;
};

class TPersistent : public TObject {
 public:
  // Copies Source into this object; a Source of an unsuitable class raises
  // EConvertError "Cannot assign a <Source class> to a <this class>".
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(TPersistent* Source);
};

enum TComponentStateItem : uint8_t {
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
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Owned component at 0-based Index; nullptr outside the list.
  TComponent* Components(int Index) const;
  // Owned component whose Name matches (letter case ignored); nullptr if none.
  TComponent* FindComponent(const String& AName) const;

  const String& Name() const { return FName; }
  // Raises EComponentError for a name that is not an identifier or that
  // another component of the same owner already carries.
  virtual void SetName(const String& NewName);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t Value) { FTag = Value; }

  const TComponentState& ComponentState() const { return FComponentState; }
  void SetDesigning(bool Value, bool SetChildren = true);
  // The form reader calls BeginLoading before it sets properties and Loaded
  // after all of them are in place.
  void BeginLoading();
  virtual void Loaded();

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // AComponent will hear (Notification with opRemove) when this one is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // Frees every owned component, last first.
  void DestroyComponents();

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void Destroying();

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  String FName;
  intptr_t FTag = 0;
  TComponentState FComponentState;
};

}  // namespace orv
