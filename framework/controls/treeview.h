#pragma once
// TCustomTreeView and TTreeView: a scrolling list of nodes drawn as a tree,
// with connecting lines, expand buttons, one selected node, keyboard and
// mouse navigation, and events before and after every expansion, collapse
// and selection change.

#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/customcontrol.h"
#include "framework/controls/treenode.h"

namespace orv {

using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TCustomControl {
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() const { return FItems.get(); }
  // The selected node; setting it asks OnChanging and fires OnChange, and
  // expands the node's ancestors and scrolls it into view.
  TTreeNode* Selected() const { return FSelected; }
  void SetSelected(TTreeNode* Value);
  // The node in the top row.
  TTreeNode* TopItem();
  void SetTopItem(TTreeNode* Value);

  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  // Lines and buttons for the top-level nodes too.
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  // Horizontal step from one level to the next, in pixels.
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value) { FMultiSelect = Value; }
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  // Without the focus the selection is not shown.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

  // Row height in pixels, from the font.
  int ItemHeight();
  // The node whose row is at client point (X, Y); nullptr when none.
  TTreeNode* GetNodeAt(int X, int Y);
  // Rows that fit the client area.
  int VisibleRowCount();
  void FullExpand();
  void FullCollapse();

  TTVExpandingEvent OnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(TTVExpandingEvent Value) { FOnExpanding = std::move(Value); }
  TTVExpandedEvent OnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(TTVExpandedEvent Value) { FOnExpanded = std::move(Value); }
  TTVCollapsingEvent OnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(TTVCollapsingEvent Value) { FOnCollapsing = std::move(Value); }
  TTVExpandedEvent OnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(TTVExpandedEvent Value) { FOnCollapsed = std::move(Value); }
  TTVChangingEvent OnChanging() const { return FOnChanging; }
  void SetOnChanging(TTVChangingEvent Value) { FOnChanging = std::move(Value); }
  TTVChangedEvent OnChange() const { return FOnChange; }
  void SetOnChange(TTVChangedEvent Value) { FOnChange = std::move(Value); }

 protected:
  friend class TTreeNode;
  friend class TTreeNodes;

  // Asked before a node expands (OnExpanding); may change its children.
  virtual bool CanExpand(TTreeNode* Node);
  virtual void Expand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Collapse(TTreeNode* Node);
  virtual bool CanChange(TTreeNode* Node);
  // The selection changed: fires OnChange.
  virtual void Change(TTreeNode* Node);

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Resize() override;

 private:
  // Rows of the expanded tree, top to bottom; rebuilt after changes.
  const std::vector<TTreeNode*>& Rows();
  int RowOf(const TTreeNode* Node);
  void StructureChanged();
  void NodeRemoving(TTreeNode* Node);
  // Keeps the top row within 0 .. rows - visible rows.
  void ClampTop();
  void ScrollBy(int Rows);
  void MakeVisible(TTreeNode* Node);
  void SelectRow(int Row);
  // Layout of a row's parts, client coordinates.
  int ButtonCentreX(const TTreeNode* Node) const;
  int TextLeft(const TTreeNode* Node) const;
  TRect ListRect() const;
  bool ScrollBarShown();
  TRect ScrollBarRect();
  TRect ThumbRect();
  void PaintRow(TCanvas* C, TTreeNode* Node, int Y, int H);
  void PaintScrollBar(TCanvas* C);

  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  std::vector<TTreeNode*> FRows;
  bool FRowsValid = false;
  int FTopRow = 0;
  bool FShowLines = true;
  bool FShowButtons = true;
  bool FShowRoot = true;
  int FIndent = 19;
  bool FReadOnly = false;
  bool FMultiSelect = false;
  bool FHotTrack = false;
  bool FHideSelection = true;
  bool FDoubleBuffered = false;
  // Thumb drag: the pointer's offset into the thumb, -1 when not dragging.
  int FThumbGrab = -1;

  TTVExpandingEvent FOnExpanding;
  TTVExpandedEvent FOnExpanded;
  TTVCollapsingEvent FOnCollapsing;
  TTVExpandedEvent FOnCollapsed;
  TTVChangingEvent FOnChanging;
  TTVChangedEvent FOnChange;
};

class TTreeView : public TCustomTreeView {
 public:
  using TCustomTreeView::TCustomTreeView;
};

}  // namespace orv
