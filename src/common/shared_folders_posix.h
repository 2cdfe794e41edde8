// Inside the POSIX platform files only: folders that others may write, and what another user
// may have planted there. The program applies the kernel's own protections of such folders
// (protected_symlinks, protected_regular) itself, whether the kernel is set to or not.
#pragma once

#include <sys/stat.h>

#include <string>

namespace ondrel {

// The path that `path` leads to, every symbolic link resolved, as realpath gives it; but a link
// in a sticky, world-writable folder is followed only when it belongs to the user or to the
// folder's owner, and otherwise refused (kFailureSymbolicLink). Throws Failure when nothing is
// there or a part cannot be looked up.
std::string ResolveWithoutPlantedLinks(const std::string& path);

// Refuses, as ResolveWithoutPlantedLinks does, a planted link on the way to `path`, checking
// only as far as the parts can be looked up: the open that follows reports any other fault, and
// follows a link only the kernel can resolve (a /proc/self/fd entry holds no path).
void RefusePlantedLinks(const std::string& path);

// Throws Failure (kFailureAccessDenied) when `file`, the status of the existing file at
// `path`, belongs neither to the user nor to the owner of its folder, and that folder is
// sticky and world-writable: another user placed the file there, and the user's data must not
// go into it.
void RefusePlantedFile(const std::string& path, const struct stat& file);

}  // namespace ondrel
