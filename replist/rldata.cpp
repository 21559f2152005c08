#include "rldata.h"

#include <algorithm>
#include <climits>
#include <new>
#include <utility>

#include "foundation/strhelpers.h"
#include "framework/rtl/clipboard.h"
#include "framework/rtl/sysutils.h"
#include "replist/colformat.h"
#include "replist/rltext.h"

namespace orv {

namespace {

constexpr Char kChecked = u'X';
constexpr Char kUnchecked = u' ';

String ColumnDefaultName(int Column) { return u"C-" + IntToStr(Column); }

String Cut(std::u16string_view Text, int MaxLength) { return rltext::CutText(Text, static_cast<size_t>(MaxLength)); }

bool StoredChecked(std::u16string_view Stored) { return !Stored.empty() && Stored[0] != kUnchecked; }

// The stored text with its first character replaced by the mark.
String WithMark(String Stored, bool Checked) {
  const Char Mark = Checked ? kChecked : kUnchecked;
  if (Stored.empty()) return String(1, Mark);
  Stored[0] = Mark;
  return Stored;
}

// Switches the array's change notification off for a scope.
class TQuietArray {
 public:
  explicit TQuietArray(TStringArray* A) : FArray(A), FSaved(A->NotifyChanges()) { A->SetNotifyChanges(false); }
  ~TQuietArray() { FArray->SetNotifyChanges(FSaved); }
  TQuietArray(const TQuietArray&) = delete;
  TQuietArray& operator=(const TQuietArray&) = delete;

 private:
  TStringArray* FArray;
  bool FSaved;
};

// Brackets bulk work so the array reports one change at the end.
class TArrayUpdate {
 public:
  explicit TArrayUpdate(TStringArray* A) : FArray(A) { A->BeginUpdate(); }
  ~TArrayUpdate() { FArray->EndUpdate(); }
  TArrayUpdate(const TArrayUpdate&) = delete;
  TArrayUpdate& operator=(const TArrayUpdate&) = delete;

