#pragma once

#include <QImage>
#include <QString>

#include "zeph/toolkit/tcolor.h"

// Reads pixels of off-screen images in the colour values the code under test uses.
zeph::TColor PixelAt(const QImage& image, int x, int y);

// Counts the pixels of one colour inside [x1, x2) x [y1, y2).
int CountPixels(const QImage& image, zeph::TColor color, int x1, int y1, int x2, int y2);

// Counts the pixels inside [x1, x2) x [y1, y2) that are dark: at least half way to black, as the
// strokes of grey-edged text are.
int CountDark(const QImage& image, int x1, int y1, int x2, int y2);

// Saves an image for a person to look at, under the build's artefacts folder; returns the path.
QString SaveArtefact(const QImage& image, const QString& name);
