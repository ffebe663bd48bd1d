#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace qv {

// A few threads kept for the syncs of a file system's batches: the syncs of one batch run side
// by side, so the device takes them together, where one after the other would wait for it once
// per file; and no batch pays for starting threads of its own.
class SyncWorkers {
 public:
  explicit SyncWorkers(std::size_t threads);
  ~SyncWorkers();
  SyncWorkers(const SyncWorkers&) = delete;
  SyncWorkers& operator=(const SyncWorkers&) = delete;

  // Runs `work(i)` for every i below `count` on the workers and the calling thread, and returns
  // when all are done.
  void Run(std::size_t count, const std::function<void(std::size_t)>& work);

 private:
  void Serve();
  // Takes items of the current run until none is left; called with `lock` held.
  void TakeItems(std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  const std::function<void(std::size_t)>* work_ = nullptr;
  std::size_t count_ = 0;
  std::size_t next_ = 0;
  std::size_t finished_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace qv
