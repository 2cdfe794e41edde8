#include "engine/file_scanner.h"

#include <optional>

#include "common/failure.h"
#include "common/text_reader.h"
#include "engine/file_kind.h"

namespace ondrel {

std::int32_t ScanFile(const FilePlace& place, ScanState& state, AddressSink& sink) {
  const std::string& path = place.path;
  state.progress.ShowFile(path);
  state.progress.Yield();

  std::optional<TextFileReader> reader;
  bool excluded = false;
  const auto skip = [&](const Failure& failure) {
    state.skipped.push_back(SkippedFile{path, failure.Description()});
    return static_cast<std::int32_t>(failure.Number());
  };
  if (const auto failure = FailureOf([&] {
        if (state.fileKind != kKindStoreFiles) {
          reader.emplace(place, state.buffer, state.files);
          excluded = reader->Identity() == state.excluded;
        } else if (auto copy = ConvertStoreFile(place, state.newTempPath, state.excluded,
                                                state.buffer, state.progress, state.files)) {
          reader.emplace(std::move(copy->file), copy->path, state.buffer, state.files);
        } else {
          excluded = true;
        }
      }))
    return skip(*failure);
  if (excluded) return 0;

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
