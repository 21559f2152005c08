#include "framework/controls/treenode.h"

#include <algorithm>

#include "framework/controls/treeview.h"

namespace orv {

TTreeNode::TTreeNode(TTreeNodes* Owner, TTreeNode* Parent, String Text)
    : FOwner(Owner), FParent(Parent), FText(std::move(Text)) {}

void TTreeNode::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  FOwner->Changed();
}

int TTreeNode::Level() const {
  int L = 0;
  for (const TTreeNode* P = FParent; P; P = P->FParent) ++L;
  return L;
}

TTreeNode* TTreeNode::Item(int Index) const {
  return Index >= 0 && Index < Count() ? FChildren[static_cast<size_t>(Index)].get() : nullptr;
}

int TTreeNode::Index() const {
  const auto& Siblings = FOwner->SiblingsOf(FParent);
  for (size_t I = 0; I < Siblings.size(); ++I)
    if (Siblings[I].get() == this) return static_cast<int>(I);
  return -1;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& Siblings = FOwner->SiblingsOf(FParent);
  const int I = Index();
  return I + 1 < static_cast<int>(Siblings.size()) ? Siblings[static_cast<size_t>(I + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const int I = Index();
  return I > 0 ? FOwner->SiblingsOf(FParent)[static_cast<size_t>(I - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front().get();
  for (const TTreeNode* N = this; N; N = N->FParent) {
    if (TTreeNode* S = N->GetNextSibling()) return S;
  }
  return nullptr;
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (!Recurse) return;
  // Expanding may replace the children; walk them by index.
  for (int I = 0; I < Count(); ++I) FChildren[static_cast<size_t>(I)]->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  if (Recurse)
    for (auto& C : FChildren) C->Collapse(true);
  SetExpanded(false);
}

void TTreeNode::SetExpanded(bool Value) {
  if (Value == FExpanded) return;
  TCustomTreeView* View = FOwner->Owner();
  if (Value) {
    if (View && !View->CanExpand(this)) return;
    if (FChildren.empty()) return;  // nothing to show
    FExpanded = true;
    FOwner->Changed();
    if (View) View->Expand(this);
  } else {
    if (View && !View->CanCollapse(this)) return;
    FExpanded = false;
    FOwner->Changed();
    if (View) View->Collapse(this);
  }
}

bool TTreeNode::Selected() const { return FOwner->Owner() && FOwner->Owner()->Selected() == this; }

void TTreeNode::SetSelected(bool Value) {
  TCustomTreeView* View = FOwner->Owner();
  if (!View) return;
  if (Value) {
    View->SetSelected(this);
  } else if (Selected()) {
    View->SetSelected(nullptr);
  }
}

bool TTreeNode::IsVisible() const {
  for (const TTreeNode* P = FParent; P; P = P->FParent)
    if (!P->FExpanded) return false;
  return true;
}

void TTreeNode::DeleteChildren() {
  if (FChildren.empty()) return;
  for (auto& C : FChildren) FOwner->Removing(C.get());
  FChildren.clear();
  FExpanded = false;
  FOwner->Changed();
}

void TTreeNode::Delete() { FOwner->Delete(this); }

TTreeNodes::TTreeNodes(TCustomTreeView* Owner) : FOwner(Owner) {}

TTreeNodes::~TTreeNodes() = default;

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* Parent) {
  return Parent ? Parent->FChildren : FRoots;
}

int TTreeNodes::Count() const {
  int N = 0;
  for (TTreeNode* Node = GetFirstNode(); Node; Node = Node->GetNext()) ++N;
  return N;
}

TTreeNode* TTreeNodes::Item(int Index) const {
  if (Index < 0) return nullptr;
  TTreeNode* Node = GetFirstNode();
  for (; Node && Index > 0; --Index) Node = Node->GetNext();
  return Node;
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Parent, size_t At, const String& Text) {
  auto& Siblings = SiblingsOf(Parent);
  auto Node = std::make_unique<TTreeNode>(this, Parent, Text);
  TTreeNode* Result = Node.get();
  Siblings.insert(Siblings.begin() + static_cast<std::ptrdiff_t>(std::min(At, Siblings.size())), std::move(Node));
  Changed();
  return Result;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& Text) {
  TTreeNode* Parent = Sibling ? Sibling->Parent() : nullptr;
  return Insert(Parent, SiblingsOf(Parent).size(), Text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& Text) {
  return Insert(Parent, SiblingsOf(Parent).size(), Text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const String& Text) { return Insert(Parent, 0, Text); }

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node || Node->Owner() != this) return;
  auto& Siblings = SiblingsOf(Node->Parent());
  auto It = std::find_if(Siblings.begin(), Siblings.end(), [&](const auto& P) { return P.get() == Node; });
  if (It == Siblings.end()) return;
  Removing(Node);
  TTreeNode* Parent = Node->Parent();
  Siblings.erase(It);  // frees the node and its children
  if (Parent && Parent->FChildren.empty()) Parent->FExpanded = false;
  Changed();
}

void TTreeNodes::Clear() {
  if (FRoots.empty()) return;
  for (auto& R : FRoots) Removing(R.get());
  FRoots.clear();
  Changed();
}

void TTreeNodes::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0) Changed();
}

void TTreeNodes::Removing(TTreeNode* Node) {
  if (FOwner) FOwner->NodeRemoving(Node);
}

void TTreeNodes::Changed() {
  if (!FOwner) return;
  FOwner->FRowsValid = false;
  if (FUpdating == 0) FOwner->StructureChanged();
}

}  // namespace orv
