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
      halves_{{BaseKeyMaker(kind), {}}, {BaseKeyMaker(kind), {}}} {}

void BatchKeyMaker::MakePart(Half& half, std::span<const std::string_view> lines,
                             std::span<const std::uint8_t> skip,
                             std::optional<std::string_view>* keys) {
  // Room reserved for every key at once: the views into `made` stay valid.
  std::size_t room = 0;
  for (const std::string_view line : lines) room += BaseKeyMaker::RoomFor(line);
  half.made.clear();
  half.made.reserve(room);
  for (std::size_t i = 0; i < lines.size(); ++i)
    keys[i] = !skip.empty() && skip[i] ? std::nullopt : half.maker.KeyOf(lines[i], half.made);
}

void BatchKeyMaker::Make(std::span<const std::string_view> lines,
                         std::span<const std::uint8_t> skip,
                         std::vector<std::optional<std::string_view>>& keys) {
  keys.resize(lines.size());
  if (!twoCores_ || lines.size() < kLeastLinesForTwoCores) {
    MakePart(halves_[0], lines, skip, keys.data());
    return;
  }
  const std::size_t middle = lines.size() / 2;
  const auto skipFrom = [&](std::size_t from, std::size_t count) {
    return skip.empty() ? skip : skip.subspan(from, count);
  };
  // The future waits for the other thread however this one ends.
  std::future<void> first;
  try {
    first = std::async(std::launch::async, [&] {
      MakePart(halves_[1], lines.first(middle), skipFrom(0, middle), keys.data());
    });
  } catch (const std::system_error&) {  // no thread to be had: this one does it all
    MakePart(halves_[0], lines, skip, keys.data());
    return;
  }
  MakePart(halves_[0], lines.subspan(middle), skipFrom(middle, lines.size() - middle),
           keys.data() + middle);
  first.get();
}

}  // namespace ondrel
