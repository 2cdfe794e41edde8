// Address lists for the list benchmarks: one address per id, lines ended by CR LF.
#pragma once

#include <cstdint>
#include <string>

namespace ondrel::bench {

// `line_count` lines in random order: four fifths distinct addresses, the rest extra
// copies of them.
void WriteDuplicateList(const std::string& path, std::uint32_t line_count);

// A base list of `base_lines` addresses (repeats allowed) and an exclusion list of
// `exclusion_lines` addresses, about half of which occur in the base list.
void WriteSubtractionLists(const std::string& base_path, std::uint32_t base_lines,
                           const std::string& exclusion_path, std::uint32_t exclusion_lines);

}  // namespace ondrel::bench
