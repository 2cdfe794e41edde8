#include "lists/list_output.h"

#include "common/failure.h"
#include "common/line_writer.h"

namespace ondrel {

bool SameFile(const std::string& a, const std::string& b, FileSystem& files) {
  const auto identityA = IdentityIfAny(files, a);
  return identityA && identityA == IdentityIfAny(files, b);
}

std::vector<FileHandle> OpenListOutputs(std::span<const std::string> outputs,
                                        std::span<const std::string> inputs, FileSystem& files) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const std::string& output = outputs[i];
    for (const std::string& input : inputs)
      if (SameFile(output, input, files))
        throw Failure(kFailureBadPath, "\"" + output + "\" e` uno degli elenchi da leggere");
    for (std::size_t j = 0; j < i; ++j)
      if (output == outputs[j] || SameFile(output, outputs[j], files))
        throw Failure(kFailureBadPath, "\"" + output + "\" e` anche un altro file da scrivere");
  }
  std::vector<FileHandle> opened;
  for (const std::string& output : outputs)
    opened.push_back(OpenOutputUntouched(output, WriteMode::kReplace, files));
  for (std::size_t i = 0; i < outputs.size(); ++i) EmptyOutput(opened[i], outputs[i], files);
  return opened;
}

}  // namespace ondrel
