#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>

#include "common/memory_budget.h"

namespace ondrel {
namespace {

// A 32-bit program has its address space as a limit, less what the system keeps for itself.
constexpr std::uint64_t kAddressSpace =
    sizeof(void*) == 4 ? std::uint64_t{3} << 30 : ~std::uint64_t{0};

std::uint64_t PageSize() {
  const long size = ::sysconf(_SC_PAGESIZE);
  return size > 0 ? static_cast<std::uint64_t>(size) : 4096;
}

// The soft limit `resource`, or none when there is none.
std::optional<std::uint64_t> SoftLimit(int resource) {
  rlimit limit{};
  if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
  return static_cast<std::uint64_t>(limit.rlim_cur);
}

struct InUse {
  std::uint64_t addressSpace = 0;
  std::uint64_t data = 0;  // what the data limit counts: private writable memory
};

// From /proc/self/statm: its first field is the address space in pages, its sixth the data.
// Under an emulator (qemu-i386) they are the host process's, more than the whole address
// space: then nothing is known of this program's.
InUse MemoryInUse() {
  InUse inUse;
  std::ifstream statm("/proc/self/statm");
  std::uint64_t size = 0, resident = 0, shared = 0, text = 0, library = 0, data = 0;
  if (statm >> size >> resident >> shared >> text >> library >> data &&
      size * PageSize() < kAddressSpace) {
    inUse.addressSpace = size * PageSize();
    inUse.data = data * PageSize();
  }
  return inUse;
}

// MemAvailable of /proc/meminfo; else the free pages the system counts.
std::optional<std::uint64_t> PhysicalAvailable() {
  std::ifstream meminfo("/proc/meminfo");
  std::string name;
  std::uint64_t kib = 0;
  std::string unit;
  while (meminfo >> name >> kib) {
    if (name == "MemAvailable:") return kib * 1024;
    std::getline(meminfo, unit);
  }
  const long pages = ::sysconf(_SC_AVPHYS_PAGES);
  if (pages <= 0) return std::nullopt;
  return static_cast<std::uint64_t>(pages) * PageSize();
}

std::uint64_t Left(std::uint64_t limit, std::uint64_t used) {
  return limit > used ? limit - used : 0;
}

}  // namespace

MemoryFacts SystemMemoryFacts() {
  const InUse inUse = MemoryInUse();
  std::uint64_t left = Left(kAddressSpace, inUse.addressSpace);
  if (const auto limit = SoftLimit(RLIMIT_AS))
    left = std::min(left, Left(*limit, inUse.addressSpace));
  if (const auto limit = SoftLimit(RLIMIT_DATA)) left = std::min(left, Left(*limit, inUse.data));
  MemoryFacts facts;
  if (left != ~std::uint64_t{0}) facts.addressSpaceLeft = left;
  facts.physicalAvailable = PhysicalAvailable();
  return facts;
}

}  // namespace ondrel
