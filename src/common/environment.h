// What the program learns from its surroundings: environment variables, the fallback
// temporary folder, and where its own executable is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondrel {

// The value of an environment variable whose name matches `name` without regard to case.
std::optional<std::string> EnvironmentValueIgnoringCase(std::string_view name);

// Where temporary files go when no "Temp" or "Tmp" variable is set; ends with the separator.
std::string FallbackTempFolder();

// The full path of the running program's executable file; empty when the system does not
// tell it.
std::string ExecutablePath();

}  // namespace ondrel
