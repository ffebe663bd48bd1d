#include "platform/SyncWorkers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace qv {
namespace {

// Every item of every run is done exactly once, and done before Run returns: the batches of a
// file system reuse the same workers one after another, with more or fewer files than threads.
TEST(SyncWorkers, EachRunDoesEveryItemOnceBeforeItReturns) {
  SyncWorkers workers(3);
  for (const std::size_t count : {0U, 1U, 2U, 4U, 7U, 50U, 3U}) {
    std::vector<std::atomic<int>> done(count);
    workers.Run(count, [&](std::size_t i) { done[i].fetch_add(1); });
    for (std::size_t i = 0; i < count; ++i) {
      EXPECT_EQ(done[i].load(), 1) << "item " << i << " of " << count;
    }
  }
}

TEST(SyncWorkers, RunsItemsSideBySide) {
  SyncWorkers workers(3);
  std::atomic<int> waiting{0};
  // Each item waits until all four have started: one after the other, this never ends.
  workers.Run(4, [&](std::size_t) {
    waiting.fetch_add(1);
    while (waiting.load() < 4) {
    }
  });
  EXPECT_EQ(waiting.load(), 4);
}

}  // namespace
}  // namespace qv
