#include "foundation/stringarray_cells.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace orv::cellrow {
namespace {

constexpr uint32_t kWideBit = 0x80000000u;
constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();
// Dead bytes tolerated before a block is rebuilt, so that small rows are not
// rebuilt on every overwrite.
constexpr uint32_t kGarbageSlack = 64;
// A new block reserves room for the other cells of its row, assuming they are
// about as long as the first one written, but at most this much extra.
constexpr uint32_t kFirstBlockExtra = 256;

uint32_t* Offsets(TCellRow* R) { return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(R) + sizeof(TCellRow)); }
const uint32_t* Offsets(const TCellRow* R) {
  return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(R) + sizeof(TCellRow));
}
uint8_t* Lengths(TCellRow* R) { return reinterpret_cast<uint8_t*>(Offsets(R) + R->SlotCap); }
const uint8_t* Lengths(const TCellRow* R) { return reinterpret_cast<const uint8_t*>(Offsets(R) + R->SlotCap); }
uint8_t* Base(TCellRow* R) { return reinterpret_cast<uint8_t*>(R); }

size_t DataStart(uint32_t SlotCap) { return sizeof(TCellRow) + size_t{SlotCap} * (sizeof(uint32_t) + 1); }

uint32_t CellBytes(const TCellRow* R, uint32_t I) {
  return Lengths(R)[I] * ((Offsets(R)[I] & kWideBit) ? 2u : 1u);
}

uint32_t LiveBytes(const TCellRow* R) {
  return R->Used - static_cast<uint32_t>(DataStart(R->SlotCap)) - R->Garbage;
}

bool NeedsWide(std::u16string_view Text) {
  return std::any_of(Text.begin(), Text.end(), [](Char C) { return C > 0xFF; });
}

uint32_t TextBytes(std::u16string_view Text, bool Wide) {
  return static_cast<uint32_t>(Text.size()) * (Wide ? 2u : 1u);
}

// Writes Text at byte offset At and points cell I at it.
void Put(TCellRow* R, uint32_t I, uint32_t At, std::u16string_view Text, bool Wide) {
  uint8_t* P = Base(R) + At;
  if (Wide) {
    for (Char C : Text) {
      *P++ = static_cast<uint8_t>(C & 0xFF);
      *P++ = static_cast<uint8_t>(C >> 8);
    }
  } else {
    for (Char C : Text) *P++ = static_cast<uint8_t>(C);
  }
  Offsets(R)[I] = At | (Wide ? kWideBit : 0u);
  Lengths(R)[I] = static_cast<uint8_t>(Text.size());
}

TCellRow* Allocate(uint32_t SlotCap, size_t DataCap) {
  const size_t Size = DataStart(SlotCap) + DataCap;
  if (Size > std::numeric_limits<uint32_t>::max() / 2) throw std::bad_alloc();
  auto* R = static_cast<TCellRow*>(::operator new(Size));
  R->Cap = static_cast<uint32_t>(Size);
  R->Used = static_cast<uint32_t>(DataStart(SlotCap));
  R->Garbage = 0;
  R->Slots = 0;
  R->SlotCap = SlotCap;
  std::memset(Offsets(R), 0, size_t{SlotCap} * (sizeof(uint32_t) + 1));
  return R;
}

// Builds a compacted copy of Old (which may be null) with NewSlots cells.
// InsertAt (kNone for none) gets an empty cell, shifting later ones up;
// Override (kNone for none) receives OverrideText.
TCellRow* Rebuild(const TCellRow* Old, uint32_t NewSlots, uint32_t InsertAt, uint32_t Override,
                  std::u16string_view OverrideText) {
  const bool OverrideWide = NeedsWide(OverrideText);
  auto Source = [&](uint32_t I) -> uint32_t {
    if (InsertAt == kNone || I < InsertAt) return I;
    return I == InsertAt ? kNone : I - 1;
  };
  size_t Live = 0;
  for (uint32_t I = 0; I < NewSlots; ++I) {
    if (I == Override) {
      Live += TextBytes(OverrideText, OverrideWide);
      continue;
    }
    const uint32_t S = Source(I);
    if (Old && S != kNone && S < Old->Slots) Live += CellBytes(Old, S);
  }
  TCellRow* R = Allocate(NewSlots, Live + Live / 2 + 16);
  R->Slots = NewSlots;
  for (uint32_t I = 0; I < NewSlots; ++I) {
    if (I == Override) {
      if (!OverrideText.empty()) {
        Put(R, I, R->Used, OverrideText, OverrideWide);
        R->Used += TextBytes(OverrideText, OverrideWide);
      }
      continue;
    }
    const uint32_t S = Source(I);
    if (!Old || S == kNone || S >= Old->Slots || Lengths(Old)[S] == 0) continue;
    const uint32_t N = CellBytes(Old, S);
    const uint32_t Wide = Offsets(Old)[S] & kWideBit;
    std::memcpy(Base(R) + R->Used, reinterpret_cast<const uint8_t*>(Old) + (Offsets(Old)[S] & ~kWideBit), N);
    Offsets(R)[I] = R->Used | Wide;
    Lengths(R)[I] = Lengths(Old)[S];
    R->Used += N;
  }
  return R;
}

