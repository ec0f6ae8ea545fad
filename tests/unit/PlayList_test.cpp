// The play list's walk: each picture once per round, a fresh shuffle at every wrap, and the
// shuffle's exact use of the process-wide generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/Random.h"
#include "slides/PlayList.h"

namespace {

std::vector<std::string> InOrder() {
  std::vector<std::string> items;
  for (int n = 0; n < 50; ++n) items.push_back(std::to_string(n));
  return items;
}

}  // namespace

TEST(PlayList, FilledInOrderWithTheIndexPastTheEnd) {
  TPlayList list;
  EXPECT_FALSE(list.NextPictureNumber());  // nothing to show before it is filled
  list.FillPlayList();
  EXPECT_EQ(list.Items(), InOrder());
  EXPECT_EQ(list.Index(), 50);
  list.NextPictureNumber();
  list.FillPlayList();  // a new activation starts over
  EXPECT_EQ(list.Items(), InOrder());
  EXPECT_EQ(list.Index(), 50);
}

// The first change shuffles the filled list before taking position 0; each change takes the
// next position; at the wrap the list is shuffled anew.
TEST(PlayList, EveryRoundShowsEachPictureOnceAndTheNextReshuffles) {
  TPlayList list;
  list.FillPlayList();
  std::vector<std::string> previousOrder = InOrder();
  for (int round = 0; round < 200; ++round) {
    std::set<int32_t> seen;
    std::vector<std::string> order;
    for (int i = 0; i < 50; ++i) {
      auto n = list.NextPictureNumber();
      ASSERT_TRUE(n);
      if (i == 0) order = list.Items();
      ASSERT_EQ(list.Index(), i);
      ASSERT_EQ(list.Items(), order) << "the list changed within a round";
      ASSERT_EQ(std::to_string(*n), order[static_cast<size_t>(i)]);
      seen.insert(*n);
    }
    ASSERT_EQ(seen.size(), 50u);
    ASSERT_EQ(*seen.begin(), 0);
    ASSERT_EQ(*seen.rbegin(), 49);
    ASSERT_NE(order, previousOrder) << "round " << round << " was not reshuffled";
    previousOrder = order;
  }
}

TEST(PlayList, EveryShuffleReseedsFromTheClock) {
  // Were the shuffle to go on from the seed as it stands, it would give exactly `unseeded`.
  RandSeed = 4242;
  auto unseeded = InOrder();
  TransposeRandomly(unseeded);
  RandSeed = 4242;
  auto shuffled = InOrder();
  ShuffleList(shuffled);
  EXPECT_NE(shuffled, unseeded);
  const auto all = InOrder();
  EXPECT_TRUE(std::is_permutation(shuffled.begin(), shuffled.end(), all.begin(), all.end()));
}

TEST(PlayList, TranspositionsDrawTwoPositionsEachFromTheFullCount) {
  // Seed 12345, count 5: the draws (a, b) are (1,1) (0,2) (3,1) (2,0) (0,4), swapped in turn.
  std::vector<std::string> items = {"a", "b", "c", "d", "e"};
  RandSeed = 12345;
  TransposeRandomly(items);
  EXPECT_EQ(items, (std::vector<std::string>{"e", "d", "c", "b", "a"}));
  EXPECT_EQ(RandSeed, 3964786223u);  // ten steps of the generator

  std::vector<std::string> one = {"x"};
  RandSeed = 7;
  TransposeRandomly(one);
  EXPECT_EQ(one, std::vector<std::string>{"x"});
  EXPECT_EQ(RandSeed, (7u * 134775813u + 1u) * 134775813u + 1u);  // swapped with itself, two draws

  std::vector<std::string> none;
  RandSeed = 7;
  TransposeRandomly(none);
  ShuffleList(none);
  EXPECT_TRUE(none.empty());
}
