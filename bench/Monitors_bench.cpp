// What several monitors cost the one message loop: a frame of the cross-fade on two 1920 x 1080
// monitors against the same frame on one, each monitor's transition stepped as the loop steps it
// (a 3 s course at 60 fps, divided by its 180 frames).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/BenchFrames.h"
#include "transitions/Transition.h"

namespace {

constexpr int FramesPerCourse = 180;

void FadeOnMonitors(benchmark::State& state) {
  const auto monitors = static_cast<size_t>(state.range(0));
  std::vector<TFrame> from, to, screen;
  for (size_t i = 0; i < monitors; ++i) {
    from.push_back(NoiseFrame(1920, 1080, 2 * static_cast<uint32_t>(i) + 1));
    to.push_back(NoiseFrame(1920, 1080, 2 * static_cast<uint32_t>(i) + 2));
  }
  for (auto _ : state) {
    state.PauseTiming();
    screen = from;
    std::vector<TTransition> courses;
    courses.reserve(monitors);
    for (size_t i = 0; i < monitors; ++i) courses.emplace_back(TTransitionKind::Fade, -1, 42, from[i], to[i]);
    state.ResumeTiming();
    for (int f = 1; f <= FramesPerCourse; ++f)
      for (size_t i = 0; i < monitors; ++i)
        courses[i].Step(static_cast<double>(f) / FramesPerCourse, TargetOf(screen[i]));
    benchmark::ClobberMemory();
  }
  state.counters["per_frame"] = benchmark::Counter(FramesPerCourse, benchmark::Counter::kIsIterationInvariantRate |
                                                                        benchmark::Counter::kInvert);
}

BENCHMARK(FadeOnMonitors)->ArgName("monitors_1080p")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
