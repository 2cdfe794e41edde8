// What tests do to the file system and the environment that each platform does its own way.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ondrel::testing {

// Sets the environment variable `name`, or removes it when `value` is none.
void SetEnvironment(const std::string& name, const std::optional<std::string>& value);

// A second name `link` for the file `target`; false when the file system has none.
bool MakeHardLink(const std::string& target, const std::string& link);

// A symbolic link `link` to `target` (as spelled); false where ordinary users cannot make
// one (Windows).
bool MakeSymbolicLink(const std::string& target, const std::string& link);

// A named pipe at `path`; false where the file system has none (Windows).
bool MakeFifo(const std::string& path);

// Whether the tests run as the superuser (root), whom permissions do not stop.
bool RunsAsRoot();

// Adds the Windows file attributes `attributes` to `path`, which may end in a space or a dot;
// nothing on POSIX, which has none of them.
inline constexpr unsigned kHidden = 0x2, kSystem = 0x4;
void MarkAttributes(const std::string& path, unsigned attributes);

// The absolute `path` in the form that reaches a name as spelled, a trailing space or dot
// included: on Windows with the \\?\ prefix, which the C and C++ libraries pass on as it is;
// unchanged on POSIX.
std::string LiteralPath(const std::string& path);

// The decimal separator in a number as the system formats it (1.5 written with one decimal).
std::string SystemDecimalSeparator();

// A junction `link` that leads to the folder `target` (Windows); false where there are none.
bool MakeJunction(const std::string& target, const std::string& link);

// Takes every permission on `path` away from its owner; false where permissions cannot stop
// anyone from reading a folder (Windows).
bool TakeAwayPermissions(const std::string& path);

// Makes the folder of `path` one that anyone may write but only owners remove from (sticky and
// world-writable, like /tmp) and gives the entry at `path` (a link itself, not what it leads to)
// to another user: what a hostile user of a shared folder could plant. False where there are
// no such folders or this process may not give files away (Windows, or not root).
bool PlantAsAnotherUser(const std::string& path);

// Takes the permission to write away from `path`; false where that does not stop anyone from
// making files in a folder (Windows).
bool TakeAwayWriting(const std::string& path);

// A new file at `path`, opened for writing as a C runtime file descriptor (what the console
// program writes its two outputs to); -1 when it cannot be made.
int CreateDescriptorFile(const std::string& path);
void CloseDescriptor(int fd);

// Runs `body` as a user whom permissions stop and returns what it returned: the tests' own
// user, or, when they run as root, the ordinary user in a child process, given `scratch`
// first. None where there is no such user (Windows, or a scratch folder that user cannot reach).
std::optional<std::string> AsOrdinaryUser(const std::string& scratch,
                                          const std::function<std::string()>& body);

}  // namespace ondrel::testing
