// Random orders of pixels (dissolve) and of lines (random bars) for one transition.
#include "transitions/MaskOrder.h"

#include <utility>

#include "transitions/Mask.h"

namespace {

constexpr int Rounds = 4;

uint32_t InverseOdd(uint32_t a) {  // a * result = 1 mod 2^32, for odd a (Newton's iteration)
  uint32_t x = a;  // right to 3 bits
  for (int i = 0; i < 4; ++i) x *= 2 - a * x;
  return x;
}

}  // namespace

TRevealOrder::TRevealOrder(int32_t pattern, int32_t width, int32_t height, TViewRandom& random)
    : FPattern(pattern), FWidth(width) {
  if (pattern == rpRandomDissolve) {
    FCount = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    FBits = 1;
    while ((uint64_t{1} << FBits) < FCount) ++FBits;
    FMask = static_cast<uint32_t>((uint64_t{1} << FBits) - 1);
    FShift = (FBits + 1) / 2;
    for (int i = 0; i < Rounds; ++i) {
      const uint64_t draw = random.Next();
      FKey[i] = static_cast<uint32_t>(draw) & FMask;
      FFactor[i] = static_cast<uint32_t>(draw >> 32) | 1u;
      FInverse[i] = InverseOdd(FFactor[i]);
    }
    return;
  }
  FCount = static_cast<uint32_t>(pattern == rpRandomBarsHorizontal ? height : width);
  FLines.resize(FCount);
  for (uint32_t i = 0; i < FCount; ++i) FLines[i] = i;
  for (uint32_t i = FCount; i > 1; --i) std::swap(FLines[i - 1], FLines[random.Below(i)]);
  FRanks.resize(FCount);
  for (uint32_t rank = 0; rank < FCount; ++rank) FRanks[FLines[rank]] = rank;
}

uint32_t TRevealOrder::RevealedCount(uint64_t progress) const {
  if (FPattern == rpRandomDissolve) {  // ranks r with r * 2^32 < P * count: ceil(P count / 2^32)
    const uint64_t scaled = progress * FCount;
    return static_cast<uint32_t>((scaled >> 32) + ((scaled & (ProgressOne - 1)) != 0 ? 1 : 0));
  }
  return static_cast<uint32_t>((progress * FCount) >> 32);  // floor(p * count)
}

uint32_t TRevealOrder::Permute(uint32_t value) const {
  uint64_t x = value;
  for (int i = 0; i < Rounds; ++i) {
    x = (x + FKey[i]) & FMask;
    x = (x * FFactor[i]) & FMask;
    x ^= x >> FShift;
  }
  return static_cast<uint32_t>(x);
}

uint32_t TRevealOrder::Unpermute(uint32_t value) const {
  uint64_t x = value;
  for (int i = Rounds - 1; i >= 0; --i) {
    uint64_t y = x;  // undo x ^= x >> shift: each pass fixes FShift more of the high bits
    for (uint32_t done = FShift; done < FBits; done += FShift) y = x ^ (y >> FShift);
    x = (y * FInverse[i]) & FMask;
    x = (x - FKey[i]) & FMask;
  }
  return static_cast<uint32_t>(x);
}

uint32_t TRevealOrder::ItemOfRank(uint32_t rank) const {
  if (FPattern != rpRandomDissolve) return FLines[rank];
  // Cycle walking: applying the bijection until the value falls below the count restricts it
  // to a bijection of [0, count); the domain is less than twice the count, so few steps.
  uint32_t x = rank;
  do x = Permute(x); while (x >= FCount);
  return x;
}

uint32_t TRevealOrder::RankOfItem(uint32_t item) const {
  if (FPattern != rpRandomDissolve) return FRanks[item];
  uint32_t x = item;
  do x = Unpermute(x); while (x >= FCount);
  return x;
}

bool TRevealOrder::At(int32_t x, int32_t y, uint64_t progress) const {
  uint32_t item = FPattern == rpRandomDissolve ? static_cast<uint32_t>(y) * FWidth + x
                  : FPattern == rpRandomBarsHorizontal ? static_cast<uint32_t>(y)
                                                       : static_cast<uint32_t>(x);
  return RankOfItem(item) < RevealedCount(progress);
}
