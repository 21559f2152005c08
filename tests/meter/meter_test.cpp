// TMeter: setter rules and range events, limit lamps, loading, pixels at the
// positions the drawing rules fix (lamps, cover, frame, needle, bands),
// painting hooks, images and mouse reporting.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "framework/controls/sim.h"
#include "framework/forms/form.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/colors.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"
#include "meter/meter.h"

namespace orv {
namespace {

constexpr int W = 297, H = 209;

// The meter rendered through its own Paint onto a sheet of its size.
struct TShot {
  std::unique_ptr<TBitmap> Bmp;
  TColor At(int X, int Y) const { return Bmp->Canvas()->Pixels(X, Y); }
};

TShot Render(TMeter* M) {
  TShot Shot{std::make_unique<TBitmap>(M->Width(), M->Height())};
  M->PaintTo(Shot.Bmp->Canvas(), 0, 0);
  M->Canvas();  // aims the control's canvas back at its form
  return Shot;
}

// A meter on a shown form, counting its paints and range events.
struct MeterOnForm : ::testing::Test {
  std::unique_ptr<TForm> Form;
  TMeter* M = nullptr;
  int Paints = 0, Over = 0, Under = 0, Normal = 0;

  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 320, 240);
    M = new TMeter(Form.get());
    M->SetParent(Form.get());
    Form->Show();
    M->SetOnMeterRendered([this](TObject*, TCanvas*) { ++Paints; });
    M->SetOnOverFlow([this](TObject* S) { EXPECT_EQ(S, M); ++Over; });
    M->SetOnUnderFlow([this](TObject*) { ++Under; });
    M->SetOnNormalRange([this](TObject*) { ++Normal; });
  }
  std::string Counts() const {
    return std::to_string(Over) + "/" + std::to_string(Normal) + "/" + std::to_string(Under) + " paints " +
           std::to_string(Paints);
  }
  void Reset() { Paints = Over = Under = Normal = 0; }
};

TEST_F(MeterOnForm, InitialState) {
  EXPECT_EQ(M->Width(), W);
  EXPECT_EQ(M->Height(), H);
  EXPECT_EQ(M->MeterLayout(), mlCirc90);
  EXPECT_EQ(M->MeterRadius(), 175);
  EXPECT_EQ(M->MeterCenterX(), 148);
  EXPECT_EQ(M->MeterCenterY(), 191);
  EXPECT_EQ(M->MeterMaxValue(), 1);
  EXPECT_EQ(M->ThresholdHigh(), 1);
  EXPECT_EQ(M->MeterNrTicks(), 3);
  EXPECT_EQ(M->ColorScale(), 0x800000u);
  EXPECT_EQ(M->ColorCover(), clBtnFace);
  EXPECT_EQ(M->FrameStyle(), fsRaised);
  EXPECT_EQ(M->AnchorSize(), 24);
  EXPECT_TRUE(M->NeedleLayout()->Visible());
  EXPECT_FALSE(M->NeedleLayoutSec()->Visible());
  EXPECT_EQ(M->NeedleLayout()->ColorBody(), clSilver);
  EXPECT_EQ(M->NeedleLayout()->HeadSize(), 20);
  EXPECT_EQ(M->FontCaption()->Name(), M->Font()->Name());
}

TEST_F(MeterOnForm, ValueChangesRaiseTheirRangeEventOnEveryChange) {
  M->SetThresholdLow(0.2);
  M->SetThresholdHigh(0.8);
  Reset();
  M->SetValue(0.5);
  EXPECT_EQ(Counts(), "0/1/0 paints 1");
  M->SetValue(0.5);  // unchanged: nothing at all
  EXPECT_EQ(Counts(), "0/1/0 paints 1");
  M->SetValue(0.9);
  M->SetValue(0.95);  // still above: raised again
  EXPECT_EQ(Counts(), "2/1/0 paints 3");
  EXPECT_TRUE(M->OverFlow());
  M->SetValue(7);  // clamped to the maximum
  EXPECT_EQ(M->Value(), 1);
  M->SetValue(-3);
  EXPECT_EQ(M->Value(), 0);
  EXPECT_EQ(Counts(), "3/1/1 paints 5");
  EXPECT_TRUE(M->UnderFlow());
  EXPECT_FALSE(M->OverFlow());
  M->SetValue(0.2);  // at the low threshold is underflow
  EXPECT_EQ(Under, 2);
  M->SetValue(std::nan(""));
  EXPECT_EQ(M->Value(), 0);
}

