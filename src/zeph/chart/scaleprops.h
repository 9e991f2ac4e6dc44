#pragma once

#include <QObject>
#include <QString>

#include "zeph/chart/chartenums.h"
#include "zeph/scales/dtlabel.h"
#include "zeph/scales/scalemap.h"
#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

/// The settings of one axis of a chart layer.
///
/// Every TZephChart owns one TScalePropsHoriz and one TScalePropsVert for each of its sixteen
/// layers (TCustomZephChart::ScaleX(), TCustomZephChart::ScaleY(); the published \c Scale1X to
/// \c Scale4Y for layers 1 to 4). The chart copies the settings into the internal scale control
/// that draws the axis, and uses the range and the logarithmic flag for its own world-to-pixel
/// mapping. Every property setter fires OnChange after storing (SetMinRange() only when it widens
/// the range), which makes the chart re-apply the settings of all layers and repaint at once,
/// whatever its \c AutoRedraw says. An axis joined to another layer (TJointLayers) keeps that
/// layer's range: the chart puts it back after every change.
///
/// Invalid values are corrected or refused silently, never reported: DecPlaces() is clamped, a
/// range end below kLogEpsilon on a logarithmic axis is ignored, a range narrower than MinRange()
/// is widened.
class ZEPH_CHART_EXPORT TScaleProps : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY PropertiesChanged)
  Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX NOTIFY PropertiesChanged)
  Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY NOTIFY PropertiesChanged)
  Q_PROPERTY(TAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment NOTIFY PropertiesChanged)
  Q_PROPERTY(
      ZephEnums::TScaleUnitAnchor CaptionAnchor READ CaptionAnchor WRITE SetCaptionAnchor NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor ColorScale READ ColorScale WRITE SetColorScale NOTIFY PropertiesChanged)
  Q_PROPERTY(TDTLabel* DateFormat READ DateFormat WRITE SetDateFormat NOTIFY PropertiesChanged)
  Q_PROPERTY(int DecPlaces READ DecPlaces WRITE SetDecPlaces NOTIFY PropertiesChanged)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont NOTIFY PropertiesChanged)
  Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic NOTIFY PropertiesChanged)
  Q_PROPERTY(ZephEnums::TFigType LabelType READ LabelType WRITE SetLabelType NOTIFY PropertiesChanged)
  Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks NOTIFY PropertiesChanged)
  Q_PROPERTY(double MinRange READ MinRange WRITE SetMinRange NOTIFY PropertiesChanged)
  Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow NOTIFY PropertiesChanged)
  Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh NOTIFY PropertiesChanged)
  Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks NOTIFY PropertiesChanged)
  Q_PROPERTY(QString ScaleInscript READ ScaleInscript WRITE SetScaleInscript NOTIFY PropertiesChanged)
  Q_PROPERTY(int ScalePos READ ScalePos WRITE SetScalePos NOTIFY PropertiesChanged)
  Q_PROPERTY(QString UserTickText READ UserTickText WRITE SetUserTickText NOTIFY PropertiesChanged)
  Q_PROPERTY(bool Visible READ Visible WRITE SetVisible NOTIFY PropertiesChanged)

 public:
  /// The smallest value a logarithmic axis accepts, 1e-100.
  static constexpr double kLogEpsilon = kMinLogValue;

  /// The colour of both scales of a layer, 1 to 16, at construction (a layer outside that range is
  /// clamped).
  ///
  /// In layer order: black, maroon, green, olive, navy, purple, teal, gray, silver, red, lime,
  /// yellow, blue, fuchsia, aqua and white.
  static TColor LayerColor(int layer);

  /// Published property \c Caption: the axis title, drawn beside the scale; empty by default.
  ///
  /// The title lies CaptionPosX(), CaptionPosY() pixels from its anchor point on the axis
  /// (CaptionAnchor()) and is aligned there by CaptionAlignment().
  QString Caption() const { return caption_; }
  /// Sets Caption(); fires OnChange.
  void SetCaption(const QString& value);
  /// Published property \c CaptionPosX: the title's horizontal offset in pixels; 0 by default.
  ///
  /// On a horizontal axis it is added to the anchor point; on a vertical axis to the axis line.
  int CaptionPosX() const { return caption_pos_x_; }
  /// Sets CaptionPosX(); fires OnChange.
  void SetCaptionPosX(int value);
  /// Published property \c CaptionPosY: the title's vertical offset in pixels (to its top edge);
  /// 0 by default.
  ///
  /// On a vertical axis it is added to the anchor point; on a horizontal axis to the axis line.
  int CaptionPosY() const { return caption_pos_y_; }
  /// Sets CaptionPosY(); fires OnChange.
  void SetCaptionPosY(int value);
  /// Published property \c CaptionAlignment: whether the title starts at, ends at or is centred on
  /// its x position; \c taCenter by default.
  TAlignment CaptionAlignment() const { return caption_alignment_; }
  /// Sets CaptionAlignment(); fires OnChange.
  void SetCaptionAlignment(TAlignment value);
  /// Published property \c CaptionAnchor: the point along the axis the title is placed from;
  /// \c uaSclTopLft by default.
  ///
  /// \c uaSclTopLft is the left end of a horizontal axis or the top end of a vertical one,
  /// \c uaSclCenter the middle, \c uaSclBotRgt the right or bottom end.
  TScaleUnitAnchor CaptionAnchor() const { return caption_anchor_; }
  /// Sets CaptionAnchor(); fires OnChange.
  void SetCaptionAnchor(TScaleUnitAnchor value);
  /// Published property \c ColorScale: the colour of the base line, ticks, labels and title.
  ///
  /// By default the layer's colour (LayerColor()). It also becomes the colour of the scale's font,
  /// whatever Font() says.
  TColor ColorScale() const { return color_scale_; }
  /// Sets ColorScale(); fires OnChange.
  void SetColorScale(TColorArg value);
  /// Published property \c DateFormat: the format of time and date/time labels (LabelType()
  /// \c ftTime or \c ftDateTime).
  ///
  /// The object belongs to the settings and lives as long as they do. Its defaults: time as
  /// hours, minutes and seconds, separators "-" and ":", four-digit years, month names, day before
  /// month before year, and the date once per day. A change of one of its values fires OnChange.
  TDTLabel* DateFormat() const { return date_format_; }
  /// Sets DateFormat(): copies the format values of the given object (null changes nothing);
  /// fires OnChange.
  void SetDateFormat(TDTLabel* value);
  /// Published property \c DecPlaces: the decimal places of numeric labels, −3 to 12; −2 by
  /// default.
  ///
  /// 0 to 12 fix the places; −1 gives exponent form; −2 chooses them from the range; −3 does the
  /// same on a linear axis and labels decade exponents on a logarithmic one.
  int DecPlaces() const { return dec_places_; }
  /// Sets DecPlaces(), clamped to −3..12; fires OnChange.
  void SetDecPlaces(int value);
  /// Published property \c Font: the font of labels and title; the toolkit's default font unless
  /// set.
  ///
  /// Its colour is replaced by ColorScale() when the scale draws.
  const TFont& Font() const { return font_; }
  /// Sets Font() to a copy of the value; fires OnChange.
  void SetFont(const TFont& value);
  /// Sets Font() from a QFont (see TFont::FromQFont()); the font colour stays as it is.
  void SetFont(const QFont& value) { SetFont(TFont::FromQFont(value, Font().Color)); }
  /// Published property \c Logarithmic: whether the axis is logarithmic; false by default.
  ///
  /// A logarithmic axis maps the natural logarithm of its values, labels decades, and accepts no
  /// range end below kLogEpsilon.
  bool Logarithmic() const { return logarithmic_; }
  /// Sets Logarithmic(); fires OnChange in every case.
  ///
  /// False is always taken. True is refused (the flag stays as it was) when a range end lies below
  /// kLogEpsilon or LabelType() is \c ftDateTime, except while Creating(), when it is stored
  /// unchecked.
  void SetLogarithmic(bool value);
  /// Published property \c LabelType: what the labels show; \c ftNum (numbers) by default.
  ///
  /// \c ftNoFigs draws ticks without labels, \c ftTime and \c ftDateTime format the values as
  /// times or dates by DateFormat(), \c ftUserText takes the labels from UserTickText().
  TFigType LabelType() const { return label_type_; }
  /// Sets LabelType(); fires OnChange.
  ///
  /// \c ftDateTime switches the axis linear; \c ftTime sets DecPlaces() to 4.
  void SetLabelType(TFigType value);
  /// Published property \c MinTicks: the least number of labelled intervals the range is divided
  /// into; 3 by default.
  ///
  /// The tick step is the largest of 1, 2 or 5 times a power of ten that gives at least this many
  /// intervals. The scale control uses the value clamped to 2..10.
  int MinTicks() const { return min_ticks_; }
  /// Sets MinTicks(); fires OnChange.
  void SetMinTicks(int value);
  /// Published property \c MinRange: the narrowest range the axis accepts; 1e-10 by default.
  ///
  /// Setting a range end closer than this to the other end moves the other end away (see
  /// SetRangeLow() and SetRangeHigh()), so the range never collapses.
  double MinRange() const { return min_range_; }
  /// Sets MinRange().
  ///
  /// A value of kLogEpsilon or less is ignored. If the current range is narrower than the new
  /// value, it is widened around its midpoint to that width, keeping its direction, and OnChange
  /// fires; otherwise the value is only stored, without OnChange.
  void SetMinRange(double value);
  /// Published property \c RangeLow: the value at the start of the axis (left or bottom edge of
  /// the chart area); 0 by default.
  ///
  /// A low end above the high end is allowed and gives a reversed axis.
  double RangeLow() const { return range_low_; }
  /// Sets RangeLow(); fires OnChange.
  ///
  /// If the value lies within MinRange() of RangeHigh(), the range becomes value to value +
  /// MinRange(). Otherwise a value below kLogEpsilon on a logarithmic axis is ignored.
  void SetRangeLow(double value);
  /// Published property \c RangeHigh: the value at the end of the axis (right or top edge of the
  /// chart area); 1 by default.
  double RangeHigh() const { return range_high_; }
  /// Sets RangeHigh(); fires OnChange.
  ///
  /// If the value lies within MinRange() of RangeLow(), the range becomes value − MinRange() to
  /// value. Otherwise a value below kLogEpsilon on a logarithmic axis is ignored.
  void SetRangeHigh(double value);
  /// Sets both range ends, each under its own rule (low first), with one OnChange.
  ///
  /// To change the visible range of a layer together with the axes joined to it, use
  /// TCustomZephChart::SetLayerRange() instead.
  void SetRange(double low, double high);
  /// Sets both range ends like SetRange(), without OnChange.
  ///
  /// For the chart's own range changes (joining, panning, zooming), which bring the scale controls
  /// up to date themselves; an application that calls it must have the chart repaint.
  void StoreRange(double low, double high) {
    StoreRangeLow(low);
    StoreRangeHigh(high);
  }
  /// Published property \c ShortTicks: whether short unlabelled ticks are drawn between the
  /// labelled ones; true by default.
  bool ShortTicks() const { return short_ticks_; }
  /// Sets ShortTicks(); fires OnChange.
  void SetShortTicks(bool value);
  /// Published property \c ScaleInscript: a text put around every numeric label; empty by default.
  ///
  /// An \c & marks where the number goes ("& V" gives "2.0 V"); without one the text is a prefix.
  QString ScaleInscript() const { return scale_inscript_; }
  /// Sets ScaleInscript(); fires OnChange.
  void SetScaleInscript(const QString& value);
  /// Published property \c ScalePos: the distance in pixels of the axis from its edge of the chart
  /// area, outwards.
  ///
  /// At creation (n − 1) / 2 × 30 for the x axis of layer n and (n − 1) / 2 × 50 for its y axis
  /// (integer division); the standard layouts set it for layers 1 to 4.
  int ScalePos() const { return scale_pos_; }
  /// Sets ScalePos(); fires OnChange.
  void SetScalePos(int value);
  /// Published property \c UserTickText: the label texts for LabelType() \c ftUserText, separated
  /// by vertical bars; empty by default.
  ///
  /// The first field labels the first labelled tick, and so on; the last field repeats for the
  /// ticks beyond ("low|mid|high" on five ticks: low, mid, high, high, high).
  QString UserTickText() const { return user_tick_text_; }
  /// Sets UserTickText(); fires OnChange.
  void SetUserTickText(const QString& value);
  /// Published property \c Visible: whether the chart draws this scale; false by default.
  ///
  /// The standard layouts show the x and y scale of layer 1 (and more, by layout). A hidden scale
  /// still maps its layer.
  bool Visible() const { return visible_; }
  /// Sets Visible(); fires OnChange.
  void SetVisible(bool value);

  /// Orientation and side of the scale control, set through \c ScaleLocation.
  ///
  /// \c sctXT is an x axis below the chart area, \c sctXB one above it, \c sctYR a y axis left of
  /// the chart area, \c sctYL one right of it. At creation odd layers have their axes below and
  /// left, even layers above and right (whatever \c ScaleLocation reports), until \c ScaleLocation
  /// is set (the standard layouts set it for layers 1 to 4).
  TScaleType ScaleType() const { return scale_type_; }
  /// Whether this is an x axis (ScaleType() \c sctXB or \c sctXT).
  bool Horizontal() const { return scale_type_ == sctXB || scale_type_ == sctXT; }
  /// The layer, 1 to 16, whose axis these settings describe.
  int Layer() const { return layer_; }

  /// While set (until the chart has loaded), Logarithmic is stored without the range check.
  ///
  /// Set at creation; the chart clears it when it has finished loading (TCustomZephChart::Loaded()).
  bool Creating() const { return creating_; }
  /// Sets Creating(); used by the chart.
  void SetCreating(bool value) { creating_ = value; }

  /// Runs after every accepted change, and after every change of DateFormat.
  ///
  /// Set by the chart to its handler TCustomZephChart::ScalePropsChanged(), which applies the
  /// settings of all layers and repaints; the sender is these settings. Unset, it is skipped.
  TNotifyEvent OnChange;

 Q_SIGNALS:
  /// NOTIFY signal of every property: raised by the owning chart once it has applied a change of
  /// these settings, including ranges changed by panning, zooming, layer joining or
  /// TCustomZephChart::SetLayerRange(), once per change; never while the chart loads from a stored
  /// form or applies a standard layout (it raises it once for every settings object at the
  /// layout's end).
  void PropertiesChanged();

 protected:
  /// Constructs the settings of a layer's axis with the defaults above; the subclasses say which
  /// axis.
  TScaleProps(int layer, TScaleType scale_type, int scale_pos, QObject* owner);
  /// Sets ScaleType(), without OnChange.
  void SetScaleType(TScaleType value) { scale_type_ = value; }
  /// Fires OnChange with these settings as the sender.
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

