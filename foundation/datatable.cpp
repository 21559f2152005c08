#include "foundation/datatable.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

// Cuts Text to at most MaxLen code units without splitting a surrogate pair.
String CutText(const String& Text, int MaxLen) {
  const size_t Max = static_cast<size_t>(MaxLen);
  if (Text.size() <= Max) return Text;
  size_t Len = Max;
  if (Len > 0 && Text[Len - 1] >= 0xD800 && Text[Len - 1] <= 0xDBFF) --Len;
  return Text.substr(0, Len);
}

TDTNameStr DefaultColName(int ColNr) { return u"C-" + IntToStr(ColNr); }
TDTNameStr DefaultRowName(int RowNr) { return u"R-" + IntToStr(RowNr); }

// Map of a structure with one line inserted before Ix (new line blank).
std::vector<int> InsertedLineMap(int Count, int Ix) {
  std::vector<int> Map;
  Map.reserve(static_cast<size_t>(Count) + 1);
  for (int I = 1; I <= Count + 1; ++I) Map.push_back(I < Ix ? I : (I == Ix ? 0 : I - 1));
  return Map;
}

std::vector<int> RemovedLineMap(int Count, int Ix) {
  std::vector<int> Map;
  Map.reserve(static_cast<size_t>(Count));
  for (int I = 1; I <= Count; ++I)
    if (I != Ix) Map.push_back(I);
  return Map;
}

std::vector<int> MirroredLineMap(int Count) {
  std::vector<int> Map;
  Map.reserve(static_cast<size_t>(Count));
  for (int I = Count; I >= 1; --I) Map.push_back(I);
  return Map;
}

}  // namespace

String TMScaleTypeNameList::operator[](int ScaleType) const {
  switch (ScaleType) {
    case mstInterval:
      return u"interval";
    case mstNominal:
      return u"nominal";
    case mstOrdinal:
      return u"ordinal";
    case mstRatio:
      return u"ratio";
    default:
      return u"undefined";
  }
}

// ------------------------------------------------------------ lifecycle

TDataTable::TDataTable(TComponent* AOwner) : TComponent(AOwner) { InstallMatrixHooks(); }

TDataTable::TDataTable(TComponent* AOwner, int NrCols, int NrRows) : TComponent(AOwner) {
  Rebuild(detail::KeepLinesMap(0, NrCols), detail::KeepLinesMap(0, NrRows));
  InstallMatrixHooks();
}

TDataTable::~TDataTable() {
  // The matrix hooks point back at this table; nothing may fire while it goes.
  FData.FChangeHook = nullptr;
  FData.FResizeHook = nullptr;
}

void TDataTable::InstallMatrixHooks() {
  FData.FChangeHook = [this] { DataChanged(); };
  FData.FResizeHook = [this](int NrCols, int NrRows) { Resize(NrCols, NrRows); };
}

TDataTable::TColumnInfo TDataTable::NewColumnInfo(int ColNr) {
  TColumnInfo Info;
  Info.Name = DefaultColName(ColNr);
  return Info;
}

TDataTable::TRowInfo TDataTable::NewRowInfo(int RowNr) {
  TRowInfo Info;
  Info.Name = DefaultRowName(RowNr);
  return Info;
}

bool TDataTable::Inside(int ACol, int ARow) const { return FData.Inside(ACol, ARow); }

// ------------------------------------------------------------ change hooks

void TDataTable::DataChanged() {
  if (FUpdateCount > 0) {
    FPendingData = true;
  } else if (FOnDataChanged) {
    FOnDataChanged(this);
  }
}

void TDataTable::SetupChanged() {
  if (FUpdateCount > 0) {
    FPendingSetup = true;
  } else if (FOnSetupChanged) {
    FOnSetupChanged(this);
  }
}

void TDataTable::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  const bool Data = std::exchange(FPendingData, false);
  const bool Setup = std::exchange(FPendingSetup, false);
  if (Data && FOnDataChanged) FOnDataChanged(this);
  if (Setup && FOnSetupChanged) FOnSetupChanged(this);
}

// ------------------------------------------------------------ structure

