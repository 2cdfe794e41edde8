// A scratch tree to harvest, an output file outside it and the state of a run over them, for
// tests of the walk and the scanner.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/checked_int.h"
#include "common/faulty_file_system.h"
#include "common/line_writer.h"
#include "common/recording_window_system.h"
#include "common/test_files.h"
#include "engine/extraction_run.h"
#include "engine/file_scanner.h"
#include "engine/folder_walk.h"
#include "engine/harvest.h"

namespace ondrel::testing {

struct HarvestFixture {
  HarvestFixture()
      : output(out / "MailOut.txt", WriteMode::kReplace, files),
        progress(windows),
        state(kind, progress, files, output.Identity()) {
    state.newTempPath = [this] { return out / ("copy" + std::to_string(++copies)); };
  }

  // Harvests `folder` as a run reading on one thread does.
  void Walk(std::string& folder) { HarvestTree(folder, state, output, found, 1, nullptr); }
  // Walks the whole tree.
  void WalkTree() {
    std::string folder = tree.Path();
    Walk(folder);
  }
  // Scans the file at `place` as such a run does.
  std::int32_t Scan(const FilePlace& place) {
    struct Writer final : AddressSink {
      explicit Writer(HarvestFixture& h) : h(h) {}
      void Found(std::string_view address) override {
        h.progress.ShowAddress(address);
        h.progress.Yield();
        h.output.WriteLine(address);
        h.found = CheckedAdd(h.found, std::int32_t{1});
      }
      HarvestFixture& h;
    } writer(*this);
    return ScanFile(place, state, writer);
  }

  // The files whose scan began, by name, in order.
  std::vector<std::string> Scanned() const {
    return CaptionsAfter(StatusLabel::kProc, "Analisi di: ");
  }
  // The addresses shown, in order.
  std::vector<std::string> Shown() const { return CaptionsAfter(StatusLabel::kMail, ""); }

  std::vector<std::string> CaptionsAfter(StatusLabel label, const std::string& prefix) const {
    std::vector<std::string> texts;
    for (const auto& caption : windows.captions) {
      if (caption.label == label && caption.text.rfind(prefix, 0) == 0 &&
          caption.text.rfind("Conversione di: ", 0) != 0)
        texts.push_back(caption.text.substr(prefix.size()));
    }
    return texts;
  }

  ScratchFolder tree, out;
  RecordingWindowSystem windows;
  std::int16_t kind = kKindTextFiles;
  std::int32_t found = 0;
  int copies = 0;
  FaultyFileSystem files;  // what the walk lists and reads through; faults made on demand
  LineWriter output;
  WindowProgress progress;
  ScanState state;
};

}  // namespace ondrel::testing
