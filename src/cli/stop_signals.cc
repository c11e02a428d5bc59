#include "cli/stop_signals.h"

#include <signal.h>

#include <initializer_list>

namespace {

std::atomic<int> received{0};
std::atomic<bool> armed{false};
static_assert(std::atomic<int>::is_always_lock_free &&
                  std::atomic<bool>::is_always_lock_free,
              "the signal handler needs lock-free atomics");

void ActNow(int signal) {
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  raise(signal);  // delivered as soon as this handler returns
}

void OnStopSignal(int signal) {
  int none = 0;
  if (!armed.load() || !received.compare_exchange_strong(none, signal)) {
    ActNow(signal);
  }
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
