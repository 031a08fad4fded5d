// Base fixture: every test starts and ends with the run state at its starting values,
// whatever order tests run in.
#ifndef TESTS_SUPPORT_RUNSTATETEST_H_
#define TESTS_SUPPORT_RUNSTATETEST_H_

#include <gtest/gtest.h>

#include "app/Globals.h"
#include "platform/DebugOutput.h"

class CRunStateTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }

 private:
  static void Reset() {
    ResetRunState();
    SetDebugOutputSink(nullptr);
  }
};

#endif  // TESTS_SUPPORT_RUNSTATETEST_H_
