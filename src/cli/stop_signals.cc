#include "cli/stop_signals.h"

#include <signal.h>
#include <time.h>

#include <cstdint>
#include <initializer_list>

namespace {

std::atomic<int> received{0};
std::atomic<bool> armed{false};
// When the first signal came, in nanoseconds of the monotonic clock.
std::atomic<int64_t> receivedAt{0};
static_assert(std::atomic<int>::is_always_lock_free &&
                  std::atomic<bool>::is_always_lock_free &&
                  std::atomic<int64_t>::is_always_lock_free,
              "the signal handler needs lock-free atomics");

constexpr int64_t kSameRequestNanoseconds = 1000000000;

// clock_gettime may be called from a signal handler.
int64_t Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

void ActNow(int signal) {
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  raise(signal);  // delivered as soon as this handler returns
}

void OnStopSignal(int signal) {
  if (!armed.load()) {
    ActNow(signal);
    return;
  }
  int none = 0;
  if (received.compare_exchange_strong(none, signal)) {
    receivedAt.store(Now());
    return;
  }
  // A time of 0 is the first signal's handler still at work, in another
  // thread: this one came with it.
  int64_t at = receivedAt.load();
  bool repeated =
      none == signal && (at == 0 || Now() - at < kSameRequestNanoseconds);
  if (!repeated) ActNow(signal);
}

}  // namespace

void InstallStopSignals() {
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction previous = {};
    sigaction(signal, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
  }
}

void ArmStopSignals() { armed.store(true); }

const std::atomic<int>* StopRequest() { return &received; }

void RaiseReceivedSignal() {
  int signal = received.load();
  if (signal == 0) return;
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  raise(signal);
}
