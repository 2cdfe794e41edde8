// Writing the benchmark workloads: a buffered file that reports every failure, and
// folder creation.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace ondrel::bench {

class OutputFile {
 public:
  // Creates or empties `path`; exits with a message if it cannot.
  explicit OutputFile(const std::string& path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  void Write(std::string_view bytes);

 private:
  std::string path_;
  std::FILE* file_;
};

// Creates `path` and every missing folder above it; exits with a message if it cannot.
void MakeFolders(const std::string& path);

// Prints `what` with the reason of the last system error and ends the program.
[[noreturn]] void Fail(const std::string& what);

}  // namespace ondrel::bench
