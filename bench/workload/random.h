// The benchmark workloads' random numbers: a fixed-seed SplitMix64, so every machine
// generates the same bytes (the standard distributions differ between libraries).
#pragma once

#include <cstddef>
#include <cstdint>

namespace ondrel::bench {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }

  // A number from 0 to bound - 1 (bound > 0); the tiny bias does not matter here.
  std::uint64_t Below(std::uint64_t bound) { return Next() % bound; }

  // True about once in `n` calls.
  bool OneIn(std::uint64_t n) { return Below(n) == 0; }

 private:
  std::uint64_t state_;
};

// A fixed mixing of one number, for choices that must follow from an id alone.
inline std::uint64_t Mix(std::uint64_t x) {
  return Random(x).Next();
}

template <typename T, std::size_t N>
const T& Pick(Random& random, const T (&items)[N]) {
  return items[random.Below(N)];
}

}  // namespace ondrel::bench
