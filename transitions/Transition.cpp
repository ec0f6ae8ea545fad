// Drives one page transition: resolves the pattern, keeps the mask on screen and draws the
// difference to the next progress.
#include "transitions/Transition.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "transitions/ViewRandom.h"

TTransition::TTransition(TTransitionKind kind, int32_t pattern, uint64_t seed,
                         const TFrame& oldFrame, const TFrame& newFrame)
    : FKind(kind), FOld(&oldFrame), FNew(&newFrame) {
  const int32_t w = newFrame.Width, h = newFrame.Height;
  if (oldFrame.Width != w || oldFrame.Height != h || w <= 0 || h <= 0 || w > MaxMaskSide ||
      h > MaxMaskSide)
    FKind = TTransitionKind::Cut;
  if (FKind == TTransitionKind::Reveal && (pattern < 0 || pattern > rpRandom))
    FKind = TTransitionKind::Cut;
  if (FKind == TTransitionKind::Fade) FFade.emplace(oldFrame, newFrame);
  if (FKind != TTransitionKind::Reveal) return;

  TViewRandom random(seed);
  FPattern = pattern == rpRandom ? static_cast<int32_t>(random.Below(RevealPatternCount)) : pattern;
  if (IsGeometricPattern(FPattern)) {
    FBefore.emplace(FPattern, w, h);
    FNow.emplace(FPattern, w, h);
  } else {
    FOrder.emplace(FPattern, w, h, random);
  }
}

TRect TTransition::Step(double p, TFrameTarget target) {
  if (target.Width != FNew->Width || target.Height != FNew->Height || target.Pixels == nullptr)
    throw std::invalid_argument("transition target differs from its frames");
  const uint64_t progress = FKind == TTransitionKind::Cut ? ProgressOne : std::max(FixedProgress(p), FProgress);
  if (progress == FProgress) return {};
  const uint64_t before = FProgress;
  FProgress = progress;
  const int32_t w = target.Width, h = target.Height;
  TRect changed;
  switch (FKind) {
    case TTransitionKind::Cut:
      for (int32_t y = 0; y < h; ++y) std::memcpy(target.Row(y), FNew->Row(y), static_cast<size_t>(w) * 4);
      changed = {0, 0, w, h};
      break;
    case TTransitionKind::Fade: {
      const uint32_t weight = FadeWeight(progress);
      if (weight == FWeight) break;
      FWeight = weight;
      FFade->Blend(weight, target);
      changed = FFade->Changed();
      break;
    }
    case TTransitionKind::Reveal:
      changed = FOrder ? StepOrdered(before, progress, target) : StepGeometric(progress, target);
      break;
  }
  return changed;
}

TRect TTransition::StepGeometric(uint64_t progress, TFrameTarget target) {
  FNow->SetProgress(progress);
  TRect changed;
  TPixelSpans before, now;
  for (int32_t y = 0; y < target.Height; ++y) {
    FBefore->RowSpans(y, before);
    FNow->RowSpans(y, now);
    CopyNewSpans(before, now, FNew->Row(y), target.Row(y), y, changed);
  }
  std::swap(FBefore, FNow);
  return changed;
}

TRect TTransition::StepOrdered(uint64_t before, uint64_t progress, TFrameTarget target) {
  const TRevealOrder& order = *FOrder;
  const uint32_t from = order.RevealedCount(before), to = order.RevealedCount(progress);
  if (from >= to) return {};
  const int32_t w = target.Width, h = target.Height;
  const uint32_t* source = FNew->Pixels.data();
  uint32_t* pixels = target.Pixels;
  const size_t pitch = target.RowPitch();
  uint32_t first = UINT32_MAX, last = 0;
  // Items are looked up a batch at a time before their pixels are copied: the copies then follow
  // each other closely and their cache misses overlap instead of waiting on the arithmetic.
  uint32_t batch[1024];
  for (uint32_t rank = from; rank < to;) {
    const uint32_t count = std::min<uint32_t>(to - rank, 1024);
    for (uint32_t i = 0; i < count; ++i) {
      batch[i] = order.ItemOfRank(rank + i);
      first = std::min(first, batch[i]);
      last = std::max(last, batch[i]);
    }
    rank += count;
    if (order.Pattern() == rpRandomDissolve) {
      if (pitch == static_cast<size_t>(w)) {
        for (uint32_t i = 0; i < count; ++i) pixels[batch[i]] = source[batch[i]];
      } else {
        for (uint32_t i = 0; i < count; ++i) pixels[batch[i] / w * pitch + batch[i] % w] = source[batch[i]];
      }
    } else if (order.Pattern() == rpRandomBarsHorizontal) {
      for (uint32_t i = 0; i < count; ++i)
        std::memcpy(pixels + batch[i] * pitch, source + static_cast<size_t>(batch[i]) * w, static_cast<size_t>(w) * 4);
    } else {  // columns: row by row, so each row's few new pixels are written in one pass
      for (int32_t y = 0; y < h; ++y) {
        uint32_t* targetRow = pixels + static_cast<size_t>(y) * pitch;
        const uint32_t* sourceRow = source + static_cast<size_t>(y) * w;
        for (uint32_t i = 0; i < count; ++i) targetRow[batch[i]] = sourceRow[batch[i]];
      }
    }
  }
  const auto firstAt = static_cast<int32_t>(first), lastAt = static_cast<int32_t>(last);
  switch (order.Pattern()) {
    case rpRandomDissolve: return TRect::FromEdges(0, firstAt / w, w, lastAt / w + 1);
    case rpRandomBarsHorizontal: return TRect::FromEdges(0, firstAt, w, lastAt + 1);
    default: return TRect::FromEdges(firstAt, 0, lastAt + 1, h);
  }
}
