// Keeps a program that was started with standard input, output or error
// closed from writing its results to the wrong file. With descriptor 1
// closed, the next file the program opens would become descriptor 1 and
// receive everything meant for standard output; and a write to a closed
// standard output must still fail, so that the program reports it rather
// than exit 0 having written nothing.
#ifndef FLOORPLAN_CLI_STANDARD_DESCRIPTORS_H_
#define FLOORPLAN_CLI_STANDARD_DESCRIPTORS_H_

// Opens /dev/null onto each of the descriptors 0, 1 and 2 that is closed, in
// the direction opposite to its use: standard input write-only, standard
// output and error read-only. Reads of a closed standard input and writes to
// a closed standard output or error then fail with EBADF, as they did, and
// no later open can take those descriptors. Call it first in main(), before
// anything opens a file. Where /dev/null cannot be opened the descriptor is
// left closed.
void GuardStandardDescriptors();

#endif  // FLOORPLAN_CLI_STANDARD_DESCRIPTORS_H_
