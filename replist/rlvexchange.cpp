// TReportListView: the exchange formats, handed to the store; reads that
// change the store bring the grid up to date afterwards.

#include "replist/replistview.h"

namespace orv {

void TReportListView::AfterDataRead() {
  const bool Saved = SuppressPaint();
  SetSuppressPaint(true);
  EndFilter();
  // The store has its new sizes already; the setters bring the grid, the
  // column arrays and the header heights in line and report the change.
  SetNrOfColumns(NrOfColumns());
  SetNrOfRows(NrOfRows());
  SetSuppressPaint(Saved);
}

bool TReportListView::ReadFromXMLString(const String& InString, const String& DataID) {
  HideEditor();
  const bool Ok = FRLData->ReadFromXMLString(InString, DataID);
  if (Ok) AfterDataRead();
  return Ok;
}

bool TReportListView::ReadFromXMLStream(TStream* InStream, const String& DataID) {
  HideEditor();
  const bool Ok = FRLData->ReadFromXMLStream(InStream, DataID);
  if (Ok) AfterDataRead();
  return Ok;
}

bool TReportListView::ReadFromOpenXMLFile(TextFile& F, const String& DataID) {
  HideEditor();
  const bool Ok = FRLData->ReadFromOpenXMLFile(F, DataID);
  if (Ok) AfterDataRead();
  return Ok;
}

bool TReportListView::LoadFromXMLFile(const String& FName, const String& DataID) {
  HideEditor();
  const bool Ok = FRLData->LoadFromXMLFile(FName, DataID);
  if (Ok) AfterDataRead();
  return Ok;
}

void TReportListView::WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const String& DataID) {
  FRLData->WriteToOpenXMLFile(F, CreateHeader, DataID);
}

void TReportListView::WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID) {
  FRLData->WriteToXMLStream(OutStream, CreateHeader, DataID);
}

void TReportListView::SaveAsXMLFile(const String& FName, const String& DataID) {
  FRLData->SaveAsXMLFile(FName, DataID);
}

int TReportListView::ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders) {
  HideEditor();
  const int Result = FRLData->ImportCSV(FName, Delimiter, IncludeColHeaders);
  if (Result >= 0) AfterDataRead();
  return Result;
}

int TReportListView::ExportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders,
                               bool IncludeCommonHeader, int FirstCol, int FirstRow, int LastCol, int LastRow) {
  return FRLData->ExportCSV(FName, Delimiter, IncludeColHeaders, IncludeCommonHeader, FirstCol, FirstRow, LastCol,
                            LastRow);
}

int TReportListView::LoadLinesFromFile(int Column, int FirstRow, const String& FName) {
  HideEditor();
  const int Result = FRLData->LoadLinesFromFile(Column, FirstRow, FName);
  if (Result >= 0) AfterDataRead();
  return Result;
}

void TReportListView::ExportHTMLTable(const String& FName, int LoC, int LoR, int HiC, int HiR,
                                      std::span<const int> ColumnSelection, int Border, int CellSpacing,
                                      int CellPadding, bool IncludeHeader, const String& HeadClass,
                                      const String& CellClass, const String& TableClass) {
  FRLData->ExportHTMLTable(FName, LoC, LoR, HiC, HiR, ColumnSelection, Border, CellSpacing, CellPadding,
                           IncludeHeader, HeadClass, CellClass, TableClass);
}

}  // namespace orv
