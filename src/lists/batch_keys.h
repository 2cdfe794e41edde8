// Makes the keys of a batch of base lines; digests, which cost most of a digest subtraction,
// on two cores where there are two.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/exclusion_keys.h"

namespace ondrel {

class BatchKeyMaker {
 public:
  // Throws Failure when the system's library does not offer the digest.
  explicit BatchKeyMaker(KeyKind kind);

  // Sets keys[i] to the key of the trimmed line lines[i], or to none when it has none or when
  // skip[i] is set (an empty `skip` skips nothing). The keys stay valid until the next call.
  // Throws Failure when a digest fails.
  void Make(std::span<const std::string_view> lines, std::span<const std::uint8_t> skip,
            std::vector<std::optional<std::string_view>>& keys);

 private:
  struct Half {
    BaseKeyMaker maker;
    std::string made;
  };
  void MakePart(Half& half, std::span<const std::string_view> lines,
                std::span<const std::uint8_t> skip, std::optional<std::string_view>* keys);

  bool twoCores_;
  Half halves_[2];
};

}  // namespace ondrel
