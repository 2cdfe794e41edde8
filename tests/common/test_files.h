// A scratch folder per test, removed afterwards, with helpers to make files in it.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace ondrel::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("ondrel-") + (info ? info->test_suite_name() : "t") + "-" +
                       (info ? info->name() : "x") + "-XXXXXX";
    for (char& c : name)
      if (c == '/') c = '_';
    std::string templ = (std::filesystem::temp_directory_path() / name).string();
    path_ = ::mkdtemp(templ.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, ending with the separator.
  std::string Path() const { return path_.string() + "/"; }
  std::string operator/(std::string_view relative) const { return Path() + std::string(relative); }

  // Writes `bytes` to `relative`, creating folders on the way; returns the full path.
  std::string Write(std::string_view relative, std::string_view bytes) const {
    const std::string full = Path() + std::string(relative);
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full;
  }

  static std::string Read(const std::string& full) {
    std::ifstream in(full, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_;
};

// The names in `folder`, sorted: what a failed or stopped rewrite must not leave behind.
inline std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace ondrel::testing
