// Gallery page of the on/off button: every built-in strip, captions on all
// four sides, a radio group, a disabled and a transparent button.

#include <array>

#include "examples/gallery/pages.h"
#include "framework/controls/label.h"
#include "framework/controls/sim.h"
#include "onoffbut/onoffbut.h"

using namespace orv;

namespace {

constexpr int kCellW = 104, kCellH = 74;

TOnOffBut* AddButton(TForm* Page, int X, int Y, TOnOffButStyle Style, bool On, int H = kCellH - 6) {
  auto* B = new TOnOffBut(Page);
  B->SetParent(Page);
  B->SetBounds(X, Y, kCellW - 6, H);
  B->SetButtonStyle(Style);
  B->SetOnOff(On);
  return B;
}

TForm* CreatePage() {
  auto* Page = new TForm(nullptr);
  Page->SetCaption(u"On/off buttons");
  Page->SetBounds(0, 0, 8 * kCellW + 14, 4 * kCellH + 46);
  // Every strip, alternately on and off.
  for (int S = oobsCheckbox; S <= oobsUser5; ++S) {
    const int I = S - oobsCheckbox;
    AddButton(Page, 10 + I % 8 * kCellW, 10 + I / 8 * kCellH, static_cast<TOnOffButStyle>(S), I % 2 == 0);
  }
  const int Y = 10 + 3 * kCellH + 6, H = kCellH + 20;
  // Captions around a slide switch.
  TOnOffBut* Captioned = AddButton(Page, 10, Y, oobsSlideLR, true, H);
  Captioned->SetWidth(2 * kCellW - 6);
  Captioned->SetLeftText(u"Pump");
  Captioned->SetRightText(u"running");
  Captioned->SetTopText(u"Cooling");
  Captioned->SetBottomText(u"circuit 2");
  // A radio group: one light of three is on; a click on another moves it.
  std::array<TOnOffBut*, 3> Group{};
  for (int I = 0; I < 3; ++I) {
    Group[static_cast<size_t>(I)] = AddButton(Page, 10 + (2 + I) * kCellW, Y, oobsLedRedGreen, I == 0, H);
    Group[static_cast<size_t>(I)]->SetName(u"Group" + String(1, static_cast<Char>(u'1' + I)));
    Group[static_cast<size_t>(I)]->SetGroupIndex(1);
    Group[static_cast<size_t>(I)]->SetAllowAllOff(false);
    Group[static_cast<size_t>(I)]->SetBottomText(u"Line " + String(1, static_cast<Char>(u'1' + I)));
  }
  TOnOffBut* Disabled = AddButton(Page, 10 + 5 * kCellW, Y, oobsBulb, true, H);
  Disabled->SetEnabled(false);
  Disabled->SetBottomText(u"disabled");
  TOnOffBut* Clear = AddButton(Page, 10 + 6 * kCellW, Y, oobsTrafficLPed, true, H);
  Clear->SetTransparent(true);
  Clear->SetFrameStyle(fsNone);
  Clear->SetBottomText(u"transparent");
  return Page;
}

// Clicks the third light of the group: the first goes off.
void Drive(TForm* Page) {
  auto* Third = dynamic_cast<TOnOffBut*>(Page->FindComponent(u"Group3"));
  if (Third == nullptr) return;
  sim::Click(Third, Third->LeftSpace() + Third->GlyphWidth() / 2, Third->TopSpace() + Third->GlyphHeight() / 2);
}

}  // namespace

ORV_GALLERY_PAGE(onoffbut, u"On/off buttons", CreatePage, Drive);
