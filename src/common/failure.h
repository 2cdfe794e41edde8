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

// Numbers of failures that do not come from the operating system. System failures carry
// their errno value, which is always below these.
enum FailureNumber : std::int32_t {
  kFailureOverflow = 10001,
  kFailureDepthLimit = 10002,
  kFailureOutOfMemory = 10003,
  kFailureFileChanged = 10004,
  kFailurePathTooLong = 10005,
  kFailureBadPath = 10006,
  kFailureOutOfRange = 10007,
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
    return Failure(kFailureOutOfMemory, "Memoria insufficiente");
  }
}

// The Italian description of the system's failure number `error_number` (an errno value);
// every system failure a user can see is described through it.
std::string SystemErrorText(int error_number);

// Throws the failure for errno value `error_number`: the action (in Italian, such as
// "Impossibile aprire"), the path in quotes and the description of the number.
[[noreturn]] void ThrowSystemFailure(int error_number, std::string_view action,
                                     std::string_view path);

}  // namespace ondrel
