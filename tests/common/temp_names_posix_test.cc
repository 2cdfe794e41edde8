// Temporary names of processes that start alike, made with fork.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>

#include "common/temp_names.h"

namespace ondrel {
namespace {

// The random digits of the first name in each of three processes that start alike: a
// sequence that began at the same value in every run would let another user take its
// names in advance.
TEST(TempFileName, RunsThatStartAlikeDrawDifferentRandomDigits) {
  std::set<std::string> digits;
  for (int run = 0; run < 3; ++run) {
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const std::string name = TempFileName();
      const std::string last = name.substr(name.size() - 3);
      const ssize_t put = ::write(channel[1], last.data(), last.size());
      ::_exit(put == 3 ? 0 : 1);
    }
    ::close(channel[1]);
    char last[3];
    EXPECT_EQ(::read(channel[0], last, sizeof last), 3);
    ::close(channel[0]);
    ::waitpid(pid, nullptr, 0);
    digits.insert(std::string(last, sizeof last));
  }
  EXPECT_GT(digits.size(), 1u);
}

}  // namespace
}  // namespace ondrel
