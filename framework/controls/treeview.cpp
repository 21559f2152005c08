#include "framework/controls/treeview.h"

#include <algorithm>

#include "framework/graphics/colors.h"

namespace orv {

namespace {

constexpr int kBorder = 2;       // sunken client edge
constexpr int kScrollWidth = 16;  // vertical scroll bar
constexpr int kButtonHalf = 4;    // expand buttons are 9 x 9
constexpr int kWheelRows = 3;

// Every other pixel of a horizontal or vertical run, on the even squares of
// the client area so neighbouring runs line up.
void DottedLine(TCanvas* C, int X1, int Y1, int X2, int Y2, TColor Color) {
  if (X1 == X2) {
    for (int Y = std::min(Y1, Y2); Y < std::max(Y1, Y2); ++Y)
      if (((X1 + Y) & 1) == 0) C->SetPixels(X1, Y, Color);
  } else {
    for (int X = std::min(X1, X2); X < std::max(X1, X2); ++X)
      if (((X + Y1) & 1) == 0) C->SetPixels(X, Y1, Color);
  }
}

}  // namespace

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  SetBounds(Left(), Top(), 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
  SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse, csDoubleClicks});
}

TCustomTreeView::~TCustomTreeView() {
  // The nodes go first, while the view can still hear about them.
  FItems->Clear();
}

// --- Properties --------------------------------------------------------------

void TCustomTreeView::SetShowLines(bool Value) {
  if (Value == FShowLines) return;
  FShowLines = Value;
  Invalidate();
}

void TCustomTreeView::SetShowButtons(bool Value) {
  if (Value == FShowButtons) return;
  FShowButtons = Value;
  Invalidate();
}

void TCustomTreeView::SetShowRoot(bool Value) {
  if (Value == FShowRoot) return;
  FShowRoot = Value;
  Invalidate();
}

void TCustomTreeView::SetIndent(int Value) {
  Value = std::max(Value, 1);
  if (Value == FIndent) return;
  FIndent = Value;
  Invalidate();
}

void TCustomTreeView::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  Invalidate();
}

int TCustomTreeView::ItemHeight() {
  TCanvas* C = Canvas();
  C->SetFont(Font());
  return std::max(C->TextHeight(u"Wg") + 3, 16);
}

// --- Rows and scrolling ------------------------------------------------------

const std::vector<TTreeNode*>& TCustomTreeView::Rows() {
  if (!FRowsValid) {
    FRows.clear();
    for (TTreeNode* N = FItems->GetFirstNode(); N;) {
      FRows.push_back(N);
      // Past a collapsed node's children: its next sibling or an ancestor's.
      TTreeNode* Next = N->Expanded() ? N->GetFirstChild() : nullptr;
      for (TTreeNode* Up = N; !Next && Up; Up = Up->Parent()) Next = Up->GetNextSibling();
      N = Next;
    }
    FRowsValid = true;
  }
  return FRows;
}

int TCustomTreeView::RowOf(const TTreeNode* Node) {
  const auto& R = Rows();
  const auto It = std::find(R.begin(), R.end(), Node);
  return It == R.end() ? -1 : static_cast<int>(It - R.begin());
}

TRect TCustomTreeView::ListRect() const {
  return TRect{kBorder, kBorder, std::max(kBorder, Width() - kBorder), std::max(kBorder, Height() - kBorder)};
}

int TCustomTreeView::VisibleRowCount() {
  const TRect L = ListRect();
  return std::max(1, (L.Bottom - L.Top) / ItemHeight());
}

bool TCustomTreeView::ScrollBarShown() { return static_cast<int>(Rows().size()) > VisibleRowCount(); }

void TCustomTreeView::ClampTop() {
  const int Last = std::max(0, static_cast<int>(Rows().size()) - VisibleRowCount());
  FTopRow = std::clamp(FTopRow, 0, Last);
}

void TCustomTreeView::ScrollBy(int RowCount) {
  const int Old = FTopRow;
  FTopRow += RowCount;
  ClampTop();
  if (FTopRow != Old) Invalidate();
}