// Frees an all-empty block, or rebuilds one whose dead bytes outweigh its
// text. A failed rebuild only leaves the dead bytes in place.
void Tidy(TCellRow*& R) noexcept {
  if (!R) return;
  const uint32_t Live = LiveBytes(R);
  if (Live == 0) {  // every cell with text holds at least one byte
    Free(R);
    R = nullptr;
    return;
  }
  if (R->Garbage > kGarbageSlack && R->Garbage > Live) {
    try {
      TCellRow* Fresh = Rebuild(R, R->Slots, kNone, kNone, {});
      Free(R);
      R = Fresh;
    } catch (const std::bad_alloc&) {
      // keep the old block; it is still correct, only larger
    }
  }
}

}  // namespace

TCellView Cell(const TCellRow* Row, uint32_t Cell) {
  TCellView V;
  if (!Row || Cell >= Row->Slots) return V;
  V.Len = Lengths(Row)[Cell];
  if (V.Len == 0) return V;
  const uint32_t Off = Offsets(Row)[Cell];
  V.Wide = (Off & kWideBit) != 0;
  V.Data = reinterpret_cast<const uint8_t*>(Row) + (Off & ~kWideBit);
  return V;
}

String Text(TCellView View) {
  String S(View.Len, u'\0');
  if (View.Wide) {
    for (uint32_t I = 0; I < View.Len; ++I) S[I] = View.At(I);
  } else {
    for (uint32_t I = 0; I < View.Len; ++I) S[I] = View.Data[I];
  }
  return S;
}

void SetCell(TCellRow*& Row, uint32_t Cell, std::u16string_view Text, uint32_t RowCells) {
  if (Text.empty()) {
    if (!Row || Cell >= Row->Slots || Lengths(Row)[Cell] == 0) return;
    Row->Garbage += CellBytes(Row, Cell);
    Offsets(Row)[Cell] = 0;
    Lengths(Row)[Cell] = 0;
    Tidy(Row);
    return;
  }
  const bool Wide = NeedsWide(Text);
  const uint32_t Need = TextBytes(Text, Wide);
  const uint32_t Slots = std::max(RowCells, Cell + 1);
  if (!Row) {
    const size_t Extra = std::min<size_t>(size_t{Need} * (Slots - 1), kFirstBlockExtra);
    TCellRow* R = Allocate(Slots, Need + Extra);
    R->Slots = Slots;
    Put(R, Cell, R->Used, Text, Wide);
    R->Used += Need;
    Row = R;
    return;
  }
  if (Cell >= Row->Slots && Cell < Row->SlotCap) Row->Slots = Cell + 1;  // unused slots are zero
  if (Cell >= Row->Slots) {
    TCellRow* Fresh = Rebuild(Row, Slots, kNone, Cell, Text);
    Free(Row);
    Row = Fresh;
    return;
  }
  const uint32_t Old = CellBytes(Row, Cell);
  if (Old > 0 && Need <= Old) {
    Put(Row, Cell, Offsets(Row)[Cell] & ~kWideBit, Text, Wide);
    Row->Garbage += Old - Need;
  } else if (size_t{Row->Used} + Need <= Row->Cap) {
    Put(Row, Cell, Row->Used, Text, Wide);
    Row->Used += Need;
    Row->Garbage += Old;
  } else {
    TCellRow* Fresh = Rebuild(Row, std::max(Row->Slots, Slots), kNone, Cell, Text);
    Free(Row);
    Row = Fresh;
    return;
  }
  Tidy(Row);
}

void InsertCell(TCellRow*& Row, uint32_t Cell) {
  if (!Row || Cell >= Row->Slots) return;  // nothing at or above Cell to move
  if (Row->Slots < Row->SlotCap) {
    uint32_t* Off = Offsets(Row);
    uint8_t* Len = Lengths(Row);
    std::memmove(Off + Cell + 1, Off + Cell, (Row->Slots - Cell) * sizeof(uint32_t));
    std::memmove(Len + Cell + 1, Len + Cell, Row->Slots - Cell);
    Off[Cell] = 0;
    Len[Cell] = 0;
    ++Row->Slots;
    return;
  }
  TCellRow* Fresh = Rebuild(Row, Row->Slots + 1, Cell, kNone, {});
  Free(Row);
  Row = Fresh;
}

void RemoveCell(TCellRow*& Row, uint32_t Cell) noexcept {
  if (!Row || Cell >= Row->Slots) return;
  Row->Garbage += CellBytes(Row, Cell);
  uint32_t* Off = Offsets(Row);
  uint8_t* Len = Lengths(Row);
  std::memmove(Off + Cell, Off + Cell + 1, (Row->Slots - Cell - 1) * sizeof(uint32_t));
  std::memmove(Len + Cell, Len + Cell + 1, Row->Slots - Cell - 1);
  --Row->Slots;
  Off[Row->Slots] = 0;
  Len[Row->Slots] = 0;
  Tidy(Row);
}

void Truncate(TCellRow*& Row, uint32_t Cell) noexcept {
  if (!Row || Cell >= Row->Slots) return;
  for (uint32_t I = Cell; I < Row->Slots; ++I) {
    Row->Garbage += CellBytes(Row, I);
    Offsets(Row)[I] = 0;
    Lengths(Row)[I] = 0;
  }
  Row->Slots = Cell;
  Tidy(Row);
}

void Free(TCellRow* Row) noexcept { ::operator delete(Row); }

size_t Bytes(const TCellRow* Row) noexcept { return Row ? Row->Cap : 0; }

}  // namespace orv::cellrow
