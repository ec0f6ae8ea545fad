// The random reveal patterns: the order in which a dissolve shows pixels and random bars show
// rows or columns, drawn from the view's own generator for one transition.
#pragma once

#include <cstdint>
#include <vector>

#include "transitions/ViewRandom.h"

// Ranks the items of pattern 12 (the width * height pixels, index y * width + x), 21 (the rows) or
// 22 (the columns) in a random order; an item shows the new picture once its rank is below
// RevealedCount(P). The dissolve gives pixel i the turn t = rank / (width * height) and shows it
// when t < p; the bars show floor(p * count) lines.
class TRevealOrder {
 public:
  // Draws the order from random; 1 <= width, height and width * height < 2^31.
  TRevealOrder(int32_t pattern, int32_t width, int32_t height, TViewRandom& random);

  int32_t Pattern() const { return FPattern; }
  uint32_t Count() const { return FCount; }
  uint32_t RevealedCount(uint64_t progress) const;
  uint32_t ItemOfRank(uint32_t rank) const;
  uint32_t RankOfItem(uint32_t item) const;

  // Reference predicate: whether pixel (x, y) shows the new picture at progress P.
  bool At(int32_t x, int32_t y, uint64_t progress) const;

 private:
  uint32_t Permute(uint32_t value) const;
  uint32_t Unpermute(uint32_t value) const;

  int32_t FPattern;
  int32_t FWidth;
  uint32_t FCount;
  // Dissolve: a keyed bijection of the 2^FBits numbers below 2^FBits (rounds of adding a key,
  // multiplying by an odd number and folding the high half into the low half), walked until it
  // lands below FCount. So the shuffled ranks cost no memory and no set-up time, even at 4K.
  uint32_t FBits = 0;
  uint32_t FMask = 0;
  uint32_t FShift = 0;
  uint32_t FKey[4] = {};
  uint32_t FFactor[4] = {};
  uint32_t FInverse[4] = {};
  // Bars: a shuffled list of the lines and each line's rank.
  std::vector<uint32_t> FLines;
  std::vector<uint32_t> FRanks;
};