TTreeNode* TCustomTreeView::TopItem() {
  const auto& R = Rows();
  return FTopRow < static_cast<int>(R.size()) ? R[static_cast<size_t>(FTopRow)] : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* Value) {
  const int Row = RowOf(Value);
  if (Row < 0) return;
  ScrollBy(Row - FTopRow);
}

void TCustomTreeView::MakeVisible(TTreeNode* Node) {
  for (TTreeNode* P = Node ? Node->Parent() : nullptr; P; P = P->Parent()) P->Expand(false);
  const int Row = RowOf(Node);
  if (Row < 0) return;
  if (Row < FTopRow) ScrollBy(Row - FTopRow);
  const int Bottom = FTopRow + VisibleRowCount() - 1;
  if (Row > Bottom) ScrollBy(Row - Bottom);
}

void TCustomTreeView::StructureChanged() {
  FRowsValid = false;
  ClampTop();
  Invalidate();
}

void TCustomTreeView::NodeRemoving(TTreeNode* Node) {
  FRowsValid = false;
  for (TTreeNode* S = FSelected; S; S = S->Parent()) {
    if (S == Node) {
      FSelected = nullptr;
      break;
    }
  }
}

void TCustomTreeView::Resize() {
  ClampTop();
  TCustomControl::Resize();
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  const TRect L = ListRect();
  if (X < L.Left || X >= L.Right || Y < L.Top || Y >= L.Bottom) return nullptr;
  const int Row = FTopRow + (Y - L.Top) / ItemHeight();
  const auto& R = Rows();
  return Row < static_cast<int>(R.size()) ? R[static_cast<size_t>(Row)] : nullptr;
}

void TCustomTreeView::FullExpand() {
  FItems->BeginUpdate();
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->GetNextSibling()) N->Expand(true);
  FItems->EndUpdate();
}

void TCustomTreeView::FullCollapse() {
  FItems->BeginUpdate();
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->GetNextSibling()) N->Collapse(true);
  FItems->EndUpdate();
}

// --- Events ------------------------------------------------------------------

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool Allow = true;
  if (FOnExpanding) FOnExpanding(this, Node, Allow);
  return Allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (FOnExpanded) FOnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool Allow = true;
  if (FOnCollapsing) FOnCollapsing(this, Node, Allow);
  return Allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  // A selection hidden inside the collapsed branch moves up to its root.
  for (TTreeNode* S = FSelected ? FSelected->Parent() : nullptr; S; S = S->Parent()) {
    if (S == Node) {
      SetSelected(Node);
      break;
    }
  }
  if (FOnCollapsed) FOnCollapsed(this, Node);
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool Allow = true;
  if (FOnChanging) FOnChanging(this, Node, Allow);
  return Allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (FOnChange) FOnChange(this, Node);
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  if (Value == FSelected) {
    MakeVisible(Value);
    return;
  }
  if (Value && Value->Owner() != FItems.get()) return;
  if (!CanChange(Value)) return;
  FSelected = Value;
  MakeVisible(Value);
  Invalidate();
  Change(Value);
}

void TCustomTreeView::SelectRow(int Row) {
  const auto& R = Rows();
  if (R.empty()) return;
  SetSelected(R[static_cast<size_t>(std::clamp(Row, 0, static_cast<int>(R.size()) - 1))]);
}

// --- Mouse and keys ------------------------------------------------------------

int TCustomTreeView::ButtonCentreX(const TTreeNode* Node) const {
  const int Depth = Node->Level() + (FShowRoot ? 0 : -1);
  return kBorder + Depth * FIndent + FIndent / 2 + 2;
}

int TCustomTreeView::TextLeft(const TTreeNode* Node) const {
  const int Depth = Node->Level() + (FShowRoot ? 1 : 0);
  return kBorder + Depth * FIndent + 4;
}

TRect TCustomTreeView::ScrollBarRect() {
  const TRect L = ListRect();
  return TRect{L.Right - kScrollWidth, L.Top, L.Right, L.Bottom};
}

