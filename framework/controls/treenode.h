#pragma once
// TTreeNode and TTreeNodes: the items of a tree view. Nodes belong to their
// TTreeNodes list; a node owns its children, in order.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/rtl/types.h"

namespace orv {

class TCustomTreeView;
class TTreeNodes;

class TTreeNode {
 public:
  TTreeNode(TTreeNodes* Owner, TTreeNode* Parent, String Text);
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  const String& Text() const { return FText; }
  void SetText(const String& Value);
  // A word for the application (the folder tree keeps its loaded marker here).
  uintptr_t Data() const { return FData; }
  void SetData(uintptr_t Value) { FData = Value; }

  TTreeNode* Parent() const { return FParent; }
  TTreeNodes* Owner() const { return FOwner; }
  // 0 for a top-level node.
  int Level() const;
  int Count() const { return static_cast<int>(FChildren.size()); }
  // Child at 0-based Index; nullptr outside.
  TTreeNode* Item(int Index) const;
  // Index among its siblings.
  int Index() const;
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next node in tree order (children first); nullptr after the last.
  TTreeNode* GetNext() const;

  bool Expanded() const { return FExpanded; }
  // Expanding asks the tree view (its OnExpanding may refuse or fill the
  // children in); collapsing asks OnCollapsing. Recurse does the same below.
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  void SetExpanded(bool Value);
  bool Selected() const;
  void SetSelected(bool Value);
  // Every ancestor expanded: the node has a row in the view.
  bool IsVisible() const;

  void DeleteChildren();
  // Removes the node (and its children) from its tree; the node is freed.
  void Delete();

 private:
  friend class TTreeNodes;
  TTreeNodes* FOwner;
  TTreeNode* FParent;
  String FText;
  uintptr_t FData = 0;
  bool FExpanded = false;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TCustomTreeView* Owner);
  ~TTreeNodes();

  TCustomTreeView* Owner() const { return FOwner; }
  // Every node in tree order.
  int Count() const;
  // Node at absolute index Index in tree order; nullptr outside.
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  int RootCount() const { return static_cast<int>(FRoots.size()); }

  // A new last sibling of Sibling (a new top-level node for nullptr).
  TTreeNode* Add(TTreeNode* Sibling, const String& Text);
  // A new last child of Parent (a new top-level node for nullptr).
  TTreeNode* AddChild(TTreeNode* Parent, const String& Text);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const String& Text);
  void Delete(TTreeNode* Node);
  void Clear();
  // Repaints wait until the outermost EndUpdate.
  void BeginUpdate() { ++FUpdating; }
  void EndUpdate();

 private:
  friend class TTreeNode;
  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
  TTreeNode* Insert(TTreeNode* Parent, size_t At, const String& Text);
  // The view forgets a node (or one of its descendants) about to go.
  void Removing(TTreeNode* Node);
  void Changed();

  TCustomTreeView* FOwner;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  int FUpdating = 0;
};

}  // namespace orv
