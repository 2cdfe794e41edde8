#include "lists/run_merge.h"

namespace ondrel {

RunMerge::RunMerge(std::vector<LineFile>& runs, std::size_t bufferBytes, FileSystem& files) {
  readers_.reserve(runs.size());
  for (LineFile& run : runs) {
    buffers_.push_back(std::make_unique<ReadBuffer>(bufferBytes));
    readers_.emplace_back(std::move(run.handle), run.file.Path(), *buffers_.back(), files);
  }
  heads_.resize(runs.size());
}

bool RunMerge::Advance(std::size_t run) {
  if (!readers_[run].NextLine(heads_[run])) return false;
  bytesRead_ += heads_[run].size() + 2;
  return true;
}

void RunMerge::SiftDown(std::size_t slot) {
  const std::size_t count = heap_.size();
  for (;;) {
    std::size_t least = slot;
    for (std::size_t child = 2 * slot + 1; child <= 2 * slot + 2 && child < count; ++child)
      if (Before(heap_[child], heap_[least])) least = child;
    if (least == slot) return;
    std::swap(heap_[slot], heap_[least]);
    slot = least;
  }
}

// The run at the top of the heap holds the line handed out last; it moves on only at the
// next call, so that the line stays valid until then. The same line in other runs is the
// least of the rest, so it is always a child of the top.
bool RunMerge::Next(std::string_view& line, int& copies) {
  if (!started_) {
    started_ = true;
    for (std::size_t run = 0; run < readers_.size(); ++run)
      if (Advance(run)) heap_.push_back(run);
    for (std::size_t slot = heap_.size() / 2; slot-- > 0;) SiftDown(slot);
  } else if (!heap_.empty()) {
    if (!Advance(heap_[0])) {
      heap_[0] = heap_.back();
      heap_.pop_back();
    }
    SiftDown(0);
  }
  if (heap_.empty()) return false;
  line = heads_[heap_[0]];
  copies = 1;
  for (;;) {
    std::size_t same = 0;
    for (std::size_t child = 1; child <= 2 && child < heap_.size(); ++child)
      if (heads_[heap_[child]] == line) same = child;
    if (same == 0) return true;
    ++copies;
    // A run moved into the slot from the end is no less than the top, its parent: sifting
    // down suffices.
    if (!Advance(heap_[same])) {
      heap_[same] = heap_.back();
      heap_.pop_back();
    }
    if (same < heap_.size()) SiftDown(same);
  }
}

}  // namespace ondrel
