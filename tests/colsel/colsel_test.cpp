// The colour selector and the colour button, driven as a user would, with
// the colour dialog answered by the headless handlers.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "colsel/colbut.h"
#include "colsel/colsel.h"
#include "foundation/colorfuncs.h"
#include "framework/controls/application.h"
#include "framework/controls/sim.h"
#include "framework/forms/colordialog.h"
#include "framework/forms/form.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

struct ColourFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  std::vector<std::string> Log;
  void SetUp() override {
    Form->SetBounds(0, 0, 400, 400);
    Form->Show();
  }
  void TearDown() override {
    Application->SetColorDialogHandler(nullptr);
    Application->SetModalHandler(nullptr);
  }
  // The dialog answers with Colour (confirmed) or cancels when Confirm is false.
  void AnswerDialog(TColor Colour, bool Confirm = true) {
    Application->SetColorDialogHandler([this, Colour, Confirm](TColorDialog* D) {
      Log.push_back("dialog");
      if (Confirm) D->SetColor(Colour);
      return Confirm;
    });
  }
  TColSel* MakeSelector() {
    auto* S = new TColSel(Form.get());
    S->SetParent(Form.get());
    S->SetBounds(10, 10, 200, 24);
    return S;
  }
};

TEST_F(ColourFixture, SelectorListsItsColoursAndKeepsNumColorsInRange) {
  TColSel* S = MakeSelector();
  EXPECT_EQ(S->NumColors(), 20);
  EXPECT_EQ(S->Items()->Count(), 20);
  EXPECT_EQ(S->GetArrayColorName(1), ColorToString(PredefinedColors[0].Color));
  S->SetSelColor(S->GetArrayColor(5));
  EXPECT_EQ(S->ItemIndex(), 4);
  for (int Bad : {0, 48}) S->SetNumColors(Bad);
  EXPECT_EQ(S->NumColors(), 20);
  EXPECT_EQ(S->ItemIndex(), 4);
  S->SetNumColors(20);  // the same value still selects colour 1
  EXPECT_EQ(S->ItemIndex(), 0);
  S->LoadWindowsSystemPalette();
  EXPECT_EQ(S->NumColors(), 27);
  EXPECT_EQ(S->GetArrayColor(1), PredefinedColors[20].Color);
  // Outside 1..NumColors nothing is read or written.
  S->SetArrayColor(28, clRed);
  S->SetArrayAllowEdit(-1, true);
  EXPECT_EQ(S->GetArrayColor(28), 0u);
  EXPECT_EQ(S->GetArrayColorName(0), u"");
  EXPECT_FALSE(S->GetArrayAllowEdit(48));
}

TEST_F(ColourFixture, SelColorPicksTheFirstMatchOrOverwritesTheSelectedSlot) {
  TColSel* S = MakeSelector();
  S->LoadBasicVGAPalette();
  S->SetArrayColor(9, S->GetArrayColor(3));  // two slots, one RGB value
  S->SetSelColor(S->GetArrayColor(3));
  EXPECT_EQ(S->ItemIndex(), 2);
  S->SetOnColorNameChange([this](TObject*, String& Name) {
    Log.push_back(ToUtf8(Name));
    Name = u"my orange";
  });
  S->SetSelColor(0x0080FF);  // not listed: the selected slot takes it
  EXPECT_EQ(S->NumColors(), 16);
  EXPECT_EQ(S->GetArrayColor(3), 0x0080FFu);
  EXPECT_EQ(Log, (std::vector<std::string>{ToUtf8(ColorToString(0x0080FF))}));
  EXPECT_EQ(S->GetSelColorID(), u"my orange");
  EXPECT_EQ(S->Items()->Strings(2), u"my orange");
}

TEST_F(ColourFixture, ChoosingFromTheListAndEditingWithTheDialog) {
  TColSel* S = MakeSelector();
  int Clicks = 0;
  S->SetOnClick([&](TObject*) { ++Clicks; });
  // Drop the list, then click the fourth entry.
  sim::Click(S, 100, 12);
  ASSERT_TRUE(S->DroppedDown());
  const int H = S->ItemHeight();
  // The open list is the topmost control of the form.
  TControl* List = Form->Controls(Form->ControlCount() - 1);
  sim::Click(List, 100, 10 + 24 + 1 + 3 * H + H / 2);
  EXPECT_FALSE(S->DroppedDown());
  EXPECT_EQ(S->SelColor(), S->GetArrayColor(4));
  EXPECT_EQ(Clicks, 1);

  // Over the bar of an editable entry, dropping down opens the dialog.
  S->SetArrayAllowEdit(4, true);
  AnswerDialog(0x123456);
  S->SetOnChange([this](TObject*) { Log.push_back("change"); });
  S->SetOnColorNameChange([this](TObject*, String&) { Log.push_back("name"); });
  sim::MouseMove(S, {}, 10, 12);
  sim::Click(S, 10, 12);
  EXPECT_EQ(S->GetArrayColor(4), 0x123456u);
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog", "change", "name"}));
  S->SetDroppedDown(false);
  // Beside the bar, or with no bar at all, the list just drops.
  Log.clear();
  sim::MouseMove(S, {}, 100, 12);
  sim::Click(S, 100, 12);
  S->SetDroppedDown(false);
  S->SetColorBarWidth(0);
  sim::MouseMove(S, {}, 0, 12);
  sim::Click(S, 0, 12);
  EXPECT_TRUE(Log.empty());
}

