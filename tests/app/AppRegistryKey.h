// A registry key of the test case's own as the program's key: cases run side
// by side in processes of their own, and each deletes its key at the end.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/Registry.h"

class TAppKeyCase : public ::testing::Test {
protected:
  TAppKeyCase() {
    TRegistry registry;
    registry.DeleteKey(Key);
    SetProgramRegistryKey(Key);
  }
  ~TAppKeyCase() override {
    TRegistry registry;
    registry.DeleteKey(Key);
    SetProgramRegistryKey("\\Software\\Tarnquill");
  }
  std::string Key = std::string("\\Software\\Tarnquill\\Test\\") +
                    ::testing::UnitTest::GetInstance()->current_test_suite()->name() + "\\" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name();
};
