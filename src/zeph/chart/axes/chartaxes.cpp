// The scale controls: each layer's settings reaching the two controls that draw its axes.
#include "zeph/chart/axes/chartaxes_p.h"

#include <QFontMetrics>
#include <algorithm>
#include <utility>

namespace zeph {

namespace {

// The caption offset that keeps a scale's caption inside the control. The layouts anchor a
// caption at its axis and let it grow outward, into a rim of a fixed width: a caption wider than
// the rim (a right axis's "phase / deg" beside a 50-pixel rim) is moved inward just enough to be
// read whole; one that fits keeps the offset it was given.
int CaptionPosInside(const TScaleProps* props, const TFont& font, int width, int left_rim, int right_edge_rim) {
  const int given = props->CaptionPosX();
  if (!props->Visible() || props->Caption().isEmpty()) return given;
  const int text_width = QFontMetrics(font.ToQFont()).horizontalAdvance(props->Caption());
  int anchor = 0;
  switch (props->ScaleType()) {
    case sctYL: anchor = props->ScalePos() + width - right_edge_rim; break;
    case sctYR: anchor = left_rim - props->ScalePos(); break;
    case sctXB:
    case sctXT:
      switch (props->CaptionAnchor()) {
        case uaSclTopLft: anchor = left_rim; break;
        case uaSclCenter: anchor = left_rim + (width - left_rim - (right_edge_rim - 1)) / 2; break;
        case uaSclBotRgt: anchor = width - (right_edge_rim - 1); break;
      }
      break;
  }
  int left = anchor + given;
  if (props->CaptionAlignment() == taRightJustify) left -= text_width;
  else if (props->CaptionAlignment() == taCenter) left -= text_width / 2;
  if (left + text_width > width) return given - (left + text_width - width) + std::max(0, text_width - width);
  if (left < 0) return given - left;
  return given;
}

}  // namespace

void TChartAxes::SetControls(int layer, TScale* x, TScale* y) {
  x_[TLayerSettings::Slot(layer)] = x;
  y_[TLayerSettings::Slot(layer)] = y;
}

std::array<TScale*, 2 * TChartAxes::kLayerCount> TChartAxes::Controls() const {
  std::array<TScale*, 2 * kLayerCount> all{};
  std::copy(x_.begin(), x_.end(), all.begin());
  std::copy(y_.begin(), y_.end(), all.begin() + kLayerCount);
  return all;
}

void TChartAxes::DeleteControls() {
  for (TScale*& scale : x_) delete std::exchange(scale, nullptr);
  for (TScale*& scale : y_) delete std::exchange(scale, nullptr);
}

void TChartAxes::ApplyScaleProps(TScale* scale, const TScaleProps* props) const {
  // One margin across the axis puts it ScalePos pixels away from its edge of the chart area.
  const int width = geometry_.Width();
  scale->SetScaleType(props->ScaleType());
  switch (props->ScaleType()) {
    case sctXB: scale->SetMarginBottom(props->ScalePos() + geometry_.Height() - geometry_.TRim() - 1); break;
    case sctXT: scale->SetMarginTop(props->ScalePos() + geometry_.AreaBottom()); break;
    case sctYL: scale->SetMarginLeft(props->ScalePos() + geometry_.AreaRight()); break;
    case sctYR: scale->SetMarginRight(props->ScalePos() + width - geometry_.LRim() - 1); break;
  }
  scale->SetRangeLow(props->RangeLow());
  scale->SetRangeHigh(props->RangeHigh());
  scale->SetVisible(props->Visible());
  scale->SetCaption(props->Caption());
  scale->SetCaptionPosX(
      CaptionPosInside(props, props->Font(), width, geometry_.LRim(), geometry_.RRim() + geometry_.ShadowWidth()));
  scale->SetCaptionPosY(props->CaptionPosY());
  scale->SetCaptionAlignment(props->CaptionAlignment());
  scale->SetCaptionAnchor(props->CaptionAnchor());
  const TColor color = props->ColorScale() == clBlack ? host_.ScaleTextColor() : props->ColorScale();
  scale->SetColorScale(color);
  scale->SetDecPlaces(props->DecPlaces());
  scale->SetLogarithmic(props->Logarithmic());
  scale->SetLabelType(props->LabelType());
  scale->SetShortTicks(props->ShortTicks());
  scale->SetMinTicks(props->MinTicks());
  scale->SetScaleInscript(props->ScaleInscript());
  scale->SetUserTickText(props->UserTickText());
  TFont font = props->Font();
  font.Color = color;
  scale->SetFont(font);
  scale->SetDateFormat(props->DateFormat());
}

void TChartAxes::ApplyAll() const {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    ApplyScaleProps(ControlX(layer), layers_.X(layer));
    ApplyScaleProps(ControlY(layer), layers_.Y(layer));
  }
}

void TChartAxes::PlaceControl(TScale* scale, bool horizontal) const {
  scale->SetBounds(0, 0, geometry_.Width(), geometry_.Height());
  if (horizontal) {
    scale->SetMarginLeft(geometry_.LRim());
    scale->SetMarginRight(geometry_.RRim() + geometry_.ShadowWidth() - 1);
  } else {
    scale->SetMarginTop(geometry_.TRim());
    scale->SetMarginBottom(geometry_.BRim() + geometry_.ShadowWidth() - 1);
  }
}

void TChartAxes::Layout() const {
  ApplyAll();
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    PlaceControl(x_[i], true);
    PlaceControl(y_[i], false);
  }
}

}  // namespace zeph
