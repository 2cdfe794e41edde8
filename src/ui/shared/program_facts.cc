#include "ui/shared/program_facts.h"

#include <utility>

#include "ondrel/version.h"

namespace ondrel::ui {

ProgramFacts DesktopProgramFacts(std::string folder, std::string executableName) {
  ProgramFacts facts;
  facts.folder = std::move(folder);
  facts.executableName = std::move(executableName);
  facts.title = kProgramTitle;
  facts.major = kVersionMajor;
  facts.minor = kVersionMinor;
  facts.revision = kVersionRevision;
  return facts;
}

}  // namespace ondrel::ui
