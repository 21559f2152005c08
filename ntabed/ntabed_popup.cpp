// TNTabEd: the data and header popup menus, their actions, and copy, paste
// and number import through the clipboard.

#include <algorithm>
#include <array>

#include "framework/forms/menus.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/sysutils.h"
#include "ntabed/ntabed.h"
#include "ntabed/ntabed_clip.h"
#include "numio/numscan.h"

namespace orv {

namespace {

constexpr std::array<const char16_t*, 12> kDCaptions = {
    u"Mark as type A", u"Mark as type B", u"Unmark type A", u"Unmark type B", u"Unmark All", u"Clear",
    u"Copy", u"Paste", u"Data Read-Only", u"Extract from Clipboard", u"Select All", u"Toggle Empty State"};
constexpr std::array<const char16_t*, 5> kHCaptions = {u"Edit Heading", u"Change Precision", u"Select..",
                                                       u"Insert..", u"Delete.."};
constexpr std::array<const char16_t*, 4> kSubCaptions = {u"Range", u"Column", u"Row", u"All"};
constexpr std::array<const char16_t*, 4> kSubPrefix = {u"M1It", u"M2It", u"U1It", u"U2It"};

// Mask bits of the data items Paste, Change Precision, Select, Insert and Delete.
constexpr int kMaskPaste = 0x080;
constexpr int kMaskPrecision = 0x02;

enum TWhere : int { wRange, wColumn, wRow, wAll };

String ItemName(const char16_t* Prefix, int Nr) { return String(Prefix) + IntToStr(Nr); }

}  // namespace

// --- Building ------------------------------------------------------------------------------------

void TNTabEd::BuildPopups() {
  using Handler = void (TNTabEd::*)(TObject*);
  static constexpr Handler kSub[4][4] = {
      {&TNTabEd::PopupMenuClickMarkARange, &TNTabEd::PopupMenuClickMarkAColumn, &TNTabEd::PopupMenuClickMarkARow,
       &TNTabEd::PopupMenuClickMarkAAll},
      {&TNTabEd::PopupMenuClickMarkBRange, &TNTabEd::PopupMenuClickMarkBColumn, &TNTabEd::PopupMenuClickMarkBRow,
       &TNTabEd::PopupMenuClickMarkBAll},
      {&TNTabEd::PopupMenuClickUnMarkARange, &TNTabEd::PopupMenuClickUnMarkAColumn,
       &TNTabEd::PopupMenuClickUnMarkARow, &TNTabEd::PopupMenuClickUnMarkAAll},
      {&TNTabEd::PopupMenuClickUnMarkBRange, &TNTabEd::PopupMenuClickUnMarkBColumn,
       &TNTabEd::PopupMenuClickUnMarkBRow, &TNTabEd::PopupMenuClickUnMarkBAll}};
  static constexpr Handler kItem[12] = {nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        &TNTabEd::PopupMenuClickUnMarkAll,
                                        &TNTabEd::PopupMenuClickClear,
                                        &TNTabEd::PopupMenuClickCopy,
                                        &TNTabEd::PopupMenuClickPaste,
                                        &TNTabEd::PopupMenuClickEdit,
                                        &TNTabEd::PopupMenuClickExtClip,
                                        &TNTabEd::PopupMenuClickSelAll,
                                        &TNTabEd::PopupMenuClickEmptyCells};
  const auto Bind = [this](Handler H) -> TNotifyEvent {
    if (!H) return nullptr;
    return [this, H](TObject* Sender) { (this->*H)(Sender); };
  };
  std::vector<TMenuItem*> DItems;
  for (int I = 1; I <= 12; ++I) {
    if (I <= 4) {
      std::vector<TMenuItem*> Subs;
      for (int S = 1; S <= 4; ++S) {
        Subs.push_back(NewItem(kSubCaptions[S - 1], 0, false, true, Bind(kSub[I - 1][S - 1]), 0,
                               ItemName(kSubPrefix[I - 1], S)));
      }
      DItems.push_back(NewSubMenu(kDCaptions[I - 1], 0, ItemName(u"DIt", I), Subs));
    } else {
      DItems.push_back(NewItem(kDCaptions[I - 1], 0, false, I != 8, Bind(kItem[I - 1]), 0, ItemName(u"DIt", I)));
    }
  }
  FPopupD = NewPopupMenu(this, u"PopupDTAction", paLeft, true, DItems);
  FPopupD->SetOnPopup([this](TObject*) {
    // Clear and Extract follow the read-only state; Paste needs a copied block too.
    DItem(6)->SetEnabled(!FDataReadOnly);
    DItem(10)->SetEnabled(!FDataReadOnly);
    if (FCopied && (FPopupDMask & kMaskPaste)) DItem(8)->SetEnabled(!FDataReadOnly);
  });

  static constexpr Handler kHItem[5] = {&TNTabEd::PopupMenuClickChangeID, &TNTabEd::PopupMenuClickPrecision,
                                        &TNTabEd::PopupMenuClickSelectCol, &TNTabEd::PopupMenuClickInsertCol,
                                        &TNTabEd::PopupMenuClickDeleteCol};
  std::vector<TMenuItem*> HItems;
  for (int I = 1; I <= 5; ++I) {
    HItems.push_back(NewItem(kHCaptions[I - 1], 0, false, true, Bind(kHItem[I - 1]), 0, ItemName(u"HIt", I)));
  }
  FPopupH = NewPopupMenu(this, u"PopupHTAction", paLeft, true, HItems);
}

TMenuItem* TNTabEd::DItem(int ix) const { return FPopupD->Items()->Items(ix - 1); }
TMenuItem* TNTabEd::HItem(int ix) const { return FPopupH->Items()->Items(ix - 1); }

void TNTabEd::ApplyMask(TPopupMenu* Menu, int Mask) {
  for (int I = 0; I < Menu->Items()->Count(); ++I) Menu->Items()->Items(I)->SetEnabled((Mask >> I) & 1);
}

void TNTabEd::SetPopupDMask(int Value) {
  FPopupDMask = Value;
  ApplyMask(FPopupD, Value);
  ChangedSetup();
}

void TNTabEd::SetPopupHMask(int Value) {
  FPopupHMask = Value;
  ApplyMask(FPopupH, Value);
  ChangedSetup();
}

// --- Captions --------------------------------------------------------------------------------------

TDTNameStr TNTabEd::PopupDCaptions(int ix) const {
  return ix >= 1 && ix <= 12 ? DItem(ix)->Caption().substr(0, DTNameLength) : TDTNameStr();
}

void TNTabEd::SetPopupDCaptions(int ix, const TDTNameStr& Value) {
  if (ix >= 1 && ix <= 12) DItem(ix)->SetCaption(Value.substr(0, DTNameLength));
}

TDTNameStr TNTabEd::PopupHCaptions(int ix) const {
  return ix >= 1 && ix <= 5 ? HItem(ix)->Caption().substr(0, DTNameLength) : TDTNameStr();
}

void TNTabEd::SetPopupHCaptions(int ix, const TDTNameStr& Value) {
  if (ix >= 1 && ix <= 5) HItem(ix)->SetCaption(Value.substr(0, DTNameLength));
}

TDTNameStr TNTabEd::PopupMCaptions(int ix) const {
  return ix >= 1 && ix <= 4 ? DItem(1)->Items(ix - 1)->Caption().substr(0, DTNameLength) : TDTNameStr();
}

void TNTabEd::SetPopupMCaptions(int ix, const TDTNameStr& Value) {
  if (ix < 1 || ix > 4) return;
  for (int M : {1, 2}) DItem(M)->Items(ix - 1)->SetCaption(Value.substr(0, DTNameLength));
}

TDTNameStr TNTabEd::PopupUCaptions(int ix) const {
  return ix >= 1 && ix <= 4 ? DItem(3)->Items(ix - 1)->Caption().substr(0, DTNameLength) : TDTNameStr();
}

void TNTabEd::SetPopupUCaptions(int ix, const TDTNameStr& Value) {
  if (ix < 1 || ix > 4) return;
  for (int M : {3, 4}) DItem(M)->Items(ix - 1)->SetCaption(Value.substr(0, DTNameLength));
}

// --- Opening ---------------------------------------------------------------------------------------

void TNTabEd::OpenDataPopup(int X, int Y) {
  DItem(9)->Bitmap()->LoadFromResourceName(0, FDataReadOnly ? u"CHECKEDBOX" : u"EMPTYBOX");
  if (FOnBeforePopup) FOnBeforePopup(this, FPopupD);
  const TPoint P = ClientToScreen(TPoint{X, Y});
  FPopupD->SetPopupComponent(this);
  FPopupD->Popup(P.X, P.Y);
}

void TNTabEd::PrepareHeaderPopup() {
  const bool ColHead = FPopupCell.X > FColOffset;
  if (FPopupHMask & kMaskPrecision) HItem(2)->SetEnabled(ColHead);
  HItem(3)->SetEnabled(FPopupHMask & 0x04);
  HItem(4)->SetEnabled((FPopupHMask & 0x08) && !FDataReadOnly);
  HItem(5)->SetEnabled((FPopupHMask & 0x10) && !FDataReadOnly);
  HItem(3)->SetCaption(ColHead ? u"Select Column" : u"Select Row");
  HItem(4)->SetCaption(ColHead ? u"Insert Column" : u"Insert Row");
  HItem(5)->SetCaption(ColHead ? u"Delete Column" : u"Delete Row");
  HItem(3)->SetOnClick([this, ColHead](TObject* S) {
    if (ColHead) {
      PopupMenuClickSelectCol(S);
    } else {
      PopupMenuClickSelectRow(S);
    }
  });
  HItem(4)->SetOnClick([this, ColHead](TObject* S) {
    if (ColHead) {
      PopupMenuClickInsertCol(S);
    } else {
      PopupMenuClickInsertRow(S);
    }
  });
  HItem(5)->SetOnClick([this, ColHead](TObject* S) {
    if (ColHead) {
      PopupMenuClickDeleteCol(S);
    } else {
      PopupMenuClickDeleteRow(S);
    }
  });
}

void TNTabEd::OpenHeaderPopup() {
  if (FOnBeforePopup) FOnBeforePopup(this, FPopupH);
  const TRect R = CellRect(FPopupCell.X, FPopupCell.Y);
  const TPoint P = ClientToScreen(TPoint{R.Left + 20, R.Top + 20});
  FPopupH->SetPopupComponent(this);
  FPopupH->Popup(P.X, P.Y);
  Invalidate();
}

// The popup cell framed by inverting the pixels of its border.
void TNTabEd::InvertPopupCellFrame() {
  const TRect R = CellRect(FPopupCell.X, FPopupCell.Y);
  if (R.IsEmpty()) return;
  TCanvas* C = Canvas();
  TCanvasStateSaver Saver(C);
  C->Pen()->SetMode(pmNot);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
  C->Pen()->SetMode(pmCopy);
}

// --- Marks -------------------------------------------------------------------------------------------

void TNTabEd::ForSelectedData(const std::function<void(int, int)>& Work) {
  const TGridRect S = Selection();
  const int L = std::max(S.Left - FColOffset, 1), R = std::min(S.Right - FColOffset, NrOfColumns());
  const int T = std::max(S.Top - FRowOffset, 1), B = std::min(S.Bottom - FRowOffset, NrOfRows());
  for (int Row = T; Row <= B; ++Row) {
    for (int Col = L; Col <= R; ++Col) Work(Col, Row);
  }
}

void TNTabEd::MarkCells(uint8_t Bit, bool Set, int Where) {
  const TGridRect S = Selection();
  int L = std::max(S.Left - FColOffset, 1), R = std::min(S.Right - FColOffset, NrOfColumns());
  int T = std::max(S.Top - FRowOffset, 1), B = std::min(S.Bottom - FRowOffset, NrOfRows());
  if (Where == wColumn || Where == wAll) T = 1, B = NrOfRows();
  if (Where == wRow || Where == wAll) L = 1, R = NrOfColumns();
  Quietly([&] {
    FData->BeginUpdate();
    for (int Col = L; Col <= R; ++Col) {
      for (int Row = T; Row <= B; ++Row) {
        const uint8_t Old = CellState(Col, Row);
        const uint8_t New = Set ? static_cast<uint8_t>(Old | Bit) : static_cast<uint8_t>(Old & ~Bit);
        if (New != Old) FData->SetCellState(Col, Row, New);
      }
    }
    FData->EndUpdate();
  });
  Redraw();
  ChangedCellStates();
}

void TNTabEd::PopupMenuClickMarkARange(TObject*) { MarkCells(dtsMarkA, true, wRange); }
void TNTabEd::PopupMenuClickMarkAColumn(TObject*) { MarkCells(dtsMarkA, true, wColumn); }
void TNTabEd::PopupMenuClickMarkARow(TObject*) { MarkCells(dtsMarkA, true, wRow); }
void TNTabEd::PopupMenuClickMarkAAll(TObject*) { MarkCells(dtsMarkA, true, wAll); }
void TNTabEd::PopupMenuClickMarkBRange(TObject*) { MarkCells(dtsMarkB, true, wRange); }
void TNTabEd::PopupMenuClickMarkBColumn(TObject*) { MarkCells(dtsMarkB, true, wColumn); }
void TNTabEd::PopupMenuClickMarkBRow(TObject*) { MarkCells(dtsMarkB, true, wRow); }
void TNTabEd::PopupMenuClickMarkBAll(TObject*) { MarkCells(dtsMarkB, true, wAll); }
void TNTabEd::PopupMenuClickUnMarkARange(TObject*) { MarkCells(dtsMarkA, false, wRange); }
void TNTabEd::PopupMenuClickUnMarkAColumn(TObject*) { MarkCells(dtsMarkA, false, wColumn); }
void TNTabEd::PopupMenuClickUnMarkARow(TObject*) { MarkCells(dtsMarkA, false, wRow); }
void TNTabEd::PopupMenuClickUnMarkAAll(TObject*) { MarkCells(dtsMarkA, false, wAll); }
void TNTabEd::PopupMenuClickUnMarkBRange(TObject*) { MarkCells(dtsMarkB, false, wRange); }
void TNTabEd::PopupMenuClickUnMarkBColumn(TObject*) { MarkCells(dtsMarkB, false, wColumn); }
void TNTabEd::PopupMenuClickUnMarkBRow(TObject*) { MarkCells(dtsMarkB, false, wRow); }
void TNTabEd::PopupMenuClickUnMarkBAll(TObject*) { MarkCells(dtsMarkB, false, wAll); }

void TNTabEd::PopupMenuClickUnMarkAll(TObject*) {
  FData->UnmarkAllCells();
  Redraw();
  ChangedCellStates();
}

// --- Data actions --------------------------------------------------------------------------------------

void TNTabEd::PopupMenuClickClear(TObject* Sender) {
  Quietly([&] {
    DetachChangeHook();
    if (FOnClear) {
      FOnClear(Sender);
    } else {
      FData->BeginUpdate();
      ForSelectedData([this](int C, int R) {
        FData->SetElem(C, R, 0);
        FData->SetCellState(C, R, 0);
      });
      FData->EndUpdate();
    }
    AttachChangeHook();
  });
  Redraw();
  ChangedData();
  ChangedCellStates();
}

void TNTabEd::PopupMenuClickCopy(TObject*) {
  const TGridRect S = Selection();
  const int L = S.Left - FColOffset, R = S.Right - FColOffset;
  const int T = S.Top - FRowOffset, B = S.Bottom - FRowOffset;
  if (FCopyBuffer->NrOfColumns() != R - L + 1 || FCopyBuffer->NrOfRows() != B - T + 1) {
    FCopyBuffer->Resize(R - L + 1, B - T + 1);
  }
  Clipboard()->WriteText(
      [&](String& Text) { NTabCopyText(Text, *FData, FPrecision, L, T, R, B, FClipboardUseFullPrec); });
  for (int Row = T; Row <= B; ++Row) {
    for (int Col = L; Col <= R; ++Col) {
      FCopyBuffer->SetElem(Col - L + 1, Row - T + 1, Elem(Col, Row));
      FCopyBuffer->SetCellState(Col - L + 1, Row - T + 1, CellState(Col, Row));
    }
  }
  FCopied = true;
}

void TNTabEd::PopupMenuClickPaste(TObject*) {
  const TGridRect S = Selection();
  const int L = S.Left - FColOffset, T = S.Top - FRowOffset;
  const int W = FCopyBuffer->NrOfColumns(), H = FCopyBuffer->NrOfRows();
  Quietly([&] {
    DetachChangeHook();
    FData->BeginUpdate();
    for (int K = 1; K <= H; ++K) {
      for (int Bc = 1; Bc <= W; ++Bc) {
        FData->SetElem(L + Bc - 1, T + K - 1, FCopyBuffer->GetElem(Bc, K));
        FData->SetCellState(L + Bc - 1, T + K - 1, FCopyBuffer->GetCellState(Bc, K));
      }
    }
    FData->EndUpdate();
    AttachChangeHook();
  });
  Redraw();
  ChangedData();
  ChangedCellStates();
  if (FOnPaste) FOnPaste(this);
  // The pasted block, as far as it lies inside the table.
  SetSelection(TGridRect{S.Left, S.Top, std::min(L + W - 1, NrOfColumns()) + FColOffset,
                         std::min(T + H - 1, NrOfRows()) + FRowOffset});
}

void TNTabEd::PopupMenuClickEdit(TObject*) {
  SetDataReadOnly(!FDataReadOnly);
  ChangedSetup();
}

void TNTabEd::PopupMenuClickExtClip(TObject*) {
  if (!Clipboard()->HasFormat(CF_TEXT)) return;
  const TGridRect S = Selection();
  const int L = S.Left - FColOffset, T = S.Top - FRowOffset;
  int MaxI = 0, MaxK = 0;
  Quietly([&] {
    DetachChangeHook();
    FData->BeginUpdate();
    Clipboard()->ReadText([&](std::u16string_view Text) {
      NTabWalkClipText(
          Text, true,
          [&](int I, int K, double V) {
            FData->SetElem(L + I, T + K, V);
            MaxI = std::max(MaxI, I);
            MaxK = std::max(MaxK, K);
          },
          [](int) {});
    });
    FData->EndUpdate();
    AttachChangeHook();
  });
  Redraw();
  ChangedData();
  if (FOnPaste) FOnPaste(this);
  SetSelection(TGridRect{S.Left, S.Top, std::min(L + MaxI, NrOfColumns()) + FColOffset,
                         std::min(T + MaxK, NrOfRows()) + FRowOffset});
}

bool TNTabEd::GetClipMatrixSize(int& NCols, int& NRows) {
  NCols = 1;
  NRows = 1;
  if (!Clipboard()->HasFormat(CF_TEXT)) return false;
  bool Any = false;
  Clipboard()->ReadText([&](std::u16string_view Text) { Any = NTabClipMatrixSize(Text, NCols, NRows); });
  return Any;
}

void TNTabEd::PopupMenuClickSelAll(TObject*) {
  SetSelection(TGridRect{FColOffset + 1, FRowOffset + 1, NrOfColumns() + FColOffset, NrOfRows() + FRowOffset});
  Redraw();
  ChangedSelection();
}

void TNTabEd::PopupMenuClickEmptyCells(TObject*) {
  Quietly([&] {
    DetachChangeHook();
    FData->BeginUpdate();
    ForSelectedData([this](int C, int R) { FData->SetCellState(C, R, CellState(C, R) ^ dtsEmpty); });
    FData->EndUpdate();
    AttachChangeHook();
  });
  Redraw();
  ChangedCellStates();
}

// --- Header actions ----------------------------------------------------------------------------------------

void TNTabEd::PopupMenuClickChangeID(TObject*) { OpenNameEditor(); }

void TNTabEd::PopupMenuClickPrecision(TObject*) {
  const int C = FPopupCell.X - FColOffset;
  if (C < 1 || C > static_cast<int>(FPrecision.size())) return;
  int P = FPrecision[static_cast<size_t>(C - 1)] - 1;
  if (P < -1) P = 10;
  FPrecision[static_cast<size_t>(C - 1)] = static_cast<int8_t>(P);
  Redraw();
  // The menu comes back at once, so repeated clicks keep stepping.
  InvertPopupCellFrame();
  const TRect R = CellRect(FPopupCell.X, FPopupCell.Y);
  const TPoint At = ClientToScreen(TPoint{R.Left + 20, R.Top + 20});
  FPopupH->Popup(At.X, At.Y);
  InvertPopupCellFrame();
  ChangedLayout();
}

void TNTabEd::PopupMenuClickSelectCol(TObject*) {
  const int GC = FPopupCell.X;
  SetSelection(TGridRect{GC, FRowOffset + 1, GC, NrOfRows() + FRowOffset});
  Redraw();
  ChangedSelection();
}

void TNTabEd::PopupMenuClickSelectRow(TObject*) {
  const int GR = FPopupCell.Y;
  SetSelection(TGridRect{FColOffset + 1, GR, NrOfColumns() + FColOffset, GR});
  Redraw();
  ChangedSelection();
}

void TNTabEd::PopupMenuClickInsertCol(TObject*) {
  const int C = FPopupCell.X - FColOffset;
  DetachChangeHook();
  InsertColumn(C);
  FData->SetColName(C, u"(...)");
  AttachChangeHook();
}

void TNTabEd::PopupMenuClickInsertRow(TObject*) {
  const int R = FPopupCell.Y - FRowOffset;
  DetachChangeHook();
  InsertRow(R);
  FData->SetRowName(R, u"(...)");
  AttachChangeHook();
}

void TNTabEd::PopupMenuClickDeleteCol(TObject*) {
  RemoveColumn(FPopupCell.X - FColOffset);
  ChangedSetup();
}

void TNTabEd::PopupMenuClickDeleteRow(TObject*) {
  RemoveRow(FPopupCell.Y - FRowOffset);
  ChangedSetup();
}

}  // namespace orv
