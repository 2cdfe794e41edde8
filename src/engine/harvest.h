// Reading the files of a run's walk, on the calling thread or on several, while their
// addresses reach the output in walk order.
#pragma once

#include <cstdint>
#include <string>

#include "common/line_writer.h"
#include "engine/file_scanner.h"

namespace ondrel {

class SourcesTable;

// Walks `folder` as ScanFolderTree does with `state`, while `jobs` readers read and scan the
// files it selects: with one job the calling thread reads them as the walk meets them, with
// more each reader is a thread with a read buffer of its own, at most a few files each under
// way, handing its addresses over in batches of bounded size. Either way the calling thread
// walks and writes: every address is shown through `state.progress`, yielded at, written to
// `output` and counted in `addressesFound`, file by file in walk order, so the output, the
// counts, what is shown and any failure are those of one reader, at the same point. What
// could not be read ends in `state.skipped`, in walk order. When `sources` is given, it
// receives the findings of every file, in walk order. Throws what ScanFolderTree throws.
void HarvestTree(std::string& folder, ScanState& state, LineWriter& output,
                 std::int32_t& addressesFound, int jobs, SourcesTable* sources);

}  // namespace ondrel
