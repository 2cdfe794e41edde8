#include "lists/small_file_system.h"

namespace ondrel::testing {

// Windows mounts no file system of a chosen size for a process.
SmallFileSystem::SmallFileSystem(const std::string& folder) : folder_(folder), mounted_(false) {}

SmallFileSystem::~SmallFileSystem() = default;

}  // namespace ondrel::testing
