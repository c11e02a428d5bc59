// SIGINT and SIGTERM as a request to stop a run cleanly. Until a program arms
// them, they end it at once, as by default. Once armed, the first one is only
// noted: the run finishes its move in progress and writes its result, and
// the program then raises the signal again with its default action, so the
// shell sees the interrupt. The same signal again within a second is the
// same request (coreutils' timeout sends SIGTERM to the process and then to
// its group, a terminal's Ctrl-C reaches every process of the job); any
// other, later one ends the program at once. A signal ignored when the
// program started (as under nohup) stays ignored.
//
// The request is process-wide state, as signals are; it is read through
// StopRequest() by every run the process makes.
#ifndef FLOORPLAN_CLI_STOP_SIGNALS_H_
#define FLOORPLAN_CLI_STOP_SIGNALS_H_

#include <atomic>

void InstallStopSignals();
void ArmStopSignals();

// The signal number received while armed, or 0.
const std::atomic<int>* StopRequest();

// When a signal was received, restores its default action and raises it;
// otherwise returns.
void RaiseReceivedSignal();

#endif  // FLOORPLAN_CLI_STOP_SIGNALS_H_
