// A scratch folder per test, removed afterwards, with helpers to make files in it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/path_rules.h"

namespace ondrel::testing {

// `path` with every "/" written as the platform's separator.
inline std::string Native(std::string_view path) {
  std::string native(path);
  std::replace(native.begin(), native.end(), '/', kPathSeparator);
  return native;
}

// The file system path of `path`, one of the program's UTF-8 strings.
inline std::filesystem::path FsPath(std::string_view path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

// The program's UTF-8 string of `path`.
inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("ondrel-") + (info ? info->test_suite_name() : "t") + "-" +
                       (info ? info->name() : "x") + "-";
    for (char& c : name)
      if (c == '/') c = '_';
    std::random_device seed;
    std::mt19937 random(seed());
    do {
      path_ = std::filesystem::temp_directory_path() / (name + std::to_string(random() % 1000000));
    } while (!std::filesystem::create_directory(path_));
    // The system's own spelling, so that paths built from it compare equal to the program's.
    path_ = std::filesystem::canonical(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    // On Windows through the \\?\ prefix, which reaches names that end in a space or a dot.
    std::filesystem::remove_all(kWindowsPlatform ? FsPath("\\\\?\\" + Utf8(path_)) : path_,
                                ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, ending with the separator.
  std::string Path() const { return Utf8(path_) + kPathSeparator; }
  // `relative` below the folder; "/" in it stands for the platform's separator.
  std::string operator/(std::string_view relative) const { return Path() + Native(relative); }

  // Writes `bytes` to `relative`, creating folders on the way; returns the full path.
  std::string Write(std::string_view relative, std::string_view bytes) const {
    const std::string full = *this / relative;
    std::filesystem::create_directories(FsPath(full).parent_path());
    std::ofstream out(FsPath(full), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full;
  }

  static std::string Read(const std::string& full) {
    std::ifstream in(FsPath(full), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_;
};

// The names in `folder`, sorted: what a failed or stopped rewrite must not leave behind.
inline std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder)))
    names.push_back(Utf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace ondrel::testing
