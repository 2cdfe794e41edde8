#include "common/file_search.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_system.h"
#include "common/test_files.h"
#include "common/test_platform.h"

namespace ondrel {
namespace {

using testing::ScratchFolder;

TEST(TestPath, TellsFoundMissingAndFailedSearches) {
  ScratchFolder scratch;
  scratch.Write("dati/pagina.htm", "x");
  scratch.Write("dati/.nascosto", "x");
  std::filesystem::create_directory(scratch / "vuota");
  const bool links = testing::MakeSymbolicLink("pagina.htm", scratch / "dati/link") &&
                     testing::MakeSymbolicLink("nowhere", scratch / "dati/broken");

  struct Case {
    std::string path;
    std::int16_t status;
  };
  std::vector<Case> cases = {
      {scratch / "dati/", kPathFound},
      {scratch / "dati", kPathFound},
      {scratch / "vuota/", kPathFound},
      {scratch / "dati/pagina.htm", kPathFound},
      {scratch / "dati/.nascosto", kPathFound},
      {scratch / "dati/*.htm", kPathFound},
      {scratch / "dati/pag?na.*", kPathFound},
      // A folder's own "." entry matches "*" on Windows, as it does in a listing there.
      {scratch / "vuota/*", kWindowsPlatform ? kPathFound : kPathNotFound},
      {scratch / "dati/*.txt", kPathNotFound},
      {scratch / "manca/", kPathNotFound},
      {scratch / "manca", kPathNotFound},
      {scratch / "dati/pagina.htm/", kWindowsPlatform ? kPathSearchFailed : kPathNotFound},
      {scratch / "manca/*", kPathNotFound},
      {"", kPathNotFound},
      {std::string("bad\0name", 8), kPathSearchFailed},
      {scratch.Path() + std::string(5000, 'a') + "/",
       kWindowsPlatform ? kPathNotFound : kPathSearchFailed},
  };
  if (links) {
    cases.push_back({scratch / "dati/link", kPathFound});
    cases.push_back({scratch / "dati/broken", kPathFound});
  }
  for (const auto& c : cases) EXPECT_EQ(SystemFileSystem().TestPath(c.path), c.status) << c.path;
}

TEST(FindPlainFile, FindsOnlyRegularFiles) {
  ScratchFolder scratch;
  scratch.Write("lista.txt", "a\r\n");
  std::filesystem::create_directory(scratch / "cartella");
  if (testing::MakeSymbolicLink("lista.txt", scratch / "link.txt")) {
    EXPECT_TRUE(SystemFileSystem().FindPlainFile(scratch / "link.txt"));
  }
  testing::MakeSymbolicLink("cartella", scratch / "linkdir");
  EXPECT_TRUE(SystemFileSystem().FindPlainFile(scratch / "lista.txt"));
  EXPECT_TRUE(SystemFileSystem().FindPlainFile(scratch / "l*.txt"));
  EXPECT_FALSE(SystemFileSystem().FindPlainFile(scratch / "cartella"));
  EXPECT_FALSE(SystemFileSystem().FindPlainFile(scratch / "linkdir"));
  EXPECT_FALSE(SystemFileSystem().FindPlainFile(scratch / "cart*"));
  EXPECT_FALSE(SystemFileSystem().FindPlainFile(scratch / "manca.txt"));
  EXPECT_FALSE(SystemFileSystem().FindPlainFile(""));
}

TEST(MatchesWildcard, StarAndQuestionMark) {
  EXPECT_TRUE(MatchesWildcard("*", ""));
  EXPECT_TRUE(MatchesWildcard("*.htm", "a.b.htm"));
  EXPECT_TRUE(MatchesWildcard("a?c", "abc"));
  EXPECT_TRUE(MatchesWildcard("a*b*c", "aXbYbZc"));
  EXPECT_FALSE(MatchesWildcard("a?c", "ac"));
  EXPECT_FALSE(MatchesWildcard("*.htm", "a.html"));
  EXPECT_FALSE(MatchesWildcard("[a]", "a"));
  EXPECT_TRUE(MatchesWildcard("[a]", "[a]"));
}

}  // namespace
}  // namespace ondrel
