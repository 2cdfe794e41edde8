// Existence tests by directory search. Wildcards "*" and "?" in the last component match
// entries as a listing would; a path ending with the separator asks for a folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ondrel {

enum TestPathStatus : std::int16_t {
  kPathFound = 0,
  kPathNotFound = 1,
  kPathSearchFailed = 2,
};

// 0 when the search finds a file or folder, 1 when it finds nothing, 2 when it fails.
std::int16_t TestPath(const std::string& path);

// Whether the search finds a regular file (links to regular files included); the existence
// test of the list tools. An empty path finds nothing.
bool FindPlainFile(const std::string& path);

// Whether `name` matches `pattern`, where "*" stands for any run and "?" for one byte.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// The search itself, one per platform. Wildcards in the last component match as in a
// listing; links are not followed, but a link to a regular file counts as a plain file.
enum class SearchResult { kFound, kNotFound, kFailed };
enum class SearchTarget {
  kAnyEntry,   // a file or a folder (on Windows not one marked as system)
  kPlainFile,  // a regular file, or a link to one
};
SearchResult SearchEntry(const std::string& path, SearchTarget target);

}  // namespace ondrel
