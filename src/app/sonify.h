#pragma once

#include <QString>

class TForm1;

// Writes the sound of both curves for the slider position to a WAV file, the profile first, then
// after half a second of silence the capacitance, each as its chart plays it when the user asks
// (pitch following the curve as drawn). An empty text when done, else why not.
QString SonifyCurves(TForm1& form, int position, const QString& file_name);
