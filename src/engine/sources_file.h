// The provenance file of an extraction run: its table is written beside the file's place
// and takes that place only once complete, as a rewritten list does.
#pragma once

#include <string>

#include "common/replacement_file.h"
#include "engine/sources_table.h"

namespace ondrel {

class SourcesFile {
 public:
  // Prepares to replace the file at `path` (the one a link leads to), or to create it when
  // nothing is there. Throws Failure when no temporary file can be made beside it.
  SourcesFile(const std::string& path, FileSystem& files);

  SourcesTable& Table() { return table_; }

  // Writes the table and puts it in the file's place. Throws Failure; the file is then as it
  // was, and no temporary file is left.
  void Commit();

 private:
  SourcesTable table_;
  ReplacementFile replacement_;
};

// Whether writing `path` would write over the file `outputFile` names, now or once it has
// been created: the same file however spelled, or the same name in the same folder.
bool WouldWriteOver(const std::string& path, const std::string& outputFile, FileSystem& files);

}  // namespace ondrel
