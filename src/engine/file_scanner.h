// Reading one selected file and writing every address it holds to the run's output.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/file_status.h"
#include "common/line_writer.h"
#include "common/read_buffer.h"
#include "common/window_system.h"
#include "engine/address_scanner.h"
#include "engine/store_conversion.h"

namespace ondrel {

// A file or folder the run could not read, with the reason; its addresses are missing.
struct SkippedFile {
  std::string path;
  std::string reason;
};

// What the folder walk and the scanner of one extraction run share.
struct ExtractionState {
  ExtractionState(LineWriter& output, std::int32_t& addressesFound, const std::int16_t& fileKind,
                  WindowSystem& windows, FileSystem& files = SystemFileSystem())
      : output(output),
        outputIdentity(output.Identity()),
        addressesFound(addressesFound),
        fileKind(fileKind),
        windows(windows),
        files(files) {}

  LineWriter& output;
  FileIdentity outputIdentity;  // never scanned, whatever path leads to it
  std::int32_t& addressesFound;
  const std::int16_t& fileKind;  // read afresh where it is used: the user may change it
  WindowSystem& windows;
  FileSystem& files;                         // what the walk lists and the scanner reads through
  ReadBuffer buffer;                         // every file of the run is read through it
  TempPathSource newTempPath = NewTempPath;  // where store files are copied
  std::vector<SkippedFile> skipped;          // in the order the walk met them
  // When set, the addresses a scan finds go to it instead: they are not shown, written or
  // counted here.
  AddressSink* handOff = nullptr;
  // When set, the walk hands it every file it selects instead of scanning the file itself.
  std::function<void(const FilePlace&)> visitFile;
};

// Shows "Analisi di: " and the file's name in lblProc and yields; for the store kind has a text
// copy made and reads that instead; then writes every address of the file to the output,
// showing each in lblMail and yielding before it is written, and counts it. Returns 0, or the
// number of the failure that ended the reading of this file (what was written stays), which is
// also added to `state.skipped`. A failure to write the output or to count is the run's, not
// the file's: it is thrown.
std::int32_t ScanFile(const FilePlace& place, ExtractionState& state);

}  // namespace ondrel
