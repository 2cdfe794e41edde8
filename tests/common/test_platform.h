// What tests do to the file system and the environment that each platform does its own way.
#pragma once

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

// Marks `path` hidden and/or system (Windows file attributes); nothing on POSIX, which has
// neither.
void MarkAttributes(const std::string& path, bool hidden, bool system);

// A junction `link` that leads to the folder `target` (Windows); false where there are none.
bool MakeJunction(const std::string& target, const std::string& link);

}  // namespace ondrel::testing
