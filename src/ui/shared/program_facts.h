// The program facts of a desktop program: its place, found by the toolkit, and the title and
// version fixed at build time.
#pragma once

#include <string>

#include "common/window_system.h"

namespace ondrel::ui {

ProgramFacts DesktopProgramFacts(std::string folder, std::string executableName);

}  // namespace ondrel::ui
