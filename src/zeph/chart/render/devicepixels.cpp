// Where one-pixel curves lie in the device pixels of a high-density image, drawn there square by
// square (LineRasterizer's brush) instead of stroked by the painter.
#include <algorithm>
#include <cmath>

#include "zeph/chart/render/chartrenderer_p.h"

namespace zeph {

namespace {

// A pixel's line of a pen brush device pixels wide, through the pixel's centre (c + 0.5) * scale,
// covers the brush pixels from (c + 0.5) * scale - brush / 2 on, rounded; the square is named by
// its last pixel. For a chart-area coordinate c that is nearest(scale * c + Shift(scale, brush)).
long double Shift(qreal scale, int brush) { return 0.5L * scale + brush / 2.0L - 1; }

// Device coordinates are clamped where chart-area ones are, far beyond any image; to a whole
// pixel, as the map clamps them too.
int DeviceClamp(qreal scale) { return static_cast<int>(scale * kChartPixelClamp); }

int RoundDevice(long double value, qreal scale) {
  if (std::isnan(value)) return 0;
  const long double limit = DeviceClamp(scale);
  return static_cast<int>(std::lrint(std::clamp(value, -limit, limit)));
}

}  // namespace

QPoint TChartRenderer::DevicePixel(int layer, double x, double y, qreal scale, int brush) const {
  layer = std::clamp(layer, 1, kLayerCount);
  const TLayerScaling& s = geometry_.Scaling(layer);
  const long double shift = Shift(scale, brush);
  // The same sums as DevicePixelMap's, so that the map declines only where it might differ.
  const auto device = [&](double value, long double k, long double d, long double rim, const TScaleProps* axis,
                          bool vertical) {
    const long double kd = scale * k;
    const long double dd = scale * (d - rim) + shift;
    if (!axis->Logarithmic()) return kd * value + dd;
    if (value > TScaleProps::kLogEpsilon) return kd * std::log(static_cast<long double>(value)) + dd;
    long double px = 0;
    long double py = 0;
    geometry_.WorldToPixelExact(layer, value, value, px, py);
    return scale * ((vertical ? py : px) - rim) + shift;
  };
  return {RoundDevice(device(x, s.KX, s.DX, geometry_.LRim(), layers_.X(layer), false), scale),
          RoundDevice(device(y, s.KY, s.DY, geometry_.TRim(), layers_.Y(layer), true), scale)};
}

TPixelMap TChartRenderer::DevicePixelMap(int layer, qreal scale, int brush) const {
  const TLayerScaling& s = geometry_.Scaling(layer);
  const long double shift = Shift(scale, brush);
  return TPixelMap(scale * s.KX, scale * (s.DX - geometry_.LRim()) + shift, scale * s.KY,
                   scale * (s.DY - geometry_.TRim()) + shift, layers_.X(layer)->Logarithmic(),
                   layers_.Y(layer)->Logarithmic(), DeviceClamp(scale), 0, 0);
}

QPoint TChartRenderer::DevicePen(QPointF pen, qreal scale, int brush) {
  const long double shift = Shift(scale, brush);
  return {RoundDevice(scale * static_cast<long double>(pen.x()) + shift, scale),
          RoundDevice(scale * static_cast<long double>(pen.y()) + shift, scale)};
}

}  // namespace zeph
