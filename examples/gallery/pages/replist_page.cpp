// The report list: a few hundred rows with check and radio columns, sorting
// by header clicks, in-place editing of the note column, and a button that
// refills it with a million rows to show that scrolling and sorting stay quick.

#include <string>

#include "examples/gallery/pages.h"
#include "framework/controls/combobox.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/speedbutton.h"
#include "framework/rtl/unicode.h"
#include "replist/replistview.h"

using namespace orv;

namespace {

class TReportListPage : public TForm {
 public:
  explicit TReportListPage(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Report list");
    SetBounds(0, 0, 720, 480);
    auto* Hint = new TLabel(this);
    Hint->SetParent(this);
    Hint->SetBounds(12, 8, 600, 16);
    Hint->SetCaption(u"Click a header to sort, a box to check it; Enter edits the note column.");
    List = new TReportListView(this);
    List->SetParent(this);
    List->SetBounds(12, 30, 696, 400);
    Fill(300);
    auto* Big = new TSpeedButton(this);
    Big->SetParent(this);
    Big->SetBounds(12, 440, 160, 26);
    Big->SetCaption(u"1,000,000 rows");
    Big->SetOnClick([this](TObject*) { Fill(1000000); });
    auto* Small = new TSpeedButton(this);
    Small->SetParent(this);
    Small->SetBounds(180, 440, 120, 26);
    Small->SetCaption(u"300 rows");
    Small->SetOnClick([this](TObject*) { Fill(300); });
    AddFilterBox();
  }

  // A row below the buttons: the filter text, its mode, and what went wrong
  // with the expression typed so far. Every change filters again, keeping
  // the column and direction of the last header-click sort.
  void AddFilterBox() {
    SetBounds(Left(), Top(), Width(), 512);
    auto* Caption = new TLabel(this);
    Caption->SetParent(this);
    Caption->SetBounds(12, 480, 40, 16);
    Caption->SetCaption(u"Filter:");
    FilterText = new TEdit(this);
    FilterText->SetParent(this);
    FilterText->SetBounds(56, 476, 300, 24);
    FilterText->SetOnChange([this](TObject*) { ApplyFilter(); });
    FilterMode = new TComboBox(this);
    FilterMode->SetParent(this);
    FilterMode->SetStyle(csDropDownList);
    FilterMode->SetBounds(364, 476, 150, 24);
    FilterMode->Items()->Add(u"Substring");
    FilterMode->Items()->Add(u"AND / OR / NOT");
    FilterMode->Items()->Add(u"Regular expression");
    FilterMode->SetItemIndex(1);
    FilterMode->SetOnChange([this](TObject*) { ApplyFilter(); });
    FilterStatus = new TLabel(this);
    FilterStatus->SetParent(this);
    FilterStatus->SetBounds(522, 480, 186, 16);
  }

  void ApplyFilter() {
    const int SortCol = List->LastSortColumn();
    try {
      List->FilterAndSort(FilterText->Text(), {}, true, static_cast<TFilterMode>(std::max(FilterMode->ItemIndex(), 0)),
                          SortCol, SortCol >= 1 ? List->LastSortOrder() : true);
      FilterStatus->Font()->SetColor(clBlack);
      FilterStatus->SetCaption(FromUtf8(std::to_string(List->NrOfShownRows()) + " of " +
                                        std::to_string(List->NrOfRows()) + " rows"));
    } catch (const EORVFilterError& E) {
      FilterStatus->Font()->SetColor(0x0000C0);
      FilterStatus->SetCaption(E.Reason() + (E.Position() > 0 ? FromUtf8(" at " + std::to_string(E.Position())) : u""));
    }
  }

  void Fill(int Rows) {
    List->SetSuppressPaint(true);
    List->SetNrOfColumns(5);
    List->SetNrOfRows(Rows);
    List->SetCommonHeaderVisible(true);
    List->SetCommonHeader(u"Sample measurements");
    static const char16_t* const Names[] = {u"Done", u"Sample", u"Value", u"Reference", u"Note"};
    for (int c = 1; c <= 5; ++c) List->SetHeader(c, Names[c - 1]);
    List->SetColumnCheckMode(1, cmBox);
    List->SetColumnCheckMode(4, cmRadio);
    List->SetColumnAlignment(3, taRightJustify);
    List->SetColumnEditable(5, true);
    static const char16_t* const Notes[] = {u"ok", u"repeat", u"drift", u"calibrated", u""};
    TStringArray* Cells = List->Data()->Strings();
    Cells->BeginUpdate();
    for (int r = 1; r <= Rows; ++r) {
      const std::string Id = std::to_string(r);
      const unsigned H = static_cast<unsigned>(r) * 2654435761u;
      List->SetElem(1, r, FromUtf8("Lot " + std::to_string(H % 97)));
      List->SetElem(2, r, FromUtf8("S-" + std::string(6 - std::min<size_t>(Id.size(), 6), '0') + Id));
      List->SetElem(3, r, FromUtf8(std::to_string(H % 10000 / 100) + "." + std::to_string(H % 10)));
      List->SetElem(4, r, u"");
      List->SetElem(5, r, Notes[H % 5]);
      if (H % 3 == 0) List->SetElemChecked(1, r, true);
    }
    List->SetElemChecked(4, 2, true);
    Cells->EndUpdate();
    List->SetColWidths(1, 90);
    List->SetColWidths(2, 110);
    List->SetColWidths(3, 90);
    List->SetColWidths(4, 90);
    List->ExpandColWidth(5, 10);
    List->SetSuppressPaint(false);
  }

  TReportListView* List = nullptr;
  TEdit* FilterText = nullptr;
  TComboBox* FilterMode = nullptr;
  TLabel* FilterStatus = nullptr;
};

}  // namespace

ORV_GALLERY_PAGE(replist, u"Report list", [] { return new TReportListPage(nullptr); },
                 [](TForm* Page) {
                   auto* P = static_cast<TReportListPage*>(Page);
                   TReportListView* L = P->List;
                   L->SetRowSelectMode(2);
                   L->SelectRow(3);
                   L->SetRowSelected(5, true);
                   L->SetRowEnabled(6, false);
                   L->Sort(3, -1, false);
                   L->SetInterRowIndicatorPos(8);
                   L->SetHighLightColumn(2);
                 });