void TDataTable::Rebuild(const std::vector<int>& SrcCol, const std::vector<int>& SrcRow) {
  const int NewCols = static_cast<int>(SrcCol.size());
  const int NewRows = static_cast<int>(SrcRow.size());
  detail::CheckedCellCount("TDataTable", NewCols, NewRows, sizeof(double));
  try {
    // Everything is built aside first, so a failing allocation leaves the table intact.
    std::vector<double> Values = detail::RemapCells(FData.FElems, FData.FNrCols, SrcCol, SrcRow, 0.0);
    std::vector<uint8_t> States = detail::RemapCells(FStates, FData.FNrCols, SrcCol, SrcRow, uint8_t{0});
    std::vector<TColumnInfo> Cols;
    Cols.reserve(SrcCol.size());
    for (int C = 1; C <= NewCols; ++C) {
      const int Src = SrcCol[static_cast<size_t>(C - 1)];
      Cols.push_back(Src > 0 ? FColInfo[static_cast<size_t>(Src - 1)] : NewColumnInfo(C));
    }
    std::vector<TRowInfo> Rows;
    Rows.reserve(SrcRow.size());
    for (int R = 1; R <= NewRows; ++R) {
      const int Src = SrcRow[static_cast<size_t>(R - 1)];
      Rows.push_back(Src > 0 ? FRowInfo[static_cast<size_t>(Src - 1)] : NewRowInfo(R));
    }
    FData.FElems.swap(Values);
    FData.FNrCols = NewCols;
    FData.FNrRows = NewRows;
    FStates.swap(States);
    FColInfo.swap(Cols);
    FRowInfo.swap(Rows);
  } catch (const std::bad_alloc&) {
    detail::RaiseOutOfMemory("TDataTable", NewCols, NewRows);
  } catch (const std::length_error&) {
    detail::RaiseOutOfMemory("TDataTable", NewCols, NewRows);
  }
}

void TDataTable::ChangeStructure(const std::vector<int>& SrcCol, const std::vector<int>& SrcRow, bool ContentMoved) {
  const int OldCols = NrOfColumns();
  const int OldRows = NrOfRows();
  Rebuild(SrcCol, SrcRow);
  if (FOnResized) FOnResized(this, OldCols, OldRows, NrOfColumns(), NrOfRows());
  if (ContentMoved) {
    Batched([this] {
      DataChanged();
      SetupChanged();
    });
  }
}

void TDataTable::Resize(int NrCols, int NrRows) {
  NrCols = std::max(NrCols, 0);
  NrRows = std::max(NrRows, 0);
  detail::CheckedCellCount("TDataTable", NrCols, NrRows, sizeof(double));  // before any line map is built
  ChangeStructure(detail::KeepLinesMap(NrOfColumns(), NrCols), detail::KeepLinesMap(NrOfRows(), NrRows), false);
}

void TDataTable::InsertRow(int ix) {
  if (ix < 1 || ix > NrOfRows() + 1) return;
  ChangeStructure(detail::KeepLinesMap(NrOfColumns(), NrOfColumns()), InsertedLineMap(NrOfRows(), ix), true);
}

void TDataTable::RemoveRow(int ix) {
  if (ix < 1 || ix > NrOfRows()) return;
  ChangeStructure(detail::KeepLinesMap(NrOfColumns(), NrOfColumns()), RemovedLineMap(NrOfRows(), ix), true);
}

void TDataTable::InsertColumn(int ix) {
  if (ix < 1 || ix > NrOfColumns() + 1) return;
  ChangeStructure(InsertedLineMap(NrOfColumns(), ix), detail::KeepLinesMap(NrOfRows(), NrOfRows()), true);
}

void TDataTable::RemoveColumn(int ix) {
  if (ix < 1 || ix > NrOfColumns()) return;
  ChangeStructure(RemovedLineMap(NrOfColumns(), ix), detail::KeepLinesMap(NrOfRows(), NrOfRows()), true);
}

void TDataTable::MirrorColumns() {
  Rebuild(MirroredLineMap(NrOfColumns()), detail::KeepLinesMap(NrOfRows(), NrOfRows()));
  Batched([this] {
    DataChanged();
    SetupChanged();
  });
}

void TDataTable::MirrorRows() {
  Rebuild(detail::KeepLinesMap(NrOfColumns(), NrOfColumns()), MirroredLineMap(NrOfRows()));
  Batched([this] {
    DataChanged();
    SetupChanged();
  });
}

