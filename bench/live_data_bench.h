#pragma once

#include <QString>

// Writes what both libraries show of a live plot of 1M points at ratios 1, 1.5 and 2 into the
// folder, for a person to compare.
void SaveLiveImages(const QString& folder);

// Frees the widgets the live-data cases keep between cases, before the application goes.
void ReleaseLiveScenes();
