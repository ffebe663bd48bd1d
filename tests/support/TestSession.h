#pragma once

#include "data/Session.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"

namespace qv::test {

// A session whose game directory is a fresh temporary folder, with files that can be made to
// fail, a scripted Ui, a fixed clock and random numbers fixed at 0.5 (Jitter returns its
// centre). Test fixtures derive from it next to ::testing::Test.
struct TestSession {
  TestSession() {
    real.set_durable(false);  // test folders need not outlive a power loss
    session.GamePath = dir.path();
  }

  TempDir dir;
  LocalFileSystem real;
  FaultyFileSystem files{real};
  ScriptedUi ui;
  FixedClock clock{DateTime{}};
  FixedRandom random{0.5F};
  Session session{files, ui, clock, random};
};

}  // namespace qv::test
