#include "lists/batch_keys.h"

#include <future>
#include <system_error>
#include <thread>

namespace ondrel {
namespace {

// Below this many lines a second thread costs more than it saves.
constexpr std::size_t kLeastLinesForTwoCores = 1024;

}  // namespace

BatchKeyMaker::BatchKeyMaker(KeyKind kind)
    : twoCores_(DigestOfKeys(kind) && std::thread::hardware_concurrency() > 1),
      parts_{{BaseKeyMaker(kind), {}, {}}, {BaseKeyMaker(kind), {}, {}}} {}

void BatchKeyMaker::MakePart(Part& part, std::size_t from, std::span<const std::string_view> lines,
                             std::span<const std::uint8_t> skip, const Use& use) {
  // Room reserved for every key at once: the views into `made` stay valid.
  std::size_t room = 0;
  for (const std::string_view line : lines) room += BaseKeyMaker::RoomFor(line);
  part.made.clear();
  part.made.reserve(room);
  part.keys.resize(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    part.keys[i] =
        !skip.empty() && skip[from + i] ? std::nullopt : part.maker.KeyOf(lines[i], part.made);
  use(from, part.keys);
}

void BatchKeyMaker::MakeAndUse(std::span<const std::string_view> lines,
                               std::span<const std::uint8_t> skip, const Use& use) {
  if (!twoCores_ || lines.size() < kLeastLinesForTwoCores) {
    MakePart(parts_[0], 0, lines, skip, use);
    return;
  }
  // The lookups go with the digests: the cache misses of both halves wait at the same time.
  const std::size_t middle = lines.size() / 2;
  std::future<void> first;  // waits for the other thread however this one ends
  try {
    first = std::async(std::launch::async,
                       [&] { MakePart(parts_[1], 0, lines.first(middle), skip, use); });
  } catch (const std::system_error&) {  // no thread to be had: this one does it all
    MakePart(parts_[0], 0, lines, skip, use);
    return;
  }
  MakePart(parts_[0], middle, lines.subspan(middle), skip, use);
  first.get();
}

}  // namespace ondrel