TEST_F(MeterOnForm, ThresholdSettersClampOrderAndReport) {
  M->SetValue(0.5);
  Reset();
  M->SetThresholdHigh(0.4);  // at or below the value: overflow
  EXPECT_EQ(Counts(), "1/0/0 paints 1");
  M->SetThresholdLow(0.6);  // above the high threshold: pushes it up
  EXPECT_EQ(M->ThresholdHigh(), 0.6);
  EXPECT_EQ(Counts(), "1/0/1 paints 2");
  M->SetThresholdLow(-5);
  EXPECT_EQ(M->ThresholdLow(), 0);
  EXPECT_FALSE(M->UnderFlow());
  M->SetThresholdHigh(9);
  EXPECT_EQ(M->ThresholdHigh(), 1);
  EXPECT_FALSE(M->OverFlow());
}

TEST_F(MeterOnForm, RangeSettersKeepMinimumBelowMaximum) {
  M->SetValue(0.5);
  M->SetMeterMaxValue(-2);  // at or below the minimum: minimum = max - 1
  EXPECT_EQ(M->MeterMinValue(), -3);
  EXPECT_EQ(M->Value(), -2);
  EXPECT_EQ(M->ThresholdLow(), -2);
  M->SetMeterMinValue(4);  // at or above the maximum: maximum = min + 1
  EXPECT_EQ(M->MeterMaxValue(), 5);
  EXPECT_EQ(M->Value(), 4);
  EXPECT_EQ(Over + Under + Normal, 1) << "only the value change raised an event";

  M->SetLogarithmic(true);
  ASSERT_TRUE(M->Logarithmic());
  M->SetMeterMaxValue(0.5);  // max - 1 would not be positive: max / 10
  EXPECT_EQ(M->MeterMinValue(), 0.05);
  M->SetMeterMinValue(0);  // below 1e-100 on a logarithmic scale: ignored
  EXPECT_EQ(M->MeterMinValue(), 0.05);
  M->SetMeterMaxValue(INFINITY);
  EXPECT_EQ(M->MeterMaxValue(), 0.5);

  TMeter Linear(nullptr);  // minimum 0: a logarithmic scale is refused
  Linear.SetLogarithmic(true);
  EXPECT_FALSE(Linear.Logarithmic());
}

TEST_F(MeterOnForm, PropertyClampsAndNeedleLayoutCopies) {
  M->SetMeterNrTicks(50);
  EXPECT_EQ(M->MeterNrTicks(), 21);
  M->SetMeterDecPlaces(-1);
  EXPECT_EQ(M->MeterDecPlaces(), 0);
  M->SetScaleBkWidth(140);
  EXPECT_EQ(M->ScaleBkWidth(), 100);
  M->NeedleLayout()->SetHeadAngle(200);
  EXPECT_EQ(M->NeedleLayout()->HeadAngle(), 180);
  M->NeedleLayout()->SetPercentNeedleLength(-5);
  EXPECT_EQ(M->NeedleLayout()->PercentNeedleLength(), 0);

  Reset();
  M->NeedleLayout()->SetThickness(4);  // a layout change repaints the meter
  M->NeedleLayout()->SetThickness(4);
  EXPECT_EQ(Paints, 1);
  TNeedleLayout Other;
  Other.SetColorBody(0x00FF00);
  Other.SetVisible(true);
  M->SetNeedleLayoutSec(&Other);
  EXPECT_EQ(M->NeedleLayoutSec()->ColorBody(), 0x00FF00u);
  EXPECT_TRUE(M->NeedleLayoutSec()->Visible());
  EXPECT_EQ(Paints, 2);
  M->NeedleLayoutSec()->SetShadowDx(3);  // still the meter's handler
  EXPECT_EQ(Paints, 3);
}

TEST_F(MeterOnForm, HiddenSecondaryNeedleLeavesTheLampStates) {
  M->SetThresholdLow(0.2);
  M->SetThresholdHigh(0.8);
  M->SetValue(0.9);
  ASSERT_TRUE(M->OverFlow());
  Reset();
  M->SetValueSec(0.1);  // hidden: no events, no repaint, the lamp stays lit
  EXPECT_EQ(Counts(), "0/0/0 paints 0");
  EXPECT_TRUE(M->OverFlow());
  EXPECT_EQ(M->ValueSec(), 0.1);

  M->NeedleLayoutSec()->SetVisible(true);
  Reset();
  M->SetValueSec(0.15);  // a visible secondary needle shares the states
  EXPECT_EQ(Counts(), "0/0/1 paints 1");
  EXPECT_FALSE(M->OverFlow());
  EXPECT_TRUE(M->UnderFlow());
}

