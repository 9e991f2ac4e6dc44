#pragma once

class TForm1;

// A diagnostic for whole-program tests and support. Only when the environment variable
// VARACTOR_STATE_FILE names a file does the simulation write it, replacing it as a whole, after
// each step a user can see: "startup" (about box filled, before it shows), "curves" (drawn after
// the box was closed), "slider" (moved) and "params" (a later start brought the window forward).
// The file holds key=value lines (UTF-8, line breaks in values written as \n): the event and a
// running count, window titles and texts, the about box's texts and address, the centre colour of each
// icon, the slider position, the charts' item counts, whether a host is used, and the
// parameters. Without the variable nothing is written.
inline constexpr const char* kStateFileVariable = "VARACTOR_STATE_FILE";

void ReportState(TForm1& form, const char* event);
