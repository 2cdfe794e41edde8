#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "common/child_process.h"
#include "common/test_platform.h"

namespace ondrel::testing {

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
  if (value)
    ::setenv(name.c_str(), value->c_str(), 1);
  else
    ::unsetenv(name.c_str());
}

bool MakeHardLink(const std::string& target, const std::string& link) {
  return ::link(target.c_str(), link.c_str()) == 0;
}

bool MakeSymbolicLink(const std::string& target, const std::string& link) {
  return ::symlink(target.c_str(), link.c_str()) == 0;
}

bool MakeFifo(const std::string& path) {
  return ::mkfifo(path.c_str(), 0600) == 0;
}

bool RunsAsRoot() {
  return ::geteuid() == 0;
}

void MarkAttributes(const std::string&, unsigned) {}

std::string LiteralPath(const std::string& path) {
  return path;
}

std::string SystemDecimalSeparator() {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 1.5);
  return std::string(text + 1, std::strlen(text) - 2);
}

bool MakeJunction(const std::string&, const std::string&) {
  return false;
}

bool TakeAwayPermissions(const std::string& path) {
  return ::chmod(path.c_str(), 0) == 0;
}

int CreateDescriptorFile(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

void CloseDescriptor(int fd) {
  ::close(fd);
}

bool PlantAsAnotherUser(const std::string& path) {
  const std::string folder = path.substr(0, path.rfind('/'));
  return RunsAsRoot() && ::chmod(folder.c_str(), 01777) == 0 &&
         ::lchown(path.c_str(), kOrdinaryUser, kOrdinaryGroup) == 0;
}

bool TakeAwayWriting(const std::string& path) {
  return ::chmod(path.c_str(), 0555) == 0;
}

std::optional<std::string> AsOrdinaryUser(const std::string& scratch,
                                          const std::function<std::string()>& body) {
  if (!RunsAsRoot()) return body();
  if (!MayActAsOrdinaryUser(scratch)) return std::nullopt;
  GiveToOrdinaryUser(scratch);
  return RunInChild(RunAs::kOrdinaryUser, body);
}

}  // namespace ondrel::testing
