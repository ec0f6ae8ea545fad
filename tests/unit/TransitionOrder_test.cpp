// The view's own random source and the random reveal orders drawn from it: exact sequences,
// permutations, revealed counts and an even spread.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "transitions/Mask.h"
#include "transitions/MaskOrder.h"
#include "transitions/ViewRandom.h"

namespace {

// The view's generator is SplitMix64 (the published first values for seed 0), and Below stays
// in its range, evenly.
TEST(TransitionOrder, GeneratorIsSplitMix64AndBelowIsInRangeAndEven) {
  TViewRandom first(0);
  EXPECT_EQ(first.Next(), 0xE220A8397B1DCDAFull);
  EXPECT_EQ(first.Next(), 0x6E789E6AA1B965F4ull);
  EXPECT_EQ(first.Next(), 0x06C45D188009454Full);
  TViewRandom random(7);
  for (uint32_t n : {1u, 2u, 3u, 23u, 1000u, 0x80000001u})
    for (int i = 0; i < 2000; ++i) ASSERT_LT(random.Below(n), n);
  std::vector<int32_t> counts(23);
  for (int i = 0; i < 23000; ++i) ++counts[random.Below(23)];
  for (int32_t c : counts) EXPECT_NEAR(c, 1000, 150);
}

TEST(TransitionOrder, DissolveRanksArePermutations) {
  for (auto [w, h] : {std::pair{37, 23}, {1, 1}, {2, 1}, {64, 64}, {33, 31}, {1, 513}}) {
    TViewRandom random(static_cast<uint64_t>(w * 1000 + h));
    TRevealOrder order(rpRandomDissolve, w, h, random);
    const uint32_t n = static_cast<uint32_t>(w * h);
    ASSERT_EQ(order.Count(), n);
    std::vector<bool> seen(n);
    for (uint32_t rank = 0; rank < n; ++rank) {
      const uint32_t pixel = order.ItemOfRank(rank);
      ASSERT_LT(pixel, n);
      ASSERT_FALSE(seen[pixel]) << w << "x" << h << " rank " << rank;
      seen[pixel] = true;
      ASSERT_EQ(order.RankOfItem(pixel), rank);
    }
  }
}

// The seed decides the order, and however it falls, the counts revealed are the pattern's.
TEST(TransitionOrder, SeedsDecideTheOrderAndItRevealsTheRightCounts) {
  const int32_t w = 37, h = 23;
  for (int32_t pattern : {rpRandomDissolve, rpRandomBarsHorizontal, rpRandomBarsVertical}) {
    TViewRandom random(99), another(100);
    TRevealOrder order(pattern, w, h, random), otherOrder(pattern, w, h, another);
    bool differs = false;
    for (uint32_t rank = 0; rank < 20; ++rank) differs = differs || order.ItemOfRank(rank) != otherOrder.ItemOfRank(rank);
    EXPECT_TRUE(differs) << "pattern " << pattern << ": another seed, the same order";
    std::vector<bool> last(w * h, false);
    for (int32_t step = 0; step <= 200; ++step) {
      const double p = step / 200.0;
      const uint64_t progress = FixedProgress(p);
      std::vector<bool> now(w * h);
      int32_t count = 0;
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
          now[y * w + x] = order.At(x, y, progress);
          count += now[y * w + x];
          ASSERT_TRUE(now[y * w + x] || !last[y * w + x]) << "pixel turned back";
        }
      // Dissolve: the turns rank / (w h) below p; bars: floor(p h) rows or floor(p w) columns.
      const int32_t expected = pattern == rpRandomDissolve ? static_cast<int32_t>(std::ceil(p * w * h - 1e-9))
                               : pattern == rpRandomBarsHorizontal ? w * static_cast<int32_t>(std::floor(p * h + 1e-9))
                                                                   : h * static_cast<int32_t>(std::floor(p * w + 1e-9));
      ASSERT_EQ(count, expected) << "pattern " << pattern << " at " << p;
      if (pattern != rpRandomDissolve) {  // whole rows, or whole columns
        const bool rows = pattern == rpRandomBarsHorizontal;
        for (int32_t line = 0; line < (rows ? h : w); ++line) {
          int32_t shown = 0;
          for (int32_t along = 0; along < (rows ? w : h); ++along) shown += now[rows ? line * w + along : along * w + line];
          ASSERT_EQ(shown % (rows ? w : h), 0) << "line " << line << " at " << p;
        }
      }
      last = now;
    }
  }
}

TEST(TransitionOrder, DissolveSpreadsEvenly) {
  // At a quarter of the course every 16 x 16 tile holds about a quarter new pixels (64 of 256;
  // a uniform draw strays by about 7), and no row or column is favoured.
  const int32_t side = 256;
  TViewRandom random(2024);
  TRevealOrder order(rpRandomDissolve, side, side, random);
  const uint32_t shown = order.RevealedCount(ProgressOne / 4);
  std::vector<int32_t> tiles(256), rows(side), columns(side);
  for (uint32_t rank = 0; rank < shown; ++rank) {
    const uint32_t pixel = order.ItemOfRank(rank);
    const uint32_t x = pixel % side, y = pixel / side;
    ++tiles[(y / 16) * 16 + x / 16];
    ++rows[y];
    ++columns[x];
  }
  for (int32_t t : tiles) ASSERT_NEAR(t, 64, 32);
  for (int32_t r : rows) ASSERT_NEAR(r, 64, 32);
  for (int32_t c : columns) ASSERT_NEAR(c, 64, 32);
}

}  // namespace
