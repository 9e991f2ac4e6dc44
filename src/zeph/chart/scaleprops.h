#pragma once

#include <QObject>
#include <QString>

#include "zeph/chart/chartenums.h"
#include "zeph/scales/dtlabel.h"
#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

// The settings of one axis of a chart layer. The chart copies them into its scale control and
// uses the range for its own mapping; every accepted change fires OnChange, which makes the chart
// re-apply all settings and repaint.
class ZEPH_CHART_EXPORT TScaleProps : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
  Q_PROPERTY(TAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment)
  Q_PROPERTY(ZephEnums::TScaleUnitAnchor CaptionAnchor READ CaptionAnchor WRITE SetCaptionAnchor)
  Q_PROPERTY(TColor ColorScale READ ColorScale WRITE SetColorScale)
  Q_PROPERTY(TDTLabel* DateFormat READ DateFormat WRITE SetDateFormat)
  Q_PROPERTY(int DecPlaces READ DecPlaces WRITE SetDecPlaces)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont)
  Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
  Q_PROPERTY(ZephEnums::TFigType LabelType READ LabelType WRITE SetLabelType)
  Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
  Q_PROPERTY(double MinRange READ MinRange WRITE SetMinRange)
  Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
  Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
  Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks)
  Q_PROPERTY(QString ScaleInscript READ ScaleInscript WRITE SetScaleInscript)
  Q_PROPERTY(int ScalePos READ ScalePos WRITE SetScalePos)
  Q_PROPERTY(QString UserTickText READ UserTickText WRITE SetUserTickText)
  Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

 public:
  // The smallest value a logarithmic axis accepts.
  static constexpr double kLogEpsilon = 1e-100;

  // The colour of both scales of each layer, 1 to 16.
  static TColor LayerColor(int layer);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& value);
  int CaptionPosX() const { return caption_pos_x_; }
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return caption_pos_y_; }
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return caption_alignment_; }
  void SetCaptionAlignment(TAlignment value);
  TScaleUnitAnchor CaptionAnchor() const { return caption_anchor_; }
  void SetCaptionAnchor(TScaleUnitAnchor value);
  TColor ColorScale() const { return color_scale_; }
  void SetColorScale(TColor value);
  TDTLabel* DateFormat() const { return date_format_; }
  // Copies the format values of the given object.
  void SetDateFormat(TDTLabel* value);
  int DecPlaces() const { return dec_places_; }
  // Clamped to -3..12.
  void SetDecPlaces(int value);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  bool Logarithmic() const { return logarithmic_; }
  // Refused over a range that reaches below 1e-100 or with date/time labels (unless creating).
  void SetLogarithmic(bool value);
  TFigType LabelType() const { return label_type_; }
  // Date/time labels switch the axis linear; time labels set DecPlaces to 4.
  void SetLabelType(TFigType value);
  int MinTicks() const { return min_ticks_; }
  void SetMinTicks(int value);
  double MinRange() const { return min_range_; }
  // Ignored at 1e-100 or below; a narrower range is widened around its midpoint.
  void SetMinRange(double value);
  double RangeLow() const { return range_low_; }
  void SetRangeLow(double value);
  double RangeHigh() const { return range_high_; }
  void SetRangeHigh(double value);
  // Sets both range ends, each under its own rule, with one notification.
  void SetRange(double low, double high);
  // The same without the notification: the chart's own range changes (joining, panning, zooming),
  // which bring the scale controls up to date themselves.
  void StoreRange(double low, double high) {
    StoreRangeLow(low);
    StoreRangeHigh(high);
  }
  bool ShortTicks() const { return short_ticks_; }
  void SetShortTicks(bool value);
  QString ScaleInscript() const { return scale_inscript_; }
  void SetScaleInscript(const QString& value);
  int ScalePos() const { return scale_pos_; }
  void SetScalePos(int value);
  QString UserTickText() const { return user_tick_text_; }
  void SetUserTickText(const QString& value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // Orientation and side of the scale control, set through ScaleLocation.
  TScaleType ScaleType() const { return scale_type_; }
  bool Horizontal() const { return scale_type_ == sctXB || scale_type_ == sctXT; }
  int Layer() const { return layer_; }

  // While set (until the chart has loaded), Logarithmic is stored without the range check.
  bool Creating() const { return creating_; }
  void SetCreating(bool value) { creating_ = value; }

  // Runs after every accepted change, and after every change of DateFormat.
  TNotifyEvent OnChange;

 protected:
  TScaleProps(int layer, TScaleType scale_type, int scale_pos, QObject* owner);
  void SetScaleType(TScaleType value) { scale_type_ = value; }
  void Changed() { Notify(OnChange, this); }

 private:
  void StoreRangeLow(double value);
  void StoreRangeHigh(double value);

  int layer_;
  QString caption_;
  int caption_pos_x_ = 0;
  int caption_pos_y_ = 0;
  TAlignment caption_alignment_ = taCenter;
  TScaleUnitAnchor caption_anchor_ = uaSclTopLft;
  TColor color_scale_;
  TDTLabel* date_format_;
  int dec_places_ = -2;
  TFont font_;
  bool logarithmic_ = false;
  TFigType label_type_ = ftNum;
  int min_ticks_ = 3;
  double min_range_ = 1e-10;
  double range_low_ = 0;
  double range_high_ = 1;
  bool short_ticks_ = true;
  QString scale_inscript_;
  int scale_pos_;
  QString user_tick_text_;
  bool visible_ = false;
  TScaleType scale_type_;
  bool creating_ = true;
};

// The settings of a layer's x axis, which lies below or above the chart area.
class ZEPH_CHART_EXPORT TScalePropsHoriz : public TScaleProps {
  Q_OBJECT
  Q_PROPERTY(ChartEnums::TScaleLocationHoriz ScaleLocation READ ScaleLocation WRITE SetScaleLocation)

 public:
  TScalePropsHoriz(int layer, QObject* owner = nullptr);

  TScaleLocationHoriz ScaleLocation() const { return location_; }
  void SetScaleLocation(TScaleLocationHoriz value);

 private:
  TScaleLocationHoriz location_;
};

// The settings of a layer's y axis, which lies left or right of the chart area.
class ZEPH_CHART_EXPORT TScalePropsVert : public TScaleProps {
  Q_OBJECT
  Q_PROPERTY(ChartEnums::TScaleLocationVert ScaleLocation READ ScaleLocation WRITE SetScaleLocation)

 public:
  TScalePropsVert(int layer, QObject* owner = nullptr);

  TScaleLocationVert ScaleLocation() const { return location_; }
  void SetScaleLocation(TScaleLocationVert value);

 private:
  TScaleLocationVert location_;
};

}  // namespace zeph