TEST(MeterAssign, CopiesPublishedValuesAndRefusesOtherClasses) {
  TMeter A(nullptr), B(nullptr);
  A.SetMeterLayout(mlCirc300);
  A.SetMeterMaxValue(50);
  A.SetValue(20);
  A.SetCaption(u"bar");
  A.NeedleLayout()->SetHeadSize(9);
  A.FontCaption()->SetSize(14);
  B.Assign(&A);
  EXPECT_EQ(B.MeterLayout(), mlCirc300);
  EXPECT_EQ(B.MeterCenterY(), A.MeterCenterY());
  EXPECT_EQ(B.MeterMaxValue(), 50);
  EXPECT_EQ(B.Value(), 20);
  EXPECT_EQ(B.Caption(), u"bar");
  EXPECT_EQ(B.NeedleLayout()->HeadSize(), 9);
  EXPECT_NE(B.NeedleLayout(), A.NeedleLayout());
  EXPECT_EQ(B.FontCaption()->Size(), 14);
  TBitmap NotAMeter;
  EXPECT_THROW(B.Assign(&NotAMeter), EConvertError);
}

TEST(MeterLoading, StoresUncheckedAndSettlesInLoaded) {
  TForm Form(nullptr);
  auto* M = new TMeter(&Form);
  M->SetParent(&Form);
  Form.Show();
  int Paints = 0;
  M->SetOnMeterRendered([&](TObject*, TCanvas*) { ++Paints; });
  M->BeginLoading();
  M->SetMeterMinValue(5);
  M->SetMeterMaxValue(5);  // a range of zero width
  M->SetValue(9);
  M->SetLogarithmic(true);
  M->SetBackGroundImg(u"/no/such/file.bmp");
  EXPECT_EQ(M->Value(), 9);
  EXPECT_EQ(Paints, 0);
  M->Loaded();
  EXPECT_EQ(Paints, 1);
  EXPECT_EQ(M->Value(), 5);
  EXPECT_EQ(M->BackGroundImg(), u"");
  // Every conversion stays finite on the degenerate range.
  EXPECT_DOUBLE_EQ(M->CalcNeedleAngle(5), 135);
  int X = 0, Y = 0;
  M->ConvertToPixelCoords(7, 100, X, Y);
  EXPECT_EQ(X, 148 + static_cast<int>(std::lround(-175 * std::sqrt(0.5))));
  double V = -1;
  EXPECT_TRUE(M->ConvertPixelToValue(148, 20, V));
  EXPECT_DOUBLE_EQ(V, 5);
  // The scale shows a single labelled tick.
  int Labels = 0;
  M->SetOnBeforeDrawScaleLabel([&](TObject*, TCanvas*, String& Text, int, int) {
    EXPECT_EQ(Text, u"5.0");
    ++Labels;
  });
  Render(M);
  EXPECT_EQ(Labels, 1);
}

TEST(MeterConversions, PixelsAndValuesRoundTripInEveryLayout) {
  TMeter M(nullptr);
  for (bool Log : {false, true}) {
    M.SetMeterMaxValue(1000);
    M.SetMeterMinValue(1);
    M.SetLogarithmic(Log);
    for (int L = mlCirc90; L <= mlCirc360; ++L) {
      M.SetMeterLayout(TMeterLayout(L));
      for (double V : {2.0, 30.0, 500.0}) {
        int X = 0, Y = 0;
        M.ConvertToPixelCoords(V, 100, X, Y);
        double Back = 0;
        ASSERT_TRUE(M.ConvertPixelToValue(X, Y, Back)) << L << " " << V;
        // One pixel on the arc spans a few thousandths of the sweep.
        const double Tol = Log ? V * 0.06 : 8;
        EXPECT_NEAR(Back, V, Tol) << "layout " << L << " log " << Log;
      }
      double Below = 1;
      const bool Within = M.ConvertPixelToValue(M.MeterCenterX(), M.MeterCenterY() + 5, Below);
      EXPECT_EQ(Within, L == mlCirc360) << L;
      if (L != mlCirc360) {
        EXPECT_EQ(Below, 0);
      }
    }
  }
}

