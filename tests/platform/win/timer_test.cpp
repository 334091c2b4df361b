// TTimer: ticks through the message loop, stops, and survives a failing handler.
#include "platform/win/Timer.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

TQ_TEST_APPLICATION();

TEST(Timer, TicksWhileEnabledWithAnInterval) {
  TTimer timer(nullptr);
  timer.SetInterval(10);
  int ticks = 0;
  PumpFor(50);  // ticking without a handler is harmless
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    ++ticks;
  };
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  PumpFor(30);
  int stopped = ticks;
  PumpFor(80);
  EXPECT_EQ(ticks, stopped);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks > stopped; }));
  timer.SetInterval(0);  // interval 0 stops it as well
  PumpFor(30);
  stopped = ticks;
  PumpFor(60);
  EXPECT_EQ(ticks, stopped);
}

TEST(Timer, AFailingHandlerIsReportedAndTheTimerGoesOn) {
  TTimer timer(nullptr);
  timer.SetInterval(10);
  int ticks = 0;
  std::string reported;
  TObject* sender = nullptr;
  Application->OnException = [&](TObject* s, const Exception& e) {
    reported = e.Message();
    sender = s;
  };
  timer.OnTimer = [&](TObject*) {
    ++ticks;
    throw EConvertError("tick failed");
  };
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  Application->OnException = nullptr;
  timer.SetEnabled(false);
  EXPECT_EQ(reported, "tick failed");
  EXPECT_EQ(sender, &timer);
}

TEST(Timer, DestroyingAnOwnedTimerStopsIt) {
  int ticks = 0;
  {
    TComponent owner(nullptr);
    auto* timer = new TTimer(&owner);
    timer->SetInterval(5);
    timer->OnTimer = [&](TObject*) { ++ticks; };
    EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }));
  }
  int after = ticks;
  PumpFor(50);
  EXPECT_EQ(ticks, after);
}
