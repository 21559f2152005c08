#include "rlxml.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <vector>

#include "foundation/strhelpers.h"
#include "framework/rtl/atomicfile.h"
#include "framework/rtl/streams.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/textfile.h"
#include "framework/rtl/unicode.h"
#include "replist/colformat.h"
#include "replist/rldata.h"
#include "replist/rltext.h"

namespace orv {

namespace {

constexpr const char16_t* kTagWords[] = {u"numcols",      u"numrows", u"colname", u"checkedcolumn", u"commonheader",
                                         u"columnformat", u"cell",    u"comment", u"/replist",      u"invalidtag"};
// Elements beyond the fixed vocabulary: row flag bytes and the sort state.
constexpr const char* kRowFlags = "rowflags";
constexpr const char* kSorting = "sorting";
constexpr const char* kRootWord = "replist";

// Declared sizes a reader accepts; larger ones are taken as damage, not data.
constexpr long long kMaxColumns = 1'000'000;
constexpr long long kMaxCells = 1LL << 25;

bool SameWord(const char* A, const char* B) {
  for (; *A != 0 && *B != 0; ++A, ++B) {
    const char X = *A >= 'A' && *A <= 'Z' ? static_cast<char>(*A + 32) : *A;
    if (X != *B) return false;
  }
  return *A == *B;
}

TRepListXmlTag TagOf(const char* Name) {
  // Cells are nearly every element; their exact spelling needs no folding.
  if (Name[0] == 'c' && Name[1] == 'e' && Name[2] == 'l' && Name[3] == 'l' && Name[4] == 0) return xmlCell;
  for (int T = xmlNumCols; T < xmlInvalid; ++T) {
    const std::u16string_view Word = kTagWords[T];
    size_t I = 0;
    for (; I < Word.size() && Name[I] != 0; ++I) {
      const char X = Name[I] >= 'A' && Name[I] <= 'Z' ? static_cast<char>(Name[I] + 32) : Name[I];
      if (static_cast<Char>(X) != Word[I]) break;
    }
    if (I == Word.size() && Name[I] == 0) return static_cast<TRepListXmlTag>(T);
  }
  return xmlInvalid;
}

bool ParseInt(const char* Text, long long& Value) {
  // Plain short digit runs, nearly every number in a list, need no general parser.
  {
    long long Quick = 0;
    const char* P = Text;
    while (static_cast<unsigned>(*P - '0') < 10 && P - Text < 18) Quick = Quick * 10 + (*P++ - '0');
    if (P != Text && *P == 0) {
      Value = Quick;
      return true;
    }
  }
  while (*Text == ' ') ++Text;
  if (*Text == '+') ++Text;
  // from_chars stops at the terminator, so no length scan is needed first.
  const char* Limit = Text;
  while (*Limit >= '-' && *Limit <= '9') ++Limit;
  const auto [Ptr, Ec] = std::from_chars(Text, Limit, Value);
  if (Ec != std::errc() || Ptr == Text) return false;
  const char* Rest = Ptr;
  while (*Rest == ' ') ++Rest;
  return *Rest == 0;
}

// The attributes the list's elements carry, found in one walk over the
// element's attributes; the first of a repeated name counts.
struct TElementAttributes {
  const char* C = nullptr;
  const char* R = nullptr;
  const char* Flags = nullptr;
  const char* Enc = nullptr;
};

void CollectAttributes(const pugi::xml_node& Node, TElementAttributes& Out) {
  Out = TElementAttributes();
  for (pugi::xml_attribute A = Node.first_attribute(); A; A = A.next_attribute()) {
    const char* Name = A.name();
    const char** Slot = nullptr;
    if (Name[0] == 'c' && Name[1] == 0) Slot = &Out.C;
    else if (Name[0] == 'r' && Name[1] == 0) Slot = &Out.R;
    else if (Name[0] == 'f' && std::strcmp(Name, "flags") == 0) Slot = &Out.Flags;
    else if (Name[0] == 'e' && std::strcmp(Name, "enc") == 0) Slot = &Out.Enc;
    if (Slot != nullptr && *Slot == nullptr) *Slot = A.value();
  }
}

// Integer from an attribute value found by CollectAttributes; false when missing or not a whole number.
bool IntValue(const char* Value, long long& Result) { return Value != nullptr && ParseInt(Value, Result); }

// Integer attribute Name of Node; false when missing or not a whole number.
bool IntAttribute(const pugi::xml_node& Node, const char* Name, long long& Value) {
  const pugi::xml_attribute A = Node.attribute(Name);
  return A && ParseInt(A.value(), Value);
}

// UTF-8 text into Text, reusing its buffer; plain ASCII needs no decoder.
void AssignUtf8(const char* Bytes, String& Text) {
  size_t N = 0;
  bool Ascii = true;
  for (; Bytes[N] != 0; ++N)
    if (static_cast<unsigned char>(Bytes[N]) >= 0x80) Ascii = false;
  if (!Ascii) {
    Text = FromUtf8(std::string_view(Bytes, N));
    return;
  }
  Text.resize(N);
  for (size_t I = 0; I < N; ++I) Text[I] = static_cast<Char>(Bytes[I]);
}

void AppendInt(std::string& Out, long long Value) {
  char Buf[24];
  const auto [Ptr, Ec] = std::to_chars(Buf, Buf + sizeof Buf, Value);
  (void)Ec;
  Out.append(Buf, Ptr);
}

// <tag attrs>text</tag>, the text in hex code units when XML cannot carry it.
void AppendElement(std::string& Out, const char* Tag, std::string_view Attributes, std::u16string_view Text) {
  Out += '<';
  Out += Tag;
  Out += Attributes;
  const size_t Mark = Out.size();
  Out += '>';
  if (!rltext::AppendXmlEscaped(Out, Text, false)) {
    Out.resize(Mark);
    Out += " enc=\"u16\">";
    rltext::AppendHexUnits(Out, Text);
  }
  Out += "</";
  Out += Tag;
  Out += ">\n";
}

// The text of an element written by AppendElement (Enc: its enc attribute,
// nullptr when absent); false for damaged hex.
bool ElementText(const pugi::xml_node& Node, const char* Enc, String& Text) {
  if (Enc == nullptr) {
    AssignUtf8(Node.child_value(), Text);
    return true;
  }
  return std::strcmp(Enc, "u16") == 0 && rltext::DecodeHexUnits(Node.child_value(), Text);
}

// False when ElementText would refuse the element.
bool ValidElementText(const pugi::xml_node& Node, const char* Enc) {
  if (Enc == nullptr) return true;
  String Text;
  return ElementText(Node, Enc, Text);
}

// The lines of a text file, or of a stream, one by one.
template <typename NextLine>
bool ScanForRootLine(NextLine&& Next, const String& DataID) {
  String Line;
  while (Next(Line))
    if (IsReplistRootLine(Line, DataID)) return true;
  return false;
}

}  // namespace

String RepListXmlTagWord(TRepListXmlTag Tag) { return kTagWords[Tag <= xmlInvalid ? Tag : xmlInvalid]; }

TRepListXmlTag RepListXmlTagOf(std::u16string_view Word) {
  const String Lower = LowerCase(Word);
  for (int T = xmlNumCols; T < xmlInvalid; ++T)
    if (Lower == kTagWords[T]) return static_cast<TRepListXmlTag>(T);
  return xmlInvalid;
}

bool IsReplistRootLine(std::u16string_view Line, std::u16string_view DataID, String* Identifier) {
  const String Lower = LowerCase(Line);
  if (Pos(u"<replist", Lower) == 0 || Pos(u"orvkitset", Lower) == 0) return false;
  String Id;
  const int Open = Pos(u"id=\"", Lower);
  if (Open > 0) {
    const size_t From = static_cast<size_t>(Open) + 3;
    const size_t Close = Line.find(u'"', From);
    Id = Trim(rltext::DecodeXmlEntities(Line.substr(From, Close == std::u16string_view::npos ? Close : Close - From)));
  }
  if (!DataID.empty() && LowerCase(Id) != LowerCase(DataID)) return false;
  if (Identifier != nullptr) *Identifier = Id;
  return true;
}

bool CheckIfValidReplist(const String& FName, const String& DataID) {
  TextFile F;
  AssignFile(F, FName);
  Reset(F);
  const bool Found = ScanForRootLine(
      [&](String& Line) {
        if (Eof(F)) return false;
        ReadLn(F, Line);
        return true;
      },
      DataID);
  CloseFile(F);
  return Found;
}

bool CheckIfValidReplist(TStream* InStream, const String& DataID) {
  if (InStream == nullptr) return false;
  bool AtEnd = false;
  return ScanForRootLine(
      [&](String& Line) {
        if (AtEnd) return false;
        Line = ReadLnStream(InStream, AtEnd);
        return true;
      },
      DataID);
}

// Reading and writing with access to the store's fields.
class TRLDataExchange {
 public:
  static std::string Document(TRLData& D, bool CreateHeader, const String& DataID);
  // Finds the list DataID in Buffer from From on and loads it. After receives
  // the offset behind the list's last line.
  static bool ReadBuffer(TRLData& D, std::string& Buffer, const String& DataID, size_t* After);
  // Loads the single list of Buffer[Begin, End) (root element first).
  static bool Load(TRLData& D, char* Begin, size_t Size, const String& Identifier);
};

std::string TRLDataExchange::Document(TRLData& D, bool CreateHeader, const String& DataID) {
  TStringArray* A = D.FStrings.get();
  const int Cols = D.FNrOfCols;
  const int Rows = D.FNrOfRows;
  std::string Out;
  Out.reserve(static_cast<size_t>(Rows) * static_cast<size_t>(Cols + 1) * 24 + 512);
  if (CreateHeader) Out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  Out += "<replist id=\"";
  if (!rltext::AppendXmlEscaped(Out, DataID, true)) rltext::AppendXmlEscaped(Out, RemoveControlChars(DataID), true);
  Out += "\" format=\"orvkitset\" version=\"1\">\n";
  Out += "<numcols>";
  AppendInt(Out, Cols);
  Out += "</numcols>\n<numrows>";
  AppendInt(Out, Rows);
  Out += "</numrows>\n";
  AppendElement(Out, "commonheader", "", D.FCommonHeader);
  AppendElement(Out, "comment", "", D.FComment);

  std::string Attr;
  auto Attribute = [&Attr](const char* Name, long long Value) {
    Attr += ' ';
    Attr += Name;
    Attr += "=\"";
    AppendInt(Attr, Value);
    Attr += '"';
  };
  // Sort state; while the array is sorted, the unsorted position of every shown row.
  Attr.clear();
  Attribute("col", D.FSortColumn);
  Attribute("sec", D.FSortColumnSec);
  Attribute("ascending", D.FSortOrder ? 1 : 0);
  Attribute("toggle", D.FSortToggle ? 1 : 0);
  Out += "<sorting";
  Out += Attr;
  Out += '>';
  if (A->Sorted()) {
    for (int R = 1; R <= Rows; ++R) {
      if (R > 1) Out += ' ';
      AppendInt(Out, A->UnsortedPosition(R));
    }
  }
  Out += "</sorting>\n";

  for (int C = 1; C <= Cols; ++C) {
    const auto I = static_cast<size_t>(C - 1);
    Attr.clear();
    Attribute("c", C);
    if (A->ColAttrib(C) != 0) Attribute("flags", A->ColAttrib(C));
    AppendElement(Out, "colname", Attr, D.FColName[I]);
    if (!D.FColumnFormat[I].empty()) {
      Attr.clear();
      Attribute("c", C);
      AppendElement(Out, "columnformat", Attr, D.FColumnFormat[I]);
    }
    if (D.FColButMode[I] != cmNone) {
      Attr.clear();
      Attribute("c", C);
      AppendElement(Out, "checkedcolumn", Attr, D.FColButMode[I] == cmRadio ? u"radio" : u"box");
    }
  }

  // Rows in their unsorted order, so that the sorting element can restore the shown order.
  const bool Sorted = A->Sorted();
  long long Done = 0;
  for (int R = 1; R <= Rows; ++R) {
    const int Stored = Sorted ? A->UnsortedPosition(R) : R;
    if (A->RowAttrib(R) != 0) {
      Out += "<rowflags r=\"";
      AppendInt(Out, Stored);
      Out += "\">";
      AppendInt(Out, A->RowAttrib(R));
      Out += "</rowflags>\n";
    }
    for (int C = 0; C <= Cols; ++C) {
      D.ReportProgress(++Done);
      if (A->ElemLength(C, R) == 0) continue;
      // Cells are most of the document: their attributes go straight into the output.
      Out += "<cell c=\"";
      AppendInt(Out, C);
      Out += "\" r=\"";
      AppendInt(Out, Stored);
      Out += '"';
      const size_t Mark = Out.size();
      Out += '>';
      const String Text = A->Elem(C, R);
      if (!rltext::AppendXmlEscaped(Out, Text, false)) {
        Out.resize(Mark);
        Out += " enc=\"u16\">";
        rltext::AppendHexUnits(Out, Text);
      }
      Out += "</cell>\n";
    }
  }
  Out += "</replist>\n";
  return Out;
}

bool TRLDataExchange::ReadBuffer(TRLData& D, std::string& Buffer, const String& DataID, size_t* After) {
  const std::string_view View = Buffer;
  size_t From = 0;
  for (;;) {
    const size_t Root = rltext::FindTagNoCase(View, From, kRootWord);
    if (Root == std::string_view::npos) return false;
    size_t LineStart = View.find_last_of("\r\n", Root);
    LineStart = LineStart == std::string_view::npos ? 0 : LineStart + 1;
    size_t LineEnd = View.find_first_of("\r\n", Root);
    if (LineEnd == std::string_view::npos) LineEnd = View.size();
    String Identifier;
    if (!IsReplistRootLine(rltext::DecodeText(View.substr(LineStart, LineEnd - LineStart)), DataID, &Identifier)) {
      From = LineEnd;
      continue;
    }
    const size_t Close = rltext::FindTagNoCase(View, Root + 1, "/replist");
    if (Close == std::string_view::npos) return false;
    const size_t Gt = View.find('>', Close);
    if (Gt == std::string_view::npos) return false;
    size_t Next = View.find_first_of("\r\n", Gt);
    if (Next == std::string_view::npos) Next = View.size();
    else Next += (View[Next] == '\r' && Next + 1 < View.size() && View[Next + 1] == '\n') ? 2 : 1;
    if (After != nullptr) *After = Next;
    return Load(D, Buffer.data() + Root, Gt + 1 - Root, Identifier);
  }
}

namespace {

// A list as its XML describes it, every index and value checked. Reading
// fills it in one pass over the elements; applying it meets nothing left to
// check, so validation and application cannot disagree.
struct TListRecords {
  struct TText {
    int C;
    String Text;
  };
  struct TFlags {
    int Index;  // column or row
    uint8_t Flags;
  };
  struct TCheck {
    int C;
    TCheckMode Mode;
  };
  struct TCell {  // text decoded while applying: cells are most of the list
    pugi::xml_node Node;
    const char* Enc;
    int C, R;
  };
  struct TSorting {
    int Col, Sec;
    bool Ascending, Toggle;
    std::vector<uint32_t> Order;  // shown row -> unsorted position; empty: as stored
  };

