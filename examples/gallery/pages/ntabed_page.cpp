// Gallery page of the table editor: a 20 x 50 table of measurements with
// names, attributes, a categorical column, marks, an empty and a
// not-a-number cell; the driven snapshot selects a block and shows the
// attribute row, and shows the data popup menu open on its first sub-menu.

#include <cmath>

#include <memory>

#include "examples/gallery/pages.h"
#include "framework/controls/sim.h"
#include "framework/forms/menus.h"
#include "framework/rtl/sysutils.h"
#include "ntabed/ntabed.h"

using namespace orv;

namespace {

class TNTabEdPage : public TForm {
 public:
  explicit TNTabEdPage(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Table editor");
    SetBounds(0, 0, 720, 420);
    Ed = new TNTabEd(this);
    Ed->SetParent(this);
    Ed->SetBounds(8, 8, 704, 404);
    Ed->SetSuppressPaint(true);
    Ed->Redimension(20, 50);
    Ed->SetDefaultColWidth(72);
    Ed->SetComment(u"Bench run 12");
    TDataTable* T = Ed->DataTable();
    T->SetMScaleType(4, mstNominal);
    const char16_t* Kinds[] = {u"steel", u"copper", u"glass"};
    for (int K = 0; K < 3; ++K) T->SetNominalID(4, K + 1, Kinds[K]);
    for (int C = 1; C <= 20; ++C) {
      Ed->SetColName(C, C == 4 ? String(u"Material") : u"Ch " + IntToStr(C));
      Ed->SetColAttrib(C, static_cast<uint8_t>(C % 3));
      Ed->SetPrecision(C, C % 5);
      for (int R = 1; R <= 50; ++R) {
        Ed->SetElem(C, R, C == 4 ? 1 + (R % 4) : std::sin(C * 0.7 + R * 0.3) * std::pow(10.0, C % 4));
      }
    }
    for (int R = 1; R <= 50; ++R) Ed->SetRowName(R, u"Sample " + IntToStr(R));
    Ed->SetPrecision(6, -1);
    Ed->SetElemMarkedA(2, 2, true);
    Ed->SetElemMarkedB(3, 3, true);
    Ed->SetElemMarkedA(3, 4, true);
    Ed->SetElemMarkedB(3, 4, true);
    Ed->SetIsEmpty(5, 2, true);
    Ed->SetCellState(5, 3, dtsNotANumber);
    Ed->SetSuppressPaint(false);
  }

  void Drive() {
    Ed->SetAttribColVisible(true);
    Ed->SetSelection(TGridRect{2 + Ed->ColOffset(), 2 + Ed->RowOffset(), 4 + Ed->ColOffset(), 5 + Ed->RowOffset()});
    // The drop-down as the data popup draws it, without waiting for a choice.
    Menu = std::make_unique<TPopupMenuWindow>(Ed->PopupD(), this, 330, 150);
    sim::KeyDown(Menu.get(), VK_DOWN, {});
    sim::KeyDown(Menu.get(), VK_RIGHT, {});
    sim::KeyDown(Menu.get(), VK_DOWN, {});
  }

  TNTabEd* Ed = nullptr;
  std::unique_ptr<TPopupMenuWindow> Menu;
};

}  // namespace

ORV_GALLERY_PAGE(ntabed, u"Table editor", [] { return new TNTabEdPage(nullptr); },
                 [](TForm* Page) { static_cast<TNTabEdPage*>(Page)->Drive(); });