TRect TCustomTreeView::ThumbRect() {
  const TRect Bar = ScrollBarRect();
  const int Total = static_cast<int>(Rows().size());
  const int Shown = VisibleRowCount();
  const int Track = Bar.Bottom - Bar.Top;
  if (Total <= 0 || Track <= 0) return Bar;
  const int Length = std::max(12, static_cast<int>(static_cast<long long>(Track) * Shown / Total));
  const int Range = std::max(1, Total - Shown);
  const int Top = Bar.Top + static_cast<int>(static_cast<long long>(Track - Length) * FTopRow / Range);
  return TRect{Bar.Left, Top, Bar.Right, std::min(Bar.Bottom, Top + Length)};
}

void TCustomTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  if (Button == mbLeft && ScrollBarShown() && X >= ScrollBarRect().Left) {
    const TRect Thumb = ThumbRect();
    if (Y < Thumb.Top) {
      ScrollBy(-VisibleRowCount());
    } else if (Y >= Thumb.Bottom) {
      ScrollBy(VisibleRowCount());
    } else {
      FThumbGrab = Y - Thumb.Top;
    }
  } else if (Button == mbLeft) {
    if (TTreeNode* Node = GetNodeAt(X, Y)) {
      const int Centre = ButtonCentreX(Node);
      const bool OnButton = FShowButtons && X >= Centre - kButtonHalf - 1 && X <= Centre + kButtonHalf + 1 &&
                            (Node->Level() > 0 || FShowRoot);
      if (OnButton && (Node->HasChildren() || Node->Expanded())) {
        Node->SetExpanded(!Node->Expanded());
      } else {
        SetSelected(Node);
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTreeView::MouseMove(TShiftState Shift, int X, int Y) {
  if (FThumbGrab >= 0) {
    const TRect Bar = ScrollBarRect();
    const TRect Thumb = ThumbRect();
    const int Free = (Bar.Bottom - Bar.Top) - (Thumb.Bottom - Thumb.Top);
    const int Range = std::max(0, static_cast<int>(Rows().size()) - VisibleRowCount());
    if (Free > 0) {
      const int Target = static_cast<int>(static_cast<long long>(Y - FThumbGrab - Bar.Top) * Range / Free);
      ScrollBy(Target - FTopRow);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomTreeView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FThumbGrab = -1;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomTreeView::DblClick() {
  if (FSelected) FSelected->SetExpanded(!FSelected->Expanded());
  TCustomControl::DblClick();
}

void TCustomTreeView::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const int Row = FSelected ? RowOf(FSelected) : -1;
  switch (Key) {
    case VK_UP: SelectRow(Row < 0 ? 0 : Row - 1); break;
    case VK_DOWN: SelectRow(Row + 1); break;
    case VK_HOME: SelectRow(0); break;
    case VK_END: SelectRow(static_cast<int>(Rows().size()) - 1); break;
    case VK_PRIOR: SelectRow(Row - (VisibleRowCount() - 1)); break;
    case VK_NEXT: SelectRow(Row + VisibleRowCount() - 1); break;
    case VK_LEFT:
      if (FSelected && FSelected->Expanded()) {
        FSelected->Collapse(false);
      } else if (FSelected && FSelected->Parent()) {
        SetSelected(FSelected->Parent());
      }
      break;
    case VK_RIGHT:
      if (FSelected && !FSelected->Expanded()) {
        FSelected->Expand(false);
      } else if (FSelected && FSelected->GetFirstChild()) {
        SetSelected(FSelected->GetFirstChild());
      }
      break;
    case VK_ADD:
      if (FSelected) FSelected->Expand(false);
      break;
    case VK_SUBTRACT:
      if (FSelected) FSelected->Collapse(false);
      break;
    case VK_MULTIPLY:
      if (FSelected) FSelected->Expand(true);
      break;
    default: return;
  }
  Key = 0;
}

bool TCustomTreeView::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelDown(Shift, MousePos)) ScrollBy(kWheelRows);
  return true;
}

bool TCustomTreeView::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelUp(Shift, MousePos)) ScrollBy(-kWheelRows);
  return true;
}

// --- Painting --------------------------------------------------------------------

void TCustomTreeView::PaintRow(TCanvas* C, TTreeNode* Node, int Y, int H) {
  const TColor LineColor = 0x808080;
  const int Mid = Y + H / 2;
  const bool Marked = Node->Level() > 0 || FShowRoot;
  if (FShowLines && Marked) {
    const int X = ButtonCentreX(Node);
    // Up to the row above, on to the next sibling, across to the text.
    DottedLine(C, X, Y, X, Node->GetNextSibling() ? Y + H : Mid + 1, LineColor);
    DottedLine(C, X, Mid, TextLeft(Node) - 2, Mid, LineColor);
    // The ancestors' lines running past this row.
    for (TTreeNode* A = Node->Parent(); A; A = A->Parent()) {
      if ((A->Level() > 0 || FShowRoot) && A->GetNextSibling()) {
        const int AX = ButtonCentreX(A);
        DottedLine(C, AX, Y, AX, Y + H, LineColor);
      }
    }
  }
  if (FShowButtons && Marked && Node->HasChildren()) {
    const int X = ButtonCentreX(Node);
    C->Pen()->SetColor(LineColor);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->Rectangle(X - kButtonHalf, Mid - kButtonHalf, X + kButtonHalf + 1, Mid + kButtonHalf + 1);
    C->Pen()->SetColor(clBlack);
    C->MoveTo(X - 2, Mid);
    C->LineTo(X + 3, Mid);
    if (!Node->Expanded()) {
      C->MoveTo(X, Mid - 2);
      C->LineTo(X, Mid + 3);
    }
  }
  const int TextX = TextLeft(Node);
  const int TextW = C->TextWidth(Node->Text());
  const bool ShowSelected = Node == FSelected && (Focused() || !FHideSelection);
  TColor Ink = Enabled() ? Font()->Color() : clGrayText;
  if (ShowSelected) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Focused() ? clHighlight : clBtnFace);
    C->FillRect(TRect{TextX - 2, Y, TextX + TextW + 2, Y + H});
    if (Focused()) Ink = clHighlightText;
  }
  C->Brush()->SetStyle(bsClear);
  C->Font()->SetColor(Ink);
  C->TextOut(TextX, Y + (H - C->TextHeight(Node->Text())) / 2, Node->Text());
}

