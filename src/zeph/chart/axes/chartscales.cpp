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

void TCustomZephChart::ApplyScaleProps(TScale* scale, const TScaleProps* props) {
  // One margin across the axis puts it ScalePos pixels away from its edge of the chart area.
  scale->SetScaleType(props->ScaleType());
  switch (props->ScaleType()) {
    case sctXB: scale->SetMarginBottom(props->ScalePos() + height() - d_->t_rim_ - 1); break;
    case sctXT: scale->SetMarginTop(props->ScalePos() + height() - d_->b_rim_ - d_->shadow_width_); break;
    case sctYL: scale->SetMarginLeft(props->ScalePos() + width() - d_->r_rim_ - d_->shadow_width_); break;
    case sctYR: scale->SetMarginRight(props->ScalePos() + width() - d_->l_rim_ - 1); break;
  }
  scale->SetRangeLow(props->RangeLow());
  scale->SetRangeHigh(props->RangeHigh());
  scale->SetVisible(props->Visible());
  scale->SetCaption(props->Caption());
  scale->SetCaptionPosX(
      CaptionPosInside(props, props->Font(), width(), d_->l_rim_, d_->r_rim_ + d_->shadow_width_));
  scale->SetCaptionPosY(props->CaptionPosY());
  scale->SetCaptionAlignment(props->CaptionAlignment());
  scale->SetCaptionAnchor(props->CaptionAnchor());
  // With the palette's colours, black scales (layer 1's default) take the theme's text colour.
  const TColor color = props->ColorScale() == clBlack ? ShownColor(clBlack, QPalette::WindowText) : props->ColorScale();
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
    scale->SetMarginLeft(l_rim_);
    scale->SetMarginRight(r_rim_ + shadow_width_ - 1);
  } else {
    scale->SetMarginTop(t_rim_);
    scale->SetMarginBottom(b_rim_ + shadow_width_ - 1);
  }
}

void TCustomZephChartPrivate::ApplyAllScaleProps() {
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    q->ApplyScaleProps(scales_x_[i], scale_props_x_[i]);
    q->ApplyScaleProps(scales_y_[i], scale_props_y_[i]);
  }
}

void TCustomZephChartPrivate::LayoutScales() {
  ApplyAllScaleProps();
  for (std::size_t i = 0; i < kLayerCount; ++i) {
    PlaceScaleControl(scales_x_[i], true);
    PlaceScaleControl(scales_y_[i], false);
  }
}

void TCustomZephChart::ScalePropsChanged(QObject* sender) {
  // A standard layout changes many settings and applies them once at its end.
  if (d_->applying_layout_) return;
  // A joined axis keeps following its controlling layer, whatever was asked of it.
  d_->CopyJoinedRanges();
  d_->ApplyAllScaleProps();
  // The mapping follows the ranges at once, also while the chart does not paint.
  CalcScaling();
  d_->Invalidate();
  Paint();
  // The date format reports through the settings that own it.
  auto* settings = qobject_cast<TScaleProps*>(sender);
  if (!settings && sender) settings = qobject_cast<TScaleProps*>(sender->parent());
  d_->ReportRangeChanges(settings);
  // Their setters notify also when nothing changed; the signals wait for a change.
  if (settings && d_->SettingsDiffer(settings) && !IsLoading()) {
    Q_EMIT settings->PropertiesChanged();
    Q_EMIT ScaleSettingsChanged(settings);
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

void TCustomZephChart::SetStandardLayout(TzcLayout value) {
  const TLayoutRow& row = StandardLayoutRow(value);
  const bool changed = d_->standard_layout_ != value;
  d_->standard_layout_ = value;
  const bool suspended = d_->paint_suspended_;
  d_->paint_suspended_ = true;
  d_->applying_layout_ = true;
  d_->b_rim_ = row.b_rim;
  d_->t_rim_ = row.t_rim;
  d_->l_rim_ = row.l_rim;
  d_->r_rim_ = row.r_rim;
  d_->caption_pos_x_ = row.caption_x;
  d_->caption_pos_y_ = row.caption_y;
  d_->caption_alignment_ = row.caption_alignment;
  d_->caption_anchor_horiz_ = row.anchor_horiz;
  d_->caption_anchor_vert_ = row.anchor_vert;
  for (int layer = 1; layer <= 4; ++layer) {
    ApplyLayoutScale(ScaleX(layer), row.x[static_cast<std::size_t>(layer - 1)]);
    ApplyLayoutScale(ScaleY(layer), row.y[static_cast<std::size_t>(layer - 1)]);
  }
  for (int layer = 5; layer <= kLayerCount; ++layer) {
    ScaleX(layer)->SetVisible(false);
    ScaleY(layer)->SetVisible(false);
  }
  d_->applying_layout_ = false;
  d_->RimsChanged();
  d_->paint_suspended_ = suspended;
  d_->Invalidate();
  if (!d_->paint_suspended_) Paint();
  // The rims reported their change as one (RimsChanged); the scale settings changed all at once.
  if (changed) d_->EmitUnlessLoading(&TCustomZephChart::StandardLayoutChanged);
  if (IsLoading()) return;
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (d_->SettingsDiffer(ScaleX(layer))) Q_EMIT ScaleX(layer)->PropertiesChanged();
    if (d_->SettingsDiffer(ScaleY(layer))) Q_EMIT ScaleY(layer)->PropertiesChanged();
  }
}

}  // namespace zeph
