#include "lists/list_pieces.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/text_lines.h"

namespace ondrel {
namespace {

// Key loads read up to 8 bytes past a piece's last line.
constexpr std::size_t kReadablePast = 8;
// The least block worth taking: a budget the system cannot give is halved down to this.
constexpr std::size_t kLeastBlock = std::size_t{64} << 10;
// Reads of 1 MiB keep the system's calls few; a block holds at least 32 of them, so that the
// bytes read ahead of the piece's last line waste little of it.
constexpr std::size_t kMostRead = std::size_t{1} << 20;

// A block of about `budget` bytes, a multiple of 16 (the room for the lines is at its end);
// less when the system cannot give that much.
LargeMemory TakeBlock(std::size_t& budget) {
  budget = std::max<std::size_t>(budget, 64) / 16 * 16;
  for (;;) {
    try {
      return LargeMemory(budget);
    } catch (const std::bad_alloc&) {
      if (budget / 2 < kLeastBlock) throw;
      budget = budget / 32 * 16;
    }
  }
}

}  // namespace

ListPieces::ListPieces(FileHandle list, const std::string& path, std::size_t budget,
                       std::size_t bytesPerLine, FileSystem& files)
    : files_(files),
      list_(std::move(list)),
      path_(path),
      capacity_(budget),
      bytesPerLine_(bytesPerLine) {
  block_ = TakeBlock(capacity_);
  readSize_ = std::clamp<std::size_t>(capacity_ / 32, 16, kMostRead);
  files_.AdviseSequential(list_);
}

bool ListPieces::RoomForOneMore() const {
  return held_ + kReadablePast + bytesPerLine_ * (lines_ + 1) <= capacity_;
}

bool ListPieces::ReadMore() {
  if (atEnd_) return false;
  std::size_t room = capacity_ - bytesPerLine_ * lines_ - kReadablePast - held_;
  if (room == 0) return true;  // the caller cuts the piece here, or grows the block
  room = std::min(room, readSize_);
  const std::size_t got =
      files_.Read(list_, static_cast<char*>(block_.Data()) + held_, room, path_);
  if (got == 0) atEnd_ = true;
  held_ += got;
  return got > 0;
}

void ListPieces::Grow() {
  LargeMemory larger(LargeMemory::BytesFor(capacity_, 2));
  std::memcpy(larger.Data(), block_.Data(), held_);
  block_ = std::move(larger);
  capacity_ *= 2;
}

// Lines are taken while the text up to the last byte read, and their room counted from the
// block's end, leave the bytes between them free. A CR as the last byte read waits
// for the next byte, which may be the LF of the same line end.
bool ListPieces::Next(ListPiece& piece) {
  char* const data = static_cast<char*>(block_.Data());
  // The bytes read past the last piece become the start of this one.
  std::memmove(data, data + cut_, held_ - cut_);
  held_ -= cut_;
  searched_ = cut_ < held_ ? searched_ : 0;
  cut_ = 0;
  lines_ = 0;
  for (;;) {
    char* const begin = static_cast<char*>(block_.Data());
    const char* const held = begin + held_;
    const char* const end = FindLineEnd(begin + cut_ + searched_, held);
    const bool waits = end == held ? !atEnd_ : *end == '\r' && end + 1 == held && !atEnd_;
    if (!waits && cut_ < held_) {
      if (!RoomForOneMore()) {
        if (lines_ > 0) break;
        Grow();
        continue;
      }
      std::size_t next = end == held ? held_ : static_cast<std::size_t>(end - begin) + 1;
      if (next < held_ && *end == '\r' && begin[next] == '\n') ++next;
      cut_ = next;
      searched_ = 0;
      ++lines_;
      continue;
    }
    if (!waits) break;  // the end of the list
    searched_ = static_cast<std::size_t>(end - begin) - cut_;
    const std::size_t before = held_;
    if (ReadMore() && held_ == before) {
      // No room to read into: the piece ends here, or a line longer than the block grows it.
      if (lines_ > 0) break;
      Grow();
    }
  }
  if (lines_ == 0) return false;
  char* const begin = static_cast<char*>(block_.Data());
  piece.text = std::string_view(begin, cut_);
  piece.lines = lines_;
  piece.room = begin + capacity_ - bytesPerLine_ * lines_;
  done_ += cut_;
  return true;
}

}  // namespace ondrel
