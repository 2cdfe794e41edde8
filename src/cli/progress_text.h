// Text for the one progress line of a terminal: made safe to print and cut to its width.
#pragma once

#include <string>
#include <string_view>

namespace ondrel::cli {

// `text` with every control byte and every byte that is not part of valid UTF-8 replaced by
// "?", so that a file name can neither move the cursor nor confuse the column count.
std::string PrintableText(std::string_view text);

// The number of terminal columns printable text takes: one a character, two for the wide
// characters from U+1100 on (an overestimate for some, which only shortens the line).
int ColumnsOf(std::string_view printable);

// The status line for the file being read (`processing`) and the latest `address`, at most
// `columns` wide: the address keeps up to half the width, the file text gives way in its
// middle, where a long path is least telling.
std::string FitProgressLine(std::string_view processing, std::string_view address, int columns);

}  // namespace ondrel::cli
