// Runs part of a test in a child process: to act as an ordinary user (root reads and writes
// whatever the permissions say), and so that a fault that blocks for ever ends the child, not
// the whole suite.
#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ondrel::testing {

enum class RunAs { kSameUser, kOrdinaryUser };

// The user and group "nobody".
inline constexpr uid_t kOrdinaryUser = 65534;
inline constexpr gid_t kOrdinaryGroup = 65534;

// Whether this process may act as another user (only root may), and that user may reach
// the folders that hold `scratch` (which is then given to it).
inline bool MayActAsOrdinaryUser(const std::filesystem::path& scratch) {
  if (::geteuid() != 0) return false;
  std::filesystem::path folder = scratch.lexically_normal();
  if (folder.filename().empty()) folder = folder.parent_path();  // a trailing separator
  for (auto above = folder.parent_path(); !above.empty(); above = above.parent_path()) {
    if ((std::filesystem::status(above).permissions() & std::filesystem::perms::others_exec) ==
        std::filesystem::perms::none)
      return false;
    if (above == above.root_path()) break;
  }
  return true;
}

// Gives `path` and everything below it to the ordinary user.
inline void GiveToOrdinaryUser(const std::filesystem::path& path) {
  ::lchown(path.c_str(), kOrdinaryUser, kOrdinaryGroup);
  if (!std::filesystem::is_directory(std::filesystem::symlink_status(path))) return;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
    ::lchown(entry.path().c_str(), kOrdinaryUser, kOrdinaryGroup);
}

// Runs `body` in a child process and returns the text it returned, or a text that says how
// the child ended when it did not get that far. An alarm ends a child that blocks. An ordinary
// user belongs to `groups` besides its own.
inline std::string RunInChild(RunAs user, const std::function<std::string()>& body,
                              const std::vector<gid_t>& groups = {}) {
  int channel[2];
  if (::pipe(channel) != 0) return "no pipe";
  const pid_t pid = ::fork();
  if (pid < 0) return "no child";
  if (pid == 0) {
    ::close(channel[0]);
    if (user == RunAs::kOrdinaryUser &&
        (::setgroups(groups.size(), groups.data()) != 0 ||
         ::setresgid(kOrdinaryGroup, kOrdinaryGroup, kOrdinaryGroup) != 0 ||
         ::setresuid(kOrdinaryUser, kOrdinaryUser, kOrdinaryUser) != 0))
      ::_exit(2);
    ::alarm(30);
    const std::string text = body();
    const bool sent =
        ::write(channel[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::_exit(sent ? 0 : 3);
  }
  ::close(channel[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
    if (got > 0) {
      text.append(buffer, static_cast<std::size_t>(got));
    } else if (errno != EINTR) {
      break;
    }
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  if (WIFSIGNALED(status))
    return "the child was ended by signal " + std::to_string(WTERMSIG(status)) +
           (WTERMSIG(status) == SIGALRM ? " (it blocked)" : "");
  if (WEXITSTATUS(status) != 0)
    return "the child exited with " + std::to_string(WEXITSTATUS(status));
  return text;
}

}  // namespace ondrel::testing
