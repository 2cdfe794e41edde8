// Work over a range cut into blocks, shared by the calling thread and one helper thread that
// take blocks from opposite ends: when the system runs the helper late, or not at all, the
// caller does the blocks the helper did not take, and waits for no more than the one block
// the helper is in.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace ondrel {

class TwoEndedWork {
 public:
  // Does the items [from, to); `worker` is 0 on the calling thread, 1 on the helper.
  using Work = std::function<void(int worker, std::size_t from, std::size_t to)>;

  // Starts the helper thread. Throws std::system_error when there is none to be had.
  TwoEndedWork();
  ~TwoEndedWork();
  TwoEndedWork(const TwoEndedWork&) = delete;
  TwoEndedWork& operator=(const TwoEndedWork&) = delete;

  // Does `work` over [0, count) in blocks of `block` items and returns when all of it is
  // done. When a block throws, the blocks not yet begun are left, and the first exception is
  // thrown here.
  void Run(std::size_t count, std::size_t block, const Work& work);

 private:
  void Help();
  // Takes the next block from the helper's end or the caller's, or returns false.
  bool Take(bool fromFront, std::size_t& from, std::size_t& to);
  void Note(std::exception_ptr failure);

  std::mutex mutex_;
  std::condition_variable wake_, idle_;
  const Work* work_ = nullptr;  // none between runs
  std::size_t count_ = 0, block_ = 1;
  std::size_t front_ = 0, back_ = 0;  // the blocks not taken yet: [front_, back_)
  bool helping_ = false;              // the helper is in a block
  bool stop_ = false;
  std::exception_ptr failure_;
  std::thread helper_;  // last: it starts once the rest is there
};

}  // namespace ondrel
