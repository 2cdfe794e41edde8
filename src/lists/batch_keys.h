// Makes the keys of a batch of base lines and hands them on; digests, which cost most of a
// digest subtraction, in blocks shared by two threads where there are two cores.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/exclusion_keys.h"
#include "lists/two_ended_work.h"

namespace ondrel {

class BatchKeyMaker {
 public:
  using Keys = std::span<const std::optional<std::string_view>>;
  // Takes the keys of the lines from `from` on: keys[k] is the key of line from + k.
  using Use = std::function<void(std::size_t from, Keys keys)>;

  // Throws Failure when the system's library does not offer the digest.
  explicit BatchKeyMaker(KeyKind kind);

  // Makes the key of every trimmed line of `lines`, none for a line that has none or whose
  // skip[i] is set (an empty `skip` skips nothing), and hands them to `use` in parts, valid
  // during the call. Parts may run on two threads at once: each may touch only what belongs
  // to its own lines. Throws what `use` throws, and Failure when a digest fails.
  void MakeAndUse(std::span<const std::string_view> lines, std::span<const std::uint8_t> skip,
                  const Use& use);

 private:
  struct Part {
    BaseKeyMaker maker;
    std::string made;
    std::vector<std::optional<std::string_view>> keys;
  };
  void MakePart(Part& part, std::size_t from, std::span<const std::string_view> lines,
                std::span<const std::uint8_t> skip, const Use& use);

  Part parts_[2];                           // one for each thread
  std::optional<TwoEndedWork> twoThreads_;  // for digests, where there are two cores
};

}  // namespace ondrel
