// The process-wide generator's sequence, worked by hand for a fixed seed, and its range.
#include <gtest/gtest.h>

#include "base/Random.h"

TEST(Random, FollowsTheLinearCongruentialSequenceBelowTheRange) {
  RandSeed = 0;
  // seed 1: 1 * 100 >> 32 = 0
  EXPECT_EQ(Random(100), 0);
  EXPECT_EQ(RandSeed, 1u);
  // seed 134775814 (0x0808_8406): 134775814 * 1000 >> 32 = 31
  EXPECT_EQ(Random(1000), 31);
  EXPECT_EQ(RandSeed, 134775814u);
  // seed 134775814 * 134775813 + 1 mod 2^32 = 3698175007: * 23 >> 32 = 19
  EXPECT_EQ(Random(23), 19);
  EXPECT_EQ(RandSeed, 3698175007u);
  RandSeed = 0xFFFFFFFFu;  // next seed 0xFFFFFFFF * 134775813 + 1 = -134775812 mod 2^32
  EXPECT_EQ(Random(50), static_cast<int32_t>((uint64_t{4160191484u} * 50) >> 32));
  EXPECT_EQ(RandSeed, 4160191484u);
  for (int i = 0; i < 10000; ++i) {
    const int32_t r = Random(30);
    ASSERT_TRUE(r >= 0 && r < 30) << r;
  }
}
