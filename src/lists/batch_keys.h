// Makes the keys of a batch of base lines and hands them on; digests, which cost most of a
// digest subtraction, in two parts on two cores where there are two.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/exclusion_keys.h"

namespace ondrel {

class BatchKeyMaker {
 public:
  using Keys = std::span<const std::optional<std::string_view>>;
  // Takes the keys of the lines from `from` on: keys[k] is the key of line from + k.
  using Use = std::function<void(std::size_t from, Keys keys)>;

  // Throws Failure when the system's library does not offer the digest.
  explicit BatchKeyMaker(KeyKind kind);

  // Makes the key of every trimmed line of `lines`, none for a line that has none or whose
  // skip[i] is set (an empty `skip` skips nothing), and hands them to `use` in one or two
  // parts, valid during the call. Two parts run on two threads at once: each may touch only
  // what belongs to its own lines. Throws what `use` throws, and Failure when a digest fails.
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

  bool twoCores_;
  Part parts_[2];
};

}  // namespace ondrel
