// The row editor of TReportListView: a modal dialog with one labelled editor
// per column, built from the column formats (colformat.h).

#include "replist/roweditor.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "foundation/strhelpers.h"
#include "framework/controls/combobox.h"
#include "framework/controls/datetimepicker.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/speedbutton.h"
#include "framework/forms/form.h"
#include "framework/rtl/sysutils.h"
#include "numio/numioedit.h"
#include "replist/colformat.h"
#include "replist/datereader.h"
#include "replist/replistview.h"

namespace orv {

namespace {

constexpr int kRowPitch = 25;
constexpr int kButtonTop = 4;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 29;
constexpr TColor kReadOnlyColor = 0xE0E0E0;
constexpr TColor kReadOnlyFontColor = 0x808080;
constexpr int kMaxLabelLength = 51;

bool NameHas(const TComponent* C, std::u16string_view Part) { return C->Name().find(Part) != String::npos; }

}  // namespace

// One run of the dialog: builds the editors, shows the container, writes
// back and cleans up. The container's run-time components are freed however
// the run ends, exceptions included.
class TRLRowEditor {
 public:
  TRLRowEditor(TReportListView* View, int Row, TForm* Container, bool OwnForm)
      : FView(View), FRow(Row), FContainer(Container), FOwnForm(OwnForm) {}

  ~TRLRowEditor() {
    FreeRuntimeComponents();
    FView->FContainerForm = nullptr;
    FView->FSBERCancel = nullptr;
  }

  int Run(int PosLeft, int PosTop, const String& Caption, const String& OKCaption, const String& CancelCaption) {
    FView->FContainerForm = FContainer;
    const int n = FView->NrOfColumns();
    const int x0 = FOwnForm ? 0 : PosLeft;
    const int y0 = FOwnForm ? 0 : PosTop;
    const int t = FOwnForm ? 45 : 0;
    if (FOwnForm) FContainer->SetBounds(PosLeft, PosTop, FContainer->Width(), FContainer->Height());

    TCanvas* C = FContainer->Canvas();
    C->Font()->Assign(FContainer->Font());
    int L = 0;
    for (int c = 1; c <= n; ++c) L = std::max(L, C->TextWidth(FView->Header(c)));
    L += 8;

    int W = 0;
    for (int c = 1; c <= n; ++c) {
      const int y = y0 + t + (c - 1) * kRowPitch;
      String Format = FView->ColumnFormat(c);
      if (FView->FOnReqEditFormat) FView->FOnReqEditFormat(FView, c, FRow, Format);
      const TColumnFormatParts Parts = ParseColumnFormat(Format);
      W = std::max(W, Parts.Width);

      auto* Label = new TLabel(FContainer);
      Label->SetName(RowEditorLabelName + IntToStr(c));
      Label->SetParent(FContainer);
      Label->SetAutoSize(false);
      Label->SetAlignment(taRightJustify);
      Label->SetCaption(Copy(FView->Header(c) + u":", 1, kMaxLabelLength));
      Label->SetBounds(x0 + 8, y + 3, L, Label->Height());

      AddEditor(c, Parts, x0 + L + 12, y);
    }

    if (FOwnForm) {
      FContainer->SetBounds(FContainer->Left(), FContainer->Top(), W + L + 28, n * kRowPitch + t + 38);
      FContainer->SetBorderStyle(bsDialog);
      FView->FSBERCancel = AddButton(u"runtime_rlre_SBCancel", CancelCaption, W + L - 69, mrCancel);
      AddButton(u"runtime_rlre_SBOK", OKCaption, W + L - 154, mrOk);
    } else {
      FContainer->SetBounds(FContainer->Left(), FContainer->Top(), std::max(FContainer->Width(), W + L + 28),
                            std::max(FContainer->Height(), n * kRowPitch + 38));
    }
    FContainer->SetCaption(Caption);

    const int Result = FContainer->ShowModal();
    if (Result == mrOk) WriteBack();
    return Result;
  }

 private:
  struct TEditorState {
    TControl* Editor;
    // The editor shows something other than the cell (a date it could not
    // read, a number it refused) and the user has not touched it.
    bool KeepCell;
  };

