// The one runtime failure type: a non-zero number and a short description.
#pragma once

#include <cstdint>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace ondrel {

// The program's own failure numbers, the same on every platform. Each platform maps its system
// errors (errno, GetLastError) onto the second group; callers compare only these.
enum FailureNumber : std::int32_t {
  kFailureOverflow = 10001,
  kFailureDepthLimit = 10002,
  kFailureOutOfMemory = 10003,
  kFailureFileChanged = 10004,
  kFailurePathTooLong = 10005,
  kFailureBadPath = 10006,
  kFailureOutOfRange = 10007,

  kFailureNotFound = 10020,      // no such file or folder
  kFailureAccessDenied = 10021,  // permissions, a read-only file or medium
  kFailureNameTaken = 10022,     // a file of that name exists already
  kFailureNoSpace = 10023,       // the disk or the quota is full
  kFailureIsFolder = 10024,      // a folder where a file was wanted
  kFailureInUse = 10025,         // locked or held open by another program
  kFailureInputOutput = 10026,   // the device failed
  kFailureSystem = 10029,        // any other failure of the system
};

class Failure : public std::runtime_error {
 public:
  Failure(std::int32_t number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  std::int32_t Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  std::int32_t number_;
};

// Runs `work` and hands back the failure that ended it, if one did; running out of memory
// is the failure kFailureOutOfMemory. For the routines that report a failure as their
// result instead of passing it on.
template <typename Work>
std::optional<Failure> FailureOf(Work&& work) {
  try {
    std::forward<Work>(work)();
    return std::nullopt;
  } catch (const Failure& failure) {
    return failure;
  } catch (const std::bad_alloc&) {
    return Failure(kFailureOutOfMemory, "Out of memory");
  }
}

// Throws the failure for the system's error number `system_error` (errno on POSIX,
// GetLastError on Windows), mapped onto the program's numbers, naming the action and the path.
[[noreturn]] void ThrowSystemFailure(int system_error, std::string_view action,
                                     std::string_view path);

// Throws the failure `number`, naming the action and the path.
[[noreturn]] void ThrowFailure(FailureNumber number, std::string_view action,
                               std::string_view path);

}  // namespace ondrel
