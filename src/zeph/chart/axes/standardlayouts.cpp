#include "zeph/chart/axes/standardlayouts_p.h"

#include <algorithm>

namespace zeph {

namespace {

// Scales a layout does not show: invisible, their caption out of the way.
constexpr TLayoutScale kHiddenX{false, 10, 100, taCenter, uaSclCenter, 0, slBottom};
constexpr TLayoutScale kHiddenY{false, 10, 100, taRightJustify, uaSclTopLft, 0, slLeft};

constexpr TLayoutScale kBottomX{true, 0, 22, taCenter, uaSclCenter, 0, slBottom};
// Two x scales stacked below the chart area carry their captions at their left ends.
constexpr TLayoutScale StackedX(int scale_pos, int caption_y, int location) {
  return {true, -20, caption_y, taRightJustify, uaSclTopLft, scale_pos, location};
}
// Y scales side by side left of the chart area carry their captions above them.
constexpr TLayoutScale LeftY(int scale_pos, int caption_y = -23) {
  return {true, 0, caption_y, taRightJustify, uaSclTopLft, scale_pos, slLeft};
}
constexpr TLayoutScale RightY(int caption_y) { return {true, 0, caption_y, taLeftJustify, uaSclTopLft, 0, slRight}; }

constexpr std::array<TLayoutRow, 7> kRows = {{
    {40, 20, 50, 20, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {kBottomX, kHiddenX, kHiddenX, kHiddenX},
     {TLayoutScale{true, 0, -16, taLeftJustify, uaSclTopLft, 0, slLeft}, kHiddenY, kHiddenY, kHiddenY}},
    {40, 24, 100, 20, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {kBottomX, kHiddenX, kHiddenX, kHiddenX},
     {LeftY(0), LeftY(50), kHiddenY, kHiddenY}},
    {40, 24, 150, 20, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {kBottomX, kHiddenX, kHiddenX, kHiddenX},
     {LeftY(0), LeftY(50), LeftY(100), kHiddenY}},
    {40, 24, 200, 20, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {kBottomX, kHiddenX, kHiddenX, kHiddenX},
     {LeftY(0), LeftY(50), LeftY(100), LeftY(150)}},
    {40, 24, 50, 50, 0, -20, taCenter, cahChartCenter, cavChartTop,
     {kBottomX, kHiddenX, kHiddenX, kHiddenX},
     {LeftY(0), RightY(-23), kHiddenY, kHiddenY}},
    {70, 24, 100, 20, 0, -16, taRightJustify, cahChartRight, cavChartTop,
     {StackedX(0, 7, slBottom), StackedX(30, 7, slBottom), kHiddenX, kHiddenX},
     {LeftY(0), LeftY(50), kHiddenY, kHiddenY}},
    {40, 48, 50, 50, 0, -46, taCenter, cahChartCenter, cavChartTop,
     {StackedX(0, 7, slBottom), StackedX(0, -24, slTop), kHiddenX, kHiddenX},
     {LeftY(0, -40), RightY(-40), TLayoutScale{false, 0, -23, taRightJustify, uaSclTopLft, 0, slLeft},
      TLayoutScale{false, 0, -23, taRightJustify, uaSclTopLft, 0, slLeft}}},
}};

}  // namespace

const TLayoutRow& StandardLayoutRow(TzcLayout layout) {
  return kRows[std::min(static_cast<std::size_t>(layout), kRows.size() - 1)];
}

}  // namespace zeph
