// Picture and transition choices of the other monitors.
#include "monitors/MonitorShow.h"

#include <algorithm>

#include "pictures/PictureSet.h"
#include "slides/PictureChange.h"

std::vector<int32_t> TMonitorShow::NextPictures(const std::vector<int32_t>& shown, int32_t primaryPicture) {
  std::vector<int32_t> next;
  auto isIn = [](const std::vector<int32_t>& list, int32_t n) { return std::find(list.begin(), list.end(), n) != list.end(); };
  for (size_t i = 0; i < shown.size(); ++i) {
    // First choice: a picture no monitor shows now or next. When those run out, one no monitor
    // shows next; only past that (more monitors than pictures) anything but the primary's.
    std::vector<int32_t> free;
    for (int pass = 0; pass < 3 && free.empty(); ++pass)
      for (int32_t n = 0; n < SlideshowPictureCount; ++n) {
        const bool taken = n == primaryPicture || (pass < 2 && isIn(next, n)) || (pass < 1 && isIn(shown, n));
        if (!taken) free.push_back(n);
      }
    next.push_back(free[FRandom.Below(static_cast<uint32_t>(free.size()))]);
  }
  return next;
}

TExitTransition TMonitorShow::NextExit(int32_t effect) {
  return ChooseExit(effect, [this](uint32_t n) { return FRandom.Below(n); });
}