  void AddEditor(int Col, const TColumnFormatParts& Parts, int Left, int Top) {
    const String Cell = FView->Elem(Col, FRow);
    TControl* Editor = nullptr;
    bool KeepCell = false;
    switch (Parts.TypeLetter) {
      case u'c':
      case u'l': {
        auto* Box = new TComboBox(FContainer);
        Box->SetName(RowEditorComboBoxName + IntToStr(Col));
        Box->SetParent(FContainer);
        Box->SetStyle(Parts.TypeLetter == u'c' ? csDropDown : csDropDownList);
        if (!Parts.TypeOptions.empty() && Parts.TypeOptions[0] == u':')
          Box->SetDropDownCount(ReadIntAt(Parts.TypeOptions, 2));
        for (const String& Item : ColumnFormatListItems(Parts.Rest)) Box->Items()->Add(Item);
        if (Parts.TypeLetter == u'c') {
          Box->SetText(Cell);
        } else {
          Box->SetItemIndex(Box->Items()->IndexOf(Cell));
        }
        Editor = Box;
        break;
      }
      case u'd': {
        auto* Picker = new TDateTimePicker(FContainer);
        Picker->SetName(RowEditorDatePickerName + IntToStr(Col));
        Picker->SetParent(FContainer);
        Picker->SetFormat(Parts.TypeOptions);
        const String Source = Cell.empty() ? Parts.Rest : Cell;
        if (!Source.empty()) {
          // Read by the format the picker shows, so that an empty format
          // means the short date it displays, not "read nothing".
          TDateTime Value = 0;
          const int Error = ScanDateTime(Source, Picker->EffectiveFormat(), Value);
          Picker->SetDateTime(Value);
          KeepCell = Error != sdtOk;
        }
        Editor = Picker;
        break;
      }
      case u'e':
      case u'f':
      case u'h':
      case u'i': {
        auto* Num = new TNumIO(FContainer);
        Num->SetName(RowEditorNumIOName + IntToStr(Col));
        Num->SetParent(FContainer);
        Num->SetInputFormat(Parts.TypeLetter == u'e'   ? itDynamic
                            : Parts.TypeLetter == u'f' ? itFloat
                            : Parts.TypeLetter == u'h' ? itHex
                                                       : itInt);
        Num->SetRangeLow(-1.7e308);
        Num->SetRangeHigh(1.7e308);
        String Text = Cell;
        if (Text.empty()) {
          Text = Pos(u"rix", LowerCase(Parts.Rest)) > 0
                     ? RowIndexText(Parts.TypeLetter, FRow, ReadIntAt(Parts.Rest, 4))
                     : Parts.Rest;
        }
        Num->SetText(Text);
        KeepCell = !Cell.empty() && Num->Text() != Cell;
        Editor = Num;
        break;
      }
      case u's': {
        auto* Edit = new TEdit(FContainer);
        Edit->SetName(RowEditorEditName + IntToStr(Col));
        Edit->SetParent(FContainer);
        String Text = Cell;
        if (Text.empty()) {
          Text = Pos(u"$pwd$", LowerCase(Parts.Rest)) > 0 ? InventPassword(ReadIntAt(Parts.Rest, 6)) : Parts.Rest;
        }
        Edit->SetText(Text);
        Editor = Edit;
        break;
      }
      default:
        return;  // only the label
    }
    Editor->SetTag(Col);
    Editor->SetBounds(Left, Top, Parts.Width, Editor->Height());
    const size_t Index = FEditors.size();
    FEditors.push_back(TEditorState{Editor, KeepCell});
    auto* Win = static_cast<TWinControl*>(Editor);
    if (Parts.ReadOnly) {
      Editor->SetEnabled(false);
      Editor->SetColor(kReadOnlyColor);
      Editor->Font()->SetColor(kReadOnlyFontColor);
      return;
    }
    TForm* Container = FContainer;
    Win->SetOnKeyPress([Container](TObject*, Char& Key) {
      if (Key != u'\r') return;
      Key = 0;
      Container->SetModalResult(mrOk);
    });
    // Any change by the user makes the editor's text the one to keep.
    TNotifyEvent Touched = [this, Index](TObject*) { FEditors[Index].KeepCell = false; };
    if (auto* Box = dynamic_cast<TComboBox*>(Editor)) Box->SetOnChange(Touched);
    if (auto* Picker = dynamic_cast<TDateTimePicker*>(Editor)) Picker->SetOnChange(Touched);
    if (auto* Edit = dynamic_cast<TCustomEdit*>(Editor)) Edit->SetOnChange(Touched);
  }

  TSpeedButton* AddButton(const String& Name, const String& Caption, int Left, int Result) {
    auto* Button = new TSpeedButton(FContainer);
    Button->SetName(Name);
    Button->SetParent(FContainer);
    Button->SetCaption(Caption);
    Button->SetBounds(Left, kButtonTop, kButtonWidth, kButtonHeight);
    TForm* Container = FContainer;
    Button->SetOnClick([Container, Result](TObject*) { Container->SetModalResult(Result); });
    return Button;
  }

  // The cells take what the editors hold. Editors the user could not change
  // (read-only ones) leave their cells alone, and so does an untouched
  // editor that could not show its cell's text.
  void WriteBack() {
    const bool Saved = FView->SuppressPaint();
    FView->SetSuppressPaint(true);
    for (const TEditorState& E : FEditors) {
      if (E.KeepCell || !E.Editor->Enabled()) continue;
      const int Col = static_cast<int>(E.Editor->Tag());
      if (auto* Picker = dynamic_cast<TDateTimePicker*>(E.Editor)) {
        FView->SetElem(Col, FRow, Picker->DisplayText());
      } else if (auto* Box = dynamic_cast<TComboBox*>(E.Editor)) {
        FView->SetElem(Col, FRow, Box->Text());
      } else {
        FView->SetElem(Col, FRow, E.Editor->Text());
      }
    }
    FView->SetSuppressPaint(Saved);
  }

  void FreeRuntimeComponents() {
    FEditors.clear();
    for (int I = FContainer->ComponentCount() - 1; I >= 0; --I) {
      TComponent* C = FContainer->Components(I);
      if (NameHas(C, RowEditorNamePart)) delete C;
    }
  }

  TReportListView* FView;
  int FRow;
  TForm* FContainer;
  bool FOwnForm;
  std::vector<TEditorState> FEditors;
};

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop) {
  return EditRowEntries(Row, PosLeft, PosTop, u"Editing Row " + IntToStr(Row), u"OK", u"Cancel");
}

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop, const String& FormCaption,
                                    const String& ButOKCaption, const String& ButCancelCaption) {
  const std::unique_ptr<TForm> Form = std::make_unique<TForm>(this);
  TRLRowEditor Editor(this, Row, Form.get(), true);
  return Editor.Run(PosLeft, PosTop, FormCaption, ButOKCaption, ButCancelCaption);
}

int TReportListView::EditRowEntries(int Row, TForm* ContainerForm, int PosLeft, int PosTop) {
  if (!ContainerForm) return mrCancel;
  TRLRowEditor Editor(this, Row, ContainerForm, false);
  return Editor.Run(PosLeft, PosTop, String(), String(), String());
}

}  // namespace orv
