// The chart's scale settings reaching its scale controls, and the standard layouts.
#include <QFontMetrics>
#include <algorithm>

#include "zeph/chart/axes/standardlayouts_p.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

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

void TCustomZephChartPrivate::ApplyScaleProps(TScale* scale, const TScaleProps* props) {
  // One margin across the axis puts it ScalePos pixels away from its edge of the chart area.
  scale->SetScaleType(props->ScaleType());
  switch (props->ScaleType()) {
    case sctXB: scale->SetMarginBottom(props->ScalePos() + q->height() - geometry_.TRim() - 1); break;
    case sctXT: scale->SetMarginTop(props->ScalePos() + geometry_.AreaBottom()); break;
    case sctYL: scale->SetMarginLeft(props->ScalePos() + geometry_.AreaRight()); break;
    case sctYR: scale->SetMarginRight(props->ScalePos() + q->width() - geometry_.LRim() - 1); break;
  }
  scale->SetRangeLow(props->RangeLow());
  scale->SetRangeHigh(props->RangeHigh());
  scale->SetVisible(props->Visible());
  scale->SetCaption(props->Caption());
  scale->SetCaptionPosX(
      CaptionPosInside(props, props->Font(), q->width(), geometry_.LRim(), geometry_.RRim() + geometry_.ShadowWidth()));
  scale->SetCaptionPosY(props->CaptionPosY());
  scale->SetCaptionAlignment(props->CaptionAlignment());
  scale->SetCaptionAnchor(props->CaptionAnchor());
  // With the palette's colours, black scales (layer 1's default) take the theme's text colour.
  const TColor color =
      props->ColorScale() == clBlack ? q->ShownColor(clBlack, QPalette::WindowText) : props->ColorScale();
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

void TCustomZephChartPrivate::PlaceScaleControl(TScale* scale, bool horizontal) {
  scale->SetBounds(0, 0, q->width(), q->height());
  if (horizontal) {
    scale->SetMarginLeft(geometry_.LRim());
    scale->SetMarginRight(geometry_.RRim() + geometry_.ShadowWidth() - 1);
  } else {
    scale->SetMarginTop(geometry_.TRim());
    scale->SetMarginBottom(geometry_.BRim() + geometry_.ShadowWidth() - 1);
  }
}

void TCustomZephChartPrivate::ApplyAllScaleProps() {
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    const int layer = static_cast<int>(i) + 1;
    q->ApplyScaleProps(scales_x_[i], layers_.X(layer));
    q->ApplyScaleProps(scales_y_[i], layers_.Y(layer));
  }
}

void TCustomZephChartPrivate::LayoutScales() {
  ApplyAllScaleProps();
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    PlaceScaleControl(scales_x_[i], true);
    PlaceScaleControl(scales_y_[i], false);
  }
}

void TCustomZephChartPrivate::ScalePropsChanged(QObject* sender) {
  // A standard layout changes many settings and applies them once at its end.
  if (applying_layout_) return;
  // A joined axis keeps following its controlling layer, whatever was asked of it.
  CopyJoinedRanges();
  ApplyAllScaleProps();
  // The mapping follows the ranges at once, also while the chart does not paint.
  q->CalcScaling();
  Invalidate();
  q->Paint();
  // The date format reports through the settings that own it.
  auto* settings = qobject_cast<TScaleProps*>(sender);
  if (!settings && sender) settings = qobject_cast<TScaleProps*>(sender->parent());
  ReportRangeChanges(settings);
  // Their setters notify also when nothing changed; the signals wait for a change.
  if (settings && SettingsDiffer(settings) && !q->IsLoading()) {
    Q_EMIT settings->PropertiesChanged();
    Q_EMIT q->ScaleSettingsChanged(settings);
  }
}

namespace {

template <typename Props>
void ApplyLayoutScale(Props* props, const TLayoutScale& entry) {
  using Location = decltype(props->ScaleLocation());
  props->SetScaleLocation(static_cast<Location>(entry.location));
  props->SetCaptionPosX(entry.caption_x);
  props->SetCaptionPosY(entry.caption_y);
  props->SetCaptionAlignment(entry.alignment);
  props->SetCaptionAnchor(entry.anchor);
  props->SetScalePos(entry.scale_pos);
  props->SetVisible(entry.visible);
}

}  // namespace

void TCustomZephChartPrivate::SetStandardLayout(TzcLayout value) {
  const TLayoutRow& row = StandardLayoutRow(value);
  const bool changed = standard_layout_ != value;
  standard_layout_ = value;
  const bool suspended = paint_suspended_;
  paint_suspended_ = true;
  applying_layout_ = true;
  geometry_.SetBRim(row.b_rim);
  geometry_.SetTRim(row.t_rim);
  geometry_.SetLRim(row.l_rim);
  geometry_.SetRRim(row.r_rim);
  caption_pos_x_ = row.caption_x;
  caption_pos_y_ = row.caption_y;
  caption_alignment_ = row.caption_alignment;
  caption_anchor_horiz_ = row.anchor_horiz;
  caption_anchor_vert_ = row.anchor_vert;
  for (int layer = 1; layer <= 4; ++layer) {
    ApplyLayoutScale(q->ScaleX(layer), row.x[static_cast<std::size_t>(layer - 1)]);
    ApplyLayoutScale(q->ScaleY(layer), row.y[static_cast<std::size_t>(layer - 1)]);
  }
  for (int layer = 5; layer <= kLayerCount; ++layer) {
    q->ScaleX(layer)->SetVisible(false);
    q->ScaleY(layer)->SetVisible(false);
  }
  applying_layout_ = false;
  RimsChanged();
  paint_suspended_ = suspended;
  Invalidate();
  if (!paint_suspended_) q->Paint();
  // The rims reported their change as one (RimsChanged); the scale settings changed all at once.
  if (changed) EmitUnlessLoading(&TCustomZephChart::StandardLayoutChanged);
  if (q->IsLoading()) return;
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (SettingsDiffer(q->ScaleX(layer))) Q_EMIT q->ScaleX(layer)->PropertiesChanged();
    if (SettingsDiffer(q->ScaleY(layer))) Q_EMIT q->ScaleY(layer)->PropertiesChanged();
  }
}

}  // namespace zeph
