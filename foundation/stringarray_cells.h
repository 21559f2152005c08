#pragma once
// Storage block of one row of a TStringArray.
//
// Layout of a block (one heap allocation):
//   TCellRow header | uint32_t Off[SlotCap] | uint8_t Len[SlotCap] | text bytes
// Off[i] is the byte offset of cell i's text from the block start, with the top
// bit set when the cell keeps two bytes per character (some character is
// U+0100 or above); otherwise it keeps one byte per character (Latin-1).
// Len[i] is the length in characters; 0 means empty. Text bytes are appended
// at Used; bytes of overwritten cells count as Garbage until the block is
// rebuilt. A null row pointer stands for a row whose cells are all empty.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/rtl/types.h"

namespace orv {

struct TCellRow {
  uint32_t Cap;      // bytes of the whole block
  uint32_t Used;     // end of the written text bytes, from the block start
  uint32_t Garbage;  // dead text bytes below Used
  uint32_t Slots;    // cells addressed by this block; higher cells read empty
  uint32_t SlotCap;  // handle slots allocated
};

// Read access to one cell's characters, narrow or wide.
struct TCellView {
  const uint8_t* Data = nullptr;
  uint32_t Len = 0;
  bool Wide = false;

  Char At(uint32_t I) const {
    if (!Wide) return Data[I];
    return static_cast<Char>(Data[2 * I] | (Data[2 * I + 1] << 8));
  }
};

namespace cellrow {

TCellView Cell(const TCellRow* Row, uint32_t Cell);
String Text(TCellView View);

// Stores Text (at most 255 units, already cut) into Cell, growing the block
// (or creating it from null, with RowCells handle slots) as needed. Strong
// guarantee: throws std::bad_alloc and leaves Row untouched when memory runs
// out. A block left without any text is freed (Row becomes null).
void SetCell(TCellRow*& Row, uint32_t Cell, std::u16string_view Text, uint32_t RowCells);
// Inserts an empty cell at Cell; cells Cell.. move one up. Strong guarantee.
void InsertCell(TCellRow*& Row, uint32_t Cell);
// Removes Cell; higher cells move one down. Never throws.
void RemoveCell(TCellRow*& Row, uint32_t Cell) noexcept;
// Empties every cell from Cell on. Never throws.
void Truncate(TCellRow*& Row, uint32_t Cell) noexcept;
void Free(TCellRow* Row) noexcept;
size_t Bytes(const TCellRow* Row) noexcept;

}  // namespace cellrow
}  // namespace orv
