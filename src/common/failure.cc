#include "common/failure.h"

#include <cerrno>

namespace ondrel {

void ThrowSystemFailure(int error_number, std::string_view action, std::string_view path) {
  std::string description(action);
  description += " \"";
  description += path;
  description += "\": ";
  description += SystemErrorText(error_number == 0 ? EIO : error_number);
  throw Failure(error_number == 0 ? EIO : error_number, description);
}

}  // namespace ondrel