void TDataTable::Clear() {
  std::fill(FData.FElems.begin(), FData.FElems.end(), 0.0);
  std::fill(FStates.begin(), FStates.end(), uint8_t{0});
  for (size_t C = 0; C < FColInfo.size(); ++C) {
    FColInfo[C].Name = DefaultColName(static_cast<int>(C) + 1);
    FColInfo[C].Attrib = 0;
    FColInfo[C].ScaleType = mstInterval;
    FColInfo[C].NomIDs.clear();
  }
  for (size_t R = 0; R < FRowInfo.size(); ++R) FRowInfo[R] = NewRowInfo(static_cast<int>(R) + 1);
  FComment.clear();
  Batched([this] {
    DataChanged();
    SetupChanged();
  });
}

void TDataTable::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TDataTable*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  const int OldCols = NrOfColumns();
  const int OldRows = NrOfRows();
  try {
    // Copies first, then the swap that cannot fail.
    std::vector<double> Values = Other->FData.FElems;
    std::vector<uint8_t> States = Other->FStates;
    std::vector<TColumnInfo> Cols = Other->FColInfo;
    std::vector<TRowInfo> Rows = Other->FRowInfo;
    String NewComment = Other->FComment;
    FData.FElems.swap(Values);
    FData.FNrCols = Other->NrOfColumns();
    FData.FNrRows = Other->NrOfRows();
    FStates.swap(States);
    FColInfo.swap(Cols);
    FRowInfo.swap(Rows);
    FComment.swap(NewComment);
  } catch (const std::bad_alloc&) {
    detail::RaiseOutOfMemory("TDataTable", Other->NrOfColumns(), Other->NrOfRows());
  }
  if (FOnResized) FOnResized(this, OldCols, OldRows, NrOfColumns(), NrOfRows());
  Batched([this] {
    DataChanged();
    SetupChanged();
  });
}

// ------------------------------------------------------------ cells

void TDataTable::SetElem(int ACol, int ARow, double Value) {
  if (!Inside(ACol, ARow)) return;
  FData.FElems[CellIndex(ACol, ARow)] = Value;
  DataChanged();
}

uint8_t TDataTable::GetCellState(int ACol, int ARow) const {
  return Inside(ACol, ARow) ? FStates[CellIndex(ACol, ARow)] : uint8_t{0};
}

void TDataTable::SetCellState(int ACol, int ARow, uint8_t State) {
  if (!Inside(ACol, ARow)) return;
  FStates[CellIndex(ACol, ARow)] = State;
  DataChanged();
}

bool TDataTable::GetIsNumber(int ACol, int ARow) const {
  return Inside(ACol, ARow) && (FStates[CellIndex(ACol, ARow)] & (dtsNotANumber | dtsEmpty)) == 0;
}

void TDataTable::UpdateStates(const std::function<uint8_t(uint8_t)>& NewState) {
  bool Changed = false;
  for (uint8_t& State : FStates) {
    const uint8_t Next = NewState(State);
    Changed = Changed || Next != State;
    State = Next;
  }
  if (Changed) DataChanged();
}

int TDataTable::FillMarkedCells(double Value, uint8_t StateMask) {
  int Count = 0;
  for (size_t I = 0; I < FStates.size(); ++I) {
    if ((FStates[I] & StateMask) == 0) continue;
    FData.FElems[I] = Value;
    FStates[I] = static_cast<uint8_t>(FStates[I] & ~(dtsNotANumber | dtsEmpty));
    ++Count;
  }
  if (Count > 0) DataChanged();
  return Count;
}

void TDataTable::InvertCellStates(uint8_t StateMask) {
  UpdateStates([StateMask](uint8_t S) { return static_cast<uint8_t>(S ^ StateMask); });
}

void TDataTable::ExchangeMarkings() {
  UpdateStates([](uint8_t S) {
    const uint8_t Kept = S & static_cast<uint8_t>(~(dtsMarkA | dtsMarkB));
    return static_cast<uint8_t>(Kept | ((S & dtsMarkA) ? dtsMarkB : 0) | ((S & dtsMarkB) ? dtsMarkA : 0));
  });
}

void TDataTable::UnmarkAllCells() {
  UpdateStates([](uint8_t S) { return static_cast<uint8_t>(S & ~(dtsMarkA | dtsMarkB)); });
}

// ------------------------------------------------------------ names and attributes

TDTNameStr TDataTable::GetColName(int ColNr) const {
  return ColNr >= 1 && ColNr <= NrOfColumns() ? FColInfo[static_cast<size_t>(ColNr - 1)].Name : TDTNameStr();
}

void TDataTable::SetColName(int ColNr, const TDTNameStr& Name) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FColInfo[static_cast<size_t>(ColNr - 1)].Name = CutText(Name, DTNameLength);
  SetupChanged();
}

