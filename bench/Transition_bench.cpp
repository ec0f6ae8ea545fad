// Cost of one transition frame at 60 fps (a 3 s course of 180 steps, divided by 180) for the fade
// and each reveal pattern, beside one full-frame copy measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "bench/BenchFrames.h"
#include "transitions/Transition.h"

namespace {

constexpr int FramesPerCourse = 180;

void Copy(benchmark::State& state, int32_t w, int32_t h) {
  const TFrame source = NoiseFrame(w, h, 1);
  TFrame target(w, h);
  for (auto _ : state) {
    std::memcpy(target.Pixels.data(), source.Pixels.data(), source.Pixels.size() * 4);
    benchmark::ClobberMemory();
  }
  state.counters["per_frame"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
}

// pattern -1 is the cross-fade.
void Course(benchmark::State& state, int32_t w, int32_t h, int32_t pattern) {
  const TFrame oldFrame = NoiseFrame(w, h, 1), newFrame = NoiseFrame(w, h, 2);
  TFrame target(w, h);
  const TTransitionKind kind = pattern < 0 ? TTransitionKind::Fade : TTransitionKind::Reveal;
  for (auto _ : state) {
    state.PauseTiming();
    target.Pixels = oldFrame.Pixels;
    state.ResumeTiming();
    TTransition transition(kind, pattern, 42, oldFrame, newFrame);
    for (int i = 1; i <= FramesPerCourse; ++i) transition.Step(static_cast<double>(i) / FramesPerCourse, TargetOf(target));
    benchmark::ClobberMemory();
  }
  state.counters["per_frame"] = benchmark::Counter(FramesPerCourse, benchmark::Counter::kIsIterationInvariantRate |
                                                                        benchmark::Counter::kInvert);
}

const char* const PatternNames[] = {
    "box_in", "box_out", "circle_in", "circle_out", "wipe_up", "wipe_down", "wipe_right", "wipe_left",
    "vertical_blinds", "horizontal_blinds", "checkerboard_across", "checkerboard_down", "random_dissolve",
    "split_vertical_in", "split_vertical_out", "split_horizontal_in", "split_horizontal_out",
    "strips_left_down", "strips_left_up", "strips_right_down", "strips_right_up", "random_bars_horizontal",
    "random_bars_vertical"};

const bool Registered = [] {
  char name[96];
  for (auto [w, h] : {std::pair{1920, 1080}, {3840, 2160}}) {
    std::snprintf(name, sizeof name, "Copy/%dx%d", w, h);
    benchmark::RegisterBenchmark(name, Copy, w, h)->Unit(benchmark::kMillisecond);
    for (int32_t pattern = -1; pattern < RevealPatternCount; ++pattern) {
      if (pattern < 0)
        std::snprintf(name, sizeof name, "Transition/fade/%dx%d", w, h);
      else
        std::snprintf(name, sizeof name, "Transition/%02d_%s/%dx%d", pattern, PatternNames[pattern], w, h);
      benchmark::RegisterBenchmark(name, Course, w, h, pattern)->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