  int Cols = 0;
  int Rows = 0;
  std::vector<TText> Names;
  std::vector<TFlags> ColFlags;
  std::vector<TText> Formats;
  std::vector<TCheck> CheckModes;
  String CommonHeader;
  String Comment;
  std::vector<TFlags> RowFlags;
  std::vector<TCell> Cells;
  bool HasSorting = false;
  TSorting Sorting{};
};

// The shown order of a sorting element: a permutation of 1..Rows, or nothing.
bool ReadOrder(std::string_view List, int Rows, std::vector<uint32_t>& Order) {
  Order.clear();
  if (List.find_first_not_of(" \t\r\n") == std::string_view::npos) return true;
  std::vector<bool> Seen(static_cast<size_t>(Rows) + 1);
  size_t I = 0;
  while (I < List.size()) {
    while (I < List.size() && (List[I] == ' ' || List[I] == '\n' || List[I] == '\r' || List[I] == '\t')) ++I;
    if (I == List.size()) break;
    uint32_t P = 0;
    const auto [Ptr, Ec] = std::from_chars(List.data() + I, List.data() + List.size(), P);
    if (Ec != std::errc() || P < 1 || P > static_cast<uint32_t>(Rows) || Seen[P]) return false;
    Seen[P] = true;
    Order.push_back(P);
    I = static_cast<size_t>(Ptr - List.data());
  }
  return Order.size() == static_cast<size_t>(Rows);
}

// First pass: the records of the list under Root; false when anything in it
// is malformed or out of range.
bool ReadRecords(const pugi::xml_node& Root, TListRecords& L) {
  long long Cols = -1, Rows = -1;
  for (pugi::xml_node N = Root.first_child(); N; N = N.next_sibling()) {
    if (N.type() != pugi::node_element) continue;
    const TRepListXmlTag Tag = TagOf(N.name());
    if (Tag == xmlNumCols && !ParseInt(N.child_value(), Cols)) return false;
    if (Tag == xmlNumRows && !ParseInt(N.child_value(), Rows)) return false;
    if (Tag == xmlCell) break;  // the sizes come before the cells
  }
  if (Cols < 0 || Rows < 0 || Cols > kMaxColumns || Rows > kMaxCells || Rows * (std::max(Cols, 1LL) + 1) > kMaxCells)
    return false;
  L.Cols = static_cast<int>(Cols);
  L.Rows = static_cast<int>(Rows);

  TElementAttributes At;
  String Text;
  for (pugi::xml_node N = Root.first_child(); N; N = N.next_sibling()) {
    if (N.type() != pugi::node_element) continue;
    long long C = 0, R = 0, V = 0;
    CollectAttributes(N, At);
    const TRepListXmlTag Tag = TagOf(N.name());
    switch (Tag) {
      case xmlColName:
      case xmlColumnFormat: {
        if (!IntValue(At.C, C) || C < 1 || C > Cols || !ElementText(N, At.Enc, Text)) return false;
        if (At.Flags != nullptr && (!IntValue(At.Flags, V) || V < 0 || V > 255)) return false;
        const bool Name = Tag == xmlColName;
        (Name ? L.Names : L.Formats)
            .push_back({static_cast<int>(C), rltext::CutText(Text, Name ? MaxNameLength : MaxColumnFormatLength)});
        if (Name && At.Flags != nullptr) L.ColFlags.push_back({static_cast<int>(C), static_cast<uint8_t>(V)});
        break;
      }
      case xmlCheckedColumn:
        if (!IntValue(At.C, C) || C < 1 || C > Cols) return false;
        if (SameWord(N.child_value(), "radio")) {
          L.CheckModes.push_back({static_cast<int>(C), cmRadio});
        } else if (SameWord(N.child_value(), "box")) {
          L.CheckModes.push_back({static_cast<int>(C), cmBox});
        } else {
          return false;
        }
        break;
      case xmlCell:
        if (!IntValue(At.C, C) || !IntValue(At.R, R) || C < 0 || C > Cols || R < 1 || R > Rows ||
            !ValidElementText(N, At.Enc))
          return false;
        L.Cells.push_back({N, At.Enc, static_cast<int>(C), static_cast<int>(R)});
        break;
      case xmlCommonHd:
        if (!ElementText(N, At.Enc, L.CommonHeader)) return false;
        break;
      case xmlComment:
        if (!ElementText(N, At.Enc, L.Comment)) return false;
        break;
      default:
        if (SameWord(N.name(), kRowFlags)) {
          if (!IntValue(At.R, R) || R < 1 || R > Rows || !ParseInt(N.child_value(), V) || V < 0 || V > 255)
            return false;
          L.RowFlags.push_back({static_cast<int>(R), static_cast<uint8_t>(V)});
        } else if (SameWord(N.name(), kSorting)) {
          long long Values[4];
          const char* const Names[] = {"col", "sec", "ascending", "toggle"};
          for (int I = 0; I < 4; ++I)
            if (!IntAttribute(N, Names[I], Values[I]) || Values[I] < std::numeric_limits<int>::min() ||
                Values[I] > std::numeric_limits<int>::max())
              return false;
          TListRecords::TSorting& S = L.Sorting;
          if (!ReadOrder(N.child_value(), L.Rows, S.Order)) return false;
          S.Col = static_cast<int>(Values[0]);
          S.Sec = static_cast<int>(Values[1]);
          S.Ascending = Values[2] != 0;
          S.Toggle = Values[3] != 0;
          L.HasSorting = true;
        }
        break;  // unknown elements are left for later versions
    }
  }
  return true;
}

}  // namespace

bool TRLDataExchange::Load(TRLData& D, char* Begin, size_t Size, const String& Identifier) {
  pugi::xml_document Doc;
  const unsigned Options = pugi::parse_default | pugi::parse_ws_pcdata_single;
  if (!Doc.load_buffer_inplace(Begin, Size, Options, pugi::encoding_utf8)) return false;
  const pugi::xml_node Root = Doc.document_element();
  if (!Root || !SameWord(Root.name(), kRootWord)) return false;
  TListRecords L;
  if (!ReadRecords(Root, L)) return false;

  // Second pass: the records become a table built aside, which replaces the
  // store's only when complete; running out of memory on the way leaves the
  // store as it was.
  TRLData Fresh(nullptr);
  String DataID;
  try {
    DataID = Identifier;
    if (D.FOnPercentDone)
      Fresh.FOnPercentDone = [&D](TObject*, int Percent) { D.FOnPercentDone(&D, Percent); };
    Fresh.SetNrOfColumns(std::max(L.Cols, 1));
    Fresh.SetNrOfRows(L.Rows);
    TStringArray* A = Fresh.FStrings.get();
    for (const auto& N : L.Names) Fresh.FColName[static_cast<size_t>(N.C - 1)] = N.Text;
    for (const auto& F : L.ColFlags) A->SetColAttrib(F.Index, F.Flags);
    for (const auto& F : L.Formats) Fresh.FColumnFormat[static_cast<size_t>(F.C - 1)] = F.Text;
    for (const auto& M : L.CheckModes) Fresh.FColButMode[static_cast<size_t>(M.C - 1)] = M.Mode;
    for (const auto& F : L.RowFlags) A->SetRowAttrib(F.Index, F.Flags);
    String Text;
    long long Done = 0;
    for (const auto& Cell : L.Cells) {
      ElementText(Cell.Node, Cell.Enc, Text);
      A->SetElem(Cell.C, Cell.R, Text);
      Fresh.ReportProgress(++Done);
    }
    const std::vector<uint32_t>& Order = L.Sorting.Order;
    for (size_t I = 0; I < Order.size(); ++I) A->SetUnsortedPosition(static_cast<int>(I + 1), static_cast<int>(Order[I]));
    // A store whose only column was removed is written with no columns.
    if (L.Cols == 0) Fresh.RemoveColumn(1);
  } catch (const EORVRLDataError&) {
    D.RaiseNoMemory();  // named after the store, not the table built aside
  } catch (const std::bad_alloc&) {
    D.RaiseNoMemory();
  }

  TStringArray* Target = D.FStrings.get();
  Target->BeginUpdate();
  D.UnSort();
  D.ExchangeTable(Fresh);
  D.FDataID.swap(DataID);
  D.FComment.swap(L.Comment);
  D.FCommonHeader.swap(L.CommonHeader);
  if (L.HasSorting) {
    D.FSortColumn = L.Sorting.Col;
    D.FSortColumnSec = L.Sorting.Sec;
    D.FSortOrder = L.Sorting.Ascending;
    D.FSortToggle = L.Sorting.Toggle;
  }
  Target->EndUpdate();
  return true;
}

// --- TRLData members ---------------------------------------------------------

bool TRLData::ReadFromXMLString(const String& InString, const String& DataID) {
  std::string Buffer = ToUtf8(InString);
  return TRLDataExchange::ReadBuffer(*this, Buffer, DataID, nullptr);
}

bool TRLData::ReadFromXMLStream(TStream* InStream, const String& DataID) {
  if (InStream == nullptr) return false;
  const long long Start = InStream->Position();
  std::string Buffer = rltext::ReadRest(InStream);
  size_t After = Buffer.size();
  const bool Found = TRLDataExchange::ReadBuffer(*this, Buffer, DataID, &After);
  // Leave the stream behind the list that was read, so the next one can follow.
  if (Found && Start >= 0) InStream->Seek(Start + static_cast<long long>(After), soBeginning);
  return Found;
}

bool TRLData::ReadFromOpenXMLFile(TextFile& F, const String& DataID) {
  constexpr size_t npos = std::string::npos;
  String Line, Identifier;
  while (!Eof(F)) {
    ReadLn(F, Line);
    if (!IsReplistRootLine(Line, DataID, &Identifier)) continue;
    const auto Start = static_cast<size_t>(Pos(u"<replist", LowerCase(Line)) - 1);
    std::string Element = ToUtf8(std::u16string_view(Line).substr(Start));
    // Collect lines up to the one that closes the list; each new line is searched once.
    size_t Close = rltext::FindTagNoCase(Element, 1, "/replist");
    while (Close == npos) {
      if (Eof(F)) return false;
      ReadLn(F, Line);
      const size_t Old = Element.size();
      Element += '\n';
      Element += ToUtf8(Line);
      Close = rltext::FindTagNoCase(Element, Old, "/replist");
    }
    const size_t Gt = Element.find('>', Close);
    if (Gt == npos) return false;
    return TRLDataExchange::Load(*this, Element.data(), Gt + 1, Identifier);
  }
  return false;
}

bool TRLData::LoadFromXMLFile(const String& FName, const String& DataID) {
  TFileStream Stream(FName, fmOpenRead);
  return ReadFromXMLStream(&Stream, DataID);
}

void TRLData::WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const String& DataID) {
  Write(F, FromUtf8(TRLDataExchange::Document(*this, CreateHeader, DataID)));
}

void TRLData::WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID) {
  if (OutStream == nullptr) return;
  const std::string Doc = TRLDataExchange::Document(*this, CreateHeader, DataID);
  OutStream->WriteBuffer(Doc.data(), static_cast<long long>(Doc.size()));
}

void TRLData::SaveAsXMLFile(const String& FName, const String& DataID) {
  SaveFileAtomically(FName, TRLDataExchange::Document(*this, true, DataID));
}

}  // namespace orv
