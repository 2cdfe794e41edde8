// Reads a list in pieces of whole lines, each small enough to sit in a memory budget together
// with what is built over its lines (a LineTable, a LineSet): how the list tools work on a
// list that does not fit in memory whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_handle.h"
#include "common/file_system.h"
#include "common/large_memory.h"

namespace ondrel {

// One piece: its text, whole lines with their line ends (the list's last line may lack one),
// and room for what is built over its lines. Valid until the next call of Next.
struct ListPiece {
  std::string_view text;
  std::size_t lines = 0;
  void* room = nullptr;  // the bytes per line asked for, times `lines`, aligned to 16
};

class ListPieces {
 public:
  // Reads `list`, open at its start through `files`; `path` names it in failures. Takes one
  // block of `budget`
  // bytes (less when the system has no room for that much: half as much is tried, and so on),
  // which holds a piece and `bytesPerLine` (a multiple of 16) for each of its lines; more only
  // for a line that does not fit in it so: the block grows to hold it.
  ListPieces(FileHandle list, const std::string& path, std::size_t budget, std::size_t bytesPerLine,
             FileSystem& files);

  // The next piece; false at the end of the list. Throws Failure on a read error.
  bool Next(ListPiece& piece);

  // The bytes of the list handed out in pieces so far.
  std::uint64_t BytesDone() const { return done_; }

 private:
  // Whether the text read so far, and the room for one more line than `lines_`, fit the block.
  bool RoomForOneMore() const;
  // Reads more of the list after the bytes held; false at its end.
  bool ReadMore();
  // Makes the block twice as large, keeping the bytes held.
  void Grow();

  FileSystem& files_;
  FileHandle list_;
  std::string path_;
  LargeMemory block_;
  std::size_t capacity_ = 0;
  std::size_t bytesPerLine_;
  std::size_t readSize_ = 0;  // the most read at once, a small share of the block
  std::size_t held_ = 0;      // bytes read into the block
  std::size_t cut_ = 0;       // of those, the bytes of the whole lines taken into the piece
  std::size_t searched_ = 0;  // from cut_ on, bytes known to end no line
  std::size_t lines_ = 0;     // lines taken into the piece
  bool atEnd_ = false;
  std::uint64_t done_ = 0;
};

}  // namespace ondrel