 private:
  TStringArray* FArray;
};

}  // namespace

TRLData::TRLData(TComponent* AOwner) : TComponent(AOwner) {
  try {
    FStrings = std::make_unique<TStringArray>(1, 1);
    FStrings->SetAllocGranularity(10);
    FStrings->Clear();
    FColName.assign(1, ColumnDefaultName(1));
    FColumnFormat.assign(1, String());
    FColButMode.assign(1, cmNone);
  } catch (const std::bad_alloc&) {
    throw EORVRLDataError(u"Component \"" + Name() + u"\": failed to initialize (out of memory)");
  }
}

TRLData::~TRLData() = default;

void TRLData::RaiseNoMemory() const {
  throw EORVRLDataError(u"Component \"" + Name() + u"\": not enough memory on heap");
}

void TRLData::SetFeedbkNumCells(long long NumCells) {
  if (NumCells < 1) NumCells = 1;
  if (NumCells > INT_MAX) NumCells = INT_MAX;
  FFeedbkNumCells = static_cast<int>(NumCells);
  FFeedbkStep = FFeedbkNumCells / 100 + 1;
}

void TRLData::RecountFeedback(int Rows) {
  SetFeedbkNumCells(static_cast<long long>(Rows) * (static_cast<long long>(FNrOfCols) + 1));
}

void TRLData::ReportProgress(long long Done) {
  if (!FOnPercentDone || FFeedbkStep <= 0 || Done % FFeedbkStep != 0) return;
  const long long Percent = std::min<long long>(100, Done * 100 / FFeedbkNumCells);
  FOnPercentDone(this, static_cast<int>(Percent));
}

// --- Size ----------------------------------------------------------------------

void TRLData::SetNrOfRows(int Value) {
  const int Rows = std::max(Value, 0);
  if (Rows == 0) {
    // The array keeps one storage row; empty it so nothing reappears when rows come back.
    TQuietArray Quiet(FStrings.get());
    for (int C = 0; C <= FStrings->NrOfColumns(); ++C) FStrings->SetElem(C, 1, u"");
    FStrings->SetRowAttrib(1, 0);
  }
  FStrings->Resize(std::max(FNrOfCols, 1), std::max(Rows, 1));  // EORVDStructError (an EORVError) on failure
  FNrOfRows = Rows;
  RecountFeedback(Rows);
}

void TRLData::ResizeMetadata(int Columns) {
  const size_t N = static_cast<size_t>(std::max(Columns, 1));
  try {
    const size_t Old = FColName.size();
    FColName.resize(N);
    FColumnFormat.resize(N);
    FColButMode.resize(N, cmNone);
    for (size_t I = Old; I < N; ++I) FColName[I] = ColumnDefaultName(static_cast<int>(I + 1));
  } catch (const std::bad_alloc&) {
    RaiseNoMemory();
  }
}

void TRLData::SetNrOfColumns(int Value) {
  const int Columns = std::max(Value, 1);
  const int Previous = FNrOfCols;
  FNrOfCols = Columns;
  try {
    FStrings->Resize(Columns, std::max(FNrOfRows, 1));
  } catch (...) {
    FNrOfCols = Previous;
    throw;
  }
  // Columns that come back after a removal of the only column start fresh.
  if (Previous == 0) {
    FColName.assign(1, ColumnDefaultName(1));
    FColumnFormat.assign(1, String());
    FColButMode.assign(1, cmNone);
  }
  ResizeMetadata(Columns);
  RecountFeedback(std::max(FNrOfRows, 1));
}

void TRLData::SetCommonHeader(const String& Value) {
  if (Value != FCommonHeader) FCommonHeader = Value;
}

void TRLData::SetOnBeforeSortExchange(TBeforeSortExchgEvent Handler) {
  FOnBefSortExc = std::move(Handler);
  // The array sorts by exchanges only while a handler listens, so forward only then.
  if (FOnBefSortExc) {
    FStrings->SetOnBeforeSortExchange(
        [this](TObject*, int Kind, int Ix1, int Ix2, const String& Text1, String& Text2) {
          if (FOnBefSortExc) FOnBefSortExc(this, Kind, Ix1, Ix2, Text1, Text2);
        });
  } else {
    FStrings->SetOnBeforeSortExchange(nullptr);
  }
}

// --- Cells -----------------------------------------------------------------------

String TRLData::Elem(int ACol, int ARow) const {
  if (!ValidCell(ACol, ARow)) return String();
  String Stored = FStrings->Elem(ACol, ARow);
  if (IsCheckColumn(ACol) && !Stored.empty()) Stored.erase(0, 1);
  return Stored;
}

void TRLData::SetElem(int ACol, int ARow, std::u16string_view Value) {
  if (!ValidCell(ACol, ARow)) return;
  if (!IsCheckColumn(ACol)) {
    FStrings->SetElem(ACol, ARow, Value);
    return;
  }
  const String Stored = FStrings->Elem(ACol, ARow);
  String Text(1, Stored.empty() ? kUnchecked : Stored[0]);
  Text.append(rltext::CutText(Value, TStringArray::MaxCellLength));
  FStrings->SetElem(ACol, ARow, Text);
}

bool TRLData::ElemChecked(int ACol, int ARow) const {
  if (!ValidCell(ACol, ARow) || !IsCheckColumn(ACol)) return false;
  return StoredChecked(FStrings->Elem(ACol, ARow));
}

void TRLData::SetElemChecked(int ACol, int ARow, bool Value) {
  if (!ValidCell(ACol, ARow) || !IsCheckColumn(ACol)) return;
  TArrayUpdate Update(FStrings.get());
  if (FColButMode[static_cast<size_t>(ACol - 1)] == cmRadio) SetColumnCheckmarks(ACol, false, false);
  FStrings->SetElem(ACol, ARow, WithMark(FStrings->Elem(ACol, ARow), Value));
}

double TRLData::AsNumber(int ACol, int ARow) const {
  const String Stored = ValidCell(ACol, ARow) ? FStrings->Elem(ACol, ARow) : String();
  std::u16string_view Text = Stored;
  if (IsCheckColumn(ACol) && !Text.empty()) Text.remove_prefix(1);
  while (!Text.empty() && Text.front() == u' ') Text.remove_prefix(1);
  while (!Text.empty() && Text.back() == u' ') Text.remove_suffix(1);
  if (Text.empty()) return 0.0;
  const String Number = ReplaceCharInString(Text, u',', u'.');
  TFormatSettings Settings;
  Settings.DecimalSeparator = u'.';
  double Value = 0.0;
  if (!TryStrToFloat(Number, Value, Settings))
    throw EORVDStructError(u"Class TRLData: invalid numeric string: [" + IntToStr(ACol) + u"," + IntToStr(ARow) +
                           u"]: " + Stored);
  return Value;
}

String TRLData::DefaultValue(int ACol, int ARow) const { return DefaultCellText(ColumnFormat(ACol), ARow); }

// --- Column metadata ------------------------------------------------------------------

TNameStrType TRLData::Header(int ColNr) const {
  return ValidColumn(ColNr) ? FColName[static_cast<size_t>(ColNr - 1)] : String();
}

void TRLData::SetHeader(int ColNr, std::u16string_view Value) {
  if (ValidColumn(ColNr)) FColName[static_cast<size_t>(ColNr - 1)] = Cut(Value, MaxNameLength);
}

TColFmtString TRLData::ColumnFormat(int ColNr) const {
  return ValidColumn(ColNr) ? FColumnFormat[static_cast<size_t>(ColNr - 1)] : String();
}

void TRLData::SetColumnFormat(int ColNr, std::u16string_view Value) {
  if (ValidColumn(ColNr)) FColumnFormat[static_cast<size_t>(ColNr - 1)] = Cut(Value, MaxColumnFormatLength);
}

TCheckMode TRLData::ColumnCheckMode(int ColNr) const {
  return ValidColumn(ColNr) ? FColButMode[static_cast<size_t>(ColNr - 1)] : cmNone;
}

void TRLData::SetColumnCheckMode(int ColNr, TCheckMode Value) {
  if (!ValidColumn(ColNr) || Value > cmRadio) return;
  TCheckMode& Mode = FColButMode[static_cast<size_t>(ColNr - 1)];
  if (Mode == Value) return;
  TQuietArray Quiet(FStrings.get());
  if (Mode == cmNone) {
    for (int R = 1; R <= FNrOfRows; ++R) {
      const String Stored = FStrings->Elem(ColNr, R);
      if (!Stored.empty()) FStrings->SetElem(ColNr, R, kUnchecked + Stored);
    }
  } else if (Value == cmNone) {
    for (int R = 1; R <= FNrOfRows; ++R) {
      const String Stored = FStrings->Elem(ColNr, R);
      if (!Stored.empty()) FStrings->SetElem(ColNr, R, Stored.substr(1));
    }
  }
  const bool ClearMarks = Mode == cmBox && Value == cmRadio;
  Mode = Value;
  if (ClearMarks) SetColumnCheckmarks(ColNr, false, false);
}

bool TRLData::IsCheckedColumn(int ColNr) const { return ColumnCheckMode(ColNr) == cmBox; }

void TRLData::SetIsCheckedColumn(int ColNr, bool Value) { SetColumnCheckMode(ColNr, Value ? cmBox : cmNone); }

int TRLData::ColumnIndex(const String& Head, bool PartialMatch) const {
  const String Wanted = LowerCase(Head);
  for (int C = FNrOfCols; C >= 1; --C) {
    const String Name = LowerCase(FColName[static_cast<size_t>(C - 1)]);
    if (PartialMatch ? Pos(Wanted, Name) > 0 : Name == Wanted) return C;
  }
  return -1;
}

// --- Clipboard ------------------------------------------------------------------------

String TRLData::ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              std::u16string_view Separator) const {
  String Text;
  auto AppendLine = [&](auto&& Field) {
    for (long long C = LeftCol; C <= RightCol; ++C) {
      if (C > LeftCol) Text += Separator;
      Text += Field(static_cast<int>(C));
    }
  };
  if (AddHeader) {
    AppendLine([&](int C) { return Header(C); });
    Text += u"\n\n";
  }
  for (long long R = TopRow; R <= BottomRow; ++R) {
    AppendLine([&](int C) { return Elem(C, static_cast<int>(R)); });
    Text += u'\n';
  }
  return Text;
}

