// The program's 8-bit texts (UTF-8, the code page its manifest asks for) to and from the
// wide characters of the Win32 calls.
#pragma once

#include <string>
#include <string_view>

namespace ondrel::ui {

std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace ondrel::ui