TDTNameStr TDataTable::GetRowName(int RowNr) const {
  return RowNr >= 1 && RowNr <= NrOfRows() ? FRowInfo[static_cast<size_t>(RowNr - 1)].Name : TDTNameStr();
}

void TDataTable::SetRowName(int RowNr, const TDTNameStr& Name) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  FRowInfo[static_cast<size_t>(RowNr - 1)].Name = CutText(Name, DTNameLength);
  SetupChanged();
}

uint8_t TDataTable::GetColAttrib(int ColNr) const {
  return ColNr >= 1 && ColNr <= NrOfColumns() ? FColInfo[static_cast<size_t>(ColNr - 1)].Attrib : uint8_t{0};
}

void TDataTable::SetColAttrib(int ColNr, uint8_t Attrib) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FColInfo[static_cast<size_t>(ColNr - 1)].Attrib = Attrib;
  SetupChanged();
}

uint8_t TDataTable::GetRowAttrib(int RowNr) const {
  return RowNr >= 1 && RowNr <= NrOfRows() ? FRowInfo[static_cast<size_t>(RowNr - 1)].Attrib : uint8_t{0};
}

void TDataTable::SetRowAttrib(int RowNr, uint8_t Attrib) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  FRowInfo[static_cast<size_t>(RowNr - 1)].Attrib = Attrib;
  SetupChanged();
}

void TDataTable::SetFComment(const String& Text) {
  FComment = Text;
  SetupChanged();
}

int TDataTable::FindColIndex(const TDTNameStr& ColID) const {
  for (int C = 1; C <= NrOfColumns(); ++C)
    if (SameText(FColInfo[static_cast<size_t>(C - 1)].Name, ColID)) return C;
  return 0;
}

int TDataTable::FindRowIndex(const TDTNameStr& RowID) const {
  for (int R = 1; R <= NrOfRows(); ++R)
    if (SameText(FRowInfo[static_cast<size_t>(R - 1)].Name, RowID)) return R;
  return 0;
}

// ------------------------------------------------------------ scale types

uint8_t TDataTable::GetMScaleType(int ColNr) const {
  return ColNr >= 1 && ColNr <= NrOfColumns() ? FColInfo[static_cast<size_t>(ColNr - 1)].ScaleType
                                                : uint8_t{mstInterval};
}

void TDataTable::SetMScaleType(int ColNr, uint8_t ScaleType) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FColInfo[static_cast<size_t>(ColNr - 1)].ScaleType = ScaleType;
  SetupChanged();
}

String TDataTable::GetNominalID(int ColNr, int Ordinal) const {
  if (ColNr < 1 || ColNr > NrOfColumns() || Ordinal < 1 || Ordinal > MaxNominalOrdinal) return String();
  const std::vector<String>& IDs = FColInfo[static_cast<size_t>(ColNr - 1)].NomIDs;
  return IDs.empty() ? String() : IDs[static_cast<size_t>(Ordinal - 1)];
}

void TDataTable::SetNominalID(int ColNr, int Ordinal, const String& NomID) {
  if (ColNr < 1 || ColNr > NrOfColumns() || Ordinal < 1 || Ordinal > MaxNominalOrdinal) return;
  std::vector<String>& IDs = FColInfo[static_cast<size_t>(ColNr - 1)].NomIDs;
  if (IDs.empty()) IDs.resize(MaxNominalOrdinal);
  IDs[static_cast<size_t>(Ordinal - 1)] = CutText(NomID, NomIDLength);
  SetupChanged();
}

void TDataTable::ClearNominalIDs(int ColNr) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FColInfo[static_cast<size_t>(ColNr - 1)].NomIDs.clear();
  SetupChanged();
}

int TDataTable::OrdinalOfNominalID(int ColNr, const String& NomID, bool IgnoreCase) const {
  if (ColNr < 1 || ColNr > NrOfColumns()) return -1;
  const String Wanted = Trim(NomID);
  if (Wanted.empty()) return 0;
  const std::vector<String>& IDs = FColInfo[static_cast<size_t>(ColNr - 1)].NomIDs;
  for (size_t I = 0; I < IDs.size(); ++I) {
    if (IDs[I].empty()) continue;
    if (IgnoreCase ? SameText(IDs[I], Wanted) : IDs[I] == Wanted) return static_cast<int>(I) + 1;
  }
  return 0;
}

}  // namespace orv
