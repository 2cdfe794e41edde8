#include "common/failure.h"

namespace ondrel {

void ThrowFailure(FailureNumber number, std::string_view action, std::string_view path) {
  std::string description(action);
  description += " \"";
  description += path;
  description += '"';
  throw Failure(number, description);
}

}  // namespace ondrel
