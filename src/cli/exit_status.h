// The exit statuses of the project's programs. `floorplan` keeps the statuses
// its users' scripts know (0 after a run, -1 otherwise); the companions follow
// the Unix convention: 0 done, 1 an input or output they could not use, 2 a
// command line they could not use. A run ended by a signal exits as the shell
// reports that signal: 128 + its number.
#ifndef FLOORPLAN_CLI_EXIT_STATUS_H_
#define FLOORPLAN_CLI_EXIT_STATUS_H_

#include <csignal>

constexpr int kExitSuccess = 0;
// floorplan: the usage text, a data file it cannot load, refused parameters
// or a lost log.
constexpr int kExitFloorplanFailure = -1;
// Companions: a data file, log or output that cannot be used.
constexpr int kExitFailure = 1;
// Companions: an unknown option, a missing or malformed argument.
constexpr int kExitUsage = 2;

constexpr int ExitStatusForSignal(int signal) { return 128 + signal; }

#endif  // FLOORPLAN_CLI_EXIT_STATUS_H_
