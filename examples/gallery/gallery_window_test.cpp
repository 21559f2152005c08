// The gallery form in a real SDL window: a mouse click pushed through SDL
// reaches its buttons and the window shows the result.

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "examples/gallery/galleryform.h"
#include "framework/backends/headless/headless.h"
#include "framework/backends/sdl2/sdl2backend.h"
#include "framework/controls/application.h"
#include "framework/rtl/exceptions.h"
#include "tests/framework/backends/sdl2/xvfb.h"

// The X stack keeps a few hundred bytes in modules it unloads before exit,
// which no suppression can name; leak checking is off for this binary only.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace {

using gallery::TGalleryForm;

// The display's digit colours as the frame shows them (0x00RRGGBB).
constexpr uint32_t kRedDigit = 0xFF0000;
constexpr uint32_t kGreenDigit = 0x00FF00;

struct GalleryWindow : ::testing::Test {
  static void SetUpTestSuite() {
    Server = std::make_unique<orv::testing::TXvfb>();
    if (!Server->Start(SkipReason)) return;
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    try {
      Backend = orv::UseSdl2Backend();
    } catch (const orv::Exception& E) {
      SkipReason = E.what();
    }
  }
  static void TearDownTestSuite() {
    orv::Application->SetBackend(std::make_unique<orv::THeadlessBackend>());
    Backend = nullptr;
    Server.reset();
  }
  void SetUp() override {
    if (!Backend) GTEST_SKIP() << SkipReason;
    Form = std::make_unique<TGalleryForm>(nullptr);
    Form->Show();
    Pump();
  }

  static void Pump() {
    Backend->PumpEvents(0);
    Backend->PumpEvents(0);
  }
  uint32_t Win() const { return Backend->WindowID(Form.get()); }

  // A real left click at the middle of Control, through SDL's event queue.
  void Click(orv::TControl* Control) {
    const int X = Control->Left() + Control->Width() / 2;
    const int Y = Control->Top() + Control->Height() / 2;
    for (const bool Down : {true, false}) {
      SDL_Event E{};
      E.type = Down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      E.button.windowID = Win();
      E.button.button = SDL_BUTTON_LEFT;
      E.button.state = Down ? SDL_PRESSED : SDL_RELEASED;
      E.button.clicks = 1;
      E.button.x = X;
      E.button.y = Y;
      ASSERT_EQ(SDL_PushEvent(&E), 1) << SDL_GetError();
    }
    Pump();
  }

  orv::TControl* ButtonCaptioned(const orv::String& Caption) const {
    for (int I = 0; I < Form->ControlCount(); ++I) {
      orv::TControl* C = Form->Controls(I);
      if (dynamic_cast<orv::TSpeedButton*>(C) && C->Caption() == Caption) return C;
    }
    return nullptr;
  }

  // Points of the display that the form's surface paints in Colour, spread
  // over the display's width; the frame is then checked at those points.
  std::vector<orv::TPoint> DisplayPointsOf(uint32_t Colour) const {
    const orv::TControl* D = Form->Display();
    std::vector<orv::TPoint> Points;
    for (int X = D->Left(); X < D->Left() + D->Width(); X += 3) {
      for (int Y = D->Top(); Y < D->Top() + D->Height(); ++Y) {
        if ((Form->Surface()->ScanLine(Y)[X] & 0xFFFFFFu) == Colour) {
          Points.push_back(orv::TPoint{X, Y});
          break;
        }
      }
    }
    return Points;
  }

  // The colours the window shows at Points.
  std::vector<uint32_t> FrameAt(const std::vector<orv::TPoint>& Points) const {
    std::vector<uint32_t> Colours;
    for (const orv::TPoint& P : Points) {
      uint32_t RGB = 0;
      EXPECT_TRUE(Backend->ReadFramePixel(Form.get(), P.X, P.Y, RGB)) << P.X << "," << P.Y;
      Colours.push_back(RGB);
    }
    return Colours;
  }

  static inline std::unique_ptr<orv::testing::TXvfb> Server;
  static inline orv::TSdl2Backend* Backend = nullptr;
  static inline std::string SkipReason;
  std::unique_ptr<TGalleryForm> Form;
};

TEST_F(GalleryWindow, GreenButtonRecoloursTheLitSegmentsInTheWindow) {
  ASSERT_NE(Win(), 0u);
  // The counter starts with lit red segments, and the window shows them.
  const std::vector<orv::TPoint> Lit = DisplayPointsOf(kRedDigit);
  ASSERT_GE(Lit.size(), 4u);
  EXPECT_EQ(FrameAt(Lit), std::vector<uint32_t>(Lit.size(), kRedDigit));

  orv::TControl* Green = ButtonCaptioned(u"Green");
  ASSERT_NE(Green, nullptr);
  Click(Green);

  // The same segments, now green in the window; no red digit is left.
  EXPECT_EQ(FrameAt(Lit), std::vector<uint32_t>(Lit.size(), kGreenDigit));
  EXPECT_TRUE(DisplayPointsOf(kRedDigit).empty());
  EXPECT_EQ(Form->Counter(), 42);
}

TEST_F(GalleryWindow, ShortClickOnPlusStepsTheCounterOnceAndTheWindowShowsIt) {
  const std::vector<orv::TPoint> Before = DisplayPointsOf(kRedDigit);
  ASSERT_FALSE(Before.empty());
  Click(Form->UpButton());
  EXPECT_EQ(Form->Counter(), 43);
  // 0042 became 0043: some segment of the last digit went out and another
  // came on, and at every point sampled either side the window shows what
  // the form painted.
  const std::vector<orv::TPoint> After = DisplayPointsOf(kRedDigit);
  EXPECT_NE(After, Before);
  std::vector<orv::TPoint> Sampled = Before;
  Sampled.insert(Sampled.end(), After.begin(), After.end());
  std::vector<uint32_t> Painted;
  for (const orv::TPoint& P : Sampled) Painted.push_back(Form->Surface()->ScanLine(P.Y)[P.X] & 0xFFFFFFu);
  EXPECT_EQ(FrameAt(Sampled), Painted);
}

}  // namespace