TEST_F(ColourFixture, EntriesShowTheirBarAndTheEditMarkFromTwelvePixels) {
  TColSel* S = MakeSelector();
  S->SetArrayColor(1, 0x000080);  // dark: a white mark
  S->SetArrayAllowEdit(1, true);
  TBitmap B(200, 24);
  auto Draw = [&] {
    B.Canvas()->Brush()->SetColor(clWhite);
    B.Canvas()->FillRect(TRect{0, 0, 200, 24});
    S->PaintTo(B.Canvas(), 0, 0);
  };
  Draw();
  // The face shows entry 1 in the box inside the 2-pixel edge, from (3, 3).
  EXPECT_EQ(B.Canvas()->Pixels(3 + 3 + 20, 3 + 2 + 5), 0x000080u);
  EXPECT_EQ(B.Canvas()->Pixels(3 + 5, 3 + 6), clWhite);
  S->SetColorBarWidth(11);
  Draw();
  EXPECT_EQ(B.Canvas()->Pixels(3 + 5, 3 + 6), 0x000080u);
}

TEST_F(ColourFixture, ColorButtonLightensWhileHoveredAndTakesTheDialogsColour) {
  auto* Button = new TColorButton(Form.get());
  Button->SetParent(Form.get());
  Button->SetBounds(10, 100, 80, 30);
  double H = 0, S = 0, L = 0;
  for (auto [From, To] : {std::pair{0.1, 0.3}, std::pair{0.8, 0.9}, std::pair{1.0, 1.0}}) {
    const TColor C = HSLtoColor(200, 0.5, From);
    Button->SetColor(C);
    sim::MouseEnter(Button);
    ColorToHSL(Button->Color(), H, S, L);
    EXPECT_NEAR(L, To, 0.01) << From;
    sim::MouseLeave(Button);
    EXPECT_EQ(Button->Color(), C);
  }
  int Clicks = 0;
  Button->SetOnClick([&](TObject*) { ++Clicks; });
  Button->SetOnChange([this](TObject*) { Log.push_back("change"); });
  sim::Click(Button, 5, 5);  // no dialog: only OnClick
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(Log.empty());

  TColorDialog Dialog(Form.get());
  Button->SetColorDialog(&Dialog);
  AnswerDialog(0x202020);
  sim::MouseEnter(Button);
  sim::Click(Button, 5, 5);
  EXPECT_EQ(Log, (std::vector<std::string>{"dialog", "change"}));
  EXPECT_EQ(Button->Font()->Color(), clWhite);  // dark colour, light caption
  sim::MouseLeave(Button);
  EXPECT_EQ(Button->Color(), 0x202020u);  // the choice survives the pointer leaving
}

TEST_F(ColourFixture, DialogFormKeepsRgbAndHslFieldsInStep) {
  TColorDialog Dialog(nullptr);
  Dialog.SetColor(clRed);
  Application->SetModalHandler([](TForm* F) {
    auto* D = dynamic_cast<TColorDialogForm*>(F);
    EXPECT_NE(D, nullptr);
    EXPECT_EQ(D->Field(3)->Text(), u"0");    // hue of red
    EXPECT_EQ(D->Field(5)->Text(), u"50");   // lightness
    D->Field(2)->SetText(u"255");            // blue on: magenta
    EXPECT_EQ(D->Field(3)->Text(), u"300");
    D->Field(5)->SetText(u"75");             // lighter
    EXPECT_EQ(D->Field(1)->Text(), u"128");
    return mrOk;
  });
  ASSERT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.Color(), RGB(255, 128, 255));
  Application->SetModalHandler([](TForm*) { return mrCancel; });
  Dialog.SetColor(clBlue);
  EXPECT_FALSE(Dialog.Execute());
  EXPECT_EQ(Dialog.Color(), clBlue);
}

}  // namespace
}  // namespace orv
