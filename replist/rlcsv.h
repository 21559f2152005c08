#pragma once
// CSV and text-line exchange of the report data store (the TRLData members
// ImportCSV, ExportCSV and LoadLinesFromFile live in rlcsv.cpp).
//
// CSV follows RFC 4180: fields are separated by the chosen delimiter; a field
// holding the delimiter, a double quote, a line feed or a carriage return is
// written in double quotes with inner quotes doubled; an empty record is
// written as "" so that it survives. Reading accepts UTF-8 with or without a
// byte-order mark (text that is not valid UTF-8 is read as Latin-1), CR LF, LF
// or CR line ends, line ends inside quoted fields (kept as they are) and skips
// lines that hold nothing at all. Text after a closing quote is appended to
// the field. Writing produces UTF-8 without byte-order mark and CR LF line
// ends. Cells keep at most 255 characters, column names 50.
//
// ImportCSV replaces the whole store: its columns are the longest record's
// fields, with IncludeColHeaders the first record names the columns (columns
// beyond it keep "C-<n>"); check modes, formats, flags and the sort state are
// reset. ExportCSV writes the cell texts (without check marks) of the
// rectangle FirstCol..LastCol x FirstRow..LastRow, clipped to the store: with
// IncludeCommonHeader first the common header as a record of one field, with
// IncludeColHeaders then the column names. LoadLinesFromFile writes the lines
// of a text file into column Column (0..NrOfColumns) from row FirstRow (>= 1)
// on, adding rows as needed; check marks of a check column are kept.
//
// Results: the number of data rows read or written (header records not
// counted), or one of the negative values below. On a negative result the
// store, and for ExportCSV the previous file, are unchanged.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/basetypes.h"
#include "framework/rtl/types.h"

namespace orv {

class TRLData;

inline constexpr int rlxOpenError = -1;      // the file cannot be opened or read
inline constexpr int rlxWriteError = -2;     // the file cannot be written
inline constexpr int rlxSyntaxError = -3;    // a quoted field is not closed
inline constexpr int rlxTooLarge = -4;       // more cells than the store accepts, or out of memory
inline constexpr int rlxInvalidRange = -5;   // the column or rectangle lies outside the store

// "," ";" tab blank "|"
Char CSVDelimiterChar(TCSVDelimiters Delimiter);

// Splits CSV text into records (a flat list of fields and the index of each
// record's first field). Returns the number of records or rlxSyntaxError.
int ParseCSVText(std::u16string_view Text, Char Delimiter, std::vector<String>& Fields,
                 std::vector<size_t>& RecordStart);

// ImportCSV and ExportCSV on bytes in memory instead of a file.
int ImportCSVBytes(TRLData& Data, std::string_view Bytes, TCSVDelimiters Delimiter, bool IncludeColHeaders);
int ExportCSVBytes(TRLData& Data, std::string& Bytes, TCSVDelimiters Delimiter, bool IncludeColHeaders,
                   bool IncludeCommonHeader, int FirstCol, int FirstRow, int LastCol, int LastRow);

}  // namespace orv
