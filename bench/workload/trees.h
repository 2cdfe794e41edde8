// Folder trees for the extraction benchmarks: text files, web pages, and a tree of many
// tiny files for timing the walk alone.
#pragma once

#include <cstdint>
#include <string>

namespace ondrel::bench {

// About `total_bytes` of text in `file_count` .txt files, one address token every 20 lines
// or so; a quarter of the files end their lines with CR LF, the others with LF.
void WriteTextTree(const std::string& root, std::uint64_t total_bytes, int file_count);

// About `total_bytes` of web pages (html, htm, asp) in `file_count` files, with mailto links
// and addresses between tags about every 20 lines.
void WriteWebTree(const std::string& root, std::uint64_t total_bytes, int file_count);

// `folder_count` folders (groups of 100) holding `file_count` tiny .txt files in all.
void WriteWalkTree(const std::string& root, int folder_count, int file_count);

}  // namespace ondrel::bench
