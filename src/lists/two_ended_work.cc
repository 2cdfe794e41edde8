#include "lists/two_ended_work.h"

#include <algorithm>

namespace ondrel {

TwoEndedWork::TwoEndedWork() : helper_([this] { Help(); }) {}

TwoEndedWork::~TwoEndedWork() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  helper_.join();
}

bool TwoEndedWork::Take(bool fromFront, std::size_t& from, std::size_t& to) {
  if (work_ == nullptr || failure_ || front_ >= back_) return false;
  const std::size_t taken = fromFront ? front_++ : --back_;
  from = taken * block_;
  to = std::min(count_, from + block_);
  return true;
}

void TwoEndedWork::Note(std::exception_ptr failure) {
  std::lock_guard lock(mutex_);
  if (!failure_) failure_ = failure;
}

void TwoEndedWork::Run(std::size_t count, std::size_t block, const Work& work) {
  {
    std::lock_guard lock(mutex_);
    work_ = &work;
    count_ = count;
    block_ = block;
    front_ = 0;
    back_ = (count + block - 1) / block;
    failure_ = nullptr;
  }
  wake_.notify_one();
  for (;;) {
    std::size_t from, to;
    {
      std::lock_guard lock(mutex_);
      if (!Take(false, from, to)) break;
    }
    try {
      work(0, from, to);
    } catch (...) {
      Note(std::current_exception());
    }
  }
  std::unique_lock lock(mutex_);
  work_ = nullptr;
  idle_.wait(lock, [this] { return !helping_; });
  if (failure_) std::rethrow_exception(failure_);
}

void TwoEndedWork::Help() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || (work_ != nullptr && !failure_ && front_ < back_); });
    if (stop_) return;
    std::size_t from = 0, to = 0;
    Take(true, from, to);
    const Work& work = *work_;
    helping_ = true;
    lock.unlock();
    try {
      work(1, from, to);
    } catch (...) {
      Note(std::current_exception());
    }
    lock.lock();
    helping_ = false;
    idle_.notify_one();
  }
}

}  // namespace ondrel
