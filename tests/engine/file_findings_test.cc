#include "engine/file_findings.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/address_scanner.h"
#include "engine/extraction_run.h"
#include "engine/literal_scan.h"

namespace ondrel {
namespace {

using Table = std::map<std::string, std::pair<std::uint64_t, std::uint64_t>>;

// The text cut into lines as the line reader cuts it, each line's addresses numbered.
Table LineByLine(const std::string& text) {
  Table table;
  std::uint64_t number = 1;
  for (std::size_t start = 0; start < text.size(); ++number) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::vector<std::string> found;
    testing::LiteralLineAddresses(std::string_view(text).substr(start, end - start), kKindTextFiles,
                                  found);
    for (const std::string& address : found) {
      auto& [line, count] = table[address];
      if (count++ == 0) line = number;
    }
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return table;
}

struct Recorder : AddressSink {
  void BeginLines(std::string_view lines) override { findings.BeginLines(lines); }
  void Found(std::string_view address) override { findings.Found(address); }
  void EndLines() override { findings.EndLines(); }
  Table Recorded() const {
    Table table;
    findings.ForEach([&](std::string_view address, const FileFindings::Occurrence& occurrence) {
      table[std::string(address)] = {occurrence.line, occurrence.count};
    });
    return table;
  }
  FileFindings findings;
};

TEST(FileFindings, NumbersLinesAsTheLineReaderDoesWhereverTheRunsOfLinesAreCut) {
  static const char* const kPieces[] = {"a@b", "c@d", "x", " ", "\r", "\n", "\r\n", "\r\r"};
  std::mt19937 random(17);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int i = 0; i < 30; ++i) text += kPieces[random() % std::size(kPieces)];
    const Table expected = LineByLine(text);
    // Runs of whole lines end after a line-end byte: a CR LF may fall across two of them.
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      if (cut != 0 && cut != text.size() && text[cut - 1] != '\r' && text[cut - 1] != '\n')
        continue;
      SCOPED_TRACE(::testing::PrintToString(text) + " cut at " + std::to_string(cut));
      Recorder recorder;
      const std::int16_t kind = kKindTextFiles;
      ScanLines(std::string_view(text).substr(0, cut), kind, recorder);
      ScanLines(std::string_view(text).substr(cut), kind, recorder);
      ASSERT_EQ(recorder.Recorded(), expected);
    }
  }
}

}  // namespace
}  // namespace ondrel
