#pragma once

#include <QObject>
#include <QString>

#include "zeph/chart/chart_export.h"
#include "zeph/toolkit/events.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"

namespace zeph {

/// One line of a chart's legend: a curve's name with its pen and mark.
struct ZEPH_CHART_EXPORT TLegendEntry {
  int CurveIndex = 0;            ///< The curve's index (TZephItemStore::Curve()).
  QString Name;                  ///< The curve's name, as the legend shows it.
  TColor Color = clBlack;        ///< The curve's colour.
  TPenStyle PenStyle = psSolid;  ///< The curve's pen style; \c psClear for marks alone.
  int LineWidth = 1;             ///< The curve's pen width in pixels.
  int MarkType = -1;             ///< The curve's mark (DrawMark()), or -1 (TZephCurve::kNoMark) for none.
  bool Hidden = false;           ///< Whether the curve is hidden; the legend then shows its name in grey.
};

/// The legend of a chart: a box listing the curves' names with their pens and marks.
///
/// Every chart owns one (TCustomZephChart::Legend()); it is hidden until SetVisible(true). It lists
/// the chart's curve objects (TZephItemStore::AddCurve()) that have a name, in their order, each
/// with a sample of its line in its colour, pen style and width and its mark (a dash pattern drawn
/// from the mark outward, long enough to show its gaps on either side). The box stands in a
/// corner of the chart area or outside it, to the right (Position()); it is drawn in screen pixels
/// over the chart, and in every export (TCustomZephChart::PaintTo()). A click on a line of the
/// legend hides that curve (TZephCurve::SetVisible()), a second click shows it again; a hidden
/// curve keeps its place in the legend, its name in grey and without its sample.
///
/// \code
/// zeph::TZephChart chart;
/// chart.SetDataColor(Qt::blue);
/// zeph::TZephCurve magnitude = chart.AddCurve(QStringLiteral("|H(f)|"));
/// chart.SetDataColor(Qt::red);
/// zeph::TZephCurve phase = chart.AddCurve(QStringLiteral("φ(f)"));
/// // ... magnitude.Append(f, h); phase.Append(f, p); ...
/// chart.Legend()->SetVisible(true);
/// \endcode
class ZEPH_CHART_EXPORT TChartLegend : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Visible READ Visible WRITE SetVisible NOTIFY PropertiesChanged)
  Q_PROPERTY(TLegendPosition Position READ Position WRITE SetPosition NOTIFY PropertiesChanged)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor ColorBkg READ ColorBkg WRITE SetColorBkg NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder NOTIFY PropertiesChanged)

 public:
  /// Where the legend's box stands.
  enum TLegendPosition {
    lpTopLeft,      ///< In the chart area's top-left corner, 6 pixels in from the frame.
    lpTopRight,     ///< In the chart area's top-right corner (the default).
    lpBottomLeft,   ///< In the chart area's bottom-left corner.
    lpBottomRight,  ///< In the chart area's bottom-right corner.
    /// Right of the chart area, 8 pixels from its frame, level with its top: make \c RRim wide
    /// enough for it.
    lpOutsideRight
  };
  Q_ENUM(TLegendPosition)

  /// Creates a hidden legend in the top-right corner, in the toolkit's default font, black on
  /// white; charts create their own.
  explicit TChartLegend(QObject* owner = nullptr);

  /// Whether the legend is drawn; false by default.
  bool Visible() const { return visible_; }
  /// Sets Visible().
  void SetVisible(bool value);
  /// Where the box stands; \c lpTopRight by default.
  TLegendPosition Position() const { return position_; }
  /// Sets Position().
  void SetPosition(TLegendPosition value);
  /// The font of the names; the toolkit's default font unless set. Its colour is the names'
  /// colour.
  const TFont& Font() const { return font_; }
  /// Sets Font().
  void SetFont(const TFont& value);
  /// Sets Font() from a QFont (see TFont::FromQFont()); the font colour stays as it is.
  void SetFont(const QFont& value) { SetFont(TFont::FromQFont(value, Font().Color)); }
  /// The box's background colour; white by default.
  TColor ColorBkg() const { return color_bkg_; }
  /// Sets ColorBkg().
  void SetColorBkg(TColorArg value);
  /// The box's frame colour; black by default.
  TColor ColorBorder() const { return color_border_; }
  /// Sets ColorBorder().
  void SetColorBorder(TColorArg value);

  /// Raised after every change of the legend's settings; the chart repaints through it under its
  /// AutoRedraw rule. Set by the owning chart.
  TNotifyEvent OnChange;

 Q_SIGNALS:
  /// A setting changed; NOTIFY signal of the properties. Not raised while the owning chart loads
  /// from a stored form.
  void PropertiesChanged();
  /// The user clicked the legend's line of the curve at \p curve_index (TZephItemStore::Curve()),
  /// which is now \p visible or hidden; raised by the chart after the curve has changed.
  void CurveToggled(int curve_index, bool visible);

 private:
  void Notify();
  // Signals wait while the owning chart loads from a stored form.
  bool OwnerLoading() const;

  bool visible_ = false;
  TLegendPosition position_ = lpTopRight;
  TFont font_;
  TColor color_bkg_ = clWhite;
  TColor color_border_ = clBlack;
};

}  // namespace zeph
