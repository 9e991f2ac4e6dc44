#pragma once

#include <vector>

// Every signal that would end the program on its own (SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1,
// SIGUSR2, SIGALRM, ... and the real-time signals) ends the simulation as its exit button does:
// every event loop is left with the exit code 128 + the signal's number, the windows are
// destroyed, and the host component unregisters and removes its window files on the way out. The
// signal is served from the event loop and also while a request to the host waits, which it ends
// at once.
void EndOnTerminationSignals();

// The number of the termination signal that arrived, 0 while none has.
int TerminationSignal();

// The asynchronous signals whose default action ends the process and that a program can catch:
// those EndOnTerminationSignals() serves. SIGPIPE and SIGXFSZ are not among them (see
// IgnoreWriteSignals()).
std::vector<int> EndingSignals();

// SIGPIPE and SIGXFSZ are ignored, so that a reader that went away and a file size limit make the
// write fail (EPIPE, EFBIG), which the writer reports, instead of ending the program silently.
void IgnoreWriteSignals();
