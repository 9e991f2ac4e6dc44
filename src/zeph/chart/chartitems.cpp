// Appending the item kinds beyond move-to and draw-to.
#include <algorithm>
#include <cstring>
#include <string>

#include "zeph/chart/zephchart.h"

namespace zeph {

void TCustomZephChart::Line(double x1, double y1, double x2, double y2) {
  AppendItem(NewItem(ikLine, x1, y1, x2, y2));
}

void TCustomZephChart::Rectangle(double x1, double y1, double x2, double y2, bool transparent) {
  TZephChartItem item = NewItem(ikRectangle, x1, y1, x2, y2);
  item.FillColor = FillColor();
  item.Transparent = transparent;
  AppendItem(item);
}

void TCustomZephChart::FramedRect(double x1, double y1, double x2, double y2, TFrameStyle frame_style,
                                  TColor color2, TColor color3) {
  TZephChartItem item = NewItem(ikFramedRect, x1, y1, x2, y2);
  item.FillColor = FillColor();
  item.FrameStyle = frame_style;
  item.Color2 = color2;
  item.Color3 = color3;
  AppendItem(item);
}

void TCustomZephChart::Bar3D(double x1, double y1, double x2, double y2, int depth, int angle) {
  TZephChartItem item = NewItem(ikBar3D, x1, y1, x2, y2);
  item.FillColor = FillColor();
  item.Depth = depth;
  item.Size = angle;
  AppendItem(item);
}

void TCustomZephChart::Text(double x, double y, const QString& text, int size) {
  TZephChartItem item = NewItem(ikText, x, y);
  // Whole characters: one outside the Basic Multilingual Plane counts once, as the reader sees it.
  const QList<uint> characters = text.toUcs4();
  const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(characters.size()), kItemTextLength);
  std::copy_n(characters.begin(), length, item.Text);
  item.Text[length] = U'\0';
  item.Size = size;
  AppendItem(item);
}

void TCustomZephChart::Ellipse(double x, double y, double radius_x, double radius_y, bool transparent) {
  TZephChartItem item = NewItem(ikEllipse, x, y, radius_x, radius_y);
  item.FillColor = FillColor();
  item.Transparent = transparent;
  AppendItem(item);
}

void TCustomZephChart::MoveRel(double dx, double dy) {
  AppendItem(NewItem(ikRelMove, dx, dy));
}

void TCustomZephChart::DrawRel(double dx, double dy) {
  AppendItem(NewItem(ikRelDraw, dx, dy));
}

void TCustomZephChart::Arrow(double x1, double y1, double x2, double y2, int head_size, bool open_head) {
  TZephChartItem item = NewItem(ikArrow, x1, y1, x2, y2);
  item.FillColor = FillColor();
  item.Size = head_size;
  item.Transparent = open_head;
  AppendItem(item);
}

void TCustomZephChart::Mark(double x, double y, int mark_type) {
  TZephChartItem item = NewItem(ikMark, x, y);
  item.MarkType = static_cast<std::uint8_t>(std::clamp(mark_type, 0, 255));
  AppendItem(item);
}

}  // namespace zeph
