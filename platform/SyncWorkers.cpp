#include "platform/SyncWorkers.h"

namespace qv {

SyncWorkers::SyncWorkers(std::size_t threads) {
  threads_.reserve(threads);
  for (std::size_t t = 0; t < threads; ++t) {
    threads_.emplace_back([this] { Serve(); });
  }
}

SyncWorkers::~SyncWorkers() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& thread : threads_) {
    thread.join();
  }
}

void SyncWorkers::Run(std::size_t count, const std::function<void(std::size_t)>& work) {
  std::unique_lock<std::mutex> lock(mutex_);
  work_ = &work;
  count_ = count;
  next_ = 0;
  finished_ = 0;
  wake_.notify_all();
  TakeItems(lock);
  done_.wait(lock, [this] { return finished_ == count_; });
  work_ = nullptr;
  count_ = 0;
  next_ = 0;
}

void SyncWorkers::Serve() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || next_ < count_; });
    if (stopping_) {
      return;
    }
    TakeItems(lock);
  }
}

void SyncWorkers::TakeItems(std::unique_lock<std::mutex>& lock) {
  while (next_ < count_) {
    const std::size_t item = next_++;
    const std::function<void(std::size_t)>& work = *work_;
    lock.unlock();
    work(item);
    lock.lock();
    if (++finished_ == count_) {
      done_.notify_all();
    }
  }
}

}  // namespace qv
