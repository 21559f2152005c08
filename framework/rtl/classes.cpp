#include "classes.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "exceptions.h"
#include "unicode.h"

namespace orv {

namespace {

String Demangled(const std::type_info& Type) {
  int Status = 0;
  std::unique_ptr<char, void (*)(void*)> Name(abi::__cxa_demangle(Type.name(), nullptr, nullptr, &Status),
                                              std::free);
  std::string Text = Status == 0 && Name ? Name.get() : Type.name();
  const size_t Colon = Text.rfind("::");
  if (Colon != std::string::npos) Text.erase(0, Colon + 2);
  return FromUtf8(Text);
}

Char Folded(Char C) { return C >= u'a' && C <= u'z' ? static_cast<Char>(C - 32) : C; }

bool SameText(const String& A, const String& B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](Char X, Char Y) {
           return Folded(X) == Folded(Y);
         });
}

bool IsIdentifier(const String& S) {
  if (S.empty()) return false;
  auto Alpha = [](Char C) { return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_'; };
  if (!Alpha(S[0])) return false;
  return std::all_of(S.begin() + 1, S.end(), [&](Char C) { return Alpha(C) || (C >= u'0' && C <= u'9'); });
}

}  // namespace

String TObject::ClassName() const { return Demangled(typeid(*this)); }

void TPersistent::Assign(TPersistent* Source) {
  if (Source == nullptr) AssignError(nullptr);
  Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  const String SourceName = Source ? Source->ClassName() : u"nil";
  throw EConvertError(u"Cannot assign a " + SourceName + u" to a " + ClassName());
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell everyone who asked that this component is going away.
  while (!FFreeNotifies.empty()) {
    TComponent* Other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Other->RemoveFreeNotification(this);
    Other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) return nullptr;
  return FComponents[static_cast<size_t>(Index)];
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* C : FComponents) {
    if (SameText(C->FName, AName)) return C;
  }
  return nullptr;
}

void TComponent::SetName(const String& NewName) {
  if (NewName == FName) return;
  if (!NewName.empty() && !IsIdentifier(NewName)) {
    throw EComponentError(u"Component name \"" + NewName + u"\" is not valid");
  }
  if (FOwner && !NewName.empty()) {
    TComponent* Other = FOwner->FindComponent(NewName);
    if (Other && Other != this) {
      throw EComponentError(u"A component named " + NewName + u" already exists");
    }
  }
  FName = NewName;
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) {
    FComponentState.Include(csDesigning);
  } else {
    FComponentState.Exclude(csDesigning);
  }
  if (SetChildren) {
    for (TComponent* C : FComponents) C->SetDesigning(Value, true);
  }
}

void TComponent::BeginLoading() { FComponentState.Include(csLoading); }

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName)) {
    throw EComponentError(u"A component named " + AComponent->FName + u" already exists");
  }
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  std::erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FreeNotification(this);  // the link is kept both ways
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  std::erase(FFreeNotifies, AComponent);
  if (FFreeNotifies.empty()) FComponentState.Exclude(csFreeNotification);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* Last = FComponents.back();
    Remove(Last);
    delete Last;
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  for (TComponent* C : FComponents) C->Notification(AComponent, Operation);
}

void TComponent::Destroying() { FComponentState.Include(csDestroying); }

}  // namespace orv
