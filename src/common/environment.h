// What the program learns from its surroundings: environment variables, the fallback
// temporary folder, the system's decimal separator, and where its own executable is.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondrel {

// The value of an environment variable whose name matches `name` without regard to case.
std::optional<std::string> EnvironmentValueIgnoringCase(std::string_view name);

// Where temporary files go when no "Temp" or "Tmp" variable is set; ends with the separator.
std::string FallbackTempFolder();

// The decimal separator of numbers as the system writes them: on Windows the user's number
// format ("," under an Italian one), on POSIX the program's C locale (".", unless the program
// chose another locale).
std::string DecimalSeparator();

// The full path of the running program's executable file; empty when the system does not
// tell it.
std::string ExecutablePath();

// The program's arguments after its name, as the program's 8-bit strings: on Windows read
// from the wide command line, so that names outside the local code page arrive whole.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace ondrel
