// Generates the benchmark workloads, the same bytes on every run:
//   ondrel-bench-workload text ROOT BYTES FILES
//   ondrel-bench-workload web ROOT BYTES FILES
//   ondrel-bench-workload walk ROOT FOLDERS FILES
//   ondrel-bench-workload duplicates LIST LINES
//   ondrel-bench-workload subtraction BASE BASE_LINES EXCLUSION EXCLUSION_LINES
//   ondrel-bench-workload chain ROOT LEVELS
//   ondrel-bench-workload long-paths ROOT LEVELS NAME_LENGTH
//   ondrel-bench-workload byte-names ROOT
//   ondrel-bench-workload long-line FILE BYTES [at]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "workload/limits.h"
#include "workload/lists.h"
#include "workload/trees.h"

namespace {

int Usage() {
  std::fputs(
      "usage: ondrel-bench-workload text|web ROOT BYTES FILES\n"
      "       ondrel-bench-workload walk ROOT FOLDERS FILES\n"
      "       ondrel-bench-workload duplicates LIST LINES\n"
      "       ondrel-bench-workload subtraction BASE BASE_LINES EXCLUSION EXCLUSION_LINES\n"
      "       ondrel-bench-workload chain ROOT LEVELS\n"
      "       ondrel-bench-workload long-paths ROOT LEVELS NAME_LENGTH\n"
      "       ondrel-bench-workload byte-names ROOT\n"
      "       ondrel-bench-workload long-line FILE BYTES [at]\n",
      stderr);
  return 2;
}

unsigned long long Number(const char* text) {
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value == 0) {
    std::fprintf(stderr, "ondrel-bench-workload: not a positive number: %s\n", text);
    std::exit(2);
  }
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ondrel::bench;
  if (argc < 2) return Usage();
  const std::string_view what = argv[1];
  if ((what == "text" || what == "web" || what == "walk") && argc == 5) {
    const unsigned long long amount = Number(argv[3]);
    const int files = static_cast<int>(Number(argv[4]));
    if (what == "text") WriteTextTree(argv[2], amount, files);
    if (what == "web") WriteWebTree(argv[2], amount, files);
    if (what == "walk") WriteWalkTree(argv[2], static_cast<int>(amount), files);
    return 0;
  }
  if (what == "duplicates" && argc == 4) {
    WriteDuplicateList(argv[2], static_cast<std::uint32_t>(Number(argv[3])));
    return 0;
  }
  if (what == "subtraction" && argc == 6) {
    WriteSubtractionLists(argv[2], static_cast<std::uint32_t>(Number(argv[3])), argv[4],
                          static_cast<std::uint32_t>(Number(argv[5])));
    return 0;
  }
  if (what == "chain" && argc == 4) {
    WriteChain(argv[2], static_cast<int>(Number(argv[3])));
    return 0;
  }
  if (what == "long-paths" && argc == 5) {
    WriteLongPaths(argv[2], static_cast<int>(Number(argv[3])), static_cast<int>(Number(argv[4])));
    return 0;
  }
  if (what == "byte-names" && argc == 3) {
    WriteByteNames(argv[2]);
    return 0;
  }
  if (what == "long-line" && (argc == 4 || (argc == 5 && std::string_view(argv[4]) == "at"))) {
    WriteLongLine(argv[2], Number(argv[3]), argc == 5);
    return 0;
  }
  return Usage();
}
