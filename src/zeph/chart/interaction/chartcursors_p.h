#pragma once

#include <QCursor>

namespace zeph {

// Numbers of the toolkit's cursor table as the chart uses them: the standard cursors are 0 and
// below, the chart's own cursors, loaded from the resources "CURHAND", "CURZOOMW", "CURZOOMD" and
// "CURZOOMP", are 1 to 4.
enum TChartCursor : int {
  crDefault = 0,
  crCross = -3,
  crZephHand = 1,
  crZephZoomWind = 2,
  crZephZoomDrag = 3,
  crZephZoomWindPos = 4
};

// The screen cursor is the application-wide cursor override. Charts share it: at most one
// override of theirs is on the stack at a time, changed in place rather than stacked, and removed
// again when a chart sets the default cursor or the chart that set it goes away.
class TScreenCursor {
 public:
  // Loads the chart's own cursors into the table (once; later calls do nothing).
  static void LoadChartCursors();
  // The cursor of a table number; an unknown number gives the arrow.
  static QCursor Cursor(int id);
  // The number the charts last set, crDefault when no override of theirs is in force.
  static int Current() { return current_; }
  // Sets the screen cursor for the given chart; crDefault removes the charts' override.
  static void Set(int id, const void* setter);
  // Removes the override when the given chart set it (a chart that goes away).
  static void Release(const void* setter);

 private:
  static int current_;
  static const void* setter_;
};

}  // namespace zeph
