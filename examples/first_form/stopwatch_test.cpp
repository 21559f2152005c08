// The stopwatch tested headlessly: clicks through orv::sim, time through
// Application->AdvanceTime, pixels read from the form's surface.
#include <gtest/gtest.h>

#include <memory>

#include "stopwatchform.h"

using namespace orv;

TEST(Stopwatch, CountsTenthsWhileStartIsDown) {
  auto Form = std::make_unique<TStopwatchForm>(nullptr);
  Form->Show();
  sim::Click(Form->StartButton(), 10, 10);
  EXPECT_EQ(Form->StartButton()->Caption(), u"Stop");
  Application->AdvanceTime(1250);  // virtual time: 12 ticks of 100 ms
  EXPECT_EQ(Form->Tenths(), 12);
  EXPECT_EQ(Form->Display()->Caption(), u"   1.2");

  sim::Click(Form->StartButton(), 10, 10);
  Application->AdvanceTime(1000);
  EXPECT_EQ(Form->Tenths(), 12);
  sim::Click(Form->ResetButton(), 10, 10);
  EXPECT_EQ(Form->Tenths(), 0);
}

TEST(Stopwatch, PaintsTheFormColourAroundItsControls) {
  auto Form = std::make_unique<TStopwatchForm>(nullptr);
  Form->Show();
  Application->ProcessMessages();  // paints what is dirty
  EXPECT_EQ(Form->Surface()->Canvas()->Pixels(4, 4), RGB(240, 240, 232));
}
