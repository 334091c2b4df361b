// Support for the Win32 tests: one application object per test program and
// helpers that pump the message loop while waiting for something to happen.
#pragma once

#include "platform/win/Application.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

class TTestApplicationEnvironment : public ::testing::Environment {
public:
  void SetUp() override { FApp = new TApplication(); }
  void TearDown() override {
    delete FApp;
    FApp = nullptr;
  }

private:
  TApplication* FApp = nullptr;
};

// Registers the environment once per test program (include in one source).
#define TQ_TEST_APPLICATION()                                                                 \
  static ::testing::Environment* const tqTestApplicationEnvironment =                         \
      ::testing::AddGlobalTestEnvironment(new TTestApplicationEnvironment)

// Pumps messages until cond() holds or timeoutMs passed; returns cond().
inline bool PumpUntil(const std::function<bool()>& cond, int timeoutMs = 3000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!cond()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Pumps messages for a while.
inline void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}
