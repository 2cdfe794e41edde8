#include "common/large_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace ondrel {
namespace {

// Sizes on both sides of where the memory starts to be rounded and aligned to large pages,
// and odd sizes past whole large pages: every byte asked for is zero and writable, and the
// memory moves and returns without touching anything it does not own (the sanitizers
// check the last part).
TEST(LargeMemory, EverySizeIsZeroedWritableAndMovable) {
  const std::size_t mib = std::size_t{1} << 20;
  for (std::size_t bytes : {std::size_t{1}, std::size_t{4095}, mib / 4 - 1, mib / 4, mib, 2 * mib,
                            2 * mib + 1, 5 * mib + 3}) {
    LargeMemory memory(bytes);
    auto* data = static_cast<unsigned char*>(memory.Data());
    ASSERT_NE(data, nullptr) << bytes;
    EXPECT_TRUE(std::all_of(data, data + bytes, [](unsigned char b) { return b == 0; })) << bytes;
    std::fill(data, data + bytes, 0xa5);
    LargeMemory moved(std::move(memory));
    EXPECT_EQ(memory.Data(), nullptr);
    EXPECT_EQ(moved.Data(), data);
    EXPECT_EQ(static_cast<unsigned char*>(moved.Data())[bytes - 1], 0xa5);
    LargeMemory assigned(mib);
    assigned = std::move(moved);
    EXPECT_EQ(assigned.Data(), data);
  }
  EXPECT_EQ(LargeMemory(0).Data(), nullptr);
}

// A 32-bit program counting the bytes of a table of 2^31 lines got a small number back and
// wrote past the memory it was given.
TEST(LargeMemory, ASizeBeyondTheAddressSpaceIsRefusedNotWrappedAround) {
  EXPECT_EQ(LargeMemory::BytesFor(3, 16, 8), 56u);
  EXPECT_THROW(LargeMemory::BytesFor(SIZE_MAX / 16 + 1, 16), std::bad_alloc);
  EXPECT_THROW(LargeMemory::BytesFor(SIZE_MAX, 1, 1), std::bad_alloc);
  EXPECT_THROW(LargeMemory::BytesFor(UINT64_MAX / 2 + 1, 2), std::bad_alloc);
}

}  // namespace
}  // namespace ondrel
