#pragma once

class QCustomPlot;
namespace zeph {
class TCustomZephChart;
}

// Both libraries draw alike in a run: aliased against aliased (the default) or anti-aliased
// against anti-aliased (--antialiased), and a frame ends for both with the widget's paint, the
// copy to the screen included.
enum class Smoothing { kAliased, kAntialiased };

Smoothing BenchSmoothing();
void SetBenchSmoothing(Smoothing smoothing);
const char* SmoothingName();

// Sets the run's smoothing on a widget and shows it, so that its paint reaches a screen.
void DrawAlike(zeph::TCustomZephChart& chart);
void DrawAlike(QCustomPlot& plot);

// The end of a frame: the widget paints what the change rendered onto the screen. QCustomPlot
// renders the change into its buffers here too, as its replot does.
void PaintNow(zeph::TCustomZephChart& chart);
void PaintNow(QCustomPlot& plot);