TEST(MeterMouse, MovesReportTheValueUnderThePointer) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 320, 240);
  auto* M = new TMeter(&Form);
  M->SetParent(&Form);
  Form.Show();
  std::string Log;
  M->SetOnMouseMove([&](TObject*, TShiftState, int, int) { Log += "move "; });
  M->SetOnMouseMoveInMeter([&](TObject* S, bool Within, TShiftState Shift, double V) {
    EXPECT_EQ(S, M);
    Log += (Within ? "in " : "out ") + std::to_string(std::lround(V * 100)) +
           (Shift.Contains(ssShift) ? " shift" : "") + "; ";
  });
  sim::MouseMove(M, TShiftState{ssShift}, 148, 100);  // straight above the pivot
  sim::MouseMove(M, TShiftState{}, 148 - 100, 191 - 100);  // the minimum's direction
  sim::MouseMove(M, TShiftState{}, 20, 180);  // beside the pivot, outside the sector
  EXPECT_EQ(Log, "move in 50 shift; move in 0; move out 0; ");
}

// --- Pixels ------------------------------------------------------------------------

TEST(MeterPaint, LampsShowTheLimitStates) {
  TMeter M(nullptr);
  M.SetThresholdLow(0.3);
  M.SetThresholdHigh(0.7);
  M.SetValue(0.5);
  // Lamp insides (brush), outlines (black) and one pixel of each bevel.
  const int HX = W - 10 - 13, LX = 10 + 13, Y = 8 + 12;
  TShot S = Render(&M);
  EXPECT_EQ(S.At(HX, Y), clGray);
  EXPECT_EQ(S.At(LX, Y), clGray);
  EXPECT_EQ(S.At(W - 10 - 18, 8 + 8), clBlack);
  EXPECT_EQ(S.At(W - 10 - 12, 8 + 17), clWhite);
  EXPECT_EQ(S.At(W - 10 - 12, 8 + 16), clSilver);
  EXPECT_EQ(S.At(10 + 9, 8 + 12), clGray);
  M.SetValue(0.9);
  S = Render(&M);
  EXPECT_EQ(S.At(HX, Y), clRed);
  EXPECT_EQ(S.At(LX, Y), clGray);
  M.SetLimWatchActColor(0x00FFFF);
  M.SetValue(0.1);
  S = Render(&M);
  EXPECT_EQ(S.At(HX, Y), clGray);
  EXPECT_EQ(S.At(LX, Y), 0x00FFFFu);
  M.SetLimWatchLowOn(false);
  EXPECT_EQ(Render(&M).At(LX, Y), clWhite) << "without its lamp the corner shows the window's background";
}

TEST(MeterPaint, CoverRimsWindowEdgeAndFrame) {
  TMeter M(nullptr);
  M.SetColorCover(0x336699);
  M.SetColorBakG(0xEEEEEE);
  TShot S = Render(&M);
  EXPECT_EQ(S.At(4, 100), 0x336699u);        // side rim
  EXPECT_EQ(S.At(150, 4), 0x336699u);        // top rim
  EXPECT_EQ(S.At(40, H - 4), 0x336699u);     // bottom rim
  EXPECT_EQ(S.At(9, 100), clGray);           // window edge, left: gray
  EXPECT_EQ(S.At(W - 10, 100), clWhite);     // right: white
  EXPECT_EQ(S.At(40, H - 10), clWhite);      // bottom: white
  EXPECT_EQ(S.At(40, 8), clGray);            // top: gray
  EXPECT_EQ(S.At(60, 60), 0xEEEEEEu);        // window background
  // Raised frame: white top and left, gray bottom and right.
  EXPECT_EQ(S.At(0, 100), clWhite);
  EXPECT_EQ(S.At(100, 0), clWhite);
  EXPECT_EQ(S.At(W - 1, 100), clGray);
  EXPECT_EQ(S.At(100, H - 1), clGray);

  M.SetFrameStyle(fsEngraved);
  S = Render(&M);
  EXPECT_EQ(S.At(0, 100), clGray);
  EXPECT_EQ(S.At(1, 100), clWhite);
  EXPECT_EQ(S.At(W - 2, 100), clGray);
  EXPECT_EQ(S.At(W - 1, 100), clWhite);
  M.SetFrameStyle(fsSimple);
  EXPECT_EQ(Render(&M).At(W - 1, 100), 0xEEEEEEu);

  // The scheme changes only the frame: window edge and lamps keep fixed colours.
  M.SetFrameStyle(fsRaised);
  M.SetColorScheme(csSystem);
  TBitmap Probe(1, 1);
  Probe.Canvas()->SetPixels(0, 0, clBtnHighlight);
  const TColor Highlight = Probe.Canvas()->Pixels(0, 0);
  S = Render(&M);
  EXPECT_EQ(S.At(0, 100), Highlight);
  EXPECT_EQ(S.At(W - 10, 100), clWhite);
  EXPECT_EQ(S.At(W - 10 - 12, 8 + 17), clWhite);
}

