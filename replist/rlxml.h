#pragma once
// XML exchange of report lists (the TRLData members ReadFromXML*, LoadFromXMLFile,
// WriteTo*, SaveAsXMLFile live in rlxml.cpp); docs/replist-xml-format.md
// describes the document.
//
// A report list starts on a root line holding "<replist", the word
// "orvkitset" and id="<identifier>", and ends with "</replist>"; one file or
// stream may hold several lists. Readers select a list the way
// CheckIfValidReplist finds it: lines are compared in lower case, the
// identifier is the text after id=" up to the next double quote with blanks
// trimmed, and an empty DataID takes the first list.

#include <string_view>

#include "framework/rtl/types.h"

namespace orv {

class TStream;

enum TRepListXmlTag : uint8_t {
  xmlNumCols,
  xmlNumRows,
  xmlColName,
  xmlCheckedColumn,
  xmlCommonHd,
  xmlColumnFormat,
  xmlCell,
  xmlComment,
  xmlEndReplist,
  xmlInvalid
};

// The tag word of a member ("numcols" ... "invalidtag"); "invalidtag" outside the enumeration.
String RepListXmlTagWord(TRepListXmlTag Tag);
// The member whose word is Word (letter case ignored); xmlInvalid when none.
TRepListXmlTag RepListXmlTagOf(std::u16string_view Word);

// True when Line (any letter case) is the root line of a report list that a
// reader asked for DataID would take; Identifier receives the list's
// identifier as written (entities decoded, blanks trimmed).
bool IsReplistRootLine(std::u16string_view Line, std::u16string_view DataID, String* Identifier = nullptr);

// True when the text file FName holds a report list with identifier DataID
// (an empty DataID accepts any). File errors raise EInOutError.
bool CheckIfValidReplist(const String& FName, const String& DataID);
// The same on the lines of a stream from its position on.
bool CheckIfValidReplist(TStream* InStream, const String& DataID);

}  // namespace orv
