// Carrying a file's extended attributes (access control lists among them) over to the file
// that replaces it.
#pragma once

#include <string>

namespace ondrel {

// Gives the file open as `to` (`toPath` names it in failures) every extended attribute of the
// file at `from`. Attributes that only the system may set are left out; throws Failure when
// any other cannot be read or given.
void CopyExtendedAttributes(const std::string& from, int to, const std::string& toPath);

}  // namespace ondrel
