// The order of the slideshow's fifty pictures: a list of their numbers as decimal texts, walked
// one step per picture change and shuffled anew each time the walk passes its end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TPlayList {
public:
  // The texts "0" to "49" in order; FIndex one past the end, so that the next change shuffles.
  void FillPlayList();

  // Advances FIndex and returns the picture number at it; passing the end wraps to position 0
  // and shuffles first. Nothing when the list is empty (not filled yet).
  std::optional<int32_t> NextPictureNumber();

  const std::vector<std::string>& Items() const { return FItems; }
  int32_t Index() const { return FIndex; }

private:
  std::vector<std::string> FItems;
  int32_t FIndex = 0;
};

// Randomize, then TransposeRandomly: a fresh clock seed on every call.
void ShuffleList(std::vector<std::string>& list);

// c transpositions for a list of c items, each between positions a := Random(c) and then
// b := Random(c) of the process-wide generator as it stands; a = b leaves the list as it was.
// Not a uniform permutation, but its draws are part of the generator's sequence.
void TransposeRandomly(std::vector<std::string>& list);
