// Reading the files of a run's walk on several threads, while their addresses reach the
// output in the order one thread would write them.
#pragma once

#include <string>

#include "engine/file_scanner.h"

namespace ondrel {

class SourcesTable;

// Walks `folder` as ScanFolderTree does, while `jobs` worker threads read and scan the files
// it selects, each with a read buffer of its own. The calling thread walks and writes: every
// address goes to `state.output` and is counted in `state.addressesFound` file by file in
// walk order, so the output, the counts and any failure are those of a run on one thread, at
// the same point. It shows the file most recently finished and its last address, and yields
// after every file and every batch of addresses. Workers hand addresses over in batches of
// bounded size, and at most a few files per worker are under way. When `sources` is given,
// it receives the findings of every file, in walk order. Throws what ScanFolderTree throws.
void HarvestInParallel(std::string& folder, ExtractionState& state, int jobs,
                       SourcesTable* sources);

}  // namespace ondrel
