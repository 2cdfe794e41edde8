// Reading one selected file and handing on every address it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/file_status.h"
#include "common/file_system.h"
#include "common/read_buffer.h"
#include "engine/address_scanner.h"
#include "engine/harvest_progress.h"
#include "engine/store_conversion.h"

namespace ondrel {

// A file or folder the run could not read, with the reason; its addresses are missing.
struct SkippedFile {
  std::string path;
  std::string reason;
};

// What one reader of a run's files works with: the walk and, in a harvest on several threads,
// each of its readers has its own.
struct ScanState {
  ScanState(const std::int16_t& fileKind, HarvestProgress& progress, FileSystem& files,
            const std::optional<FileIdentity>& excluded)
      : fileKind(fileKind), progress(progress), files(files), excluded(excluded) {}

  const std::int16_t& fileKind;  // read afresh where it is used: the user may change it
  HarvestProgress& progress;
  FileSystem& files;                         // what the walk lists and the scanner reads through
  std::optional<FileIdentity> excluded;      // the run's own output: never read back
  ReadBuffer buffer;                         // every file is read through it
  TempPathSource newTempPath = NewTempPath;  // where store files are copied
  std::vector<SkippedFile> skipped;          // in the order the walk met them
};

// Shows the file through `state.progress` and yields; for the store kind has a text copy made
// and reads that instead; then hands every address of the file to `sink`, in order. Returns
// 0, or the number of the failure that ended the reading of this file (what was handed on
// stays), which is also added to `state.skipped`. A failure of `sink` is the run's, not the
// file's: it is thrown.
std::int32_t ScanFile(const FilePlace& place, ScanState& state, AddressSink& sink);

}  // namespace ondrel
