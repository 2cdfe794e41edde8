#include "lists/two_ended_work.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace ondrel {
namespace {

// Every item once, by one of the two threads, however the runs are cut; a failure in a block
// reaches the caller, and the next run is whole again.
TEST(TwoEndedWork, DoesEveryItemOnceAndPassesOnAFailure) {
  TwoEndedWork work;
  for (const std::size_t count : {0, 1, 255, 256, 257, 10000}) {
    std::vector<int> done(count, 0);
    work.Run(count, 256, [&](int, std::size_t from, std::size_t to) {
      for (std::size_t i = from; i < to; ++i) ++done[i];
    });
    EXPECT_EQ(std::vector<int>(count, 1), done) << count;
  }
  EXPECT_THROW(work.Run(5000, 100,
                        [](int, std::size_t from, std::size_t) {
                          if (from == 2500) throw std::runtime_error("block 25");
                        }),
               std::runtime_error);
  int byWorker[2] = {0, 0};  // each thread its own counter
  work.Run(3000, 10, [&](int worker, std::size_t from, std::size_t to) {
    byWorker[worker] += static_cast<int>(to - from);
  });
  EXPECT_EQ(byWorker[0] + byWorker[1], 3000);
}

}  // namespace
}  // namespace ondrel
