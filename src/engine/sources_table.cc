#include "engine/sources_table.h"

#include <algorithm>
#include <cstring>

#include "common/byte_search.h"
#include "common/failure.h"

namespace ondrel {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;

}  // namespace

void AppendCsvField(std::string& row, std::string_view field) {
  const char* const end = field.data() + field.size();
  if (FindFirstOf<',', '"', '\r', '\n'>(field.data(), end) == end) {
    row += field;
    return;
  }
  row += '"';
  for (const char c : field) {
    if (c == '"') row += '"';
    row += c;
  }
  row += '"';
}

std::string_view SourcesTable::Keep(std::string_view text) {
  if (text.size() > blockRoom_) {
    const std::size_t size = std::max(kBlockSize, text.size());
    blocks_.push_back(std::make_unique<char[]>(size));
    blockNext_ = blocks_.back().get();
    blockRoom_ = size;
  }
  char* const copy = blockNext_;
  if (!text.empty()) std::memcpy(copy, text.data(), text.size());
  blockNext_ += text.size();
  blockRoom_ -= text.size();
  return std::string_view(copy, text.size());
}

void SourcesTable::AddFile(const std::string& path, const FileFindings& findings) {
  if (findings.Empty()) return;
  if (files_.size() > UINT32_MAX) throw Failure(kFailureOverflow, "Troppi file");
  const auto file = static_cast<std::uint32_t>(files_.size());
  files_.emplace_back();
  AppendCsvField(files_.back(), path);
  findings.ForEach([&](std::string_view address, const FileFindings::Occurrence& occurrence) {
    rows_.push_back(Row{Keep(address), file, occurrence.line, occurrence.count});
  });
}

void SourcesTable::Write(LineWriter& out) {
  std::sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
    const int order = a.address.compare(b.address);
    return order != 0 ? order < 0 : a.file < b.file;
  });
  out.WriteLine("address,file,line,count");
  std::string row;
  for (const Row& entry : rows_) {
    row.clear();
    AppendCsvField(row, entry.address);
    row += ',';
    row += files_[entry.file];
    row += ',';
    row += std::to_string(entry.line);
    row += ',';
    row += std::to_string(entry.count);
    out.WriteLine(row);
  }
}

}  // namespace ondrel