/// The settings of a layer's x axis, which lies below or above the chart area.
class ZEPH_CHART_EXPORT TScalePropsHoriz : public TScaleProps {
  Q_OBJECT
  Q_PROPERTY(
      ChartEnums::TScaleLocationHoriz ScaleLocation READ ScaleLocation WRITE SetScaleLocation NOTIFY PropertiesChanged)

 public:
  /// Constructs the x-axis settings of a layer, 1 to 16, with the defaults of TScaleProps.
  ///
  /// Each chart creates its own; an application does not need to.
  TScalePropsHoriz(int layer, QObject* owner = nullptr);

  /// Published property \c ScaleLocation: whether the axis lies below (\c slBottom, the default)
  /// or above (\c slTop) the chart area.
  ///
  /// Until it is set, the x axes of even layers lie above the chart area (see ScaleType()).
  TScaleLocationHoriz ScaleLocation() const { return location_; }
  /// Sets ScaleLocation() and with it ScaleType(); fires OnChange.
  void SetScaleLocation(TScaleLocationHoriz value);

 private:
  TScaleLocationHoriz location_;
};

/// The settings of a layer's y axis, which lies left or right of the chart area.
class ZEPH_CHART_EXPORT TScalePropsVert : public TScaleProps {
  Q_OBJECT
  Q_PROPERTY(
      ChartEnums::TScaleLocationVert ScaleLocation READ ScaleLocation WRITE SetScaleLocation NOTIFY PropertiesChanged)

 public:
  /// Constructs the y-axis settings of a layer, 1 to 16, with the defaults of TScaleProps.
  ///
  /// Each chart creates its own; an application does not need to.
  TScalePropsVert(int layer, QObject* owner = nullptr);

  /// Published property \c ScaleLocation: whether the axis lies left (\c slLeft, the default) or
  /// right (\c slRight) of the chart area.
  ///
  /// Until it is set, the y axes of even layers lie right of the chart area (see ScaleType()).
  TScaleLocationVert ScaleLocation() const { return location_; }
  /// Sets ScaleLocation() and with it ScaleType(); fires OnChange.
  void SetScaleLocation(TScaleLocationVert value);

 private:
  TScaleLocationVert location_;
};

}  // namespace zeph
