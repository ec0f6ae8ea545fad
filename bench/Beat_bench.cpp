// One beat of the frame clock on several monitors: every window's frame of a cross-fade composed
// into its surface, then presented (here the changed part copied to a screen buffer, as the
// window's BitBlt copies it), for one, two and three windows at 1920 x 1080 and 3840 x 2160;
// the windows' frames composed one after another (side_by_side:0) and on the compose workers
// beside the UI thread (side_by_side:1), as the clock does once the windows together hold more
// pixels than one 3840 x 2160 frame. A 3 s course of 180 beats, divided.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/BenchFrames.h"
#include "display/ComposeWorkers.h"
#include "transitions/Transition.h"

namespace {

constexpr int BeatsPerCourse = 180;

void BeatOnMonitors(benchmark::State& state) {
  const auto windows = static_cast<size_t>(state.range(0));
  const int height = static_cast<int>(state.range(1)), width = height * 16 / 9;
  const bool sideBySide = state.range(2) != 0;
  std::vector<TFrame> from, to, surfaces, screens;
  for (size_t i = 0; i < windows; ++i) {
    from.push_back(NoiseFrame(width, height, 2 * static_cast<uint32_t>(i) + 1));
    to.push_back(NoiseFrame(width, height, 2 * static_cast<uint32_t>(i) + 2));
  }
  screens = from;
  TComposeWorkers workers;
  std::vector<TRect> changed(windows);
  for (auto _ : state) {
    state.PauseTiming();
    surfaces = from;
    std::vector<TTransition> courses;
    courses.reserve(windows);
    for (size_t i = 0; i < windows; ++i) courses.emplace_back(TTransitionKind::Fade, -1, 42, from[i], to[i]);
    state.ResumeTiming();
    for (int beat = 1; beat <= BeatsPerCourse; ++beat) {
      const double p = static_cast<double>(beat) / BeatsPerCourse;
      const auto compose = [&](size_t i) { changed[i] = courses[i].Step(p, TargetOf(surfaces[i])); };
      if (sideBySide)
        workers.Run(windows, compose);
      else
        for (size_t i = 0; i < windows; ++i) compose(i);
      for (size_t i = 0; i < windows; ++i)
        for (int y = changed[i].Top; y < changed[i].Bottom(); ++y)
          std::memcpy(screens[i].Row(y) + changed[i].Left, surfaces[i].Row(y) + changed[i].Left,
                      static_cast<size_t>(changed[i].Width) * sizeof(uint32_t));
    }
    benchmark::ClobberMemory();
  }
  state.counters["per_beat"] = benchmark::Counter(BeatsPerCourse, benchmark::Counter::kIsIterationInvariantRate |
                                                                      benchmark::Counter::kInvert);
}

BENCHMARK(BeatOnMonitors)
    ->ArgNames({"windows", "height", "side_by_side"})
    ->ArgsProduct({{1, 2, 3}, {1080, 2160}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()  // the workers' time counts too
    ->Iterations(3);

}  // namespace
