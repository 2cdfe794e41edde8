// Inside the POSIX platform files only: the portable status of a struct stat.
#pragma once

#include <sys/stat.h>

#include "common/file_status.h"

namespace ondrel {

inline FileStatus StatusFromStat(const struct stat& info) {
  FileStatus status;
  status.identity = FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                                 static_cast<std::uint64_t>(info.st_ino)};
  status.type = S_ISREG(info.st_mode)   ? FileType::kRegular
                : S_ISDIR(info.st_mode) ? FileType::kFolder
                                        : FileType::kOther;
  status.size = static_cast<std::uint64_t>(info.st_size);
  status.links = static_cast<std::uint32_t>(info.st_nlink);
  status.modified =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  status.changed =
      static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
  status.permissions = static_cast<std::uint32_t>(info.st_mode & 07777);
  status.owner = info.st_uid;
  status.group = info.st_gid;
  return status;
}

}  // namespace ondrel
