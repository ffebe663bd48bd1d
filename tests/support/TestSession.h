#pragma once

#include <cstdint>

#include "data/Session.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"

namespace qv::test {

// The ports of a test session: a fresh temporary folder, files that can be made to fail, a
// scripted Ui and a fixed clock.
struct TestPorts {
  TestPorts() {
    real.set_durable(false);  // test folders need not outlive a power loss
  }

  TempDir dir;
  LocalFileSystem real;
  FaultyFileSystem files{real};
  ScriptedUi ui;
  FixedClock clock{DateTime{}};
};

// A session whose game directory is the temporary folder, with random numbers fixed at 0.5
// (Jitter returns its centre). Test fixtures derive from it next to ::testing::Test.
struct TestSession : TestPorts {
  TestSession() { session.GamePath = dir.path(); }

  FixedRandom random{0.5F};
  Session session{files, ui, clock, random};
};

// The same with random numbers drawn from `seed`, for games played quarter after quarter.
struct SeededTestSession : TestPorts {
  explicit SeededTestSession(std::uint64_t seed) : random(seed) { session.GamePath = dir.path(); }

  SeededRandom random;
  Session session{files, ui, clock, random};
};

}  // namespace qv::test
