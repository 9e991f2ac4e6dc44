#pragma once

#include <QSize>
#include <QtGlobal>
#include <vector>

#include "app/commandline.h"
#include <QString>

class TForm1;

// Off-screen output of the simulation for handouts and slides. Each returns an empty string on
// success, else a one-line reason; a file that cannot be written completely is left as it was.

// The charts' size in the window as designed: the whole width, the height between the slider
// panel and the information text.
QSize DesignedChartsSize(TForm1& form);

// The largest picture, in pixels each way, that a raster render makes.
inline constexpr int kMaxRenderPixels = 16384;

// Why the charts cannot be rendered at that size and scale; empty when they can.
QString RenderSizeProblem(TForm1& form, QSize size, qreal scale);

// Draws the form's two charts side by side for the slider position: the profile on the left half
// of size, the capacitance on the right. A name ending in ".pdf" gives a one-page PDF of size
// points, ".svg" an SVG drawing of size pixels, both titled after the position; any other name an
// image in the format its extension names (PNG when it has none) of scale times size pixels, drawn
// as on a screen of that device pixel ratio. The form's charts are left without their own
// pictures: the form serves renders only.
// The name "-" writes to standard output; format (pdf, svg, png, ...) overrides the extension.
QString RenderCharts(TForm1& form, int position, QSize size, const QString& file_name, qreal scale = 1,
                     const QString& format = {});

// The name an output is written to: "-" is standard output (/dev/stdout, written as the
// descriptor is open), every other name itself.
QString OutputFileName(const QString& file_name);
// A message about OutputFileName(file_name) as the user named the output: "-" is standard output.
QString OutputMessage(const QString& message, const QString& file_name);

// Writes both curves for the slider position as CSV: a header line, then one row per profile
// point with voltage in V, capacitance in pF, depth in µm and concentration in 10^16 cm^-3; the
// capacitance columns stay empty past the last voltage. Each kept slider position adds two
// columns, its capacitance and its concentration, headed with its m. Numbers are written in their
// shortest form that reads back exactly. The name "-" writes to standard output.
QString ExportCurvesCsv(int position, const QString& file_name, const std::vector<int>& kept = {});
