#include "zeph/chart/scaleprops.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zeph {

TColor TScaleProps::LayerColor(int layer) {
  static constexpr std::array<TColor, 16> kColors = {
      clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
      clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};
  return kColors[static_cast<std::size_t>(std::clamp(layer, 1, 16) - 1)];
}

TScaleProps::TScaleProps(int layer, TScaleType scale_type, int scale_pos, QObject* owner)
    : QObject(owner),
      layer_(layer),
      color_scale_(LayerColor(layer)),
      date_format_(new TDTLabel(this)),
      scale_pos_(scale_pos),
      scale_type_(scale_type) {
  date_format_->setObjectName(QStringLiteral("DateFormat"));
  SetDefaultDateTimeFormat(*date_format_);
  // A change of the label format is a change of the scale settings.
  date_format_->OnChange = [this](QObject*) { Changed(); };
}

void TScaleProps::SetCaption(const QString& value) {
  caption_ = value;
  Changed();
}

void TScaleProps::SetCaptionPosX(int value) {
  caption_pos_x_ = value;
  Changed();
}

void TScaleProps::SetCaptionPosY(int value) {
  caption_pos_y_ = value;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment value) {
  caption_alignment_ = value;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor value) {
  caption_anchor_ = value;
  Changed();
}

void TScaleProps::SetColorScale(TColorArg value) {
  color_scale_ = value;
  Changed();
}

void TScaleProps::SetDateFormat(TDTLabel* value) {
  if (value && value != date_format_) date_format_->Assign(*value);
  Changed();
}

void TScaleProps::SetDecPlaces(int value) {
  dec_places_ = std::clamp(value, -3, 12);
  Changed();
}

void TScaleProps::SetFont(const TFont& value) {
  font_ = value;
  Changed();
}

void TScaleProps::SetLogarithmic(bool value) {
  if (!value || creating_ ||
      (range_low_ >= kLogEpsilon && range_high_ >= kLogEpsilon && label_type_ != ftDateTime)) {
    logarithmic_ = value;
  }
  Changed();
}

void TScaleProps::SetLabelType(TFigType value) {
  label_type_ = value;
  if (value == ftDateTime) logarithmic_ = false;
  if (value == ftTime) dec_places_ = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int value) {
  min_ticks_ = value;
  Changed();
}

void TScaleProps::SetMinRange(double value) {
  if (!(value > kLogEpsilon)) return;
  min_range_ = value;
  if (std::fabs(range_high_ - range_low_) >= value) return;
  // Widen around the old midpoint, keeping the axis direction.
  const double mid = (range_low_ + range_high_) / 2;
  const double half = range_high_ < range_low_ ? -value / 2 : value / 2;
  range_low_ = mid - half;
  range_high_ = mid + half;
  Changed();
}

void TScaleProps::StoreRangeLow(double value) {
  if (std::fabs(range_high_ - value) < min_range_) {
    range_low_ = value;
    range_high_ = value + min_range_;
  } else if (!(logarithmic_ && value < kLogEpsilon)) {
    range_low_ = value;
  }
}

void TScaleProps::StoreRangeHigh(double value) {
  if (std::fabs(range_low_ - value) < min_range_) {
    range_high_ = value;
    range_low_ = value - min_range_;
  } else if (!(logarithmic_ && value < kLogEpsilon)) {
    range_high_ = value;
  }
}

void TScaleProps::SetRangeLow(double value) {
  StoreRangeLow(value);
  Changed();
}

void TScaleProps::SetRangeHigh(double value) {
  StoreRangeHigh(value);
  Changed();
}

void TScaleProps::SetRange(double low, double high) {
  StoreRangeLow(low);
  StoreRangeHigh(high);
  Changed();
}

void TScaleProps::SetShortTicks(bool value) {
  short_ticks_ = value;
  Changed();
}

void TScaleProps::SetScaleInscript(const QString& value) {
  scale_inscript_ = value;
  Changed();
}

void TScaleProps::SetScalePos(int value) {
  scale_pos_ = value;
  Changed();
}

void TScaleProps::SetUserTickText(const QString& value) {
  user_tick_text_ = value;
  Changed();
}

void TScaleProps::SetVisible(bool value) {
  visible_ = value;
  Changed();
}

TScalePropsHoriz::TScalePropsHoriz(int layer, QObject* owner)
    : TScaleProps(layer, layer % 2 == 1 ? sctXT : sctXB, (layer - 1) / 2 * 30, owner), location_(slBottom) {}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz value) {
  location_ = value;
  SetScaleType(value == slTop ? sctXB : sctXT);
  Changed();
}

TScalePropsVert::TScalePropsVert(int layer, QObject* owner)
    : TScaleProps(layer, layer % 2 == 1 ? sctYR : sctYL, (layer - 1) / 2 * 50, owner), location_(slLeft) {}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert value) {
  location_ = value;
  SetScaleType(value == slLeft ? sctYR : sctYL);
  Changed();
}

}  // namespace zeph
