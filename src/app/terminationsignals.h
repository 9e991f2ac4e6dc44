#pragma once

// SIGTERM and SIGINT end the simulation as its exit button does: every event loop is left with
// the exit code 128 + the signal's number, the windows are destroyed, and the host component
// unregisters and removes its window files on the way out. The signal is served from the event
// loop and also while a request to the host waits, which it ends at once.
void EndOnTerminationSignals();

// The number of the termination signal that arrived, 0 while none has.
int TerminationSignal();