String TRLData::ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              bool UseTabs) const {
  if (UseTabs) return ClipboardText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, std::u16string_view(u"\t"));
  // Fixed-width fields: the longest stored text of each column (check mark included) plus one.
  std::vector<int> Width;
  for (long long C = LeftCol; C <= RightCol; ++C) {
    int W = AddHeader ? static_cast<int>(Header(static_cast<int>(C)).size()) : 0;
    for (long long R = TopRow; R <= BottomRow; ++R)
      if (ValidCell(static_cast<int>(C), static_cast<int>(R)))
        W = std::max(W, FStrings->ElemLength(static_cast<int>(C), static_cast<int>(R)));
    Width.push_back(W + 1);
  }
  String Text;
  auto AppendLine = [&](auto&& Field) {
    for (long long C = LeftCol; C <= RightCol; ++C)
      Text += LeftString(Field(static_cast<int>(C)), Width[static_cast<size_t>(C - LeftCol)]);
  };
  if (AddHeader) {
    AppendLine([&](int C) { return Header(C); });
    Text += u"\n\n";
  }
  for (long long R = TopRow; R <= BottomRow; ++R) {
    AppendLine([&](int C) { return Elem(C, static_cast<int>(R)); });
    Text += u'\n';
  }
  return Text;
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool UseTabs) {
  Clipboard()->SetAsText(ClipboardText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, UseTabs));
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              const String& Separator) {
  Clipboard()->SetAsText(
      ClipboardText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, std::u16string_view(Separator)));
}

