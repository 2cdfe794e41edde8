#include "engine/file_scanner.h"

#include <optional>

#include "common/checked_int.h"
#include "common/failure.h"
#include "common/paths.h"
#include "common/text_reader.h"
#include "engine/address_scanner.h"
#include "engine/file_kind.h"

namespace ondrel {
namespace {

class OutputSink : public AddressSink {
 public:
  explicit OutputSink(ExtractionState& state) : state_(state) {}

  void Found(std::string_view address) override {
    state_.windows.SetCaption(StatusLabel::kMail, address);
    state_.windows.Yield();
    state_.output.WriteLine(address);
    state_.addressesFound = CheckedAdd(state_.addressesFound, std::int32_t{1});
  }

 private:
  ExtractionState& state_;
};

}  // namespace

std::int32_t ScanFile(const FilePlace& place, ExtractionState& state) {
  const std::string& path = place.path;
  state.windows.SetCaption(StatusLabel::kProc, "Analisi di: " + PathInfo(path, 1, state.windows));
  state.windows.Yield();

  std::optional<TextFileReader> reader;
  bool excluded = false;
  const auto skip = [&](const Failure& failure) {
    state.skipped.push_back(SkippedFile{path, failure.Description()});
    return failure.Number();
  };
  if (const auto failure = FailureOf([&] {
        if (state.fileKind != kKindStoreFiles) {
          reader.emplace(place, state.buffer, state.files);
          excluded = reader->Identity() == state.outputIdentity;
        } else if (auto copy = ConvertStoreFile(place, state.newTempPath, state.outputIdentity,
                                                state.buffer, state.windows, state.files)) {
          reader.emplace(std::move(copy->file), copy->path, state.buffer, state.files);
        } else {
          excluded = true;
        }
      }))
    return skip(*failure);
  if (excluded) return 0;

  OutputSink output(state);
  AddressSink& sink = state.handOff != nullptr ? *state.handOff : output;
  for (;;) {
    std::string_view lines;
    bool more = false;
    if (const auto failure = FailureOf([&] { more = reader->NextLines(lines); }))
      return skip(*failure);
    if (!more) return 0;
    ScanLines(lines, state.fileKind, sink);
  }
}

}  // namespace ondrel
