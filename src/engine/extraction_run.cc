// PLACEHOLDER until the engine lands.
#include "engine/extraction_run.h"

namespace ondrel {

RunResult RunExtraction(const std::string&, const std::string&, const std::int16_t&, int,
                        RunCounters&, WindowSystem&) {
  return {};
}

}  // namespace ondrel