// --- Bulk operations ---------------------------------------------------------------------

void TRLData::Fill(std::u16string_view s) {
  TArrayUpdate Update(FStrings.get());
  const String Plain(s);
  for (int C = 1; C <= FNrOfCols; ++C) {
    const bool Check = IsCheckColumn(C);
    for (int R = 1; R <= FNrOfRows; ++R) {
      if (!Check) {
        FStrings->SetElem(C, R, Plain);
      } else {
        const Char Mark = StoredChecked(FStrings->Elem(C, R)) ? kChecked : kUnchecked;
        FStrings->SetElem(C, R, Mark + Plain);
      }
    }
  }
}

void TRLData::ExchangeTable(TRLData& Other) {
  if (&Other == this) return;
  FColName.swap(Other.FColName);
  FColumnFormat.swap(Other.FColumnFormat);
  FColButMode.swap(Other.FColButMode);
  std::swap(FNrOfCols, Other.FNrOfCols);
  std::swap(FNrOfRows, Other.FNrOfRows);
  std::swap(FFeedbkNumCells, Other.FFeedbkNumCells);
  std::swap(FFeedbkStep, Other.FFeedbkStep);
  FStrings->SwapContents(*Other.FStrings);  // last: it notifies the views, which then see the whole table
}

void TRLData::Clear() {
  FStrings->Clear();
  for (size_t I = 0; I < FColName.size(); ++I) {
    FColName[I] = ColumnDefaultName(static_cast<int>(I + 1));
    FColumnFormat[I].clear();
    FColButMode[I] = cmNone;
  }
}

void TRLData::CopyRow(int Source, int Target) {
  if (Source < 1 || Source > FNrOfRows || Target < 1 || Target > FNrOfRows) return;
  TArrayUpdate Update(FStrings.get());
  for (int C = 0; C <= FNrOfCols; ++C) FStrings->SetElem(C, Target, FStrings->Elem(C, Source));
  FStrings->SetRowAttrib(Target, FStrings->RowAttrib(Source));
}

