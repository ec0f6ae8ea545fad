// The threads that compose a beat's frames beside the UI thread.
#include "display/ComposeWorkers.h"

#include <algorithm>
#include <utility>

TComposeWorkers::~TComposeWorkers() {
  {
    std::lock_guard lock(FMutex);
    FQuit = true;
  }
  FWake.notify_all();
  for (std::thread& thread : FThreads) thread.join();
}

void TComposeWorkers::Run(size_t count, const std::function<void(size_t)>& job) {
  if (count == 0) return;
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t helpers = std::min(count, cores) - 1;
  while (FThreads.size() < helpers) FThreads.emplace_back([this] { Work(); });
  {
    std::lock_guard lock(FMutex);
    FJob = &job;
    FCount = count;
    FNext = 0;
    FFinished = 0;
    FError = nullptr;
    ++FGeneration;
  }
  if (helpers > 0) FWake.notify_all();
  TakeJobs();
  std::unique_lock lock(FMutex);
  FDone.wait(lock, [this] { return FFinished == FCount; });
  FJob = nullptr;
  if (FError) std::rethrow_exception(std::exchange(FError, nullptr));
}

void TComposeWorkers::TakeJobs() {
  for (;;) {
    size_t index = 0;
    const std::function<void(size_t)>* job = nullptr;
    {
      std::lock_guard lock(FMutex);
      if (FJob == nullptr || FNext >= FCount) return;
      index = FNext++;
      job = FJob;
    }
    std::exception_ptr error;
    try {
      (*job)(index);
    } catch (...) {
      error = std::current_exception();
    }
    std::lock_guard lock(FMutex);
    if (error && !FError) FError = error;
    if (++FFinished == FCount) FDone.notify_all();
  }
}

void TComposeWorkers::Work() {
  uint64_t seen = 0;
  for (;;) {
    {
      std::unique_lock lock(FMutex);
      FWake.wait(lock, [&] { return FQuit || FGeneration != seen; });
      if (FQuit) return;
      seen = FGeneration;
    }
    TakeJobs();
  }
}
