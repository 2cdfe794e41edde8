// PLACEHOLDER until the subtraction lands.
#include "lists/subtraction.h"

namespace ondrel {

SubtractionResult SubtractLists(const std::string&, const std::string&, const std::string&) {
  return {};
}

CreateNewFileResult CreateNewFile(const std::string&, const std::string&, std::string&,
                                  WindowSystem&) {
  return {};
}

}  // namespace ondrel