void TRLData::InsertColumn(int c) {
  if (!ValidColumn(c)) return;
  FStrings->CommitSorting();
  FStrings->InsertColumn(c);
  const auto At = static_cast<ptrdiff_t>(c - 1);
  try {
    FColName.insert(FColName.begin() + At, String());
    FColumnFormat.insert(FColumnFormat.begin() + At, String());
    FColButMode.insert(FColButMode.begin() + At, cmNone);
  } catch (const std::bad_alloc&) {
    RaiseNoMemory();
  }
  ++FNrOfCols;
  RecountFeedback(std::max(FNrOfRows, 1));
}

void TRLData::RemoveColumn(int c) {
  if (!ValidColumn(c)) return;
  FStrings->CommitSorting();
  const auto At = static_cast<size_t>(c - 1);
  if (FNrOfCols >= 2) {
    FStrings->RemoveColumn(c);
    FColName.erase(FColName.begin() + static_cast<ptrdiff_t>(At));
    FColumnFormat.erase(FColumnFormat.begin() + static_cast<ptrdiff_t>(At));
    FColButMode.erase(FColButMode.begin() + static_cast<ptrdiff_t>(At));
    --FNrOfCols;
  } else {
    TArrayUpdate Update(FStrings.get());
    for (int R = 1; R <= FStrings->NrOfRows(); ++R) FStrings->SetElem(c, R, u"");
    FColName[0].clear();
    FColumnFormat[0].clear();
    FColButMode[0] = cmNone;
    FNrOfCols = 0;
  }
  RecountFeedback(std::max(FNrOfRows, 1));
}

void TRLData::InsertRow(int r) {
  if (r < 1 || r > FNrOfRows) return;
  FStrings->CommitSorting();
  FStrings->InsertRow(r);
  ++FNrOfRows;
  RecountFeedback(FNrOfRows);
}

void TRLData::RemoveRow(int r) {
  if (r < 1 || r > FNrOfRows) return;
  FStrings->CommitSorting();
  if (FNrOfRows >= 2) {
    FStrings->RemoveRow(r);
    --FNrOfRows;
  } else {
    TArrayUpdate Update(FStrings.get());
    for (int C = 0; C <= FStrings->NrOfColumns(); ++C) FStrings->SetElem(C, r, u"");
    FStrings->SetRowAttrib(r, 0);
    FNrOfRows = 0;
  }
  RecountFeedback(FNrOfRows);
}

void TRLData::RemoveEmptyRows() {
  TArrayUpdate Update(FStrings.get());
  for (int R = FNrOfRows; R >= 1; --R) {
    bool Empty = true;
    for (int C = 0; C <= FNrOfCols && Empty; ++C) Empty = Elem(C, R).empty();
    if (Empty) RemoveRow(R);
  }
}

// --- Check marks ------------------------------------------------------------------------

int TRLData::FirstCheckedElemInCol(int ColNr) const {
  if (!IsCheckColumn(ColNr)) return 0;
  for (int R = 1; R <= FNrOfRows; ++R)
    if (ElemChecked(ColNr, R)) return R;
  return 0;
}

int TRLData::FirstCheckedElemInRow(int RowNr) const {
  if (RowNr < 1 || RowNr > FNrOfRows) return 0;
  for (int C = 1; C <= FNrOfCols; ++C)
    if (ElemChecked(C, RowNr)) return C;
  return 0;
}

int TRLData::CountCheckedElemsInCol(int Column) const {
  if (!IsCheckColumn(Column)) return 0;
  int Count = 0;
  for (int R = 1; R <= FNrOfRows; ++R) Count += ElemChecked(Column, R) ? 1 : 0;
  return Count;
}

int TRLData::CountCheckedElemsInRow(int Row) const {
  int Count = 0;
  for (int C = 1; C <= FNrOfCols; ++C) Count += ElemChecked(C, Row) ? 1 : 0;
  return Count;
}

