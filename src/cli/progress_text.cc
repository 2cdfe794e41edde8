#include "cli/progress_text.h"

#include <algorithm>
#include <cstdint>

namespace ondrel::cli {
namespace {

constexpr std::string_view kGap = "  ";
constexpr std::string_view kEllipsis = "...";

// Length of the valid UTF-8 sequence starting at `text[i]`, or 0 if there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i, char32_t& codePoint) {
  const auto lead = static_cast<std::uint8_t>(text[i]);
  std::size_t length;
  char32_t minimum;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<std::uint8_t>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

int ColumnsOfCodePoint(char32_t codePoint) {
  return codePoint >= 0x1100 ? 2 : 1;
}

bool IsControl(char32_t codePoint) {
  return codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0);
}

// Calls `visit(position, length, columns)` for every character of printable text.
template <typename Visit>
void ForEachCharacter(std::string_view printable, Visit visit) {
  for (std::size_t i = 0; i < printable.size();) {
    char32_t codePoint = 0;
    std::size_t length = Utf8SequenceLength(printable, i, codePoint);
    if (length == 0) length = 1, codePoint = 0;
    if (!visit(i, length, ColumnsOfCodePoint(codePoint))) return;
    i += length;
  }
}

// The longest start of printable text that fits `columns`.
std::string_view Head(std::string_view printable, int columns) {
  std::size_t end = 0;
  int used = 0;
  ForEachCharacter(printable, [&](std::size_t i, std::size_t length, int width) {
    if (used + width > columns) return false;
    used += width;
    end = i + length;
    return true;
  });
  return printable.substr(0, end);
}

// The longest end of printable text that fits `columns`.
std::string_view Tail(std::string_view printable, int columns) {
  int total = ColumnsOf(printable);
  std::size_t start = printable.size();
  ForEachCharacter(printable, [&](std::size_t i, std::size_t, int width) {
    if (total <= columns) {
      start = i;
      return false;
    }
    total -= width;
    return true;
  });
  return printable.substr(start);
}

// Printable text cut to `columns`: its end replaced by "..." or, with `keepEnds`, its middle.
std::string Shorten(std::string_view printable, int columns, bool keepEnds) {
  if (columns <= 0) return {};
  if (ColumnsOf(printable) <= columns) return std::string(printable);
  const int ellipsis = static_cast<int>(kEllipsis.size());
  if (columns <= ellipsis) return std::string(Head(printable, columns));
  const int room = columns - ellipsis;
  if (!keepEnds) return std::string(Head(printable, room)) + std::string(kEllipsis);
  const int headRoom = room / 2;
  return std::string(Head(printable, headRoom)) + std::string(kEllipsis) +
         std::string(Tail(printable, room - headRoom));
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string printable;
  printable.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t codePoint = 0;
    const std::size_t length = Utf8SequenceLength(text, i, codePoint);
    if (length == 0 || IsControl(codePoint)) {
      printable += '?';
      i += std::max<std::size_t>(length, 1);
    } else {
      printable.append(text.substr(i, length));
      i += length;
    }
  }
  return printable;
}

int ColumnsOf(std::string_view printable) {
  int columns = 0;
  ForEachCharacter(printable, [&](std::size_t, std::size_t, int width) {
    columns += width;
    return true;
  });
  return columns;
}

std::string FitProgressLine(std::string_view processing, std::string_view address, int columns) {
  const std::string file = PrintableText(processing);
  const std::string mail = PrintableText(address);
  if (mail.empty()) return Shorten(file, columns, true);
  const std::string shownMail = Shorten(
      mail, std::max(columns / 2, columns - ColumnsOf(file) - static_cast<int>(kGap.size())),
      false);
  const int fileRoom = columns - ColumnsOf(shownMail) - static_cast<int>(kGap.size());
  if (file.empty() || fileRoom <= 0) return shownMail;
  return Shorten(file, fileRoom, true) + std::string(kGap) + shownMail;
}

}  // namespace ondrel::cli
