// PLACEHOLDER until duplicate elimination lands: reports a failure and touches nothing.
#include "lists/remove_duplicates.h"

namespace ondrel {

EliminationResult RemoveDuplicates(const std::string&, std::int32_t& totalLines, std::int32_t&,
                                   WindowSystem&) {
  totalLines = 0;
  return {EliminationOutcome::kFailed, 1, "not built yet"};
}

}  // namespace ondrel
