// The play list's walk and its shuffle, drawing from the process-wide generator.
#include "slides/PlayList.h"

#include <utility>

#include "base/IntSyntax.h"
#include "base/Random.h"
#include "pictures/PictureSet.h"

void TPlayList::FillPlayList() {
  FItems.clear();
  for (int32_t n = 0; n < SlideshowPictureCount; ++n) FItems.push_back(std::to_string(n));
  FIndex = static_cast<int32_t>(FItems.size());
}

std::optional<int32_t> TPlayList::NextPictureNumber() {
  if (FItems.empty()) return std::nullopt;
  ++FIndex;
  if (FIndex >= static_cast<int32_t>(FItems.size())) {
    FIndex = 0;
    ShuffleList(FItems);
  }
  return StrToInt(FItems[static_cast<size_t>(FIndex)]);
}

void ShuffleList(std::vector<std::string>& list) {
  Randomize();
  TransposeRandomly(list);
}

void TransposeRandomly(std::vector<std::string>& list) {
  const auto count = static_cast<int32_t>(list.size());
  for (int32_t i = 0; i < count; ++i) {
    const auto a = static_cast<size_t>(Random(count));
    const auto b = static_cast<size_t>(Random(count));
    std::swap(list[a], list[b]);
  }
}
