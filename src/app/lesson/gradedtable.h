#pragma once

#include <QString>
#include <vector>

namespace zeph {
class TCustomZephChart;
}  // namespace zeph

// The chart's data as a table in text, as Ctrl+C copies it: with several curves (kept ones beside
// the current) a third column names each row's grading m; with one curve the chart's own table.
// positions are the curves' slider positions in the chart's order.
QString GradedDataTable(const zeph::TCustomZephChart& chart, const std::vector<int>& positions);
