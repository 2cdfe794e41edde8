#include "lists/whole_list.h"

#include <algorithm>

#include "common/memory_budget.h"
#include "lists/buffer_lines.h"

namespace ondrel {

std::optional<WholeList> ReadListIfItFits(const std::string& path, std::size_t padding,
                                          std::size_t bytesPerLine, std::uint64_t budget,
                                          FileSystem& files) {
  // A list larger than the budget is not read at all; one that fits is read once, and only
  // then are its lines known.
  const auto status = StatusIfAny(files, path);
  if (status && status->size + padding > budget) return std::nullopt;
  WholeList list{ReadWholeFile(path, padding, files), 0};
  list.lines = CountLines(list.file.Text());
  const std::uint64_t perLine = bytesPerLine * static_cast<std::uint64_t>(list.lines);
  if (list.file.size + padding + perLine > budget) return std::nullopt;
  return list;
}

std::uint64_t BudgetAfterShortage(std::uint64_t budget) {
  return std::min(budget, MemoryBudget(std::nullopt)) / 2;
}

}  // namespace ondrel
