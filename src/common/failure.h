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
  kFailureSymbolicLink = 10027,  // a symbolic link where none is followed
  kFailureNotRegular = 10028,    // a pipe, a device or the like where a file was wanted
  kFailureSystem = 10029,        // any other failure of the system
  kFailureReadOnlyDisk = 10030,  // the disk or medium may not be written at all
  kFailureTooManyFiles = 10031,  // the program or the system has too many files open
  kFailureFileTooLarge = 10032,  // larger than the file system takes
  kFailureNotSupported = 10033,  // the file system or device cannot do it
  kFailureNotReady = 10034,      // the device or drive is missing or not ready
};

// A failure carries one of the program's own numbers: a system's error number is turned into
// one by the platform files (SystemFailure), never passed on as it is.
class Failure : public std::runtime_error {
 public:
  Failure(FailureNumber number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  FailureNumber Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  FailureNumber number_;
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

// How a failure is laid out for the user: on one line of the console, or in a message box.
enum class FailureLayout {
  kOneLine,     // "WHAT, errore N: DESCRIPTION."
  kMessageBox,  // "WHAT", a blank line, "Errore N: DESCRIPTION"
};

// The text that tells the user that `what` stopped on `failure`, with its number and
// description, in `layout`.
std::string FailureMessage(std::string_view what, const Failure& failure, FailureLayout layout);

// The Italian description of the program's own failure number `number`: the one table of
// texts, whatever system the failure came from.
std::string FailureText(FailureNumber number);

// Throws the failure `number` the same way, described by FailureText.
[[noreturn]] void ThrowFailure(FailureNumber number, std::string_view action,
                               std::string_view path);

}  // namespace ondrel
