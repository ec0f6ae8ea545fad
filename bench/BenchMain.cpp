// Entry point of the benchmark executable; the benchmarks register themselves.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
