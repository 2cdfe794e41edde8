// The provenance table of an extraction run: one row per distinct pair of address and file,
// written as CSV (RFC 4180) with the header address,file,line,count.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/line_writer.h"
#include "engine/file_findings.h"

namespace ondrel {

class SourcesTable {
 public:
  // Adds the findings of the file at `path`, which the walk reached after every file added
  // before. A file without findings adds nothing.
  void AddFile(const std::string& path, const FileFindings& findings);

  // Writes the header and the rows, sorted by the address's bytes (the order of a sorted
  // address list), then by the walk order of the files. Throws Failure when writing fails.
  void Write(LineWriter& out);

 private:
  struct Row {
    std::string_view address;  // into blocks_
    std::uint32_t file;        // index into files_
    std::uint64_t line;
    std::uint64_t count;
  };

  // Keeps a copy of `text` for as long as the table lives.
  std::string_view Keep(std::string_view text);

  std::vector<std::string> files_;  // as CSV fields
  std::vector<Row> rows_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* blockNext_ = nullptr;  // the first free byte of the last block
  std::size_t blockRoom_ = 0;  // free bytes from there
};

// `field` as a CSV field: as it is, or in double quotes (each one inside doubled) when it
// holds a comma, a double quote, a CR or an LF.
void AppendCsvField(std::string& row, std::string_view field);

}  // namespace ondrel
