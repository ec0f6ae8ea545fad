// Several windows' frames of one beat composed side by side on the processor's cores: each job
// composes one window's frame into memory of its own, and the caller (the UI thread) takes jobs
// too and gets back only when all have run. Presenting them stays with the caller.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TComposeWorkers {
public:
  // No thread starts before the first run of more than one job on more than one core.
  TComposeWorkers() = default;
  ~TComposeWorkers();
  TComposeWorkers(const TComposeWorkers&) = delete;
  TComposeWorkers& operator=(const TComposeWorkers&) = delete;

  // Runs job(0) to job(count - 1), side by side as far as there are cores; once all have run,
  // the first exception a job raised is raised here.
  void Run(size_t count, const std::function<void(size_t)>& job);

private:
  void TakeJobs();
  void Work();

  std::vector<std::thread> FThreads;
  std::mutex FMutex;
  std::condition_variable FWake;
  std::condition_variable FDone;
  const std::function<void(size_t)>* FJob = nullptr;
  size_t FCount = 0;
  size_t FNext = 0;
  size_t FFinished = 0;
  uint64_t FGeneration = 0;
  bool FQuit = false;
  std::exception_ptr FError;
};