TEST(MeterPaint, NeedleBodyShaftAndShadow) {
  TMeter M(nullptr);
  M.SetValue(0.5);  // straight up: the tip at (148, 191 - 171)
  TShot S = Render(&M);
  EXPECT_EQ(S.At(148, 20 + 10), clSilver);   // inside the head
  EXPECT_EQ(S.At(148, 120), clBlack);        // a shaft of thickness 0 is a line
  EXPECT_EQ(S.At(148 + 6, 30), clWhite);     // beside the head
  M.NeedleLayout()->SetShadowDx(-6);         // the shadow lies at minus the offset
  M.NeedleLayout()->SetShadowColor(0x0000AA);
  S = Render(&M);
  EXPECT_EQ(S.At(148 + 6, 30), 0x0000AAu);
  EXPECT_EQ(S.At(148, 30), clSilver);        // the needle is drawn over its shadow
  M.NeedleLayout()->SetThickness(6);
  EXPECT_EQ(Render(&M).At(148, 120), clSilver);

  // The secondary needle, once shown, points at its own value.
  M.NeedleLayoutSec()->SetVisible(true);
  M.NeedleLayoutSec()->SetColorBody(0x00AA00);
  M.NeedleLayoutSec()->SetThickness(8);
  M.SetValueSec(0);
  int X = 0, Y = 0;
  M.ConvertToPixelCoords(0, 80, X, Y);
  EXPECT_EQ(Render(&M).At(X, Y), 0x00AA00u);
}

TEST(MeterPaint, HooksRunInOrderAndCanReplaceNeedleAndLabels) {
  TMeter M(nullptr);
  M.SetValue(0.5);
  M.SetColorCover(0x336699);
  std::string Order;
  std::vector<std::pair<String, TPoint>> Labels;
  M.SetOnBeforeDrawScaleLabel([&](TObject*, TCanvas*, String& Text, int X, int Y) {
    Labels.push_back({Text, TPoint{X, Y}});
    if (Text == u"0.4") Text.clear();
    Order += "L";
  });
  M.SetOnBeforeDrawNeedle([&](TObject*, TCanvas* C, bool& Drawn) {
    EXPECT_FALSE(Drawn);
    Drawn = true;
    C->Brush()->SetColor(0x00FF00);
    C->FillRect(TRect{0, 0, W, H});  // the cover, lamps and frame still go over this
    Order += "N";
  });
  M.SetOnMeterRendered([&](TObject*, TCanvas*) { Order += "R"; });
  TShot S = Render(&M);
  EXPECT_EQ(Order, "LLLLLLNR");
  ASSERT_EQ(Labels.size(), 6u);
  EXPECT_EQ(Labels.back().first, u"1.0");
  EXPECT_EQ(S.At(148, 30), 0x00FF00u);       // no needle of ours
  EXPECT_EQ(S.At(W - 10 - 13, 20), clGray);  // lamp
  EXPECT_EQ(S.At(0, 100), clWhite);          // frame
  EXPECT_EQ(S.At(4, 100), 0x336699u);        // cover

  // A label emptied by the handler is not drawn: its box keeps the background.
  M.SetOnBeforeDrawNeedle(nullptr);
  TShot Plain = Render(&M);
  const auto& [Text, At] = Labels[2];
  ASSERT_EQ(Text, u"0.4");
  int Ink = 0;
  for (int Y = At.Y; Y < At.Y + 12; ++Y)
    for (int X = At.X; X < At.X + 16; ++X) Ink += Plain.At(X, Y) != clWhite;
  EXPECT_EQ(Ink, 0);
  M.SetOnBeforeDrawScaleLabel(nullptr);
  Plain = Render(&M);
  Ink = 0;
  for (int Y = At.Y; Y < At.Y + 12; ++Y)
    for (int X = At.X; X < At.X + 16; ++X) Ink += Plain.At(X, Y) != clWhite;
  EXPECT_GT(Ink, 5);
}

