#include "foundation/matrix.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

#include "foundation/basetypes.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"

namespace orv {

namespace detail {

void RaiseOutOfMemory(const char* Owner, int NrCols, int NrRows) {
  throw EORVDStructError(FromUtf8(Owner) + u": not enough memory for " + IntToStr(NrCols) + u" x " +
                         IntToStr(NrRows) + u" cells");
}

size_t CheckedCellCount(const char* Owner, int NrCols, int NrRows, size_t ElemSize) {
  const size_t Cols = static_cast<size_t>(std::max(NrCols, 0));
  const size_t Rows = static_cast<size_t>(std::max(NrRows, 0));
  // A request whose byte count overflows is refused before any allocation is tried.
  const size_t Limit = static_cast<size_t>(std::numeric_limits<std::ptrdiff_t>::max()) / ElemSize;
  if (Cols != 0 && Rows > Limit / Cols) RaiseOutOfMemory(Owner, NrCols, NrRows);
  return Cols * Rows;
}

std::vector<int> KeepLinesMap(int OldCount, int NewCount) {
  std::vector<int> Map(static_cast<size_t>(std::max(NewCount, 0)));
  for (size_t I = 0; I < Map.size(); ++I) Map[I] = static_cast<int>(I) + 1 <= OldCount ? static_cast<int>(I) + 1 : 0;
  return Map;
}

}  // namespace detail

namespace {

// Resized copy of a row-by-row store; throws EORVDStructError instead of a
// standard allocation error so callers see one error class.
template <class T>
std::vector<T> ResizedStore(const char* Owner, const std::vector<T>& Old, int OldCols, int OldRows, int NewCols,
                            int NewRows) {
  const size_t Cells = detail::CheckedCellCount(Owner, NewCols, NewRows, sizeof(T));
  try {
    std::vector<T> New(Cells, T{});
    const int KeptCols = std::min(OldCols, NewCols);
    const int KeptRows = std::min(OldRows, NewRows);
    for (int R = 0; R < KeptRows; ++R) {
      const auto From = Old.begin() + static_cast<std::ptrdiff_t>(R) * OldCols;
      std::copy(From, From + KeptCols, New.begin() + static_cast<std::ptrdiff_t>(R) * NewCols);
    }
    return New;
  } catch (const std::bad_alloc&) {
    detail::RaiseOutOfMemory(Owner, NewCols, NewRows);
  } catch (const std::length_error&) {
    detail::RaiseOutOfMemory(Owner, NewCols, NewRows);
  }
}

}  // namespace

// ---------------------------------------------------------------- TMatrix

TMatrix::TMatrix(int NrCols, int NrRows) { ResizeStore(NrCols, NrRows); }

void TMatrix::Resize(int NrCols, int NrRows) {
  if (FResizeHook) {
    FResizeHook(NrCols, NrRows);
    return;
  }
  ResizeStore(NrCols, NrRows);
  Changed();
}

void TMatrix::ResizeStore(int NrCols, int NrRows) {
  NrCols = std::max(NrCols, 0);
  NrRows = std::max(NrRows, 0);
  if (NrCols == FNrCols && NrRows == FNrRows) return;
  FElems = ResizedStore("TMatrix", FElems, FNrCols, FNrRows, NrCols, NrRows);
  FNrCols = NrCols;
  FNrRows = NrRows;
}

double TMatrix::Elem(int Col, int Row) const { return Inside(Col, Row) ? FElems[Index(Col, Row)] : 0.0; }

void TMatrix::SetElem(int Col, int Row, double Value) {
  if (!Inside(Col, Row)) return;
  FElems[Index(Col, Row)] = Value;
  Changed();
}

void TMatrix::Fill(double Value) {
  std::fill(FElems.begin(), FElems.end(), Value);
  Changed();
}

// ------------------------------------------------------------- TIntMatrix

TIntMatrix::TIntMatrix(TComponent* AOwner) : TComponent(AOwner) {}

TIntMatrix::TIntMatrix(TComponent* AOwner, int NrCols, int NrRows) : TComponent(AOwner) { Resize(NrCols, NrRows); }

void TIntMatrix::Resize(int NrCols, int NrRows) {
  NrCols = std::max(NrCols, 0);
  NrRows = std::max(NrRows, 0);
  if (NrCols == FNrCols && NrRows == FNrRows) return;
  FElems = ResizedStore("TIntMatrix", FElems, FNrCols, FNrRows, NrCols, NrRows);
  FNrCols = NrCols;
  FNrRows = NrRows;
}

int TIntMatrix::GetVal(int Col, int Row) const {
  if (Col < 1 || Col > FNrCols || Row < 1 || Row > FNrRows) return 0;
  return FElems[static_cast<size_t>(Row - 1) * static_cast<size_t>(FNrCols) + static_cast<size_t>(Col - 1)];
}

void TIntMatrix::SetVal(int Col, int Row, int Value) {
  if (Col < 1 || Col > FNrCols || Row < 1 || Row > FNrRows) return;
  FElems[static_cast<size_t>(Row - 1) * static_cast<size_t>(FNrCols) + static_cast<size_t>(Col - 1)] = Value;
}

void TIntMatrix::Fill(int Value) { std::fill(FElems.begin(), FElems.end(), Value); }

}  // namespace orv