void TCustomTreeView::PaintScrollBar(TCanvas* C) {
  const TRect Bar = ScrollBarRect();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(0xE8E8E8);
  C->FillRect(Bar);
  const TRect Thumb = ThumbRect();
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(Thumb);
  C->Pen()->SetColor(0x808080);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(Thumb);
}

void TCustomTreeView::Paint() {
  TCanvas* C = Canvas();
  C->Save();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  C->SetFont(Font());
  const int H = ItemHeight();
  const bool Bar = ScrollBarShown();
  TRect List = ListRect();
  if (Bar) List.Right -= kScrollWidth;
  C->Save();
  C->SetClipRect(List);
  // Only the rows in view are drawn, however long the tree.
  const auto& R = Rows();
  const int Last = std::min(static_cast<int>(R.size()), FTopRow + VisibleRowCount() + 1);
  for (int Row = FTopRow; Row < Last; ++Row)
    PaintRow(C, R[static_cast<size_t>(Row)], List.Top + (Row - FTopRow) * H, H);
  C->Restore();
  if (Bar) PaintScrollBar(C);
  // The sunken client edge: shadow and highlight outside, dark and light inside.
  const int W = Width(), Ht = Height();
  C->Pen()->SetColor(clBtnShadow);
  C->MoveTo(0, Ht - 1); C->LineTo(0, 0); C->LineTo(W - 1, 0);
  C->Pen()->SetColor(clBtnHighlight);
  C->LineTo(W - 1, Ht - 1); C->LineTo(-1, Ht - 1);
  C->Pen()->SetColor(cl3DDkShadow);
  C->MoveTo(1, Ht - 2); C->LineTo(1, 1); C->LineTo(W - 2, 1);
  C->Pen()->SetColor(cl3DLight);
  C->LineTo(W - 2, Ht - 2); C->LineTo(0, Ht - 2);
  C->Restore();
}

}  // namespace orv
