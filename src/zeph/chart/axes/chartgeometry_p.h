#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <array>
#include <functional>

#include "zeph/chart/axes/layersettings_p.h"
#include "zeph/chart/chartenums.h"
#include "zeph/chart/layerscaling.h"

namespace zeph {

// Where a chart's parts lie: the rims around the chart area, the control size they are measured
// in, and each layer's world-to-pixel mapping with the pixel aspect the isometric rule needs. It
// knows no widget: the control size comes from a function, the ranges from the layers' settings.
class TChartGeometry {
 public:
  static constexpr int kLayerCount = kChartLayerCount;

  TChartGeometry(const TLayerSettings& layers, std::function<QSize()> control_size);

  int LRim() const { return l_rim_; }
  int RRim() const { return r_rim_; }
  int TRim() const { return t_rim_; }
  int BRim() const { return b_rim_; }
  int ShadowWidth() const { return shadow_width_; }
  void SetLRim(int value) { l_rim_ = value; }
  void SetRRim(int value) { r_rim_ = value; }
  void SetTRim(int value) { t_rim_ = value; }
  void SetBRim(int value) { b_rim_ = value; }
  // Limited to 0..32 pixels.
  void SetShadowWidth(int value);
  // The screen's pixel aspect: a pixel's relative width and height.
  void SetAspect(int x, int y);

  int Width() const { return control_size_().width(); }
  int Height() const { return control_size_().height(); }
  // The chart area's extent less one (CW and CH): the area covers ChartWidth() + 1 pixels.
  int ChartWidth() const { return Width() - l_rim_ - r_rim_ - shadow_width_; }
  int ChartHeight() const { return Height() - t_rim_ - b_rim_ - shadow_width_; }
  int MinimumWidth() const { return l_rim_ + r_rim_ + shadow_width_ + 80; }
  int MinimumHeight() const { return t_rim_ + b_rim_ + shadow_width_ + 20; }
  // The right and bottom edges of the chart area, in control pixels.
  int AreaRight() const { return Width() - r_rim_ - shadow_width_; }
  int AreaBottom() const { return Height() - b_rim_ - shadow_width_; }
  bool InChartArea(int x, int y) const;
  // The parts of the control around the chart area: top, bottom, left and right, in control
  // pixels; together with the chart area they cover the control.
  std::array<QRect, 4> RimRects() const;
  // The control pixel the caption's position is measured from.
  QPoint CaptionAnchor(int pos_x, int pos_y, TCaptionAnchorHoriz horiz, TCaptionAnchorVert vert) const;

  // Recomputes every layer's mapping from its ranges and the chart area's extent.
  void CalcScaling();
  const TLayerScaling& Scaling(int layer) const;
  void WorldToPixelExact(int layer, double x, double y, long double& px, long double& py) const;
  QPoint WorldToPixel(int layer, double x, double y) const;
  QPointF WorldToPixelF(int layer, double x, double y) const;
  void PixelToWorld(int layer, int px, int py, double& x, double& y) const;
  // What the y range spans per unit of x range for the isometric rule: the chart area's height
  // over its width, corrected by the pixel aspect.
  long double IsometricFit() const;

 private:
  const TLayerSettings& layers_;
  std::function<QSize()> control_size_;
  int l_rim_ = 50;
  int r_rim_ = 10;
  int t_rim_ = 16;
  int b_rim_ = 32;
  int shadow_width_ = 0;
  int aspect_x_ = 1;
  int aspect_y_ = 1;
  std::array<TLayerScaling, kLayerCount> scaling_{};
};

}  // namespace zeph