void TRLData::SetColumnCheckmarks(int Column, bool Checked, bool EnabledOnly) {
  if (!IsCheckColumn(Column)) return;
  TArrayUpdate Update(FStrings.get());
  for (int R = 1; R <= FNrOfRows; ++R) {
    if (EnabledOnly && (FStrings->RowAttrib(R) & RowAttrDisabled) != 0) continue;
    FStrings->SetElem(Column, R, WithMark(FStrings->Elem(Column, R), Checked));
  }
}

void TRLData::SetAllCheckmarksOfCol(int Column, bool Checked) {
  const TCheckMode Mode = ColumnCheckMode(Column);
  if (Mode == cmBox || (Mode == cmRadio && !Checked)) SetColumnCheckmarks(Column, Checked, false);
}

void TRLData::InvertAllCheckmarksOfCol(int Column) {
  if (ColumnCheckMode(Column) != cmBox) return;
  TArrayUpdate Update(FStrings.get());
  for (int R = 1; R <= FNrOfRows; ++R) {
    const String Stored = FStrings->Elem(Column, R);
    FStrings->SetElem(Column, R, WithMark(Stored, Stored.empty() || Stored[0] != kChecked));
  }
}

// --- Sorting -------------------------------------------------------------------------

void TRLData::Sort(int Col, int ColSec, bool Ascending) {
  FSortColumn = Col;
  FSortColumnSec = ColSec;
  FSortOrder = Ascending;
  FStrings->Sort(Col, ColSec, Ascending);
}

void TRLData::UnSort() {
  FSortColumn = -1;
  FSortColumnSec = -1;
  FStrings->UnSort();
}

// --- Assign ----------------------------------------------------------------------------

void TRLData::Assign(TPersistent* Source) {
  auto* Src = dynamic_cast<TRLData*>(Source);
  if (Src == nullptr) {
    TComponent::Assign(Source);
    return;
  }
  if (Src == this) return;

  TStringArray* From = Src->FStrings.get();
  TStringArray* To = FStrings.get();
  const int Cols = Src->FNrOfCols;
  const int Rows = Src->FNrOfRows;
  const int StorageRows = std::max(Rows, 1);
  {
    TArrayUpdate Update(To);
    To->UnSort();  // rows are placed by their unsorted position below
    To->SetAllocGranularity(From->AllocGranularity());
    To->Resize(std::max(Cols, 1), StorageRows);
    for (int C = 0; C <= std::max(Cols, 1); ++C) To->SetColAttrib(C, From->ColAttrib(C));
    // Source row I (as shown) goes to the target row of its unsorted position.
    for (int I = 1; I <= StorageRows; ++I) {
      const int Target = From->Sorted() ? From->UnsortedPosition(I) : I;
      for (int C = 0; C <= std::max(Cols, 1); ++C) To->SetElem(C, Target, From->Elem(C, I));
    }
    if (From->Sorted())
      for (int I = 1; I <= StorageRows; ++I) To->SetUnsortedPosition(I, From->UnsortedPosition(I));
    // Row flags travel with their rows, so they are copied once the order matches.
    for (int I = 1; I <= StorageRows; ++I) To->SetRowAttrib(I, From->RowAttrib(I));
  }

  FNrOfCols = Cols;
  FNrOfRows = Rows;
  FSortColumn = Src->FSortColumn;
  FSortColumnSec = Src->FSortColumnSec;
  FSortOrder = Src->FSortOrder;
  FSortToggle = Src->FSortToggle;
  FComment = Src->FComment;
  FCommonHeader = Src->FCommonHeader;
  SetOnBeforeSortExchange(Src->FOnBefSortExc);
  FDataID = Src->FDataID;
  RecountFeedback(std::max(Rows, 1));
  try {
    FColName = Src->FColName;
    FColumnFormat = Src->FColumnFormat;
    FColButMode = Src->FColButMode;
  } catch (const std::bad_alloc&) {
    RaiseNoMemory();
  }
}

}  // namespace orv