TEST(MeterPaint, HandlerResizingTheMeterMidPaintIsSafe) {
  TMeter M(nullptr);
  int Calls = 0;
  M.SetOnBeforeDrawNeedle([&](TObject*, TCanvas*, bool&) {
    if (++Calls == 1) M.SetBounds(0, 0, 150, 100);
  });
  M.SetOnMeterRendered([&](TObject*, TCanvas*) {
    if (Calls == 2) M.SetBounds(0, 0, 400, 300);
  });
  Render(&M);  // the first paint stops after the handler shrank the meter
  EXPECT_EQ(M.Width(), 150);
  TShot S = Render(&M);  // the second one after the grown one
  EXPECT_EQ(M.Width(), 400);
  S = Render(&M);
  EXPECT_EQ(S.At(0, 150), clWhite);  // and the third paints the new size whole
  EXPECT_EQ(S.At(399, 150), clGray);
}

std::filesystem::path TempFile(const char* Name) { return std::filesystem::temp_directory_path() / Name; }

TEST(MeterPaint, BandsAndTheirHollowOverABackgroundImage) {
  TMeter M(nullptr);
  M.SetThresholdLow(0.3);
  M.SetThresholdHigh(0.7);
  M.SetScaleBkWidth(30);
  M.SetScaleBkVisible(true);
  int X = 0, Y = 0;
  M.ConvertToPixelCoords(0.1, 92, X, Y);  // inside the ring (70..100 % of R)
  TShot S = Render(&M);
  EXPECT_EQ(S.At(X, Y), 0x00FF00u);
  M.ConvertToPixelCoords(0.5, 92, X, Y);
  EXPECT_EQ(S.At(X, Y), 0x0080FFu);
  M.ConvertToPixelCoords(0.9, 92, X, Y);
  EXPECT_EQ(S.At(X, Y), 0x0000FFu);
  M.ConvertToPixelCoords(0.9, 50, X, Y);  // the hollow
  EXPECT_EQ(S.At(X, Y), clWhite);

  // Over an image the hollow shows the image, inside the sweep and outside it.
  TBitmap Tile(8, 8);
  Tile.Canvas()->Brush()->SetColor(0x204060);
  Tile.Canvas()->FillRect(TRect{0, 0, 8, 8});
  const std::filesystem::path File = TempFile("orv_meter_tile.bmp");
  Tile.SaveToFile(FromUtf8(File.string()));
  M.SetBkgndFillMode(bfTile);
  M.SetBackGroundImg(FromUtf8(File.string()));
  ASSERT_FALSE(M.BackGroundImg().empty());
  S = Render(&M);
  EXPECT_EQ(S.At(148 - 100, 191 - 20), 0x204060u);  // outside the sweep
  EXPECT_EQ(S.At(X, Y), 0x204060u);                  // in the hollow
  M.ConvertToPixelCoords(0.9, 92, X, Y);
  EXPECT_EQ(S.At(X, Y), 0x0000FFu);                  // the ring itself
  std::filesystem::remove(File);
}

TEST(MeterImages, MissingAndUnreadableFiles) {
  TMeter M(nullptr);
  const std::filesystem::path Bad = TempFile("orv_meter_bad.bmp");
  std::ofstream(Bad) << "not an image";
  const String BadName = FromUtf8(Bad.string());
  M.SetAnchorImage(BadName);  // unreadable anchor: the name empties
  EXPECT_EQ(M.AnchorImage(), u"");
  EXPECT_ANY_THROW(M.SetBackGroundImg(BadName));  // unreadable background: raised
  EXPECT_EQ(M.BackGroundImg(), u"") << "the failed load leaves the previous (empty) image";
  M.SetBackGroundImg(u"/no/such/image.png");
  EXPECT_EQ(M.BackGroundImg(), u"");
  std::filesystem::remove(Bad);

  // An anchor image is drawn opaque, centred on the pivot.
  TBitmap Cap(10, 6);
  Cap.Canvas()->Brush()->SetColor(0x0000C0);
  Cap.Canvas()->FillRect(TRect{0, 0, 10, 6});
  const std::filesystem::path File = TempFile("orv_meter_cap.bmp");
  Cap.SaveToFile(FromUtf8(File.string()));
  M.SetAnchorImage(FromUtf8(File.string()));
  ASSERT_FALSE(M.AnchorImage().empty());
  TShot S = Render(&M);
  EXPECT_EQ(S.At(148 - 5, 191 - 3), 0x0000C0u);
  EXPECT_EQ(S.At(148 + 4, 191 + 2), 0x0000C0u);
  std::filesystem::remove(File);
}

}  // namespace
}  // namespace orv
