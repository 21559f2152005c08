#include "rlhtml.h"

#include <algorithm>
#include <vector>

#include "framework/rtl/atomicfile.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "replist/rldata.h"
#include "replist/rltext.h"

namespace orv {

namespace {

void OpenCell(std::string& Out, const char* Tag, const String& Class) {
  Out += '<';
  Out += Tag;
  if (!Class.empty()) {
    Out += " class=\"";
    rltext::AppendHtmlEscaped(Out, Class);
    Out += '"';
  }
  Out += '>';
}

}  // namespace

std::string HTMLTableText(TRLData& Data, int LoC, int LoR, int HiC, int HiR, std::span<const int> ColumnSelection,
                          int Border, int CellSpacing, int CellPadding, bool IncludeHeader, const String& HeadClass,
                          const String& CellClass, const String& TableClass) {
  LoC = std::max(LoC, 1);
  HiC = std::min(HiC, Data.NrOfColumns());
  LoR = std::max(LoR, 1);
  HiR = std::min(HiR, Data.NrOfRows());
  std::vector<int> Columns;
  if (ColumnSelection.empty()) {
    for (int C = LoC; C <= HiC; ++C) Columns.push_back(C);
  } else {
    for (const int C : ColumnSelection)
      if (C >= LoC && C <= HiC) Columns.push_back(C);
  }

  std::string Out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
  String Title = Data.CommonHeader();
  std::replace(Title.begin(), Title.end(), u'\n', u' ');
  rltext::AppendHtmlEscaped(Out, Title.empty() ? String(u"Report") : Title);
  Out += "</title>\n</head>\n<body>\n<table";
  if (!TableClass.empty()) {
    Out += " class=\"";
    rltext::AppendHtmlEscaped(Out, TableClass);
    Out += '"';
  }
  Out += ToUtf8(Format(u" border=\"%d\" cellspacing=\"%d\" cellpadding=\"%d\">\n", {Border, CellSpacing, CellPadding}));
  if (IncludeHeader) {
    Out += "<tr>";
    for (const int C : Columns) {
      OpenCell(Out, "th", HeadClass);
      rltext::AppendHtmlEscaped(Out, Data.Header(C));
      Out += "</th>";
    }
    Out += "</tr>\n";
  }
  long long Done = 0;
  for (int R = LoR; R <= HiR; ++R) {
    Out += "<tr>";
    for (const int C : Columns) {
      String Text = Data.Elem(C, R);
      if (Data.OnBeforeHTMLExport()) Data.OnBeforeHTMLExport()(&Data, Text, C, R);
      OpenCell(Out, "td", CellClass);
      rltext::AppendHtmlEscaped(Out, Text);
      Out += "</td>";
      Data.ReportProgress(++Done);
    }
    Out += "</tr>\n";
  }
  Out += "</table>\n</body>\n</html>\n";
  return Out;
}

void TRLData::ExportHTMLTable(const String& FName, int LoC, int LoR, int HiC, int HiR,
                              std::span<const int> ColumnSelection, int Border, int CellSpacing, int CellPadding,
                              bool IncludeHeader, const String& HeadClass, const String& CellClass,
                              const String& TableClass) {
  SaveFileAtomically(FName, HTMLTableText(*this, LoC, LoR, HiC, HiR, ColumnSelection, Border, CellSpacing,
                                          CellPadding, IncludeHeader, HeadClass, CellClass, TableClass));
}

}  // namespace orv
