// The report list's row editor: a list whose columns carry editor formats
// (text, choice lists, a free-text list, a date picker, numbers, a
// read-only code) and a button that edits the selected row in a dialog.

#include <initializer_list>
#include <string_view>

#include "examples/gallery/pages.h"
#include "framework/controls/application.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/sim.h"
#include "framework/controls/speedbutton.h"
#include "framework/rtl/sysutils.h"
#include "replist/replistview.h"

using namespace orv;

namespace {

// Joins pieces by appending (g++ 12 warns falsely on chained + of strings).
String Join(std::initializer_list<std::u16string_view> Pieces) {
  String S;
  for (std::u16string_view P : Pieces) S += P;
  return S;
}

class TRowEditPage : public TForm {
 public:
  explicit TRowEditPage(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Row editor");
    SetBounds(0, 0, 720, 360);
    auto* Hint = new TLabel(this);
    Hint->SetParent(this);
    Hint->SetBounds(12, 8, 690, 16);
    Hint->SetCaption(u"Select a row and press the button (or double-click it) to edit all of its cells at once.");
    List = new TReportListView(this);
    List->SetParent(this);
    List->SetBounds(12, 30, 696, 280);
    List->SetSuppressPaint(true);
    List->SetNrOfColumns(7);
    List->SetNrOfRows(8);
    static const char16_t* const Heads[] = {u"Sample", u"State", u"Batch", u"Taken", u"Count", u"Mass", u"Code"};
    static const char16_t* const Formats[] = {u"[s][140]",          u"[l:4][100]solid|liquid|gas|plasma",
                                              u"[c][80]A|B|C",      u"[ddd.MM.yyyy HH:mm][140]",
                                              u"[i][60]rix4",       u"[f][90]0.0",
                                              u"[#s][90]"};
    for (int c = 1; c <= 7; ++c) {
      List->SetHeader(c, Heads[c - 1]);
      List->SetColumnFormat(c, Formats[c - 1]);
    }
    static const char16_t* const States[] = {u"solid", u"liquid", u"gas", u"liquid"};
    for (int r = 1; r <= 8; ++r) {
      List->SetElem(1, r, Join({u"Probe ", IntToStr(r)}));
      List->SetElem(2, r, States[r % 4]);
      List->SetElem(3, r, r % 2 ? u"A" : u"B");
      List->SetElem(4, r, Join({u"0", IntToStr(r), u".03.2021 1", IntToStr(r), u":30"}));
      if (r % 3) List->SetElem(5, r, IntToStr(r * 7));
      List->SetElem(6, r, Join({IntToStr(r * 3), u".25"}));
      List->SetElem(7, r, Join({u"K-", IntToStr(4400 + r)}));
    }
    List->SetColWidths(1, 110);
    List->SetColWidths(4, 120);
    List->ExpandColWidth(7, 10);
    List->SetSuppressPaint(false);
    List->SelectRow(2);
    List->SetOnDblClick([this](TObject*) { EditSelected(); });
    auto* Edit = new TSpeedButton(this);
    Edit->SetParent(this);
    Edit->SetBounds(12, 320, 160, 28);
    Edit->SetCaption(u"Edit selected row...");
    Edit->SetOnClick([this](TObject*) { EditSelected(); });
  }

  int EditSelected() {
    const int Row = List->FirstSelectedRow();
    if (Row < 1) return mrNone;
    const TPoint At = ClientToScreen(TPoint{60, 40});
    return List->EditRowEntries(Row, At.X, At.Y);
  }

  TReportListView* List = nullptr;
};

}  // namespace

ORV_GALLERY_PAGE(rowedit, u"Row editor", [] { return new TRowEditPage(nullptr); },
                 [](TForm* Page) {
                   // A user renames the sample, picks another state and confirms with Enter.
                   auto* P = static_cast<TRowEditPage*>(Page);
                   Application->SetModalHandler([](TForm* Dialog) {
                     auto* Name = dynamic_cast<TEdit*>(Dialog->FindComponent(u"runtime_rlre_Edit1"));
                     Name->SetFocus();
                     sim::KeyDown(Name, VK_END, {});
                     sim::TypeText(Name, u" (retested)");
                     auto* State = dynamic_cast<TWinControl*>(Dialog->FindComponent(u"runtime_rlre_CBox2"));
                     sim::KeyDown(State, VK_DOWN, {});
                     sim::TypeText(State, u"\r");
                     return mrNone;
                   });
                   P->EditSelected();
                   Application->SetModalHandler(nullptr);
                 });
