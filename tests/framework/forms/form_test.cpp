#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/backends/headless/headless.h"
#include "framework/controls/application.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/controls/screen.h"
#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"

namespace orv {
namespace {

struct ModalFixture : ::testing::Test {
  void TearDown() override { Application->SetModalHandler(nullptr); }
};

TEST_F(ModalFixture, ShowModalReturnsTheHandlersAnswerOrTheModalResult) {
  TForm Dialog(nullptr);
  std::vector<std::string> Log;
  Application->SetModalHandler([&](TForm* F) {
    Log.push_back(F->Visible() && F->Modal() ? "shown modal" : "not shown");
    return mrOk;
  });
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_EQ(Dialog.ModalResult(), mrOk);
  EXPECT_FALSE(Dialog.Visible());
  EXPECT_FALSE(Dialog.Modal());

  // A handler answering 0 leaves the result to the form (set by a button...).
  Application->SetModalHandler([](TForm* F) {
    F->SetModalResult(mrYes);
    return 0;
  });
  EXPECT_EQ(Dialog.ShowModal(), mrYes);
  // Closing a modal form cancels it.
  Application->SetModalHandler([](TForm* F) {
    F->Close();
    return 0;
  });
  EXPECT_EQ(Dialog.ShowModal(), mrCancel);
  // Without handler and without result, headless runs answer mrCancel.
  Application->SetModalHandler(nullptr);
  EXPECT_EQ(Dialog.ShowModal(), mrCancel);
  EXPECT_EQ(Log, (std::vector<std::string>{"shown modal"}));

  Dialog.Show();
  EXPECT_THROW(Dialog.ShowModal(), EInvalidOperation);
}

TEST_F(ModalFixture, AnExceptionInTheHandlerLeavesTheFormClosed) {
  TForm Dialog(nullptr);
  Application->SetModalHandler([](TForm*) -> int { throw EConvertError(String(u"bad")); });
  EXPECT_THROW(Dialog.ShowModal(), EConvertError);
  EXPECT_FALSE(Dialog.Visible());
  EXPECT_FALSE(Dialog.Modal());
}

TEST(FormClose, CloseQueryAndCloseActions) {
  auto* Form = new TForm(nullptr);
  Form->Show();
  bool Allow = false;
  TCloseAction Choice = caHide;
  std::vector<std::string> Log;
  Form->SetOnCloseQuery([&](TObject*, bool& CanClose) {
    Log.push_back("query");
    CanClose = Allow;
  });
  Form->SetOnClose([&](TObject*, TCloseAction& Action) {
    Log.push_back("close");
    Action = Choice;
  });
  Form->Close();
  EXPECT_TRUE(Form->Visible());  // refused
  Allow = true;
  Choice = caNone;
  Form->Close();
  EXPECT_TRUE(Form->Visible());
  Choice = caHide;
  Form->Close();
  EXPECT_FALSE(Form->Visible());
  EXPECT_EQ(Log, (std::vector<std::string>{"query", "query", "close", "query", "close"}));

  // caFree: the form goes away at the next ProcessMessages.
  const int Forms = Screen->FormCount();
  Form->Show();
  Choice = caFree;
  Form->Close();
  EXPECT_EQ(Screen->FormCount(), Forms);
  Application->ProcessMessages();
  EXPECT_EQ(Screen->FormCount(), Forms - 1);
}

TEST(FormBasics, FormsStartHiddenWithTheirOwnSurfaceAndCaption) {
  TForm Form(nullptr);
  EXPECT_FALSE(Form.Visible());
  EXPECT_EQ(Form.Parent(), nullptr);
  Form.SetBounds(0, 0, 64, 48);
  EXPECT_EQ(Form.Surface()->Width(), 64);
  EXPECT_EQ(Form.Surface()->Height(), 48);
  Form.SetCaption(u"Main");
  EXPECT_EQ(Form.Caption(), u"Main");
  TForm Other(nullptr);
  EXPECT_THROW(Form.SetParent(&Other), EInvalidOperation);
  int Shown = 0;
  Form.SetOnShow([&](TObject*) { ++Shown; });
  Form.Show();
  EXPECT_EQ(Shown, 1);
  EXPECT_EQ(Screen->ActiveForm(), &Form);
  Form.Hide();
  EXPECT_EQ(Screen->ActiveForm(), nullptr);
}

TEST(FormBasics, DrawingOutsideAPaintPassIsPresentedOnTheNextPass) {
  // Setters that paint at once draw straight onto the surface; the window
  // must be shown those pixels too, without the control painting again.
  auto* Backend = dynamic_cast<THeadlessBackend*>(Application->Backend());
  ASSERT_NE(Backend, nullptr);
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 64, 48);
  auto* Box = new TGraphicControl(&Form);
  Box->SetParent(&Form);
  Box->SetBounds(8, 8, 16, 16);
  Form.Show();
  Application->PaintPending();
  const int Before = Backend->PresentCount();
  Application->PaintPending();
  EXPECT_EQ(Backend->PresentCount(), Before);  // nothing new: nothing shown
  Box->Canvas()->Brush()->SetColor(0x0000FF);
  Box->Canvas()->FillRect(TRect{0, 0, 16, 16});
  Application->PaintPending();
  EXPECT_EQ(Backend->PresentCount(), Before + 1);
  EXPECT_EQ(PixelToColor(Form.Surface()->ScanLine(10)[10]), 0x0000FFu);
}

TEST(FormBasics, ScreenCursorReachesTheBackend) {
  auto* Backend = dynamic_cast<THeadlessBackend*>(Application->Backend());
  ASSERT_NE(Backend, nullptr);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Backend->CurrentCursor(), crHourGlass);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(Snapshot, FormSurfaceIsWrittenAsPng) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 30, 20);
  Form.SetColor(0x0000FF);
  Form.Show();
  const std::filesystem::path Dir = std::filesystem::temp_directory_path() / "orv_form_snapshot";
  std::filesystem::create_directories(Dir);
  const std::filesystem::path File = Dir / "form.png";
  std::filesystem::remove(File);
  try {
    SnapshotForm(&Form, FromUtf8(File.string()));
  } catch (const Exception& E) {
    GTEST_SKIP() << "PNG writing not available: " << E.what();
  }
  ASSERT_TRUE(std::filesystem::exists(File));
  TBitmap Back;
  Back.LoadFromFile(FromUtf8(File.string()));
  EXPECT_EQ(Back.Width(), 30);
  EXPECT_EQ(Back.Height(), 20);
  EXPECT_EQ(PixelToColor(Back.ScanLine(10)[15]), 0x0000FFu);
  std::filesystem::remove_all(Dir);
}

}  // namespace
}  // namespace orv
